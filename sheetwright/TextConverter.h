// TextConverter: the library's own choice of code page for the 8-bit texts it receives, and
// their conversion to UTF-16.
//
// The choice belongs to the library alone: the process locale is never touched (other
// libraries and threads depend on it). Before any choice a text is taken as Latin-1 (each byte
// the character of the same number); code page 0 means UTF-8, the system's own encoding; 932,
// 936, 949 and 1252 convert through the platform's code-page tables.
#pragma once
#include <string>
#include <string_view>

namespace sheetwright {

class TextConverter {
 public:
  // Chooses a code page (0, 932, 936, 949, 1252) and returns the one in force before, read as
  // its number (1252 for the initial Latin-1 state, 9999 for UTF-8, which has no number among
  // them). For any other argument nothing changes and the result is false.
  bool Select(int codePage, int& previous);

  // Converts text; false when it is not valid in the chosen code page.
  bool ToUtf16(std::string_view text, std::u16string& out) const;
  // As ToUtf16, but a text that does not convert becomes a single blank.
  std::u16string ToUtf16OrBlank(std::string_view text) const;

 private:
  static constexpr int kInitial = -1;
  int codePage_ = kInitial;
};

}  // namespace sheetwright
