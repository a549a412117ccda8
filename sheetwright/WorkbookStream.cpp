// WorkbookStream: the globals part, the sheet parts and their row blocks (see WorkbookStream.h).
#include "sheetwright/WorkbookStream.h"

#include <algorithm>
#include <cassert>

#include "platform/base/ByteOrder.h"

namespace sheetwright {

namespace {

constexpr uint16_t kRecordBof = 0x0809;
constexpr uint16_t kRecordEof = 0x000A;
constexpr uint16_t kRecordIndex = 0x020B;
constexpr uint16_t kRecordRow = 0x0208;
constexpr uint16_t kRecordDbCell = 0x00D7;
constexpr uint16_t kRecordBoundSheet = 0x0085;
constexpr std::size_t kRowRecordBytes = 20;

// The display formats, in the order the FORMAT records are written. The strings are 8-bit
// texts; the yen sign is written here in UTF-8 and stored as the single byte 0xA5.
struct FormatEntry {
  uint16_t index;
  const char* text;
};
constexpr FormatEntry kFormats[] = {
    {5, R"f("¥"#,##0;\-"¥"#,##0)f"},
    {6, R"f("¥"#,##0;[Red]\-"¥"#,##0)f"},
    {7, R"f("¥"#,##0.00;\-"¥"#,##0.00)f"},
    {8, R"f("¥"#,##0.00;[Red]\-"¥"#,##0.00)f"},
    {42, R"f(_-"¥"* #,##0_-;\-"¥"* #,##0_-;_-"¥"* "-"_-;_-@_-)f"},
    {41, R"f(_-* #,##0_-;\-* #,##0_-;_-* "-"_-;_-@_-)f"},
    {44, R"f(_-"¥"* #,##0.00_-;\-"¥"* #,##0.00_-;_-"¥"* "-"??_-;_-@_-)f"},
    {43, R"f(_-* #,##0.00_-;\-* #,##0.00_-;_-* "-"??_-;_-@_-)f"},
    {164, R"f("$"#,##0_);\("$"#,##0\))f"},
    {165, R"f("$"#,##0_);[Red]\("$"#,##0\))f"},
    {166, R"f("$"#,##0.00_);\("$"#,##0.00\))f"},
    {167, R"f("$"#,##0.00_);[Red]\("$"#,##0.00\))f"},
    {168, R"f(_("$"* #,##0_);_("$"* \(#,##0\);_("$"* "-"_);_(@_))f"},
    {169, R"f(_(* #,##0_);_(* \(#,##0\);_(* "-"_);_(@_))f"},
    {170, R"f(_("$"* #,##0.00_);_("$"* \(#,##0.00\);_("$"* "-"??_);_(@_))f"},
    {171, R"f(_(* #,##0.00_);_(* \(#,##0.00\);_(* "-"??_);_(@_))f"},
    {172, R"f(yyyy\/m\/d;@)f"},
    {173, R"f(m\/d\/yyyy;@)f"},
    {174, R"f(d\/m\/yyyy;@)f"},
    {175, R"f(d\.m\.yyyy;@)f"},
    {176, R"f(d\-m\-yyyy;@)f"},
    {177, R"f(h:mm:ss;@)f"},
    {189, R"f(0)f"},
    {178, R"f(0.0)f"},
    {190, R"f(0.00)f"},
    {179, R"f(0.000)f"},
    {180, R"f(0.0000)f"},
    {181, R"f(0.00000)f"},
    {182, R"f(0.000000)f"},
    {183, R"f(0.0000000)f"},
    {184, R"f(0.00000000)f"},
    {185, R"f(0.000000000)f"},
    {186, R"f(0.0000000000)f"},
    {188, R"f(General)f"},
    {191, R"f(@)f"},
    {192, R"f(0.E+00)f"},
    {193, R"f(0.0E+00)f"},
    {194, R"f(0.00E+00)f"},
    {195, R"f(0.000E+00)f"},
    {196, R"f(0.0000E+00)f"},
};

// The cell formats: font, format, type word, alignment, used-attribute flags.
struct XfEntry {
  uint16_t font;
  uint16_t format;
  uint16_t type;
  uint8_t alignment;
  uint8_t used;
};
constexpr uint16_t kStyleXf = 0xFFF5;
constexpr uint16_t kCellXf = 0x0001;
constexpr XfEntry kXfs[] = {
    {0, 0, kStyleXf, 0x20, 0x00},                                    // 0 Normal
    {1, 0, kStyleXf, 0x20, 0xF4},   {1, 0, kStyleXf, 0x20, 0xF4},    // 1-2
    {2, 0, kStyleXf, 0x20, 0xF4},   {2, 0, kStyleXf, 0x20, 0xF4},    // 3-4
    {0, 0, kStyleXf, 0x20, 0xF4},   {0, 0, kStyleXf, 0x20, 0xF4},    // 5-6
    {0, 0, kStyleXf, 0x20, 0xF4},   {0, 0, kStyleXf, 0x20, 0xF4},    // 7-8
    {0, 0, kStyleXf, 0x20, 0xF4},   {0, 0, kStyleXf, 0x20, 0xF4},    // 9-10
    {0, 0, kStyleXf, 0x20, 0xF4},   {0, 0, kStyleXf, 0x20, 0xF4},    // 11-12
    {0, 0, kStyleXf, 0x20, 0xF4},   {0, 0, kStyleXf, 0x20, 0xF4},    // 13-14
    {0, 0, kCellXf, 0x20, 0x00},                                     // 15 default
    {1, 171, kStyleXf, 0x20, 0xF8}, {1, 169, kStyleXf, 0x20, 0xF8},  // 16-17 comma
    {1, 170, kStyleXf, 0x20, 0xF8}, {1, 8, kStyleXf, 0x20, 0xF8},    // 18-19 currency
    {1, 9, kStyleXf, 0x20, 0xF8},                                    // 20 percent
    {0, 49, kCellXf, 0x20, 0x04},                                    // 21 text
    {0, 172, kCellXf, 0x21, 0x14},  {0, 173, kCellXf, 0x21, 0x14},   // 22-23 dates
    {0, 174, kCellXf, 0x21, 0x14},  {0, 175, kCellXf, 0x21, 0x14},   // 24-25
    {0, 176, kCellXf, 0x21, 0x14},                                   // 26
    {0, 177, kCellXf, 0x21, 0x14},                                   // 27 time
    {0, 189, kCellXf, 0x23, 0x04},                                   // 28 0 decimals
    {0, 178, kCellXf, 0x23, 0x04},  {0, 190, kCellXf, 0x23, 0x04},   // 29-30
    {0, 179, kCellXf, 0x23, 0x04},  {0, 180, kCellXf, 0x23, 0x04},   // 31-32
    {0, 181, kCellXf, 0x23, 0x04},  {0, 182, kCellXf, 0x23, 0x04},   // 33-34
    {0, 183, kCellXf, 0x23, 0x04},  {0, 184, kCellXf, 0x23, 0x04},   // 35-36
    {0, 185, kCellXf, 0x23, 0x04},  {0, 186, kCellXf, 0x23, 0x04},   // 37-38
    {0, 188, kCellXf, 0x23, 0x04},                                   // 39 general
    {0, 191, kCellXf, 0x21, 0x04},                                   // 40 strings
    {0, 192, kCellXf, 0x20, 0x04},  {0, 193, kCellXf, 0x20, 0x04},   // 41-42 exponent
    {0, 194, kCellXf, 0x20, 0x04},  {0, 195, kCellXf, 0x20, 0x04},   // 43-44
    {0, 196, kCellXf, 0x20, 0x04},                                   // 45
};
static_assert(sizeof kXfs / sizeof kXfs[0] == 46);
static_assert(sizeof kFormats / sizeof kFormats[0] == 40);

struct StyleEntry {
  uint16_t xf;
  uint8_t builtIn;
};
constexpr StyleEntry kStyles[] = {{0x8010, 3}, {0x8011, 6}, {0x8012, 4},
                                  {0x8013, 7}, {0x8000, 0}, {0x8014, 5}};

// The eight digits of the fixed user name in WRITEACCESS.
constexpr char kUserName[] = "00000000";

void Bof(RecordBuffer& out, uint16_t kind) {
  out.Begin(kRecordBof);
  out.U16(0x0600);
  out.U16(kind);
  out.U16(6560);
  out.U16(1997);
  out.U32(0x0000C0C9);
  out.U32(0x00000306);
  out.End();
}

void Font(RecordBuffer& out) {
  static constexpr char16_t kArial[] = u"Arial";
  out.Begin(0x0031);
  out.U16(200);     // height in twentieths of a point
  out.U16(0);       // flags
  out.U16(0x7FFF);  // automatic colour
  out.U16(400);     // weight
  out.U16(0);       // escapement
  out.U8(0);        // underline
  out.U8(0);        // family
  out.U8(0);        // character set
  out.U8(0);
  out.U8(5);
  out.U8(1);
  out.Utf16(kArial);
  out.End();
}

void Format(RecordBuffer& out, const FormatEntry& format) {
  std::string text;
  for (const char* p = format.text; *p; ++p) {
    if (uint8_t(p[0]) == 0xC2 && uint8_t(p[1]) == 0xA5) {
      text += char(0xA5);
      ++p;
    } else {
      text += *p;
    }
  }
  out.Begin(0x041E);
  out.U16(format.index);
  out.U16(uint16_t(text.size()));
  out.U8(0);
  out.Bytes(text.data(), text.size());
  out.End();
}

void Xf(RecordBuffer& out, const XfEntry& xf) {
  out.Begin(0x00E0);
  out.U16(xf.font);
  out.U16(xf.format);
  out.U16(xf.type);
  out.U8(xf.alignment);
  out.U8(0);  // rotation
  out.U8(0);  // indent
  out.U8(xf.used);
  out.U32(0);  // border lines
  out.U32(0);  // border colours
  out.U16(0x20C0);
  out.End();
}

// Reads a work file at close: through a mapping of the whole file where the system gives one,
// else through a window of its bytes, so that a block's records are read once while its rows
// are counted and copied from memory afterwards.
class CellReader {
 public:
  CellReader(WorkFile& file, uint64_t end) : file_(file), end_(end) {
    map_ = file.MapForReading();
    if (!map_) window_.resize(1 << 20);
  }
  ~CellReader() { file_.Unmap(); }
  CellReader(const CellReader&) = delete;
  CellReader& operator=(const CellReader&) = delete;

  // Pointer to n bytes at pos, or null past the end or on a failed read.
  const uint8_t* At(uint64_t pos, std::size_t n) {
    if (pos + n > end_) return nullptr;
    if (map_) return map_ + pos;
    assert(n <= window_.size());
    if (pos < start_ || pos + n > start_ + length_) {
      length_ = std::size_t(std::min<uint64_t>(window_.size(), end_ - pos));
      start_ = pos;
      if (!file_.ReadAt(pos, window_.data(), length_)) {
        length_ = 0;
        return nullptr;
      }
    }
    return window_.data() + (pos - start_);
  }
  bool CopyTo(WorkFile& out, uint64_t from, uint64_t to) {
    const uint64_t chunk = map_ ? (uint64_t(1) << 24) : window_.size();
    while (from < to) {
      std::size_t n = std::size_t(std::min<uint64_t>(chunk, to - from));
      const uint8_t* p = At(from, n);
      if (!p || !out.Write(p, n)) return false;
      from += n;
    }
    return true;
  }

 private:
  WorkFile& file_;
  uint64_t end_;
  const uint8_t* map_ = nullptr;
  std::vector<uint8_t> window_;
  uint64_t start_ = 0;
  std::size_t length_ = 0;
};

struct RowCells {
  uint16_t row;
  uint32_t bytes;
};

// Writes the row blocks of one sheet; dbCells receives each block's DBCELL position in the stream.
bool WriteRowBlocks(WorkFile& out, uint64_t streamStart, CellReader& in, uint64_t pos, uint64_t end,
                    uint16_t firstRow, uint16_t lastRow, std::vector<uint32_t>& dbCells) {
  uint32_t blocks = BlockCount(firstRow, lastRow);
  std::vector<RowCells> rows;
  RecordBuffer records;
  for (uint32_t k = 0; k < blocks; ++k) {
    uint32_t blockLast = uint32_t(firstRow) + 32 * k + 31;
    uint64_t blockStart = pos;
    uint16_t minColumn = 0xFFFF, maxColumn = 0;
    rows.clear();
    while (pos < end) {
      const uint8_t* h = in.At(pos, 8);
      if (!h) return false;
      uint16_t length = vt::LoadLe16(h + 2);
      uint16_t row = vt::LoadLe16(h + 4);
      uint16_t column = vt::LoadLe16(h + 6);
      if (length < 6) return false;  // not a cell record: the work file is damaged
      if (row > blockLast) break;
      if (rows.empty() || rows.back().row != row) rows.push_back({row, 0});
      rows.back().bytes += 4 + length;
      minColumn = std::min(minColumn, column);
      maxColumn = std::max(maxColumn, column);
      pos += 4 + length;
    }
    records.Clear();
    for (const RowCells& r : rows) {
      records.Begin(kRecordRow);
      records.U16(r.row);
      records.U16(minColumn);
      records.U16(uint16_t(maxColumn + 1));
      records.U16(264);
      records.U16(0);
      records.U16(0);
      records.U16(0x0100);
      records.U16(15);
      records.End();
    }
    if (!out.Write(records.Data(), records.Size())) return false;
    if (!in.CopyTo(out, blockStart, pos)) return false;
    dbCells.push_back(uint32_t(out.Size() - streamStart));
    records.Clear();
    records.Begin(kRecordDbCell);
    records.U32(uint32_t(kRowRecordBytes * rows.size() + (pos - blockStart)));
    if (!rows.empty()) {
      records.U16(uint16_t(kRowRecordBytes * (rows.size() - 1)));
      for (std::size_t i = 0; i + 1 < rows.size(); ++i) records.U16(uint16_t(rows[i].bytes));
    }
    records.End();
    if (!out.Write(records.Data(), records.Size())) return false;
  }
  return pos == end;
}

}  // namespace

void BuildGlobalsHead(RecordBuffer& out, const std::vector<std::u16string>& names,
                      std::vector<std::size_t>* boundSheetFields) {
  Bof(out, 0x0005);
  out.Record16(0x00E1, 0x04B0);  // INTERFACEHDR
  out.Record16(0x00C1, 0);       // MMS
  out.Empty(0x00E2);             // INTERFACEEND
  out.Begin(0x005C);             // WRITEACCESS
  out.U16(8);
  out.U8(0);
  out.Bytes(kUserName, 8);
  out.Fill(' ', 101);
  out.End();
  out.Record16(0x0042, 0x04B0);  // CODEPAGE: UTF-16
  out.Record16(0x0161, 0);       // DSF
  out.Empty(0x01C0);             // EXCEL9FILE
  out.Begin(0x013D);             // TABID
  for (std::size_t i = 0; i < names.size(); ++i) out.U16(uint16_t(i + 1));
  out.End();
  out.Record16(0x009C, 14);  // FNGROUPCOUNT
  out.Record16(0x0019, 0);   // WINDOWPROTECT
  out.Record16(0x0012, 0);   // PROTECT
  out.Record16(0x0013, 0);   // PASSWORD
  out.Record16(0x01AF, 0);   // PROT4REV
  out.Record16(0x01BC, 0);   // PROT4REVPASS
  out.Begin(0x003D);         // WINDOW1
  out.U16(120);
  out.U16(120);
  out.U16(15132);
  out.U16(9300);
  out.U16(0x0038);
  out.U16(0);
  out.U16(0);
  out.U16(1);
  out.U16(600);
  out.End();
  out.Record16(0x0040, 0);  // BACKUP
  out.Record16(0x008D, 0);  // HIDEOBJ
  out.Record16(0x0022, 1);  // DATEMODE: 1904 date system
  out.Record16(0x000E, 1);  // PRECISION
  out.Record16(0x01B7, 0);  // REFRESHALL
  out.Record16(0x00DA, 0);  // BOOKBOOL
  for (int i = 0; i < 4; ++i) Font(out);
  for (const FormatEntry& f : kFormats) Format(out, f);
  for (const XfEntry& xf : kXfs) Xf(out, xf);
  for (const StyleEntry& s : kStyles) {
    out.Begin(0x0293);
    out.U16(s.xf);
    out.U8(s.builtIn);
    out.U8(0xFF);
    out.End();
  }
  out.Record16(0x0160, 1);  // USESELFS
  for (const std::u16string& name : names) {
    out.Begin(kRecordBoundSheet);
    if (boundSheetFields) boundSheetFields->push_back(out.Size());
    out.U32(0);  // position of the sheet's BOF, patched when known
    out.U8(0);   // visible
    out.U8(0);   // worksheet
    out.U8(uint8_t(name.size()));
    out.U8(1);
    out.Utf16(name);
    out.End();
  }
  out.Begin(0x008C);  // COUNTRY
  out.U16(1);
  out.U16(81);
  out.End();
  out.Begin(0x01C1);  // RECALCID
  out.U16(0x01C1);
  out.U16(0);
  out.U32(80000);
  out.End();
}

void BuildGlobalsTail(RecordBuffer& out) {
  out.Record16(0x00FF, 8);  // EXTSST without bucket entries
  static constexpr uint8_t kBookExt[21] = {0x63, 0x08, 0, 0, 0, 0, 0, 0, 0, 0,   0,
                                           0,    0x15, 0, 0, 0, 0, 0, 0, 0, 0x4E};
  out.Begin(0x0863);
  out.Bytes(kBookExt, sizeof kBookExt);
  out.End();
  out.Empty(kRecordEof);
}

void BuildSheetHead(RecordBuffer& out, bool hasCells, uint16_t firstRow, uint16_t lastRow, uint32_t blocks) {
  Bof(out, 0x0010);
  if (hasCells) {
    out.Begin(kRecordIndex);
    out.U32(0);
    out.U32(firstRow);
    out.U32(uint32_t(lastRow) + 1);
    out.U32(0);
    out.Fill(0, 4 * std::size_t(blocks));  // DBCELL positions, patched when known
    out.End();
  }
  out.Record16(0x000D, 1);    // CALCMODE
  out.Record16(0x000C, 100);  // CALCCOUNT
  out.Record16(0x000F, 1);    // REFMODE
  out.Record16(0x0011, 0);    // ITERATION
  out.Begin(0x0010);          // DELTA
  out.F64(0.001);
  out.End();
  out.Record16(0x005F, 1);  // SAVERECALC
  out.Record16(0x002A, 0);  // PRINTHEADERS
  out.Record16(0x002B, 0);  // PRINTGRIDLINES
  out.Record16(0x0082, 1);  // GRIDSET
  out.Begin(0x0080);        // GUTS
  out.Fill(0, 8);
  out.End();
  out.Begin(0x0225);  // DEFAULTROWHEIGHT
  out.U16(0);
  out.U16(264);
  out.End();
  out.Record16(0x0081, 0x04C1);  // WSBOOL
  out.Empty(0x0014);             // HEADER
  out.Empty(0x0015);             // FOOTER
  out.Record16(0x0083, 0);       // HCENTER
  out.Record16(0x0084, 0);       // VCENTER
  out.Begin(0x00A1);             // SETUP
  out.U16(0);
  out.U16(264);
  out.U16(1);
  out.U16(1);
  out.U16(1);
  out.U16(0x0004);
  out.U16(0);
  out.U16(0);
  out.F64(0.5);
  out.F64(0.5);
  out.U16(0);
  out.End();
  out.Record16(0x0055, 24);  // DEFCOLWIDTH
  out.Begin(0x0200);         // DIMENSIONS
  if (hasCells) {
    out.U32(firstRow);
    out.U32(uint32_t(lastRow) + 1);
    out.U16(0);
    out.U16(256);
  } else {
    out.U32(0);
    out.U32(1);
    out.U16(0);
    out.U16(1);
  }
  out.U16(0);
  out.End();
}

void BuildSheetTail(RecordBuffer& out, bool firstSheet) {
  out.Begin(0x023E);  // WINDOW2: the first sheet is the selected and active one
  out.U16(firstSheet ? 0x06B6 : 0x00B6);
  out.U16(0);
  out.U16(0);
  out.U32(64);
  out.U16(0);
  out.U16(0);
  out.U32(0);
  out.End();
  out.Begin(0x001D);  // SELECTION
  out.U8(3);
  out.U16(0);
  out.U16(0);
  out.U16(0);
  out.U16(1);
  out.U16(0);
  out.U16(0);
  out.U8(0);
  out.U8(0);
  out.End();
  static constexpr uint8_t kPhonetic[6] = {0, 0, 0x37, 0, 0, 0};
  out.Begin(0x00EF);
  out.Bytes(kPhonetic, sizeof kPhonetic);
  out.End();
  out.Empty(kRecordEof);
}

uint64_t SheetPartBytes(bool hasCells, uint32_t blocks, uint64_t rows, uint64_t cellBytes) {
  static const uint64_t kFixed = [] {
    RecordBuffer b;
    BuildSheetHead(b, false, 0, 0, 0);
    BuildSheetTail(b, false);
    return uint64_t(b.Size());
  }();
  if (!hasCells) return kFixed;
  return kFixed + kIndexHeadBytes + kBlockOverheadBytes * blocks + kRowOverheadBytes * rows + cellBytes;
}

uint64_t GlobalsPartBytes(const std::vector<std::u16string>& names, uint64_t stringTableBytes) {
  RecordBuffer b;
  BuildGlobalsHead(b, names, nullptr);
  BuildGlobalsTail(b);
  return b.Size() + stringTableBytes;
}

bool WriteWorkbookStream(WorkFile& out, StringTable& strings, std::vector<SheetSource>& sheets,
                         StreamResult& result) {
  const uint64_t streamStart = out.Size();
  result = StreamResult();

  // Globals: the head with its BOUNDSHEET records, the string table, the tail.
  std::vector<std::u16string> names;
  for (const SheetSource& s : sheets) names.push_back(s.name);
  RecordBuffer part;
  std::vector<std::size_t> boundSheetFields;
  BuildGlobalsHead(part, names, &boundSheetFields);
  if (!out.Write(part.Data(), part.Size())) return false;
  if (strings.DistinctCount() == 0) {
    part.Clear();
    part.Begin(0x00FC);
    part.U32(0);
    part.U32(0);
    part.End();
    if (!out.Write(part.Data(), part.Size())) return false;
  } else {
    if (!strings.FinishCounts()) return false;
    WorkFile& file = strings.File();
    CellReader reader(file, file.Size());
    if (!reader.CopyTo(out, strings.RecordsOffset(), file.Size())) return false;
  }
  part.Clear();
  BuildGlobalsTail(part);
  if (!out.Write(part.Data(), part.Size())) return false;
  result.globalsBytes = out.Size() - streamStart;

  // One part per sheet.
  std::vector<uint32_t> dbCells;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    SheetSource& sheet = sheets[i];
    const uint64_t sheetStart = out.Size();
    WorkFile& cells = *sheet.cells;
    if (!cells.Flush()) return false;
    const uint64_t end = cells.Size();
    const bool hasCells = end > sheet.cellsOffset;
    CellReader reader(cells, end);
    uint16_t firstRow = 0;
    if (hasCells) {
      const uint8_t* h = reader.At(sheet.cellsOffset, 8);
      if (!h) return false;
      firstRow = vt::LoadLe16(h + 4);
      if (firstRow > sheet.lastRow) return false;
    }
    const uint32_t blocks = hasCells ? BlockCount(firstRow, sheet.lastRow) : 0;
    part.Clear();
    BuildSheetHead(part, hasCells, firstRow, sheet.lastRow, blocks);
    // The INDEX record follows the 20 bytes of BOF; its block entries start 16 bytes into its data.
    const uint64_t indexEntries = sheetStart + 20 + 4 + 16;
    if (!out.Write(part.Data(), part.Size())) return false;
    if (hasCells) {
      dbCells.clear();
      if (!WriteRowBlocks(out, streamStart, reader, sheet.cellsOffset, end, firstRow, sheet.lastRow, dbCells))
        return false;
      assert(dbCells.size() == blocks);
      std::vector<uint8_t> entries(4 * dbCells.size());
      for (std::size_t k = 0; k < dbCells.size(); ++k) vt::StoreLe32(entries.data() + 4 * k, dbCells[k]);
      if (!out.WriteAt(indexEntries, entries.data(), entries.size())) return false;
    }
    part.Clear();
    BuildSheetTail(part, i == 0);
    if (!out.Write(part.Data(), part.Size())) return false;
    result.sheetBytes.push_back(out.Size() - sheetStart);
  }
  result.totalBytes = out.Size() - streamStart;

  // Each BOUNDSHEET learns where its sheet begins.
  uint64_t position = result.globalsBytes;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    uint8_t field[4];
    vt::StoreLe32(field, uint32_t(position));
    if (!out.WriteAt(streamStart + boundSheetFields[i], field, 4)) return false;
    position += result.sheetBytes[i];
  }
  return true;
}

}  // namespace sheetwright
