// Conversion tables: cells, band starts, the division into pieces, and the piece views checked
// against a plain map division on random tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>

#include "export/DataTable.h"

namespace {

using Dump = std::vector<std::tuple<int, int, MultiTypeDataEntry>>;

template <class T>
Dump DumpOf(const T& t) {
  Dump d;
  t.ForEachCell([&](int r, int c, const MultiTypeDataEntry& e) {
    d.emplace_back(r, c, e);
    return true;
  });
  return d;
}

TEST(DataTable, CellsKeepTheirKindsAndAreWalkedRowByRow) {
  DataTable t;
  EXPECT_EQ(t.GetLastRow(), 0);
  EXPECT_EQ(t.GetLastColumn(), 0);
  t.SetCellNumber(2, 0, 1.25, 2);
  t.SetCellText(0, 5, "x");
  t.SetCellLargeInteger(2, 1, int64_t(1) << 40);
  t.SetCellText(0, 5, "replaced");
  EXPECT_EQ(t.GetLastRow(), 2);
  EXPECT_EQ(t.GetLastColumn(), 5);
  EXPECT_EQ(t.CellCount(), 3u);
  const Dump d = DumpOf(t);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(std::get<2>(d[0]).text, "replaced");
  EXPECT_EQ(std::get<0>(d[1]), 2);
  EXPECT_EQ(std::get<1>(d[1]), 0);
  EXPECT_EQ(std::get<2>(d[1]).doubleValue, 1.25);
  EXPECT_EQ(std::get<2>(d[1]).decimals, 2);
  EXPECT_EQ(std::get<2>(d[2]).kind, MTD_LARGE_INTEGER);
  EXPECT_EQ(std::get<2>(d[2]).largeValue, int64_t(1) << 40);
}

// Columns of texts and numbers of one precision keep a compact form until another kind, another
// precision or a NaN arrives; whichever form a column is in, it must answer as a plain map does.
TEST(DataTable, MixedCellsMatchAPlainMap) {
  std::mt19937 random(11);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const double specials[] = {0.0,
                             -0.0,
                             1.5,
                             -2.25e300,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min()};
  for (int round = 0; round < 200; ++round) {
    DataTable t;
    std::map<TableKey, MultiTypeDataEntry> oracle;
    const int rows = pick(1, 60), columns = pick(1, 6);
    // Most rounds keep to texts and numbers of one precision, so that columns stay compact long.
    const int spread = pick(0, 2);
    if (pick(0, 1)) t.ReserveColumn(pick(0, columns), rows + 1);
    for (int k = pick(0, 300); k > 0; --k) {
      const int r = pick(0, rows), c = pick(0, columns);
      MultiTypeDataEntry e;
      const int what = pick(0, 9);
      if (what < 4) {
        e.kind = MTD_NUMBER;
        e.doubleValue = pick(0, 5) == 0 ? specials[pick(0, 7)] : pick(-1000, 1000) / 8.0;
        e.decimals = int16_t(spread == 0 ? 2 : pick(1, 2));
      } else if (what < 8) {
        e.kind = MTD_TEXT;
        e.text = "t" + std::to_string(pick(0, 5));
      } else if (spread == 2) {
        e.kind = pick(1, 3);
        e.intValue = pick(-5, 5);
      } else {
        continue;
      }
      t.SetCell(r, c, e);
      oracle[TableKey{c, r}] = e;
    }
    ASSERT_EQ(t.CellCount(), oracle.size()) << round;
    Dump want;
    int lastRow = 0, lastColumn = 0;
    for (const auto& [key, e] : oracle) {
      want.emplace_back(key.row, key.column, e);
      lastRow = std::max(lastRow, key.row);
      lastColumn = std::max(lastColumn, key.column);
    }
    EXPECT_EQ(t.GetLastRow(), lastRow) << round;
    EXPECT_EQ(t.GetLastColumn(), lastColumn) << round;
    const Dump got = DumpOf(t);
    ASSERT_EQ(got.size(), want.size()) << round;
    for (size_t i = 0; i < got.size(); ++i) {
      const auto& [r, c, e] = got[i];
      const auto& [wr, wc, we] = want[i];
      ASSERT_EQ(r, wr) << round;
      ASSERT_EQ(c, wc) << round;
      // NaN is never equal to itself: compare the numbers by their meaning.
      if (we.kind == MTD_NUMBER && std::isnan(we.doubleValue)) {
        EXPECT_EQ(e.kind, MTD_NUMBER) << round;
        EXPECT_TRUE(std::isnan(e.doubleValue)) << round;
        EXPECT_EQ(e.decimals, we.decimals) << round;
      } else {
        EXPECT_EQ(e, we) << round << " at " << r << "," << c;
        if (we.kind == MTD_NUMBER) {
          EXPECT_EQ(std::signbit(e.doubleValue), std::signbit(we.doubleValue)) << round;
        }
      }
      MultiTypeDataEntry single;
      EXPECT_TRUE(t.GetCell(r, c, &single));
      EXPECT_TRUE(t.HasCell(r, c));
    }
    EXPECT_FALSE(t.HasCell(rows + 1, 0));
  }
}

// A main table's shape with only the cells that fix its extent.
struct Shape {
  Shape(int lr, int lc, int fdr = 49, int fdc = 3, int cr = 44, int cc = 0, std::set<int> keep = {})
      : lastRow(lr),
        lastColumn(lc),
        firstDataRow(fdr),
        firstDataColumn(fdc),
        captionRow(cr),
        captionColumn(cc),
        keepColumns(std::move(keep)) {}
  int lastRow, lastColumn;
  int firstDataRow, firstDataColumn, captionRow, captionColumn;
  std::set<int> keepColumns;
};

void Fill(CaptionableDividableTable& t, const Shape& s) {
  t.firstDataRow = s.firstDataRow;
  t.firstDataColumn = s.firstDataColumn;
  t.captionRow = s.captionRow;
  t.captionColumn = s.captionColumn;
  t.keepColumns = s.keepColumns;
  t.SetCellText(s.firstDataRow, s.firstDataColumn, "first");
  t.SetCellText(s.lastRow, s.lastColumn, "last");
}

TEST(DataTable, BandStarts) {
  struct Case {
    const char* what;
    Shape shape;
    int rowLimit, columnLimit;
    std::vector<int> rows, columns;
  } cases[] = {
      {"100000 samples x 300 columns", {49 + 99999, 302}, 65536, 256, {49, 65536}, {3, 256}},
      {"keep column at the split", {49 + 99999, 302, 49, 3, 44, 0, {256}}, 65536, 256, {49, 65536}, {3, 255}},
      {"keep columns all the way back", {60, 10, 5, 3, 2, 0, {4, 5, 6}}, 0, 6, {5}, {3}},
      {"no limits", {49 + 99999, 302}, 0, 0, {49}, {3}},
      {"three bands", {21 + 250, 3, 21, 3, 16, 0}, 121, 0, {21, 121, 221}, {3}},
      {"no room for data", {30, 3, 21, 3, 16, 0}, 21, 0, {}, {3}},
  };
  for (const Case& c : cases) {
    CaptionableDividableTable t;
    Fill(t, c.shape);
    const int rowLimit = c.rowLimit ? c.rowLimit : t.GetLastRow() + 1;
    const int columnLimit = c.columnLimit ? c.columnLimit : t.GetLastColumn() + 1;
    EXPECT_EQ(t.RowBandStarts(rowLimit), c.rows) << c.what;
    EXPECT_EQ(t.ColumnBandStarts(columnLimit), c.columns) << c.what;
    const auto grid = t.Divide(c.rowLimit, c.columnLimit);
    if (c.rows.empty()) {
      EXPECT_TRUE(grid.empty()) << c.what;
      continue;
    }
    ASSERT_EQ(grid.size(), c.rows.size()) << c.what;
    ASSERT_EQ(grid[0].size(), c.columns.size()) << c.what;
    // The first data cell of the table lands at the first data row and column of piece 0/0.
    MultiTypeDataEntry e;
    ASSERT_TRUE(grid[0][0].piece.GetCell(c.shape.firstDataRow, c.shape.firstDataColumn, &e)) << c.what;
    EXPECT_EQ(e.text, "first");
  }
}

TEST(DataTable, PiecesRepeatHeaderAndCaptionsAndRenumberData) {
  CaptionableDividableTable t;
  t.captionRow = 2;
  t.firstDataRow = 3;
  t.firstDataColumn = 1;
  t.SetCellText(0, 0, "title");
  t.SetCellText(0, 7, "far header");  // beyond a 6-column limit: dropped everywhere
  t.SetCellText(2, 0, "corner");
  for (int c = 1; c <= 8; ++c) {
    t.cursorColumn = 0;
    t.SetColumnCaption(c, "C" + std::to_string(c));
    t.SetCellText(2, c, "cap" + std::to_string(c));
    for (int r = 3; r < 10; ++r) t.SetCellInteger(r, c, r * 100 + c);
  }
  t.SetCellText(5, 0, "row caption");
  t.keepColumns = {6};  // the pair 5/6 stays together
  const auto grid = t.Divide(6, 6);
  // Rows: capacity 3 -> bands at 3, 6, 9. Columns: capacity 5 -> 1..5 would split 5/6: 1, 5.
  ASSERT_EQ(grid.size(), 3u);
  ASSERT_EQ(grid[0].size(), 2u);
  EXPECT_EQ(grid[0][0].columnCaptions, (std::vector<std::string>{"C1", "C2", "C3", "C4"}));
  EXPECT_EQ(grid[2][1].columnCaptions, (std::vector<std::string>{"C5", "C6", "C7", "C8"}));
  MultiTypeDataEntry e;
  for (const auto& band : grid)
    for (const auto& p : band) {
      ASSERT_TRUE(p.piece.GetCell(0, 0, &e));
      EXPECT_EQ(e.text, "title");
      ASSERT_TRUE(p.piece.GetCell(2, 0, &e));
      EXPECT_EQ(e.text, "corner");
      EXPECT_FALSE(p.piece.GetCell(0, 7, &e));
    }
  ASSERT_TRUE(grid[1][1].piece.GetCell(2, 1, &e));
  EXPECT_EQ(e.text, "cap5");
  ASSERT_TRUE(grid[1][1].piece.GetCell(3, 2, &e));
  EXPECT_EQ(e.intValue, 606);
  ASSERT_TRUE(grid[0][1].piece.GetCell(5, 0, &e));  // a row caption goes with its row band
  EXPECT_EQ(e.text, "row caption");
  EXPECT_FALSE(grid[1][0].piece.GetCell(5, 0, &e));
  // The row band of 9 alone has one data row.
  EXPECT_FALSE(grid[2][0].piece.GetCell(4, 1, &e));
  ASSERT_TRUE(grid[2][0].piece.GetCell(3, 1, &e));
  EXPECT_EQ(e.intValue, 901);
}

TEST(DataTable, EmptyTableAndUnsetDataOrigin) {
  CaptionableDividableTable empty;
  auto grid = empty.Divide(0, 0);
  ASSERT_EQ(grid.size(), 1u);
  ASSERT_EQ(grid[0].size(), 1u);
  EXPECT_TRUE(DumpOf(grid[0][0].piece).empty());
  // Labels were written and the caption row set, but no sample: no piece.
  CaptionableDividableTable noSamples;
  noSamples.SetCellText(0, 0, "title");
  noSamples.captionRow = 16;
  noSamples.SetCellText(16, 2, "Channel number");
  EXPECT_TRUE(noSamples.Divide(65536, 256).empty());
  EXPECT_TRUE(noSamples.Divide(0, 0).empty());
}

// The division done the plain way: every cell copied into map-based pieces.
using MapPiece = std::map<TableKey, MultiTypeDataEntry>;

std::vector<std::vector<MapPiece>> MapDivide(const DividableDataTable& t, int rowLimit, int columnLimit) {
  if (rowLimit == 0) rowLimit = t.GetLastRow() + 1;
  if (columnLimit == 0) columnLimit = t.GetLastColumn() + 1;
  const auto rows = t.RowBandStarts(rowLimit), columns = t.ColumnBandStarts(columnLimit);
  std::vector<std::vector<MapPiece>> grid;
  if (rows.empty() || columns.empty()) return grid;
  if (!(rowLimit >= t.firstDataRow && columnLimit >= t.firstDataColumn && t.firstDataRow >= t.captionRow &&
        t.firstDataColumn >= t.captionColumn))
    return grid;
  grid.assign(rows.size(), std::vector<MapPiece>(columns.size()));
  auto band = [](const std::vector<int>& starts, int x) {
    return int(std::upper_bound(starts.begin(), starts.end(), x) - starts.begin()) - 1;
  };
  t.ForEachCell([&](int r, int c, const MultiTypeDataEntry& e) {
    auto put = [&](size_t i, size_t j, int pr, int pc) { grid[i][j].try_emplace(TableKey{pc, pr}, e); };
    const bool header = r < t.captionRow || c < t.captionColumn;
    if (header) {
      if (r < rowLimit && c < columnLimit)
        for (size_t i = 0; i < rows.size(); ++i)
          for (size_t j = 0; j < columns.size(); ++j) put(i, j, r, c);
    } else if (r < t.firstDataRow && c < t.firstDataColumn) {
      for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < columns.size(); ++j) put(i, j, r, c);
    } else if (r < t.firstDataRow) {
      const int j = band(columns, c);
      for (size_t i = 0; i < rows.size(); ++i)
        put(i, size_t(j), r, c + t.firstDataColumn - columns[size_t(j)]);
    } else if (c < t.firstDataColumn) {
      const int i = band(rows, r);
      for (size_t j = 0; j < columns.size(); ++j) put(size_t(i), j, r + t.firstDataRow - rows[size_t(i)], c);
    } else {
      const int i = band(rows, r), j = band(columns, c);
      put(size_t(i), size_t(j), r + t.firstDataRow - rows[size_t(i)],
          c + t.firstDataColumn - columns[size_t(j)]);
    }
    return true;
  });
  return grid;
}

TEST(DataTable, PiecesEqualThePlainDivisionOnRandomTables) {
  std::mt19937 random(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int round = 0; round < 300; ++round) {
    CaptionableDividableTable t;
    t.captionRow = pick(0, 4);
    t.captionColumn = pick(0, 2);
    t.firstDataRow = t.captionRow + pick(0, 3);
    t.firstDataColumn = t.captionColumn + pick(0, 3);
    const int rows = pick(0, 40), columns = pick(0, 20);
    const int cells = pick(0, 200);
    for (int k = 0; k < cells; ++k) t.SetCellInteger(pick(0, rows), pick(0, columns), k);
    for (int k = pick(0, 4); k > 0; --k) t.keepRows.insert(pick(0, rows));
    for (int k = pick(0, 4); k > 0; --k) t.keepColumns.insert(pick(0, columns));
    const int rowLimit = pick(0, 1) ? 0 : t.firstDataRow + pick(1, 12);
    const int columnLimit = pick(0, 1) ? 0 : t.firstDataColumn + pick(1, 8);
    const auto expected = MapDivide(t, rowLimit, columnLimit);
    const auto grid = t.Divide(rowLimit, columnLimit);
    // The data rows kept elsewhere, moved, as a window of rows holds them.
    DataTable window;
    constexpr int kMoved = 3;
    t.ForEachCell([&](int r, int c, const MultiTypeDataEntry& e) {
      if (r >= t.firstDataRow) window.SetCell(r - t.firstDataRow + kMoved, c, e);
      return true;
    });
    auto windowRows = [&](int tableRow, int* row) -> const DataTable* {
      EXPECT_GE(tableRow, t.firstDataRow);
      *row = tableRow - t.firstDataRow + kMoved;
      return &window;
    };
    ASSERT_EQ(grid.size(), expected.size()) << round;
    for (size_t i = 0; i < grid.size(); ++i) {
      ASSERT_EQ(grid[i].size(), expected[i].size()) << round;
      for (size_t j = 0; j < grid[i].size(); ++j) {
        Dump want;
        for (const auto& [key, e] : expected[i][j]) want.emplace_back(key.row, key.column, e);
        EXPECT_EQ(DumpOf(grid[i][j].piece), want) << "round " << round << " piece " << i << "/" << j;
        Dump walked;
        grid[i][j].piece.ForEachCellWithRows(windowRows, [&](int r, int c, const MultiTypeDataEntry& e) {
          walked.emplace_back(r, c, e);
          return true;
        });
        EXPECT_EQ(walked, want) << "rows from a window, round " << round << " piece " << i << "/" << j;
      }
    }
  }
}

}  // namespace
