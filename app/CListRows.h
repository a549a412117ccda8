// CListRows: the rows of the last catalogue query, kept compact.
//
// A list of 100,000 rows must not cost a fixed record of every text field per row: a row holds
// its numbers and, per text field its list kind fills (eight at most), the offset of the text in
// a pool of 64 KiB blocks. A text equal to the same field of the row before is stored once (the
// rows of one batch repeat instrument, type, batch name and GUID). Rows live in chunks, so a fill
// never moves what it stored. The whole store is cleared at each query; a renamed row gets its new
// text appended to the pool.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The text fields of a row, and how many bytes each may hold with its terminator.
enum LIST_TEXT_FIELD : int {
  TEXT_TAG_NAME,
  TEXT_TAG_NO,
  TEXT_CHANNEL_NAME,
  TEXT_INSTRUMENT_NAME,
  TEXT_RECORDER_TYPE,
  TEXT_BATCH_NAME,
  TEXT_FILE_NAME,
  TEXT_MESSAGE_TEXT,
  TEXT_USER_NAME,
  TEXT_WRITE_GROUP_TEXT,
  TEXT_GROUP_NAME,
  TEXT_BATCH_GUID,
  TEXT_SERIAL_NO,
  TEXT_FILE_PATH,
  TEXT_GRAPH_NAME,
  TEXT_CONDITION_NAME,
  TEXT_FIELD_COUNT
};

}  // namespace vt
int TextFieldCapacity(int field);

// One row. Which list kinds fill which member is the list document's business (CListDoc.cpp).
struct SListItem {
  static constexpr int kTextSlots = 8;
  int64_t time1 = 0, time2 = 0;  // start and stop, or the one time of the list kind
  int64_t id = 0;                // file_id or message_id
  int32_t channelNo = 0, channelInterval = 0;
  int16_t loggingNo = 0, dataKind = 0, powerFailure = 0, alarmAction = 0, alarmType = 0, alarmLevel = 0,
          groupNo = 0;
  std::array<uint32_t, kTextSlots> text{};  // pool offsets; 0 is the empty text
};

namespace vt {

class CListRows {
 public:
  CListRows();
  CListRows(const CListRows&) = delete;
  CListRows& operator=(const CListRows&) = delete;

  void Clear();
  int Count() const { return count_; }
  // A new row, cleared; rows stay where they are until Clear.
  SListItem& Append();
  SListItem& Row(int index);
  const SListItem& Row(int index) const;

  // Stores text for a slot of row index, cut to capacity - 1 bytes (at a character boundary),
  // shared with the same slot of the row before when equal.
  void SetText(int index, int slot, std::string_view text, int capacity);
  std::string_view Text(const SListItem& row, int slot) const;

  // Bytes held by the rows and the pool (allocated, not only used).
  size_t MemoryBytes() const;

 private:
  static constexpr int kChunkRows = 4096;
  static constexpr uint32_t kBlockBytes = 64 * 1024;

  uint32_t AddText(std::string_view text);

  std::vector<std::unique_ptr<SListItem[]>> chunks_;
  int count_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  uint32_t used_ = 0;  // bytes used in the last block
};

}  // namespace vt
