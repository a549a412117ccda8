// Generator of newer-format recorder files (.DAE event data, .DAD display data) for tests,
// fuzzing and benchmarks. A small model is serialised field by field in either byte order; the
// model is the oracle the readers are compared with. The written file remembers where every
// block and checksum lies, so that tests can change one field and then recompute the checksums
// (a structural fault) or break one (a checksum fault).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace recgen {

// A time value: the seconds form {seconds since 1970, unit, value} (milliseconds are value x 1000
// when unit is 1, else value), or, in files of time format 0, the eight calendar bytes.
struct NewerTime {
  int32_t seconds = 0;
  uint16_t unit = 0;
  uint16_t value = 0;
  std::array<uint8_t, 8> calendar{};
  static NewerTime At(int32_t seconds, int milliseconds) {
    NewerTime t;
    t.seconds = seconds;
    t.value = uint16_t(milliseconds);
    return t;
  }
};

struct NewerChannel {
  uint32_t flags = 0x2;  // low byte: value size; 0x400 logarithmic; 0x104 / 0x108 other kinds
  int16_t number = 1;
  int16_t loggingNo = 0;
  std::string tag;
  std::string unit;
  int16_t word40 = 0;
  int32_t valueOffset = -1;  // -1: packed after the previous channel
  int16_t decimals = 0;
  int32_t logMantissaLow = 0, logMantissaHigh = 0;
  int32_t spanLow = 0, spanHigh = 1000;  // value x 10^decimals, or exponents on a log scale
  int16_t rawLow = 0, rawHigh = 1000;
  uint32_t colour = 0;
  int16_t display = 1;
  int ValueSize() const { return int(flags & 0xFF); }
};

struct NewerTripLine {
  uint16_t on = 0;
  int16_t raw = 0;
};

struct NewerGroup {
  int16_t number = 1;
  int16_t inUse = 1;
  std::string name;
  std::array<int16_t, 16> places;  // channel numbers, -1 for an empty place
  std::array<NewerTripLine, 4> trips{};
  NewerGroup() { places.fill(-1); }
};

struct NewerMessage {
  uint32_t serial = 0;
  uint32_t secondWord = 0;
  NewerTime inputTime;
  int64_t dataNo = 0;
  uint64_t groupMask = 0;  // bit j: written to the (j+1)-th group
  uint16_t word36 = 0;
  uint16_t number = 0;
  std::string text;
  std::string user;
};

struct NewerAlarm {
  int16_t channel = -1;  // channel number, -1 for all channels
  NewerTime time;
  int64_t dataNo = 0;
  uint16_t action = 1;     // 1 on, 2 off, 3 other
  uint16_t levelMask = 1;  // 1, 2, 4, 8 or 15
  int16_t type = 1;
  uint16_t lastWord = 0;
};

struct NewerBatchText {
  std::string title;
  std::string text;
};

struct NewerBatchComment {
  NewerTime time;
  std::string user;
  std::string text;
};

struct NewerBatch {
  uint16_t startUserCode = 0, stopUserCode = 0;
  std::string startUser, stopUser;
  uint16_t hasBatchInfo = 0;
  uint16_t lotDigits = 0;
  uint32_t lotNumber = 0;
  std::array<NewerBatchText, 8> texts;
  std::string batchNumber;
  std::array<NewerBatchComment, 3> comments;
  uint32_t length = 832;  // only a corrupted file says otherwise
};

// One sub-block of the tagged section, in the order written.
struct NewerTagged {
  enum Kind { StringTable, ChannelList, BatchTextTable, TaggedValues, Unknown };
  Kind kind = Unknown;
  uint32_t version = 0x01000000;
  // StringTable: strings of stringSize bytes.
  std::vector<std::string> strings;
  uint32_t stringSize = 16;
  // ChannelList: list kind (1 tag names, 2 tag numbers, others are skipped), entries of
  // entrySize bytes {range, number in range, text}.
  uint32_t listKind = 1;
  uint32_t entrySize = 24;
  struct Entry {
    uint32_t range = 0;
    uint32_t number = 0;
    std::string text;
  };
  std::vector<Entry> entries;
  // BatchTextTable: rows of {title, text} with the two column sizes.
  std::vector<NewerBatchText> rows;
  uint32_t titleSize = 24, textSize = 32;
  // TaggedValues: eight words.
  std::array<uint32_t, 8> words{};
  // Unknown: its type and the bytes after the 16-byte prefix (skipped by the reader).
  uint32_t type = 0x1000009;
  std::vector<uint8_t> body;
  int32_t lengthOverride = -1;  // corrupted files: the length word written instead
};

struct NewerRecord {
  NewerTime time;
  std::vector<int64_t> values;  // per channel one value (event) or minimum, maximum (display)
};

struct NewerFile {
  bool bigEndian = false;
  int dataKind = 1;  // 1 event, 2 display
  // Header.
  std::array<char, 4> magic{'M', 'R', 'C', 'D'};
  uint16_t zeroWord = 0;
  uint32_t formatWord = 0x03000001;
  uint32_t headerVersion = 0x02010100;
  uint32_t headerLength = 216;
  uint32_t guidData1 = 0x12345678;
  uint16_t guidData2 = 0x9ABC, guidData3 = 0xDEF0;
  std::array<uint8_t, 8> guidData4{1, 2, 3, 4, 5, 6, 7, 8};
  uint32_t word40 = 0x01020304;
  uint32_t modelWord = 0x00010021;
  uint16_t timeFormat = 1;
  uint16_t word54 = 54;
  uint32_t word56 = 56;
  uint32_t timeChangeCount = 0;
  uint16_t word66 = 66;
  uint16_t startFactor = 1, stopFactor = 2;
  std::string headerText;
  std::string serial;
  std::string text168;
  uint16_t word188 = 188;
  bool taggedSection = false;
  bool taggedEndMarker = true;  // a corrupted file may lack it
  std::vector<NewerTagged> tagged;
  // Block versions.
  uint32_t channelVersion = 0x01010000, groupVersion = 0x01000000, messageVersion = 0x01000100,
           batchVersion = 0x01000000, dataInfoVersion = 0x01000000, alarmVersion = 0x01000100,
           dataVersion = 0x01000000;
  std::vector<NewerChannel> channels;
  int32_t channelCountOverride = -1;  // corrupted files: the count word written instead
  std::vector<NewerGroup> groups;
  uint32_t groupBlockWord = 0x1616;
  int32_t groupCountOverride = -1;
  std::vector<NewerMessage> messages;
  NewerBatch batch;
  // Data information.
  uint16_t intervalUnit = 0;
  uint16_t intervalValue = 1000;  // milliseconds when the unit is not 1
  NewerTime firstTime;            // not interpreted by readers
  NewerTime lastTime;             // time of the last record
  int64_t startDataNo = 1;
  int64_t memStartDataNo = 1;
  int64_t triggerDataNo = 1;
  int64_t endDataNoOverride = -1;                     // -1: start + records - 1
  std::vector<std::array<uint16_t, 4>> channelItems;  // defaults to zeros, one per channel
  std::vector<NewerAlarm> alarms;
  std::vector<NewerRecord> records;
  int32_t recordSizeOverride = -1;
  int32_t recordCountOverride = -1;

  int IntervalMs() const { return intervalUnit == 1 ? intervalValue * 1000 : intervalValue; }
  int ValuesPerChannel() const { return dataKind == 2 ? 2 : 1; }
  int RecordSize() const;
  int ValueOffset(std::size_t channel) const;
};

// Where a checksummed part lies: the checksum is in its last two bytes.
struct CrcRegion {
  std::string name;
  std::size_t offset = 0;
  std::size_t length = 0;
  bool checked = true;  // false for a part that readers skip whole (a channel list of another kind)
};

struct WrittenNewerFile {
  std::vector<uint8_t> bytes;
  bool bigEndian = false;
  std::vector<CrcRegion> regions;  // header, blocks and tagged sub-blocks in file order
  std::size_t dataInfoAt = 0, alarmAt = 0, dataAt = 0, firstRecordAt = 0;

  const CrcRegion* Find(const std::string& name) const;
  std::size_t At(const std::string& name) const;  // offset of the named part
  void RecomputeCrcs();
  void BreakCrc(const std::string& name);  // flips one bit of the stored checksum
  // Stores the checksum high byte first; false when its two bytes are equal (proves nothing).
  bool StoreCrcHighByteFirst(const std::string& name);
  void Truncate(std::size_t size) { bytes.resize(size); }
  void Poke8(std::size_t at, uint8_t v) { bytes.at(at) = v; }
  void Poke16(std::size_t at, uint16_t v);  // in the file's byte order
  void Poke32(std::size_t at, uint32_t v);
};

WrittenNewerFile WriteNewerFile(const NewerFile& model);

// Records whose times run evenly up to model.lastTime, values from a simple pattern.
void FillNewerRecords(NewerFile& model, int recordCount);

// The sample model (SampleNewerFile) resized for large-file tests and benchmarks: channelCount
// channels (0 keeps the sample's four; otherwise 16-bit channels numbered through the ranges
// 1-48, 101-160, 201-440, at most 348), allChannelAlarms more alarms for all channels spread
// over the records, and records filled as FillNewerRecords does (the records stay out of the
// model when recordCount is large: WriteLargeNewerFile writes them).
NewerFile ResizedNewerFile(int dataKind, int channelCount, int64_t recordCount, int allChannelAlarms);

// Writes model with recordCount records in FillNewerRecords' pattern (the model's own records
// are not used) straight to a file, a piece at a time, so that memory stays small whatever the
// size. The bytes equal those of WriteNewerFile for a model filled with FillNewerRecords.
bool WriteLargeNewerFile(const NewerFile& model, int64_t recordCount, const std::string& path);

// A rich model: 16- and 32-bit channels over all three channel ranges, a logarithmic channel,
// reserved raw values, groups with trip lines and an empty place, messages, alarms of every
// level and action, batch texts and comments, and (when tagged) a tagged section with every
// sub-block type. dataKind 1 event, 2 display.
NewerFile SampleNewerFile(int dataKind, bool bigEndian, bool tagged = true);

// Records at 10:00:00, :01, :02 and then 09:00:03, :04 with an interval of 1 s, and a header
// time-change count of 1.
NewerFile TimeChangeNewerFile(bool bigEndian);

}  // namespace recgen
