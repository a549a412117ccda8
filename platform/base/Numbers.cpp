// Numbers in the "C" conventions whatever the process locale (see Numbers.h).
#include "platform/base/Numbers.h"

#include <locale.h>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace vt {

namespace {

// The "C" locale made once; uselocale switches only the calling thread to it.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  T parsed{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

}  // namespace

std::string FormatC(const char* format, ...) {
  locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (n >= 0 && std::size_t(n) < sizeof small) {
    out.assign(small, std::size_t(n));
  } else if (n >= 0) {
    out.resize(std::size_t(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(std::size_t(n));
  }
  va_end(again);
  uselocale(previous);
  return out;
}

std::string FormatExp3(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  std::string s = FormatC("%.*E", decimals, value);
  // glibc writes at least two exponent digits; the old runtime wrote at least three.
  auto e = s.find('E');
  if (e == std::string::npos || e + 2 > s.size()) return s;  // inf or nan
  std::string digits = s.substr(e + 2);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return s.substr(0, e + 2) + digits;
}

bool ParseDouble(std::string_view text, double& value) {
  double parsed = 0;
  if (!ParseWhole(text, parsed)) return false;
  value = parsed;
  return true;
}

bool ParseInt64(std::string_view text, int64_t& value) { return ParseWhole(text, value); }
bool ParseUInt64(std::string_view text, uint64_t& value) { return ParseWhole(text, value); }

}  // namespace vt
