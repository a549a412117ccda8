// TextConverter: code-page choice and conversion to UTF-16 (see TextConverter.h).
#include "sheetwright/TextConverter.h"

#include "platform/base/Text.h"

namespace sheetwright {

bool TextConverter::Select(int codePage, int& previous) {
  if (codePage != 0 && codePage != 932 && codePage != 936 && codePage != 949 && codePage != 1252)
    return false;
  switch (codePage_) {
    case kInitial:
      previous = 1252;
      break;
    case 0:
      previous = 9999;
      break;
    default:
      previous = codePage_;
      break;
  }
  codePage_ = codePage;
  return true;
}

bool TextConverter::ToUtf16(std::string_view text, std::u16string& out) const {
  out.clear();
  if (codePage_ == kInitial) {
    for (char c : text) out.push_back(char16_t(uint8_t(c)));
    return true;
  }
  if (codePage_ == 0) {
    if (!vt::IsValidUtf8(text)) return false;
    out = vt::Utf8ToUtf16(text);
    return true;
  }
  std::string utf8;
  if (!vt::CodePageToUtf8(text, unsigned(codePage_), utf8)) return false;
  // The converter marks bytes the code page does not define with U+FFFD, a character none of
  // these code pages can produce itself.
  if (utf8.find("\xEF\xBF\xBD") != std::string::npos) return false;
  out = vt::Utf8ToUtf16(utf8);
  return true;
}

std::u16string TextConverter::ToUtf16OrBlank(std::string_view text) const {
  std::u16string out;
  if (!ToUtf16(text, out)) out.assign(1, u' ');
  return out;
}

}  // namespace sheetwright
