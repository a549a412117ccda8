// Numbers formatted and parsed with the "C" conventions whatever the user's locale.
//
// Qt sets the process locale from the environment, so plain printf would write "1,5" under a
// German locale. FormatC formats under a thread-local "C" locale; the parsers use from_chars.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

// printf-style formatting with the "C" locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The old runtime's exponent form: mantissa with `decimals` digits, 'E', sign and at least
// three exponent digits: FormatExp3(12.5, 3) == "1.250E+001".
std::string FormatExp3(double value, int decimals);

// Whole text must be a number (leading and trailing blanks allowed).
bool ParseDouble(std::string_view text, double& value);
bool ParseInt64(std::string_view text, int64_t& value);
bool ParseUInt64(std::string_view text, uint64_t& value);

}  // namespace vt
