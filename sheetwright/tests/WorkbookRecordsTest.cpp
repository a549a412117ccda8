// Workbook records: the globals part, the string table, the sheet parts with their row blocks,
// INDEX and DBCELL, and the patched sheet positions, read back from finished workbooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SheetwrightTestSupport.h"
#include "sheetwright/Sheetwright.h"
#include "sheetwright/WorkFile.h"
#include "sheetwright/Workbook.h"
#include "sheetwright/WorkbookStream.h"

namespace sheetwright::test {
namespace {

class WorkbookRecordsTest : public SheetwrightTest {};

std::vector<uint16_t> Types(const std::vector<Record>& records) {
  std::vector<uint16_t> types;
  for (const Record& r : records) types.push_back(r.type);
  return types;
}

TEST_F(WorkbookRecordsTest, GlobalsPartInOrderWithFixedContents) {
  ExcelWorkbook* wb = excel_create_file(Path("g.xls").c_str());
  ASSERT_NE(wb, nullptr);
  ASSERT_EQ(excel_add_sheet(wb, "Data"), 0);
  ASSERT_EQ(excel_add_sheet(wb, "Zweite"), 1);
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("g.xls"));
  std::vector<Record> g = GlobalsRecords(stream);

  std::vector<uint16_t> expected = {0x0809, 0x00E1, 0x00C1, 0x00E2, 0x005C, 0x0042, 0x0161, 0x01C0,
                                    0x013D, 0x009C, 0x0019, 0x0012, 0x0013, 0x01AF, 0x01BC, 0x003D,
                                    0x0040, 0x008D, 0x0022, 0x000E, 0x01B7, 0x00DA};
  expected.insert(expected.end(), 4, 0x0031);
  expected.insert(expected.end(), 40, 0x041E);
  expected.insert(expected.end(), 46, 0x00E0);
  expected.insert(expected.end(), 6, 0x0293);
  for (uint16_t t : {0x0160, 0x0085, 0x0085, 0x008C, 0x01C1, 0x00FC, 0x00FF, 0x0863, 0x000A})
    expected.push_back(t);
  ASSERT_EQ(Types(g), expected);

  struct Fixed {
    std::size_t at;
    std::vector<uint8_t> data;
  };
  const Fixed fixed[] = {
      {0, Bytes({0x00, 0x06, 0x05, 0x00, 0xA0, 0x19, 0xCD, 0x07, 0xC9, 0xC0, 0, 0, 0x06, 0x03, 0, 0})},
      {1, Bytes({0xB0, 0x04})},
      {5, Bytes({0xB0, 0x04})},
      {8, Bytes({1, 0, 2, 0})},  // TABID
      {9, Bytes({14, 0})},
      {15, Bytes({120, 0, 120, 0, 0x1C, 0x3B, 0x54, 0x24, 0x38, 0, 0, 0, 0, 0, 1, 0, 0x58, 0x02})},
      {18, Bytes({1, 0})},  // DATEMODE: 1904
      {19, Bytes({1, 0})},
      {22, Bytes({0xC8, 0, 0, 0,   0xFF, 0x7F, 0x90, 0x01, 0, 0,   0, 0,   0,
                  0,    5, 1, 'A', 0,    'r',  0,    'i',  0, 'a', 0, 'l', 0})},
      {g.size() - 6, Bytes({1, 0, 81, 0})},
      {g.size() - 5, Bytes({0xC1, 0x01, 0, 0, 0x80, 0x38, 0x01, 0})},
      {g.size() - 4, Bytes({0, 0, 0, 0, 0, 0, 0, 0})},  // SST without texts
      {g.size() - 3, Bytes({8, 0})},
      {g.size() - 2, Bytes({0x63, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x15, 0, 0, 0, 0, 0, 0, 0, 0x4E})},
      {g.size() - 1, {}},
  };
  for (const Fixed& f : fixed) EXPECT_EQ(g[f.at].data, f.data) << "record " << f.at;

  // WRITEACCESS: eight digits as an 8-bit text, padded with blanks to 112 bytes.
  const std::vector<uint8_t>& wa = g[4].data;
  ASSERT_EQ(wa.size(), 112u);
  EXPECT_EQ(Le16(wa, 0), 8);
  EXPECT_EQ(wa[2], 0);
  for (int i = 3; i < 11; ++i) EXPECT_TRUE(wa[std::size_t(i)] >= '0' && wa[std::size_t(i)] <= '9');
  for (std::size_t i = 11; i < 112; ++i) EXPECT_EQ(wa[i], ' ');
}

TEST_F(WorkbookRecordsTest, FormatsCellFormatsAndStyles) {
  ExcelWorkbook* wb = excel_create_file(Path("f.xls").c_str());
  ASSERT_EQ(excel_add_sheet(wb, "S"), 0);
  excel_close_file(wb);
  std::vector<Record> g = GlobalsRecords(WorkbookStream(Path("f.xls")));

  std::vector<Record> formats = OfType(g, 0x041E);
  ASSERT_EQ(formats.size(), 40u);
  const uint16_t order[] = {5,   6,   7,   8,   42,  41,  44,  43,  164, 165, 166, 167, 168, 169,
                            170, 171, 172, 173, 174, 175, 176, 177, 189, 178, 190, 179, 180, 181,
                            182, 183, 184, 185, 186, 188, 191, 192, 193, 194, 195, 196};
  for (std::size_t i = 0; i < 40; ++i) EXPECT_EQ(Le16(formats[i].data, 0), order[i]) << i;
  auto text = [](const Record& r) {
    EXPECT_EQ(r.data[4], 0);  // 8-bit text
    EXPECT_EQ(Le16(r.data, 2), r.data.size() - 5);
    return std::string(r.data.begin() + 5, r.data.end());
  };
  EXPECT_EQ(text(formats[0]), "\"\xA5\"#,##0;\\-\"\xA5\"#,##0");
  EXPECT_EQ(text(formats[12]), "_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)");
  EXPECT_EQ(text(formats[16]), "yyyy\\/m\\/d;@");
  EXPECT_EQ(text(formats[21]), "h:mm:ss;@");
  EXPECT_EQ(text(formats[33]), "General");
  EXPECT_EQ(text(formats[39]), "0.0000E+00");

  std::vector<Record> xfs = OfType(g, 0x00E0);
  ASSERT_EQ(xfs.size(), 46u);
  struct XfCase {
    int xf;
    uint16_t font, format, type;
    uint8_t alignment, used;
  };
  const XfCase cases[] = {
      {0, 0, 0, 0xFFF5, 0x20, 0x00},    {1, 1, 0, 0xFFF5, 0x20, 0xF4},    {4, 2, 0, 0xFFF5, 0x20, 0xF4},
      {14, 0, 0, 0xFFF5, 0x20, 0xF4},   {15, 0, 0, 0x0001, 0x20, 0x00},   {16, 1, 171, 0xFFF5, 0x20, 0xF8},
      {19, 1, 8, 0xFFF5, 0x20, 0xF8},   {20, 1, 9, 0xFFF5, 0x20, 0xF8},   {21, 0, 49, 0x0001, 0x20, 0x04},
      {22, 0, 172, 0x0001, 0x21, 0x14}, {26, 0, 176, 0x0001, 0x21, 0x14}, {27, 0, 177, 0x0001, 0x21, 0x14},
      {28, 0, 189, 0x0001, 0x23, 0x04}, {30, 0, 190, 0x0001, 0x23, 0x04}, {38, 0, 186, 0x0001, 0x23, 0x04},
      {39, 0, 188, 0x0001, 0x23, 0x04}, {40, 0, 191, 0x0001, 0x21, 0x04}, {41, 0, 192, 0x0001, 0x20, 0x04},
      {45, 0, 196, 0x0001, 0x20, 0x04},
  };
  for (const XfCase& c : cases) {
    const std::vector<uint8_t>& d = xfs[std::size_t(c.xf)].data;
    EXPECT_EQ(d, Bytes({c.font & 0xFF,
                        c.font >> 8,
                        c.format & 0xFF,
                        c.format >> 8,
                        c.type & 0xFF,
                        c.type >> 8,
                        c.alignment,
                        0,
                        0,
                        c.used,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0xC0,
                        0x20}))
        << "XF " << c.xf;
  }

  std::vector<Record> styles = OfType(g, 0x0293);
  const std::vector<uint8_t> expectedStyles[] = {Bytes({0x10, 0x80, 3, 0xFF}), Bytes({0x11, 0x80, 6, 0xFF}),
                                                 Bytes({0x12, 0x80, 4, 0xFF}), Bytes({0x13, 0x80, 7, 0xFF}),
                                                 Bytes({0x00, 0x80, 0, 0xFF}), Bytes({0x14, 0x80, 5, 0xFF})};
  ASSERT_EQ(styles.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(styles[i].data, expectedStyles[i]) << i;
}

TEST_F(WorkbookRecordsTest, SharedTextsAreStoredOnceAndCounted) {
  ExcelWorkbook* wb = excel_create_file(Path("s.xls").c_str());
  ASSERT_EQ(excel_add_sheet(wb, "A"), 0);
  ASSERT_EQ(excel_add_sheet(wb, "B"), 1);
  std::string a600(600, 'a'), b600 = std::string(599, 'a') + "b";
  ASSERT_EQ(excel_input_string(wb, 0, 1, 1, "same"), 1);
  ASSERT_EQ(excel_input_string(wb, 0, 1, 2, a600.c_str()), 1);
  ASSERT_EQ(excel_input_string(wb, 0, 2, 1, "same"), 1);
  ASSERT_EQ(excel_input_string(wb, 1, 1, 1, b600.c_str()), 1);
  ASSERT_EQ(excel_input_string(wb, 1, 1, 2, "same"), 1);
  ASSERT_EQ(excel_input_string(wb, 1, 2, 2, a600.c_str()), 1);
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("s.xls"));
  std::vector<Record> g = GlobalsRecords(stream);

  std::vector<Record> sst = OfType(g, 0x00FC), more = OfType(g, 0x003C);
  ASSERT_EQ(sst.size(), 1u);
  ASSERT_EQ(more.size(), 2u);
  EXPECT_EQ(sst[0].data, Bytes({6, 0, 0, 0, 3, 0, 0, 0, 4, 0, 1, 's', 0, 'a', 0, 'm', 0, 'e', 0}));
  EXPECT_EQ(Le16(more[0].data, 0), 600);
  EXPECT_EQ(more[0].data[2], 1);
  EXPECT_EQ(more[0].data.size(), 3u + 1200);
  EXPECT_EQ(more[1].data[3 + 2 * 599], 'b');

  auto labels = [&](int sheet) {
    std::vector<uint32_t> indices;
    for (const Record& r : OfType(SheetRecords(stream, sheet), 0x00FD)) {
      EXPECT_EQ(Le16(r.data, 4), 40);
      indices.push_back(Le32(r.data, 6));
    }
    return indices;
  };
  EXPECT_EQ(labels(0), (std::vector<uint32_t>{0, 1, 0}));
  EXPECT_EQ(labels(1), (std::vector<uint32_t>{2, 0, 1}));
}

TEST_F(WorkbookRecordsTest, RowBlocksIndexAndDbCells) {
  ExcelWorkbook* wb = excel_create_file(Path("r.xls").c_str());
  ASSERT_EQ(excel_add_sheet(wb, "Rows"), 0);
  ASSERT_EQ(excel_add_sheet(wb, "Empty"), 1);
  // Row 1: two cells given right to left; row 100 (the fourth block): one NUMBER record.
  ASSERT_EQ(excel_input_value(wb, 0, 1, 5, 1.0, -1), 1);
  ASSERT_EQ(excel_input_string(wb, 0, 1, 2, "x"), 1);
  ASSERT_EQ(excel_input_value(wb, 0, 100, 3, 1234567.89, 2), 1);
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("r.xls"));
  std::vector<Record> s = SheetRecords(stream, 0);

  std::vector<uint16_t> types = Types(s);
  ASSERT_GE(types.size(), 4u);
  EXPECT_EQ(types[0], 0x0809);
  EXPECT_EQ(s[0].data[2], 0x10);
  ASSERT_EQ(types[1], 0x020B);
  const std::vector<uint8_t>& index = s[1].data;
  ASSERT_EQ(index.size(), 16u + 4 * 4);
  EXPECT_EQ(Le32(index, 0), 0u);
  EXPECT_EQ(Le32(index, 4), 0u);    // first row
  EXPECT_EQ(Le32(index, 8), 100u);  // last row + 1
  std::vector<uint16_t> tail(types.end() - 4, types.end());
  EXPECT_EQ(tail, (std::vector<uint16_t>{0x023E, 0x001D, 0x00EF, 0x000A}));

  // Blocks: ROW(0), two cells, DBCELL; two empty DBCELLs; ROW(99), one cell, DBCELL.
  std::size_t dims = 0;
  while (s[dims].type != 0x0200) ++dims;
  EXPECT_EQ(s[dims].data, Bytes({0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
  std::vector<uint16_t> blocks(types.begin() + std::ptrdiff_t(dims + 1), types.end() - 4);
  EXPECT_EQ(blocks,
            (std::vector<uint16_t>{0x0208, 0x027E, 0x00FD, 0x00D7, 0x00D7, 0x00D7, 0x0208, 0x0203, 0x00D7}));
  const Record& row0 = s[dims + 1];
  EXPECT_EQ(row0.data, Bytes({0, 0, 1, 0, 5, 0, 0x08, 0x01, 0, 0, 0, 0, 0, 0x01, 15, 0}));
  const Record& row99 = s[dims + 7];
  EXPECT_EQ(row99.data, Bytes({99, 0, 2, 0, 3, 0, 0x08, 0x01, 0, 0, 0, 0, 0, 0x01, 15, 0}));

  const std::size_t dbcells[] = {dims + 4, dims + 5, dims + 6, dims + 9};
  for (int k = 0; k < 4; ++k) {
    const Record& db = s[dbcells[k]];
    EXPECT_EQ(Le32(index, 16 + 4 * std::size_t(k)), db.position) << "block " << k;
  }
  EXPECT_EQ(s[dbcells[0]].data, Bytes({20 + 28, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s[dbcells[1]].data, Bytes({0, 0, 0, 0}));
  EXPECT_EQ(s[dbcells[2]].data, Bytes({0, 0, 0, 0}));
  EXPECT_EQ(s[dbcells[3]].data, Bytes({20 + 18, 0, 0, 0, 0, 0}));
  // The distance leads back to the block's first ROW record.
  EXPECT_EQ(s[dbcells[3]].position - Le32(s[dbcells[3]].data, 0), row99.position);

  // A sheet without cells: no INDEX, no blocks, DIMENSIONS 0, 1, 0, 1; not the selected sheet.
  std::vector<Record> e = SheetRecords(stream, 1);
  EXPECT_TRUE(OfType(e, 0x020B).empty());
  EXPECT_TRUE(OfType(e, 0x00D7).empty());
  EXPECT_EQ(OfType(e, 0x0200).at(0).data, Bytes({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Le16(OfType(e, 0x023E).at(0).data, 0), 0x00B6);
  EXPECT_EQ(Le16(OfType(s, 0x023E).at(0).data, 0), 0x06B6);
  EXPECT_EQ(OfType(e, 0x00A1).at(0).data,
            Bytes({0, 0, 0x08, 0x01, 1, 0,    1,    0, 1, 0, 4, 0, 0, 0,    0,    0, 0,
                   0, 0, 0,    0,    0, 0xE0, 0x3F, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F, 0, 0}));
  EXPECT_EQ(OfType(e, 0x001D).at(0).data, Bytes({3, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(WorkbookRecordsTest, DbCellListsTheBytesOfEachRow) {
  ExcelWorkbook* wb = excel_create_file(Path("d.xls").c_str());
  ASSERT_EQ(excel_add_sheet(wb, "D"), 0);
  // Rows 3, 4 and 6 (block of rows 3-34): 2, 1 and 3 cells of 14 or 18 bytes.
  ASSERT_EQ(excel_input_value(wb, 0, 3, 1, 1.5, 1), 1);
  ASSERT_EQ(excel_input_value(wb, 0, 3, 2, 0.123456789, 3), 1);
  ASSERT_EQ(excel_input_date(wb, 0, 4, 7, 2000, 1, 1, 0), 1);
  ASSERT_EQ(excel_input_value(wb, 0, 6, 1, 2.0, 0), 1);
  ASSERT_EQ(excel_input_value(wb, 0, 6, 2, 3.0, 0), 1);
  ASSERT_EQ(excel_input_string(wb, 0, 6, 3, "t"), 1);
  excel_close_file(wb);
  std::vector<Record> s = SheetRecords(WorkbookStream(Path("d.xls")), 0);
  std::vector<Record> rows = OfType(s, 0x0208), db = OfType(s, 0x00D7);
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_EQ(db.size(), 1u);
  for (const Record& r : rows) {
    EXPECT_EQ(Le16(r.data, 2), 0);  // the block's columns 0 .. 6
    EXPECT_EQ(Le16(r.data, 4), 7);
  }
  const uint32_t cellBytes = 14 + 18 + 14 + 3 * 14;
  EXPECT_EQ(db[0].data, Bytes({int(60 + cellBytes), 0, 0, 0, 40, 0, 32, 0, 14, 0}));
  EXPECT_EQ(db[0].position - Le32(db[0].data, 0), rows[0].position);
}

TEST_F(WorkbookRecordsTest, SheetPositionsAndProjectedSize) {
  Workbook workbook;
  ASSERT_EQ(workbook.Create(Path("p.xls"), TempFolder()), 0u);
  int index = -1;
  ASSERT_EQ(workbook.AddSheet(u"One", index), 0u);
  ASSERT_EQ(workbook.AddSheet(u"Two", index), 0u);
  ASSERT_EQ(workbook.AddSheet(u"Three", index), 0u);
  for (int row = 1; row <= 200; ++row) {
    ASSERT_EQ(workbook.WriteNumber(0, row, 1 + row % 7, row * 0.37, 2, false), 0u);
    if (row % 3 == 0) {
      ASSERT_EQ(workbook.WriteString(2, row + 40, 4, row % 2 ? u"odd" : u"even"), 0u);
    }
  }
  ASSERT_EQ(workbook.WriteDateTime(2, 500, 1, 2010, 5, 10, 14, 3, 0, 5), 0u);
  uint64_t projected = workbook.ProjectedStreamBytes();
  ASSERT_EQ(workbook.Close(), 0u);

  std::vector<uint8_t> stream = WorkbookStream(Path("p.xls"));
  EXPECT_EQ(stream.size(), projected);
  std::vector<Record> bound = OfType(GlobalsRecords(stream), 0x0085);
  ASSERT_EQ(bound.size(), 3u);
  EXPECT_EQ(Le32(bound[0].data, 0), GlobalsRecords(stream).back().position + 4);
  for (int i = 0; i < 3; ++i) {
    std::vector<Record> sheet = SheetRecords(stream, i);
    ASSERT_FALSE(sheet.empty());
    EXPECT_EQ(sheet.front().type, 0x0809);
    if (i < 2) {
      EXPECT_EQ(Le32(bound[std::size_t(i) + 1].data, 0), sheet.back().position + 4);
    }
  }
  EXPECT_EQ(std::vector<uint8_t>(bound[2].data.begin() + 4, bound[2].data.end()),
            Bytes({0, 0, 5, 1, 'T', 0, 'h', 0, 'r', 0, 'e', 0, 'e', 0}));
}

TEST_F(WorkbookRecordsTest, SameBytesWhetherWorkFilesAreMappedOrRead) {
  auto write = [&](const std::string& name) {
    ExcelWorkbook* wb = excel_create_file(Path(name).c_str());
    ASSERT_NE(wb, nullptr);
    ASSERT_EQ(excel_add_sheet(wb, "M"), 0);
    ASSERT_EQ(excel_add_sheet(wb, "N"), 1);
    // More than one read window of cells (1 MiB), and texts in the string table.
    for (int row = 1; row <= 9000; ++row) {
      for (int column = 1; column <= 10; ++column)
        ASSERT_EQ(excel_input_value(wb, 0, row, column, row * 0.001 * column, 3), 1);
      ASSERT_EQ(excel_input_string(wb, 1, row, 1, ("t" + std::to_string(row % 700)).c_str()), 1);
    }
    excel_close_file(wb);
  };
  write("mapped.xls");
  WorkFile::SetMappingAllowedForTesting(false);
  write("read.xls");
  WorkFile::SetMappingAllowedForTesting(true);
  std::string mapped = ReadFile(Path("mapped.xls")), read = ReadFile(Path("read.xls"));
  EXPECT_GT(mapped.size(), 1u << 20);
  EXPECT_TRUE(mapped == read);
}

}  // namespace
}  // namespace sheetwright::test
