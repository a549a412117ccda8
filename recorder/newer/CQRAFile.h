// CQRAFile: the block reader of one newer-format recorder file. Open reads and checks the header
// and every block in file order (version limits, CRC-16 of each block, and that every length,
// count, offset and channel number fits the file), converts big-endian fields to host values,
// maps and decodes the texts, and keeps the tables in memory. Only the data records stay on disk;
// they are read on request in chunks of whole records, one channel at a time or, once a second
// channel of a range is asked for, every channel of the range at once (RecordColumns).
//
// The tables are kept as typed entries rather than raw byte copies; each field is read from the
// file bytes by offset in the file's byte order.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/ByteOrder.h"
#include "platform/base/Guid.h"
#include "platform/base/ReadOnlyFile.h"
#include "recorder/RecordRangeCache.h"
#include "recorder/newer/RecordColumns.h"

namespace vt {

// Block-reader result codes.
enum QRA_RESULT : int {
  QRA_OUT_OF_RANGE = -1,
  QRA_OK = 0,
  QRA_OPEN_FAILED = 1,
  QRA_READ_ERROR = 2,
  QRA_ABSENT = 3,
  QRA_BAD_HEADER = 4,  // also every structural fault of a block
  QRA_HEADER_VERSION = 5,
  QRA_CHANNEL_VERSION = 6,
  QRA_GROUP_VERSION = 7,
  QRA_MESSAGE_VERSION = 8,
  QRA_BATCH_VERSION = 9,
  QRA_DATAINFO_VERSION = 10,
  QRA_ALARM_VERSION = 11,
  QRA_DATA_VERSION = 12,
  QRA_CRC_ERROR = 14,
  QRA_NO_ALARM_TABLE = 15,
  QRA_TAGGED_VERSION = 16,
};

}  // namespace vt

// A converted time: seconds since 1970 and milliseconds.
struct QRATime {
  int32_t seconds = 0;
  int32_t milliseconds = 0;
};

struct QRAHeader {
  bool bigEndian = false;
  uint32_t formatWord = 0;
  uint32_t version = 0;
  uint32_t dataInfoOffset = 0;
  uint32_t length = 0;
  vt::Guid guid;
  uint32_t word40 = 0;
  uint32_t dataKindWord = 0;
  uint32_t modelWord = 0;
  uint16_t timeFormat = 0;
  uint16_t word54 = 0;
  uint32_t word56 = 0;
  uint32_t timeChangeCount = 0;
  uint16_t word66 = 0;
  uint16_t startFactor = 0;
  uint16_t stopFactor = 0;
  std::string headerText;
  std::string serial;
  std::string text168;
  uint16_t word188 = 0;
  uint32_t tagged = 0;
};

struct QRAChannelEntry {
  uint32_t flags = 0;
  int16_t number = 0;
  int16_t loggingNo = 0;
  std::string tag;
  std::string unit;
  int16_t word40 = 0;
  uint16_t valueOffset = 0;
  int16_t decimals = 0;
  int32_t logMantissaLow = 0;
  int32_t logMantissaHigh = 0;
  int32_t spanLow = 0;
  int32_t spanHigh = 0;
  int16_t rawLow = 0;
  int16_t rawHigh = 0;
  uint32_t colour = 0;
  uint16_t display = 0;
  int ValueSize() const { return int(flags & 0xFF); }
};

struct QRATripLine {
  uint16_t on = 0;
  int16_t raw = 0;
};

struct QRAGroupEntry {
  int16_t number = 0;
  uint16_t inUse = 0;
  std::string name;  // mapped when in use
  std::array<int16_t, 16> places{};
  std::array<QRATripLine, 4> trips{};
};

struct QRAMessageEntry {
  uint32_t serial = 0;
  uint32_t secondWord = 0;
  QRATime inputTime;
  int64_t dataNo = 0;
  uint64_t groupMask = 0;
  uint16_t word36 = 0;
  uint16_t number = 0;
  std::string text;
  std::string user;
};

struct QRABatchText {
  std::string title;
  std::string text;
};

struct QRABatchComment {
  QRATime time;
  std::string user;
  std::string text;
};

struct QRABatchBlock {
  uint16_t startUserCode = 0;
  uint16_t stopUserCode = 0;
  std::string startUser;
  std::string stopUser;
  uint16_t hasBatchInfo = 0;
  uint16_t lotDigits = 0;
  uint32_t lotNumber = 0;
  std::array<QRABatchText, 8> texts;
  std::string batchNumber;
  std::array<QRABatchComment, 3> comments;
};

struct QRADataInfo {
  int32_t intervalMs = 0;
  QRATime time1;
  QRATime lastTime;
  int64_t startDataNo = 0;
  int64_t endDataNo = 0;
  int64_t memStartDataNo = 0;
  int64_t triggerDataNo = 0;
  uint32_t recordCount = 0;
  uint16_t itemCount = 0;
  std::vector<std::array<uint16_t, 4>> items;
};

struct QRAAlarmEntry {
  int16_t channel = -1;
  QRATime time;
  int64_t dataNo = 0;
  uint16_t action = 0;
  uint16_t levelMask = 0;
  int16_t type = 0;
  uint16_t lastWord = 0;
};

struct QRAListEntry {
  uint32_t range = 0;
  uint32_t number = 0;
  std::string text;
};

class CQRAFile {
 public:
  CQRAFile();
  virtual ~CQRAFile();
  CQRAFile(const CQRAFile&) = delete;
  CQRAFile& operator=(const CQRAFile&) = delete;

  // With headerOnly the alarm and data blocks are neither read nor checked.
  int Open(const std::string& path, bool headerOnly = false);
  void Close();

  const QRAHeader& GetHeader() const { return m_header; }
  std::string GetModelName() const;
  int GetChannelCount() const { return int(m_channels.size()); }
  void GetChannelRangeCounts(int* range1, int* range2, int* range3) const;
  int GetChannelEntry(int index, QRAChannelEntry* out) const;
  // Entry index of a channel number, or -1.
  int ChannelIndexOf(int channelNo) const;
  int GetGroupCount() const { return int(m_groups.size()); }
  uint32_t GetGroupBlockWord() const { return m_groupBlockWord; }
  uint64_t GetAllGroupsMask() const { return m_allGroupsMask; }
  int GetGroupEntry(int index, QRAGroupEntry* out) const;
  int GetMessageCount() const { return int(m_messages.size()); }
  int GetMessageEntry(int index, QRAMessageEntry* out) const;
  const QRABatchBlock& GetBatchBlock() const { return m_batch; }
  int GetBatchTextRowCount() const;
  int GetBatchTextRow(int row, QRABatchText* out) const;
  int GetTagNameListState() const { return m_tagNamesState; }
  int GetTagNoListState() const { return m_tagNosState; }
  int GetTagName(int channelIndex, std::string* out) const;
  int GetTagNo(int channelIndex, std::string* out) const;
  int GetFirstTableString(std::string* out) const;
  int GetTaggedValue(int index, uint32_t* out) const;
  const QRADataInfo& GetDataInfo() const { return m_dataInfo; }
  int GetAlarmCount() const { return int(m_alarms.size()); }
  int GetAlarmEntry(int index, QRAAlarmEntry* out) const;
  uint32_t GetRecordSize() const { return m_recordSize; }
  // Values of count records from start: the value at sub x size + offset of each record, 16-bit
  // values sign-extended. Times are read when both time outputs are given. Once a second field
  // of the same range is asked for, every field of the range is decoded in one pass and the
  // further fields of it come from those columns.
  int ReadValues(int64_t start, int sub, int size, int offset, int64_t count, int32_t* values,
                 int32_t* seconds, int32_t* milliseconds);
  // A value field read as a column: size bytes (2 or 4) at offset of every record, each value
  // sign-extended into values[i] and its recorder state into states[i].
  struct ColumnTarget {
    int offset = 0;
    int size = 0;
    int32_t* values = nullptr;
    uint8_t* states = nullptr;
  };
  // Records [start, start + count) read once, in pieces small enough to stay in the processor's
  // cache while every target takes its field from them. QRA_OUT_OF_RANGE for a range or field
  // outside the records; std::bad_alloc when the piece buffer cannot be made.
  int ReadColumns(int64_t start, int64_t count, const std::vector<ColumnTarget>& targets);
  // Only the record times.
  int ReadTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds);
  int ReadAlarmFlags(int channelNo, int64_t start, int64_t count, uint8_t* out) const;
  int GetLastError() const { return m_lastError; }

 private:
  // One alarm entry as the alarm bits see it. seq is its place in the file, by which a
  // channel's own entries and the all-channel entries are walked together; levels holds the
  // level bits it counts for (every level for an all-channel entry).
  struct AlarmNode {
    int64_t position;
    uint32_t seq;
    uint16_t action;
    int16_t channel;
    uint8_t levels;
  };
  class AlarmWalk;

  int ReadHeader();
  int ReadBlock(uint32_t limit, int versionCode, std::vector<uint8_t>* block);
  // Reads `length` bytes at the current position and checks their trailing CRC; the position
  // stays where it is.
  int ReadCheckedBlock(uint32_t length, std::vector<uint8_t>* block);
  int ReadTaggedSection();
  int ReadDataInfo();
  int ReadAlarms();
  int ReadDataBlock();
  bool ReadAt(uint64_t offset, void* buffer, std::size_t size);
  QRATime ConvertTime(const uint8_t* p) const;
  // Reads records [start, start + count) through the range cache in chunks of whole records and
  // hands each to f(chunk, done, n); false (and the file closed) when a read fails.
  template <class F>
  bool ForEachRecordChunk(int64_t start, int64_t count, F&& f);
  // The index of the value field at (at, size) among the channels' fields, or -1.
  int ValueField(int64_t at, int size);
  // Whether field `field` of the range comes from the columns, which are made when this is the
  // second field of the same range asked for; a read failure sets *failed.
  bool UseColumns(int64_t start, int64_t count, int field, bool* failed);
  uint16_t L16(const uint8_t* p) const { return vt::Load16(p, m_be); }
  uint32_t L32(const uint8_t* p) const { return vt::Load32(p, m_be); }
  uint64_t L64(const uint8_t* p) const { return vt::Load64(p, m_be); }

  vt::ReadOnlyFile m_file;
  RecordRangeCache m_cache;                    // the records read last
  RecordColumns m_columns;                     // every field of a range, once a second channel of it is read
  std::vector<RecordColumns::Field> m_fields;  // the channels' value fields, made on first use
  std::vector<uint8_t> m_piece;                // the records ReadColumns decodes from
  bool m_fieldsMade = false;
  int64_t m_askedStart = -1, m_askedCount = -1;  // the range of the last field read
  int m_askedField = -1;
  int64_t m_timesStart = -1;  // the times of the range read last, when kept
  std::vector<int32_t> m_timesSeconds;
  std::vector<int32_t> m_timesMilliseconds;
  uint64_t m_fileSize = 0;
  uint64_t m_pos = 0;  // where the next block starts
  QRAHeader m_header;
  bool m_be = false;
  std::vector<QRAChannelEntry> m_channels;
  std::array<int16_t, 500> m_channelIndex;
  int m_rangeCounts[3] = {0, 0, 0};
  std::vector<QRAGroupEntry> m_groups;
  uint32_t m_groupBlockWord = 0;
  uint64_t m_allGroupsMask = 0;
  std::vector<QRAMessageEntry> m_messages;
  QRABatchBlock m_batch;
  std::vector<QRAListEntry> m_tagNames;
  std::vector<QRAListEntry> m_tagNos;
  int m_tagNamesState = vt::QRA_ABSENT;
  int m_tagNosState = vt::QRA_ABSENT;
  std::vector<std::string> m_strings;
  bool m_hasBatchTable = false;
  std::vector<QRABatchText> m_batchTable;
  bool m_hasTaggedValues = false;
  std::array<uint32_t, 8> m_taggedValues{};
  QRADataInfo m_dataInfo;
  uint64_t m_dataInfoAt = 0;
  bool m_hasAlarmTable = false;
  std::vector<QRAAlarmEntry> m_alarms;
  // Per channel index its own entries; the entries for all channels are kept once, beside them.
  std::vector<std::vector<AlarmNode>> m_alarmLists;
  std::vector<AlarmNode> m_allChannelAlarms;
  bool m_anyAlarmNode = false;
  uint32_t m_recordSize = 0;
  uint64_t m_firstRecordAt = 0;
  int m_lastError = 0;
};
