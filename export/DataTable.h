// Conversion tables: the in-memory form of a converted file before it is cut to fit its output.
//
// DataTable keeps typed cells by {column, row}. The cells of a recorder file's main table are
// dense (one per record and channel list), so they are stored column by column in flat vectors,
// with texts kept once in a pool; a position without a cell is marked absent. A column that holds
// only texts and numbers of one precision (a channel's values with its captions and state texts)
// keeps 8 bytes per cell: the number itself, or a NaN pattern that stands for a text or for no
// cell. Any other cell turns the column into the general form of 12-byte cells.
// Walking a table visits it in key order: row by row, left to right.
//
// DividableDataTable adds the areas (header, caption rows and columns, data) and the rows and
// columns that may not begin a piece, and divides the table into a grid of pieces that fit a
// row and a column limit. A piece is a view on the table, not a copy: it maps each of its
// positions back to the one table cell that lands there (the areas never overlap inside a
// piece), so dividing costs nothing per cell. CaptionableDividableTable adds the captions of
// data rows and columns, which each piece lists for its own bands.
#pragma once
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "export/MultiTypeDataEntry.h"
#include "platform/base/BulkArena.h"

class DataTable {
 public:
  DataTable() = default;
  virtual ~DataTable() = default;
  DataTable(const DataTable&) = delete;
  DataTable& operator=(const DataTable&) = delete;

  // Each setter creates or replaces the cell at (row, column).
  void SetCellText(int row, int column, std::string_view text);
  void SetCellDate(int row, int column, int32_t seconds);
  void SetCellTime(int row, int column, int32_t seconds);
  void SetCellMilliseconds(int row, int column, int32_t milliseconds);
  void SetCellNumber(int row, int column, double value, int16_t decimals) {
    // The common case, a channel's next value appended to its reserved compact column, inline.
    if (column >= 0 && size_t(column) < columns_.size() && row >= 0) {
      Column& col = columns_[size_t(column)];
      if (col.dense && col.hasDecimals && col.decimals == decimals && size_t(row) == col.bits.size() &&
          col.bits.size() < col.bits.capacity() && !std::isnan(value)) {
        col.bits.push_back(std::bit_cast<uint64_t>(value));
        ++cellCount_;
        lastRow_ = std::max(lastRow_, row);
        lastColumn_ = std::max(lastColumn_, column);
        return;
      }
    }
    SetNumber(row, column, value, decimals);
  }
  void SetCellInteger(int row, int column, int32_t value);
  void SetCellLargeInteger(int row, int column, int64_t value);
  void SetCell(int row, int column, const MultiTypeDataEntry& entry);
  // Announces that a column will hold rows up to (not including) rowEnd.
  void ReserveColumn(int column, int rowEnd);
  // Drops every cell; the columns keep their room for the next cells (a window of rows refilled).
  void Clear();
  // Makes the table span rows up to lastRow whether or not cells lie there (a frame whose data rows
  // are filled elsewhere divides as the whole table).
  void ExtendRows(int lastRow) { lastRow_ = std::max(lastRow_, lastRow); }

  bool HasCell(int row, int column) const {
    Compact cell;
    return Find(row, column, &cell);
  }
  bool GetCell(int row, int column, MultiTypeDataEntry* out) const;
  size_t CellCount() const { return cellCount_; }
  // The largest row and column of any cell; 0 for an empty table.
  int GetLastRow() const { return lastRow_; }
  int GetLastColumn() const { return lastColumn_; }

  // Every cell in key order: f(row, column, entry); f returns false to stop.
  template <class F>
  void ForEachCell(F&& f) const {
    MultiTypeDataEntry entry;
    if (cellCount_ == 0) return;
    Compact cell;
    for (int r = 0; r <= lastRow_; ++r)
      for (int c = 0; c <= lastColumn_; ++c)
        if (Find(r, c, &cell)) {
          Expand(cell, &entry);
          if (!f(r, c, entry)) return;
        }
  }

  int cursorRow = 0;
  int cursorColumn = 0;
  std::string name;

 protected:
  // 12 bytes: the value is read and written as a member, never through a pointer, so the
  // 4-byte alignment of the packed cell costs nothing on the machines the program runs on.
  struct __attribute__((packed, aligned(4))) Compact {
    union {
      int32_t i;
      double d;
      int64_t l;
      uint32_t text;
    } v;
    int16_t decimals;
    uint8_t kind;
  };
  static_assert(sizeof(Compact) == 12);
  static constexpr uint8_t kAbsent = 0xFF;

  // The cell at (row, column) in the general form; false when there is none.
  bool Find(int row, int column, Compact* out) const {
    if (column < 0 || row < 0 || size_t(column) >= columns_.size()) return false;
    const Column& col = columns_[size_t(column)];
    if (col.dense) {
      if (size_t(row) >= col.bits.size()) return false;
      const uint64_t bits = col.bits[size_t(row)];
      if (bits == kDenseAbsent) return false;
      FromDense(bits, col.decimals, out);
      return true;
    }
    if (size_t(row) >= col.cells.size() || col.cells[size_t(row)].kind == kAbsent) return false;
    *out = col.cells[size_t(row)];
    return true;
  }
  void Expand(const Compact& cell, MultiTypeDataEntry* out) const;

 private:
  // Dense cells: a number's own bits (never a NaN: a NaN turns the column general), or a
  // signalling-NaN pattern that arithmetic does not produce, tagged as no cell or as a text.
  static constexpr uint64_t kDenseTagMask = 0xFFFFFFFF00000000ull;
  static constexpr uint64_t kDenseAbsent = 0x7FF4000000000000ull;
  static constexpr uint64_t kDenseText = 0x7FF5000000000000ull;
  // A present dense cell in the general form.
  static void FromDense(uint64_t bits, int16_t decimals, Compact* out) {
    out->v.l = 0;
    if ((bits & kDenseTagMask) == kDenseText) {
      out->kind = MTD_TEXT;
      out->v.text = uint32_t(bits);
      out->decimals = 0;
    } else {
      out->kind = MTD_NUMBER;
      out->v.d = std::bit_cast<double>(bits);
      out->decimals = decimals;
    }
  }

  // The large columns live in the arena: built once and dropped with the table, they would
  // otherwise spend much of the building on page faults.
  struct Column {
    explicit Column(vt::BulkArena* arena)
        : bits(vt::BulkAllocator<uint64_t>(arena)), cells(vt::BulkAllocator<Compact>(arena)) {}
    bool dense = true;
    bool hasDecimals = false;  // dense: a number fixed the column's decimals
    int16_t decimals = 0;
    std::vector<uint64_t, vt::BulkAllocator<uint64_t>> bits;  // dense form
    std::vector<Compact, vt::BulkAllocator<Compact>> cells;   // general form
  };

  void SetNumber(int row, int column, double value, int16_t decimals);
  Column& ColumnAt(int column);
  uint64_t& DenseSlot(Column& col, int row, int column);
  Compact& Slot(int row, int column);
  void MakeGeneral(Column& col);
  uint32_t Intern(std::string_view text);

  vt::BulkArena arena_;
  std::vector<Column> columns_;
  std::vector<std::string> texts_;
  std::unordered_map<std::string, uint32_t> textIndex_;
  size_t cellCount_ = 0;
  int lastRow_ = 0;
  int lastColumn_ = 0;

  friend class TablePiece;
};

class DividableDataTable;

// One piece of a divided table: the cells of one row band and one column band, with the header
// area and the captions, renumbered so that its first data cell lands at the table's first data
// row and column. Valid while its table lives.
class TablePiece {
 public:
  TablePiece(const DividableDataTable* table, int rowStart, int rowEnd, int columnStart, int columnEnd,
             int rowLimit, int columnLimit);

  bool GetCell(int row, int column, MultiTypeDataEntry* out) const;
  // Every cell of the piece in key order: f(row, column, entry); f returns false to stop.
  template <class F>
  void ForEachCell(F&& f) const;
  // As ForEachCell, with the cells of the table's data rows (from firstDataRow on) taken from
  // elsewhere: rows(tableRow, &row) gives the table that holds that row, and its row there.
  template <class Rows, class F>
  void ForEachCellWithRows(Rows&& rows, F&& f) const;
  // Rows and columns the piece may hold cells in (an upper bound).
  int RowExtent() const { return rowExtent_; }
  int ColumnExtent() const { return columnExtent_; }
  // The table's data rows and columns the piece shows: [start, end).
  int RowStart() const { return rowStart_; }
  int RowEnd() const { return rowEnd_; }
  int ColumnStart() const { return columnStart_; }
  int ColumnEnd() const { return columnEnd_; }

 private:
  // The table position that lands at a piece position; false when none does.
  bool Source(int row, int column, int& sourceRow, int& sourceColumn) const;

  const DividableDataTable* table_;
  int rowStart_, rowEnd_, columnStart_, columnEnd_;
  int rowLimit_, columnLimit_;
  int rowExtent_, columnExtent_;
};

class DividableDataTable : public DataTable {
 public:
  using PieceGrid = std::vector<std::vector<TablePiece>>;

  // A limit of 0 means no limit. An empty grid when the limits leave no room for data or the
  // areas are not in order.
  PieceGrid Divide(int rowLimit, int columnLimit) const;
  // The first row (column) of each band for a limit (0: none); empty when a band could not hold
  // one data row (column).
  std::vector<int> RowBandStarts(int rowLimit) const;
  std::vector<int> ColumnBandStarts(int columnLimit) const;

  int firstDataRow = 0;
  int firstDataColumn = 0;
  int captionRow = 0;
  int captionColumn = 0;
  std::set<int> keepRows;
  std::set<int> keepColumns;
};

struct CaptionedTablePiece {
  TablePiece piece;
  std::vector<std::string> rowCaptions;
  std::vector<std::string> columnCaptions;
};

class CaptionableDividableTable : public DividableDataTable {
 public:
  using CaptionedGrid = std::vector<std::vector<CaptionedTablePiece>>;

  // The caption of column cursorColumn + offset (replacing one set before).
  void SetColumnCaption(int offset, const std::string& text) { columnCaptions[cursorColumn + offset] = text; }
  CaptionedGrid Divide(int rowLimit, int columnLimit) const;

  std::map<int, std::string> columnCaptions;
  std::map<int, std::string> rowCaptions;
};

template <class F>
void TablePiece::ForEachCell(F&& f) const {
  const DataTable& t = *table_;
  if (t.cellCount_ == 0) return;
  MultiTypeDataEntry entry;
  DataTable::Compact cell;
  for (int r = 0; r < rowExtent_; ++r) {
    for (int c = 0; c < columnExtent_; ++c) {
      int sr, sc;
      if (!Source(r, c, sr, sc) || !t.Find(sr, sc, &cell)) continue;
      t.Expand(cell, &entry);
      if (!f(r, c, entry)) return;
    }
  }
}

template <class Rows, class F>
void TablePiece::ForEachCellWithRows(Rows&& rows, F&& f) const {
  const DividableDataTable& t = *table_;
  MultiTypeDataEntry entry;
  DataTable::Compact cell;
  // Below the caption row every column left of the caption column keeps its place and every other
  // column maps to one table column whatever the row: those columns are found once, and each such
  // row asks for its table row once.
  std::vector<std::pair<int, int>> mapped;  // piece column, table column
  for (int c = t.captionColumn; c < columnExtent_; ++c) {
    const int sc = c < t.firstDataColumn ? c : c - t.firstDataColumn + columnStart_;
    if (c >= t.firstDataColumn && sc >= columnEnd_) continue;
    mapped.emplace_back(c, sc);
  }
  for (int r = 0; r < rowExtent_; ++r) {
    if (r < t.captionRow || t.captionColumn > 0) {
      for (int c = 0; c < columnExtent_; ++c) {
        int sr, sc;
        if (!Source(r, c, sr, sc)) continue;
        const DataTable* from = &t;
        int at = sr;
        if (sr >= t.firstDataRow) from = rows(sr, &at);
        if (from == nullptr || !from->Find(at, sc, &cell)) continue;
        from->Expand(cell, &entry);
        if (!f(r, c, entry)) return;
      }
      continue;
    }
    const int sr = r < t.firstDataRow ? r : r - t.firstDataRow + rowStart_;
    if ((r >= t.firstDataRow && sr >= rowEnd_) || mapped.empty()) continue;
    const DataTable* from = &t;
    int at = sr;
    if (sr >= t.firstDataRow) from = rows(sr, &at);
    if (from == nullptr) continue;
    for (const auto& [c, sc] : mapped) {
      if (!from->Find(at, sc, &cell)) continue;
      from->Expand(cell, &entry);
      if (!f(r, c, entry)) return;
    }
  }
}

inline void DataTable::Expand(const Compact& cell, MultiTypeDataEntry* out) const {
  out->kind = cell.kind;
  out->decimals = cell.decimals;
  out->text.clear();
  out->intValue = 0;
  out->doubleValue = 0.0;
  out->largeValue = 0;
  switch (cell.kind) {
    case MTD_TEXT:
      out->text = texts_[cell.v.text];
      break;
    case MTD_NUMBER:
      out->doubleValue = cell.v.d;
      break;
    case MTD_LARGE_INTEGER:
      out->largeValue = cell.v.l;
      break;
    default:
      out->intValue = cell.v.i;
      break;
  }
}

// The areas split the piece's positions as they split the table's, so each position has at most
// one source: header positions (above the caption row or left of the caption column) and the
// corner keep their place; caption rows take their columns from the column band; caption
// columns take their rows from the row band; data takes both.
inline bool TablePiece::Source(int r, int c, int& sr, int& sc) const {
  const DividableDataTable& t = *table_;
  if (r < t.captionRow || c < t.captionColumn) {
    if (r >= rowLimit_ || c >= columnLimit_) return false;
    sr = r;
    sc = c;
    return true;
  }
  if (r < t.firstDataRow) {
    sr = r;
  } else {
    sr = r - t.firstDataRow + rowStart_;
    if (sr >= rowEnd_) return false;
  }
  if (c < t.firstDataColumn) {
    sc = c;
  } else {
    sc = c - t.firstDataColumn + columnStart_;
    if (sc >= columnEnd_) return false;
  }
  return true;
}
