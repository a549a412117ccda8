// Conversion tables: compact cell store, band computation and the piece views (see DataTable.h).
#include "export/DataTable.h"

#include <algorithm>
#include <cassert>
#include <cmath>

DataTable::Column& DataTable::ColumnAt(int column) {
  assert(column >= 0);
  if (size_t(column) >= columns_.size()) columns_.resize(size_t(column) + 1, Column(&arena_));
  return columns_[size_t(column)];
}

// The cell's place is counted as used: the caller fills it.
uint64_t& DataTable::DenseSlot(Column& col, int row, int column) {
  assert(col.dense && row >= 0);
  if (size_t(row) >= col.bits.size()) {
    if (size_t(row) == col.bits.size())
      col.bits.push_back(kDenseAbsent);
    else
      col.bits.resize(size_t(row) + 1, kDenseAbsent);
  }
  uint64_t& bits = col.bits[size_t(row)];
  if (bits == kDenseAbsent) {
    ++cellCount_;
    lastRow_ = std::max(lastRow_, row);
    lastColumn_ = std::max(lastColumn_, column);
  }
  return bits;
}

// Moves a dense column's cells into the general form, keeping what it had reserved.
void DataTable::MakeGeneral(Column& col) {
  if (!col.dense) return;
  col.cells.reserve(col.bits.capacity());
  Compact absent{};
  absent.kind = kAbsent;
  col.cells.assign(col.bits.size(), absent);
  col.dense = false;
  for (size_t r = 0; r < col.bits.size(); ++r) {
    if (col.bits[r] != kDenseAbsent) FromDense(col.bits[r], col.decimals, &col.cells[r]);
  }
  decltype(col.bits)(col.bits.get_allocator()).swap(col.bits);
}

DataTable::Compact& DataTable::Slot(int row, int column) {
  assert(row >= 0 && column >= 0);
  Column& col = ColumnAt(column);
  MakeGeneral(col);
  if (size_t(row) >= col.cells.size()) {
    Compact absent{};
    absent.kind = kAbsent;
    if (size_t(row) == col.cells.size())
      col.cells.push_back(absent);
    else
      col.cells.resize(size_t(row) + 1, absent);
  }
  Compact& cell = col.cells[size_t(row)];
  if (cell.kind == kAbsent) {
    ++cellCount_;
    lastRow_ = std::max(lastRow_, row);
    lastColumn_ = std::max(lastColumn_, column);
  }
  cell.decimals = 0;
  cell.v.l = 0;
  return cell;
}

uint32_t DataTable::Intern(std::string_view text) {
  auto it = textIndex_.find(std::string(text));
  if (it != textIndex_.end()) return it->second;
  const uint32_t index = uint32_t(texts_.size());
  texts_.emplace_back(text);
  textIndex_.emplace(texts_.back(), index);
  return index;
}

void DataTable::ReserveColumn(int column, int rowEnd) {
  if (column < 0 || rowEnd <= 0) return;
  Column& col = ColumnAt(column);
  if (col.dense)
    col.bits.reserve(size_t(rowEnd));
  else
    col.cells.reserve(size_t(rowEnd));
}

void DataTable::Clear() {
  for (Column& col : columns_) {
    col.bits.clear();
    col.cells.clear();
  }
  cellCount_ = 0;
  lastRow_ = 0;
  lastColumn_ = 0;
}

void DataTable::SetCellText(int row, int column, std::string_view text) {
  const uint32_t index = Intern(text);
  Column& col = ColumnAt(column);
  if (col.dense) {
    DenseSlot(col, row, column) = kDenseText | index;
    return;
  }
  Compact& c = Slot(row, column);
  c.kind = MTD_TEXT;
  c.v.text = index;
}

void DataTable::SetCellDate(int row, int column, int32_t seconds) {
  Compact& c = Slot(row, column);
  c.kind = MTD_DATE;
  c.v.i = seconds;
}

void DataTable::SetCellTime(int row, int column, int32_t seconds) {
  Compact& c = Slot(row, column);
  c.kind = MTD_TIME;
  c.v.i = seconds;
}

void DataTable::SetCellMilliseconds(int row, int column, int32_t milliseconds) {
  Compact& c = Slot(row, column);
  c.kind = MTD_MILLISECONDS;
  c.v.i = milliseconds;
}

void DataTable::SetNumber(int row, int column, double value, int16_t decimals) {
  Column& col = ColumnAt(column);
  if (col.dense && !std::isnan(value) && (!col.hasDecimals || col.decimals == decimals)) {
    col.hasDecimals = true;
    col.decimals = decimals;
    DenseSlot(col, row, column) = std::bit_cast<uint64_t>(value);
    return;
  }
  Compact& c = Slot(row, column);
  c.kind = MTD_NUMBER;
  c.v.d = value;
  c.decimals = decimals;
}

void DataTable::SetCellInteger(int row, int column, int32_t value) {
  Compact& c = Slot(row, column);
  c.kind = MTD_INTEGER;
  c.v.i = value;
}

void DataTable::SetCellLargeInteger(int row, int column, int64_t value) {
  Compact& c = Slot(row, column);
  c.kind = MTD_LARGE_INTEGER;
  c.v.l = value;
}

void DataTable::SetCell(int row, int column, const MultiTypeDataEntry& e) {
  switch (e.kind) {
    case MTD_TEXT:
      SetCellText(row, column, e.text);
      break;
    case MTD_DATE:
      SetCellDate(row, column, e.intValue);
      break;
    case MTD_TIME:
      SetCellTime(row, column, e.intValue);
      break;
    case MTD_MILLISECONDS:
      SetCellMilliseconds(row, column, e.intValue);
      break;
    case MTD_NUMBER:
      SetCellNumber(row, column, e.doubleValue, e.decimals);
      break;
    case MTD_INTEGER:
      SetCellInteger(row, column, e.intValue);
      break;
    case MTD_LARGE_INTEGER:
      SetCellLargeInteger(row, column, e.largeValue);
      break;
    default:
      assert(!"unknown cell kind");
  }
}

bool DataTable::GetCell(int row, int column, MultiTypeDataEntry* out) const {
  Compact cell;
  if (!out || !Find(row, column, &cell)) return false;
  Expand(cell, out);
  return true;
}

namespace {

// Band starts of one dimension: the first band begins at the first data line; each further
// band begins one capacity after the previous one, moved back over lines that must stay with
// the line before them. When a whole band would be such lines, the rest stays in the last band.
// Empty when a band cannot hold a single data line while data remains.
std::vector<int> BandStarts(int limit, int firstData, int last, const std::set<int>& keep) {
  std::vector<int> starts{firstData};
  int64_t remaining = int64_t(last) - firstData + 1;
  if (limit == 0) return starts;
  const int64_t capacity = int64_t(limit) - firstData;
  if (capacity <= 0) {
    if (remaining > 0) return {};
    return starts;
  }
  while (capacity < remaining) {
    const int largest = starts.back();
    int64_t candidate = largest + capacity;
    bool stop = false;
    while (keep.count(int(candidate))) {
      if (candidate - 1 == largest) {
        stop = true;
        break;
      }
      --candidate;
    }
    if (stop) break;
    starts.push_back(int(candidate));
    remaining -= candidate - largest;
  }
  return starts;
}

}  // namespace

std::vector<int> DividableDataTable::RowBandStarts(int rowLimit) const {
  return BandStarts(rowLimit, firstDataRow, GetLastRow(), keepRows);
}

std::vector<int> DividableDataTable::ColumnBandStarts(int columnLimit) const {
  return BandStarts(columnLimit, firstDataColumn, GetLastColumn(), keepColumns);
}

DividableDataTable::PieceGrid DividableDataTable::Divide(int rowLimit, int columnLimit) const {
  if (rowLimit == 0) rowLimit = GetLastRow() + 1;
  if (columnLimit == 0) columnLimit = GetLastColumn() + 1;
  const std::vector<int> rows = RowBandStarts(rowLimit);
  const std::vector<int> columns = ColumnBandStarts(columnLimit);
  PieceGrid grid;
  if (rows.empty() || columns.empty()) return grid;
  if (!(rowLimit >= firstDataRow && columnLimit >= firstDataColumn && firstDataRow >= captionRow &&
        firstDataColumn >= captionColumn))
    return grid;
  for (size_t i = 0; i < rows.size(); ++i) {
    const int rowEnd = i + 1 < rows.size() ? rows[i + 1] : std::max(GetLastRow() + 1, rows[i]);
    std::vector<TablePiece> band;
    for (size_t j = 0; j < columns.size(); ++j) {
      const int columnEnd =
          j + 1 < columns.size() ? columns[j + 1] : std::max(GetLastColumn() + 1, columns[j]);
      band.emplace_back(this, rows[i], rowEnd, columns[j], columnEnd, rowLimit, columnLimit);
    }
    grid.push_back(std::move(band));
  }
  return grid;
}

TablePiece::TablePiece(const DividableDataTable* table, int rowStart, int rowEnd, int columnStart,
                       int columnEnd, int rowLimit, int columnLimit)
    : table_(table),
      rowStart_(rowStart),
      rowEnd_(rowEnd),
      columnStart_(columnStart),
      columnEnd_(columnEnd),
      rowLimit_(rowLimit),
      columnLimit_(columnLimit) {
  rowExtent_ =
      std::max(std::min(table->GetLastRow() + 1, rowLimit), table->firstDataRow + (rowEnd - rowStart));
  columnExtent_ = std::max(std::min(table->GetLastColumn() + 1, columnLimit),
                           table->firstDataColumn + (columnEnd - columnStart));
}

bool TablePiece::GetCell(int row, int column, MultiTypeDataEntry* out) const {
  int sr, sc;
  if (row < 0 || column < 0 || !Source(row, column, sr, sc)) return false;
  return table_->GetCell(sr, sc, out);
}

CaptionableDividableTable::CaptionedGrid CaptionableDividableTable::Divide(int rowLimit,
                                                                           int columnLimit) const {
  CaptionedGrid result;
  PieceGrid grid = DividableDataTable::Divide(rowLimit, columnLimit);
  if (grid.empty()) return result;
  const std::vector<int> rows = RowBandStarts(rowLimit == 0 ? GetLastRow() + 1 : rowLimit);
  const std::vector<int> columns = ColumnBandStarts(columnLimit == 0 ? GetLastColumn() + 1 : columnLimit);
  auto inBand = [](const std::map<int, std::string>& captions, const std::vector<int>& starts, size_t k) {
    std::vector<std::string> list;
    auto it = captions.lower_bound(starts[k]);
    auto end = k + 1 < starts.size() ? captions.lower_bound(starts[k + 1]) : captions.end();
    for (; it != end; ++it) list.push_back(it->second);
    return list;
  };
  for (size_t i = 0; i < grid.size(); ++i) {
    std::vector<CaptionedTablePiece> band;
    const std::vector<std::string> rowList = inBand(rowCaptions, rows, i);
    for (size_t j = 0; j < grid[i].size(); ++j)
      band.push_back(CaptionedTablePiece{grid[i][j], rowList, inBand(columnCaptions, columns, j)});
    result.push_back(std::move(band));
  }
  return result;
}
