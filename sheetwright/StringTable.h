// StringTable: the workbook's shared string table, growing in the string work file.
//
// The work file starts with the destination path (32-bit length, then the bytes); behind it
// every distinct text is one record, the first an SST record (with two counts that are set at
// close), every further one a CONTINUE record, so no text is ever split and a text's index is
// the number of distinct texts stored before it. Lookups go through an in-memory hash of the
// texts (hash -> index and file position, verified against the file), so writing n distinct
// texts does not cost time in proportion to n squared; the file's bytes are the same.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "sheetwright/WorkFile.h"

namespace sheetwright {

class StringTable {
 public:
  // Longest text, in UTF-16 units: the SST record of one text must stay within 8224 bytes.
  static constexpr std::size_t kMaxUnits = 4106;

  bool Open(const std::string& path) { return file_.Create(path, 16 * 1024); }
  // Writes the path header and flushes it.
  bool WriteHeader(std::string_view destination);

  // Counts one more string cell and gives the index of text, appending it when new. -1 when
  // the append failed; the file is then cut back and the table is exactly as before the call.
  int64_t IndexOf(std::u16string_view text);

  int32_t StringCellCount() const { return stringCells_; }
  int32_t DistinctCount() const { return distinct_; }
  // Bytes the table takes in the Workbook stream (an empty table is an SST record of 12 bytes).
  uint64_t StreamBytes() const;
  // Bytes a new text of n units adds to the stream at most.
  static uint64_t AppendBytes(std::size_t units) { return 4 + 8 + 3 + 2 * uint64_t(units); }

  // Sets the two counts of the SST record in the work file; the records then lie in the file
  // from RecordsOffset() to its end.
  bool FinishCounts();
  uint64_t RecordsOffset() const { return headerBytes_; }
  WorkFile& File() { return file_; }

 private:
  struct Entry {
    uint32_t index;
    uint64_t offset;  // of the text's unit count
  };
  bool StoredEquals(const Entry& entry, std::u16string_view text);

  WorkFile file_;
  uint64_t headerBytes_ = 0;
  int32_t stringCells_ = 0;
  int32_t distinct_ = 0;
  std::unordered_multimap<uint64_t, Entry> index_;
};

}  // namespace sheetwright
