// MultiTypeDataEntry: one typed cell of a conversion table. The kind says how the value is read
// and which writer call a converted file gets for it; the table keeps cells in a compact form
// (DataTable.h) and hands them out as these plain values.
#pragma once
#include <cstdint>
#include <string>

enum MULTI_TYPE_DATA_KIND : int {
  MTD_TEXT = 0,          // text
  MTD_DATE = 1,          // date of a time: 32-bit seconds since 1970 (UTC)
  MTD_TIME = 2,          // time of day of a time: 32-bit seconds since 1970 (UTC)
  MTD_MILLISECONDS = 3,  // 32-bit milliseconds, written as seconds with 3 decimals
  MTD_NUMBER = 4,        // double with its decimals
  MTD_INTEGER = 5,       // 32-bit integer
  MTD_LARGE_INTEGER = 6  // 64-bit integer
};

struct MultiTypeDataEntry {
  int kind = MTD_TEXT;
  std::string text;
  int16_t decimals = 0;
  int32_t intValue = 0;      // kinds 1, 2, 3, 5
  double doubleValue = 0.0;  // kind 4
  int64_t largeValue = 0;    // kind 6

  bool operator==(const MultiTypeDataEntry&) const = default;
};

// Cell position: ordered by row first, then column.
struct TableKey {
  int column = 0;
  int row = 0;
  bool operator<(const TableKey& o) const { return row != o.row ? row < o.row : column < o.column; }
  bool operator==(const TableKey&) const = default;
};
