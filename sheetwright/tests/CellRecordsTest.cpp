// Cell records: the choice between the RK forms and NUMBER, the record bytes, the 1904 date
// serials and the date and time checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "sheetwright/CellRecords.h"

namespace sheetwright {
namespace {

struct RkCase {
  double value;
  bool rk;
  uint32_t expected;
};

TEST(CellRecords, NumbersTakeTheSmallestExactForm) {
  const RkCase cases[] = {
      {1.0, true, 0x3FF00000},  // high word as it stands
      {0.0, true, 0x00000000},
      {-2.5, true, 0xC0040000},
      {1234567.0, true, uint32_t(1234567 * 4 + 2)},  // 30-bit integer
      {-1234567.0, true, uint32_t(-1234567 * 4 + 2)},
      {0.1, true, 0x40240001},  // 0.1 x 100 = 10.0 as a high word
      {3.14, true, 0x4073A001},
      {12345.67, true, uint32_t(1234567 * 4 + 3)},  // x 100 as an integer
      {536870912.0, true, 0x41C00000},              // 2^29 as a high word
      {536870911.0, true, uint32_t(536870911u * 4 + 2)},
      {-536870912.0, true, 0xC1C00000},
      {536870913.0, false, 0},  // beyond the 30-bit integers
      {1234567.89, false, 0},
      {1e-5, false, 0},
      {0.5e-2 + 1e-12, false, 0},
      // x 100 overflows: the scaled form would read back as infinity.
      {std::numeric_limits<double>::max(), false, 0},
      {1.7e307, false, 0},
      {-3.3e306, false, 0},
  };
  for (const RkCase& c : cases) {
    uint32_t rk = 0;
    EXPECT_EQ(RkValue(c.value, rk), c.rk) << c.value;
    if (c.rk) {
      EXPECT_EQ(rk, c.expected) << c.value;
    }
  }
}

// The RK value decoded as a reader does; every accepted form gives back the value (the scaled
// forms to within the rounding of x 100 / 100).
double DecodeRk(uint32_t rk) {
  double v;
  if (rk & 2) {
    v = double(int32_t(rk) >> 2);
  } else {
    uint64_t bits = uint64_t(rk & ~uint32_t(3)) << 32;
    std::memcpy(&v, &bits, 8);
  }
  return (rk & 1) ? v / 100 : v;
}

TEST(CellRecords, RkFormsReadBackAsTheirValues) {
  for (double x : {1.0, -7.0, 0.25, 0.1, 3.14, 12345.67, -0.01, 99999999.0, 65535.5}) {
    uint32_t rk = 0;
    ASSERT_TRUE(RkValue(x, rk)) << x;
    EXPECT_DOUBLE_EQ(DecodeRk(rk), x) << x;
  }
}

TEST(CellRecords, RecordBytes) {
  uint8_t out[kMaxCellBytes];
  ASSERT_EQ(EncodeStringCell(out, 0x0102, 0x00FF, 0x01020304), 14u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 14),
            (std::vector<uint8_t>{0xFD, 0, 10, 0, 0x02, 0x01, 0xFF, 0, 40, 0, 0x04, 0x03, 0x02, 0x01}));

  ASSERT_EQ(EncodeNumberCell(out, 1, 2, 39, 1.0), 14u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 14),
            (std::vector<uint8_t>{0x7E, 0x02, 10, 0, 1, 0, 2, 0, 39, 0, 0x00, 0x00, 0xF0, 0x3F}));

  ASSERT_EQ(EncodeNumberCell(out, 65535, 255, 30, 1234567.89), 18u);
  double v;
  std::memcpy(&v, out + 10, 8);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 10),
            (std::vector<uint8_t>{0x03, 0x02, 14, 0, 0xFF, 0xFF, 0xFF, 0, 30, 0}));
  EXPECT_EQ(v, 1234567.89);

  // A date is always the direct form, even where an integer form would also do.
  ASSERT_EQ(EncodeDateCell(out, 0, 0, 22, 35064), 14u);
  EXPECT_EQ(std::vector<uint8_t>(out + 10, out + 14), (std::vector<uint8_t>{0x00, 0x1F, 0xE1, 0x40}));
}

TEST(CellRecords, FormatsByWriterArgument) {
  EXPECT_EQ(XfForDecimals(-1), 39);
  EXPECT_EQ(XfForDecimals(0), 28);
  EXPECT_EQ(XfForDecimals(10), 38);
  EXPECT_EQ(XfForExponent(0), 41);
  EXPECT_EQ(XfForExponent(4), 45);
  EXPECT_EQ(XfForDateFormat(0), 22);
  EXPECT_EQ(XfForDateFormat(5), 27);
}

struct DateCase {
  int year, month, day;
  bool valid;
  int32_t serial;
};

TEST(CellRecords, DatesOfThe1904System) {
  const DateCase cases[] = {
      {1904, 1, 1, true, 0},        {1904, 3, 1, true, 60},     {1905, 1, 1, true, 366},
      {2000, 1, 1, true, 35064},    {2000, 2, 29, true, 35123}, {2010, 5, 10, true, 38846},
      {3199, 12, 31, true, 473354}, {1903, 12, 31, false, 0},   {2001, 2, 29, false, 0},
      {2100, 2, 29, false, 0},      {3200, 1, 1, false, 0},     {2000, 13, 1, false, 0},
      {2000, 0, 1, false, 0},       {2000, 4, 31, false, 0},    {2000, 1, 0, false, 0},
  };
  for (const DateCase& c : cases) {
    EXPECT_EQ(IsValidDate(c.year, c.month, c.day), c.valid) << c.year << "-" << c.month << "-" << c.day;
    if (c.valid) {
      EXPECT_EQ(DateSerial(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month;
    }
  }
}

TEST(CellRecords, Times) {
  EXPECT_TRUE(IsValidTime(0, 0, 0));
  EXPECT_TRUE(IsValidTime(23, 59, 59));
  EXPECT_FALSE(IsValidTime(24, 0, 0));
  EXPECT_FALSE(IsValidTime(0, 60, 0));
  EXPECT_FALSE(IsValidTime(0, 0, 60));
  EXPECT_FALSE(IsValidTime(-1, 0, 0));
  EXPECT_DOUBLE_EQ(DayFraction(12, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(DayFraction(14, 3, 0), (14 * 3600 + 180) / 86400.0);
}

}  // namespace
}  // namespace sheetwright
