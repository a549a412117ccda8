// Workbook: checks, cell writes and the close of one workbook (see Workbook.h).
#include "sheetwright/Workbook.h"

#include <atomic>
#include <cassert>
#include <cmath>

#include "platform/base/ByteOrder.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "platform/base/Paths.h"
#include "sheetwright/CellRecords.h"
#include "sheetwright/CompoundDocument.h"
#include "sheetwright/ResultCodes.h"
#include "sheetwright/WorkbookStream.h"

namespace sheetwright {

namespace {

std::atomic<uint64_t> g_streamLimit{Workbook::kStreamLimit};
std::atomic<uint64_t> g_fileLimit{Workbook::kFileLimit};

// Letter case as spreadsheet programs see it in sheet names: the Latin, Greek, Cyrillic and
// full-width letters fold to lower case.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
  if ((c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)) return char16_t(c + 32);
  if (c == 0x0178) return 0x00FF;
  if (c >= 0x0100 && c <= 0x017F && c != 0x0130 && c != 0x0131 && c != 0x0138 && c != 0x0149 && c != 0x017F) {
    // Latin Extended-A pairs upper/lower case as even/odd, except in the range 0x0139-0x0148
    // and 0x0179-0x017E, where the upper case letter has the odd code.
    bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
    if (oddUpper ? (c & 1) : !(c & 1)) return char16_t(c + 1);
    return c;
  }
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return char16_t(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return char16_t(c + 32);
  if (c >= 0x0400 && c <= 0x040F) return char16_t(c + 80);
  if (c >= 0xFF21 && c <= 0xFF3A) return char16_t(c + 32);
  return c;
}

bool SameSheetName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// The file name of path without its folder and extension.
std::string StemOf(const std::string& path) {
  std::string_view name = vt::FileNamePart(path);
  std::string_view ext = vt::ExtensionPart(name);
  return std::string(name.substr(0, name.size() - ext.size()));
}

}  // namespace

Workbook::Workbook() = default;

Workbook::~Workbook() { Discard(); }

void Workbook::SetStreamLimitForTesting(uint64_t limit) { g_streamLimit = limit; }

void Workbook::SetFileLimitForTesting(uint64_t limit) { g_fileLimit = limit; }

bool Workbook::WithinLimits(uint64_t streamBytes) {
  if (streamBytes > g_streamLimit.load(std::memory_order_relaxed)) return false;
  return ComputeLayout(streamBytes).FileBytes() <= g_fileLimit.load(std::memory_order_relaxed);
}

uint32_t Workbook::Create(const std::string& destination, const std::string& tempFolder) {
  destination_ = destination;
  tempFolder_ = tempFolder;
  std::string stem = StemOf(destination);
  if (!vt::CreateUniqueFolder(tempFolder, stem + "~~~~", workFolder_)) {
    workFolder_.clear();
    return kWorkFolderFailed;
  }
  if (!workbookFile_.Create(vt::JoinPath(workFolder_, stem + ".xls"), 1 << 20)) return kWorkbookFileFailed;
  if (!strings_.Open(vt::JoinPath(workFolder_, "~sst_record.tmp"))) return kStringFileFailed;
  if (!strings_.WriteHeader(destination)) return kStringHeaderFailed;
  UpdateGlobalsBytes();
  return kOk;
}

void Workbook::UpdateGlobalsBytes() {
  std::vector<std::u16string> names;
  for (const Sheet& s : sheets_) names.push_back(s.name);
  globalsBytes_ = GlobalsPartBytes(names, 0);
}

uint64_t Workbook::ProjectedStreamBytes() const {
  return globalsBytes_ + strings_.StreamBytes() + sheetsBytes_;
}

uint32_t Workbook::AddSheet(const std::u16string& name, int& index) {
  index = -1;
  if (!vt::FolderExists(tempFolder_)) return kTempFolderMissing;
  if (sheets_.size() >= std::size_t(kMaxSheets)) return kTooManySheets;
  if (name.empty() || name.size() > kMaxSheetNameUnits) return kBadSheetName;
  for (const Sheet& s : sheets_)
    if (SameSheetName(s.name, name)) return kBadSheetName;

  Sheet sheet;
  sheet.name = name;
  sheet.cells = std::make_unique<WorkFile>();
  std::string file = vt::FormatC("~cell_record.%02d.tmp", int(sheets_.size()));
  if (!sheet.cells->Create(vt::JoinPath(workFolder_, file))) return kCellFileFailed;
  uint8_t header[4 + 2 * kMaxSheetNameUnits];
  vt::StoreLe32(header, uint32_t(name.size()));
  for (std::size_t i = 0; i < name.size(); ++i) vt::StoreLe16(header + 4 + 2 * i, uint16_t(name[i]));
  if (!sheet.cells->Write(header, 4 + 2 * name.size()) || !sheet.cells->Flush()) {
    // The new cell work file is deleted along with the others.
    sheets_.push_back(std::move(sheet));
    return kCellHeaderFailed;
  }
  sheet.cellsOffset = sheet.cells->Size();
  sheet.partBytes = SheetPartBytes(false, 0, 0, 0);
  sheetsBytes_ += sheet.partBytes;
  sheets_.push_back(std::move(sheet));
  UpdateGlobalsBytes();
  index = int(sheets_.size() - 1);
  return kOk;
}

bool Workbook::PositionOk(int sheet, int row, int column) const {
  if (sheet < 0 || std::size_t(sheet) >= sheets_.size()) return false;
  if (row < 1 || row > 65536 || column < 1 || column > 256) return false;
  return row - 1 >= int(sheets_[std::size_t(sheet)].lastRow);
}

uint64_t Workbook::GrowthWith(const Sheet& sheet, uint16_t row, uint64_t cellBytes) {
  // What one more cell adds to the sheet's part: its record, a ROW record and a DBCELL entry
  // for a new row, an INDEX entry and a DBCELL for each new block, the INDEX for the first cell.
  uint64_t growth = cellBytes;
  if (!sheet.hasCells) return growth + kRowOverheadBytes + kIndexHeadBytes + kBlockOverheadBytes;
  if (row != sheet.lastRow) growth += kRowOverheadBytes;
  uint32_t blocks = BlockCount(sheet.firstRow, row) - BlockCount(sheet.firstRow, sheet.lastRow);
  return growth + kBlockOverheadBytes * blocks;
}

bool Workbook::Fits(const Sheet& sheet, uint16_t row, uint64_t cellBytes, uint64_t stringBytes) const {
  return WithinLimits(ProjectedStreamBytes() + GrowthWith(sheet, row, cellBytes) + stringBytes);
}

bool Workbook::AppendCell(Sheet& sheet, uint16_t row, const uint8_t* record, std::size_t size) {
  if (!sheet.cells->Write(record, size)) return false;
  uint64_t growth = GrowthWith(sheet, row, size);
  if (!sheet.hasCells || row != sheet.lastRow) ++sheet.rows;
  if (!sheet.hasCells) sheet.firstRow = row;
  sheet.hasCells = true;
  sheet.lastRow = row;
  sheet.cellBytes += size;
  sheet.partBytes += growth;
  sheetsBytes_ += growth;
  assert(sheet.partBytes ==
         SheetPartBytes(true, BlockCount(sheet.firstRow, sheet.lastRow), sheet.rows, sheet.cellBytes));
  return true;
}

uint32_t Workbook::WriteString(int sheet, int row, int column, const std::u16string& text) {
  if (!PositionOk(sheet, row, column)) return kBadStringCell;
  if (text.empty() || text.size() > StringTable::kMaxUnits) return kBadStringCell;
  Sheet& s = sheets_[std::size_t(sheet)];
  const uint16_t r = uint16_t(row - 1);
  if (!Fits(s, r, kStringCellBytes, StringTable::AppendBytes(text.size()))) return kBadStringCell;
  int64_t index = strings_.IndexOf(text);
  if (index < 0) return kBadStringCell;
  uint8_t record[kMaxCellBytes];
  std::size_t size = EncodeStringCell(record, r, uint16_t(column - 1), uint32_t(index));
  return AppendCell(s, r, record, size) ? kOk : kStringCellWriteFailed;
}

uint32_t Workbook::WriteNumberRecord(int sheet, int row, int column, double value, uint16_t xf,
                                     uint32_t badCode) {
  Sheet& s = sheets_[std::size_t(sheet)];
  const uint16_t r = uint16_t(row - 1);
  if (!Fits(s, r, kMaxCellBytes, 0)) return badCode;
  uint8_t record[kMaxCellBytes];
  std::size_t size = EncodeNumberCell(record, r, uint16_t(column - 1), xf, value);
  return AppendCell(s, r, record, size) ? kOk : kNumberCellWriteFailed;
}

uint32_t Workbook::WriteNumber(int sheet, int row, int column, double value, int decimals, bool exponent) {
  if (!PositionOk(sheet, row, column)) return kBadNumberCell;
  if (exponent ? (decimals < 0 || decimals > 4) : (decimals < -1 || decimals > 10)) return kBadNumberCell;
  // Infinities and NaN have no form in a cell; taken as RK values they would turn into others.
  if (!std::isfinite(value)) return kBadNumberCell;
  uint16_t xf = exponent ? XfForExponent(decimals) : XfForDecimals(decimals);
  return WriteNumberRecord(sheet, row, column, value, xf, kBadNumberCell);
}

uint32_t Workbook::WriteDate(int sheet, int row, int column, int year, int month, int day, int format) {
  if (!PositionOk(sheet, row, column) || !IsValidDate(year, month, day) || format < 0 || format > 4)
    return kBadDate;
  Sheet& s = sheets_[std::size_t(sheet)];
  const uint16_t r = uint16_t(row - 1);
  if (!Fits(s, r, kRkCellBytes, 0)) return kBadDate;
  uint8_t record[kMaxCellBytes];
  std::size_t size =
      EncodeDateCell(record, r, uint16_t(column - 1), XfForDateFormat(format), DateSerial(year, month, day));
  return AppendCell(s, r, record, size) ? kOk : kNumberCellWriteFailed;
}

uint32_t Workbook::WriteTime(int sheet, int row, int column, int hour, int minute, int second, int reserved) {
  if (!PositionOk(sheet, row, column) || !IsValidTime(hour, minute, second) || reserved != 0) return kBadTime;
  return WriteNumberRecord(sheet, row, column, DayFraction(hour, minute, second), kXfTime, kBadTime);
}

uint32_t Workbook::WriteDateTime(int sheet, int row, int column, int year, int month, int day, int hour,
                                 int minute, int second, int format) {
  if (!PositionOk(sheet, row, column) || !IsValidDate(year, month, day)) return kBadDate;
  if (!IsValidTime(hour, minute, second)) return kBadTime;
  if (format < 0 || format > 5) return kBadDate;
  double value = double(DateSerial(year, month, day)) + DayFraction(hour, minute, second);
  return WriteNumberRecord(sheet, row, column, value, XfForDateFormat(format), kBadDate);
}

uint32_t Workbook::Close() {
  if (sheets_.empty()) return kNoSheets;
  if (!strings_.File().Flush()) return kAssemblyFailed;
  for (Sheet& s : sheets_)
    if (!s.cells->Flush()) return kAssemblyFailed;

  std::vector<SheetSource> sources;
  for (Sheet& s : sheets_) sources.push_back(SheetSource{s.name, s.cells.get(), s.cellsOffset, s.lastRow});
  uint8_t reserved[512] = {};
  if (!workbookFile_.Write(reserved, sizeof reserved)) return kAssemblyFailed;
  StreamResult stream;
  if (!WriteWorkbookStream(workbookFile_, strings_, sources, stream)) return kAssemblyFailed;
  assert(stream.totalBytes == ProjectedStreamBytes());
  if (!WriteCompoundDocument(workbookFile_, stream.totalBytes)) return kAssemblyFailed;
  if (!workbookFile_.Close()) return kAssemblyFailed;

  // The finished file replaces whatever lies at the destination. A failed move loses the
  // workbook; the caller sees the destination missing.
  if (vt::PathExists(destination_)) vt::DeleteFile(destination_);
  if (!vt::MoveFile(workbookFile_.Path(), destination_)) return kAssemblyFailed;
  Discard();
  return kOk;
}

void Workbook::Discard() {
  workbookFile_.Discard();
  strings_.File().Discard();
  for (Sheet& s : sheets_)
    if (s.cells) s.cells->Discard();
  sheets_.clear();
  if (!workFolder_.empty()) vt::RemoveTree(workFolder_);
  workFolder_.clear();
}

}  // namespace sheetwright
