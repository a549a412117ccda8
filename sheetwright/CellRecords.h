// CellRecords: the records of single cells as the cell writers append them to a sheet's cell
// work file, and the rules that choose their form and cell format.
//
// A number goes into the compact RK form whenever that form holds it (directly, or scaled by
// 100), else into a NUMBER record with the full double. Dates use the 1904 date system.
#pragma once
#include <cstddef>
#include <cstdint>

namespace sheetwright {

constexpr uint16_t kRecordLabelSst = 0x00FD;
constexpr uint16_t kRecordRk = 0x027E;
constexpr uint16_t kRecordNumber = 0x0203;

constexpr std::size_t kStringCellBytes = 14;
constexpr std::size_t kRkCellBytes = 14;
constexpr std::size_t kNumberCellBytes = 18;
constexpr std::size_t kMaxCellBytes = kNumberCellBytes;

// Cell formats (indices of the XF records) the writers use.
constexpr uint16_t kXfString = 40;
constexpr uint16_t kXfTime = 27;
uint16_t XfForDecimals(int decimals);  // -1 (general) .. 10
uint16_t XfForExponent(int decimals);  // 0 .. 4
uint16_t XfForDateFormat(int format);  // 0 .. 5 (5 = time only)

// The RK value of x when one of the compact forms holds it exactly (or, for the forms scaled
// by 100, to within the rounding of the scaling); false when x needs a NUMBER record.
bool RkValue(double x, uint32_t& rk);

// Each writes one complete record (header included) into out and returns its length.
std::size_t EncodeStringCell(uint8_t* out, uint16_t row, uint16_t column, uint32_t stringIndex);
std::size_t EncodeNumberCell(uint8_t* out, uint16_t row, uint16_t column, uint16_t xf, double value);
// A whole date serial: always the direct RK form, exact for every serial the writers accept.
std::size_t EncodeDateCell(uint8_t* out, uint16_t row, uint16_t column, uint16_t xf, int32_t serial);

// Dates: 1904-01-01 to 3199-12-31 (Gregorian leap years).
bool IsValidDate(int year, int month, int day);
// Days since 1904-01-01 of a valid date.
int32_t DateSerial(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second);
double DayFraction(int hour, int minute, int second);

}  // namespace sheetwright
