// WorkbookStream: assembles the Workbook stream at close from the string table and the sheets'
// cell work files: the globals part (fixed records, fonts, formats, cell formats, styles, one
// BOUNDSHEET per sheet, the string table), then one worksheet part per sheet whose cells are cut
// into blocks of 32 rows, each with its ROW records and a DBCELL, listed by the sheet's INDEX.
//
// The parts are written sequentially behind whatever the output file already holds (the room for
// the compound-document header); positions inside the stream are counted from its first byte.
// The same layout rules give the stream's size in advance, which the writers use to refuse
// cells before a workbook outgrows what its 32-bit positions can address.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sheetwright/RecordBuffer.h"
#include "sheetwright/StringTable.h"
#include "sheetwright/WorkFile.h"

namespace sheetwright {

struct SheetSource {
  std::u16string name;
  WorkFile* cells = nullptr;  // the sheet's cell work file
  uint64_t cellsOffset = 0;   // where its first cell record lies (behind the name header)
  uint16_t lastRow = 0;       // 0-based row of the last cell written
};

struct StreamResult {
  uint64_t globalsBytes = 0;
  std::vector<uint64_t> sheetBytes;
  uint64_t totalBytes = 0;
};

// The globals part up to (not including) the string table. boundSheetFields receives, per
// sheet, the offset in out of its BOUNDSHEET position field.
void BuildGlobalsHead(RecordBuffer& out, const std::vector<std::u16string>& names,
                      std::vector<std::size_t>* boundSheetFields);
// The globals part behind the string table.
void BuildGlobalsTail(RecordBuffer& out);
// A sheet part up to and including DIMENSIONS; blocks = 0 for a sheet without cells.
void BuildSheetHead(RecordBuffer& out, bool hasCells, uint16_t firstRow, uint16_t lastRow, uint32_t blocks);
void BuildSheetTail(RecordBuffer& out, bool firstSheet);

// Bytes of a sheet part beside its cell records: per row with cells a ROW record (20) and its
// DBCELL entry (2); per block an INDEX entry (4) and a DBCELL record (8); and the INDEX record
// itself (20) when the sheet has cells.
constexpr uint64_t kRowOverheadBytes = 22;
constexpr uint64_t kBlockOverheadBytes = 12;
constexpr uint64_t kIndexHeadBytes = 20;

// Number of 32-row blocks of a sheet whose cells lie in rows first .. last.
inline uint32_t BlockCount(uint16_t firstRow, uint16_t lastRow) {
  return (uint32_t(lastRow) - firstRow + 1 + 31) / 32;
}
// Size of a sheet part from its counts (rows = rows that hold cells).
uint64_t SheetPartBytes(bool hasCells, uint32_t blocks, uint64_t rows, uint64_t cellBytes);
// Size of the globals part.
uint64_t GlobalsPartBytes(const std::vector<std::u16string>& names, uint64_t stringTableBytes);

// Writes the whole stream at the end of out. False on any failed read or write.
bool WriteWorkbookStream(WorkFile& out, StringTable& strings, std::vector<SheetSource>& sheets,
                         StreamResult& result);

}  // namespace sheetwright
