// CellRecords: cell record bytes, the RK choice and the 1904 date serials (see CellRecords.h).
#include "sheetwright/CellRecords.h"

#include <bit>
#include <cassert>
#include <cmath>

#include "platform/base/ByteOrder.h"

namespace sheetwright {

namespace {

constexpr uint64_t kLow34 = (uint64_t(1) << 34) - 1;

bool LowBitsZero(double x) { return (std::bit_cast<uint64_t>(x) & kLow34) == 0; }
uint32_t HighWord(double x) { return uint32_t(std::bit_cast<uint64_t>(x) >> 32); }

// A whole number of at least 1 in magnitude that fits the 30-bit integer form.
bool FitsRkInteger(double x) {
  return std::fabs(x) >= 1.0 && std::trunc(x) == x && x >= -536870912.0 && x <= 536870911.0;
}

uint32_t RkInteger(double x) { return (uint32_t(int32_t(x)) << 2); }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int LeapYearsThrough(int year) { return year / 4 - year / 100 + year / 400; }

constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

void PutHeader(uint8_t* out, uint16_t type, uint16_t length, uint16_t row, uint16_t column, uint16_t xf) {
  vt::StoreLe16(out, type);
  vt::StoreLe16(out + 2, length);
  vt::StoreLe16(out + 4, row);
  vt::StoreLe16(out + 6, column);
  vt::StoreLe16(out + 8, xf);
}

std::size_t EncodeRk(uint8_t* out, uint16_t row, uint16_t column, uint16_t xf, uint32_t rk) {
  PutHeader(out, kRecordRk, 10, row, column, xf);
  vt::StoreLe32(out + 10, rk);
  return kRkCellBytes;
}

}  // namespace

uint16_t XfForDecimals(int decimals) {
  assert(decimals >= -1 && decimals <= 10);
  return decimals < 0 ? 39 : uint16_t(28 + decimals);
}

uint16_t XfForExponent(int decimals) {
  assert(decimals >= 0 && decimals <= 4);
  return uint16_t(41 + decimals);
}

uint16_t XfForDateFormat(int format) {
  assert(format >= 0 && format <= 5);
  return uint16_t(22 + format);
}

bool RkValue(double x, uint32_t& rk) {
  if (LowBitsZero(x)) {
    rk = HighWord(x) & ~uint32_t(3);
    return true;
  }
  if (FitsRkInteger(x)) {
    rk = RkInteger(x) | 2;
    return true;
  }
  // Near the top of the range x * 100 overflows; an infinity has zero low bits but would be
  // read back as infinity, so such values keep their full NUMBER record.
  double y = x * 100.0;
  if (std::isfinite(y) && LowBitsZero(y)) {
    rk = (HighWord(y) & ~uint32_t(2)) | 1;
    return true;
  }
  if (FitsRkInteger(y)) {
    rk = RkInteger(y) | 3;
    return true;
  }
  return false;
}

std::size_t EncodeStringCell(uint8_t* out, uint16_t row, uint16_t column, uint32_t stringIndex) {
  PutHeader(out, kRecordLabelSst, 10, row, column, kXfString);
  vt::StoreLe32(out + 10, stringIndex);
  return kStringCellBytes;
}

std::size_t EncodeNumberCell(uint8_t* out, uint16_t row, uint16_t column, uint16_t xf, double value) {
  uint32_t rk = 0;
  if (RkValue(value, rk)) return EncodeRk(out, row, column, xf, rk);
  PutHeader(out, kRecordNumber, 14, row, column, xf);
  vt::StoreLe64(out + 10, std::bit_cast<uint64_t>(value));
  return kNumberCellBytes;
}

std::size_t EncodeDateCell(uint8_t* out, uint16_t row, uint16_t column, uint16_t xf, int32_t serial) {
  assert(serial >= 0 && serial < (1 << 19));
  return EncodeRk(out, row, column, xf, HighWord(double(serial)) & ~uint32_t(3));
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1904 || year > 3199 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int days = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  return day <= days;
}

int32_t DateSerial(int year, int month, int day) {
  assert(IsValidDate(year, month, day));
  int32_t serial = 365 * (year - 1904) + (LeapYearsThrough(year - 1) - LeapYearsThrough(1903));
  serial += kDaysBeforeMonth[month - 1] + day - 1;
  if (month > 2 && IsLeapYear(year)) serial += 1;
  return serial;
}

bool IsValidTime(int hour, int minute, int second) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

double DayFraction(int hour, int minute, int second) {
  return double(hour * 3600 + minute * 60 + second) / 86400.0;
}

}  // namespace sheetwright
