// RecorderText: see RecorderText.h. The symbol mapping works on the raw bytes (as the recorders
// wrote them); decoding into UTF-8 comes last, so the code page never sees the '^'.
#include "recorder/RecorderText.h"

#include <string_view>

#include "platform/base/Text.h"

namespace {

std::string Decode(std::string_view raw) {
  std::string out;
  if (!vt::CodePageToUtf8(raw, vt::SystemAnsiCodePage(), out)) vt::CodePageToUtf8(raw, 1252, out);
  return out;
}

}  // namespace

bool IsRecorderLanguageKnown() {
  switch (vt::SystemLanguageId()) {
    case vt::kLangGerman:
    case vt::kLangEnglish:
    case vt::kLangSpanish:
    case vt::kLangFrench:
    case vt::kLangItalian:
    case vt::kLangJapanese:
    case vt::kLangPortuguese:
    case vt::kLangRussian:
      return true;
    default:
      return false;
  }
}

std::string MapRecorderText(const uint8_t* field, std::size_t size) {
  const bool known = IsRecorderLanguageKnown();
  // The walk maps '^' (kept as a marker for a known language, else a blank) and ends at NUL,
  // CR or LF. A blank run that reaches the end of the walk is cleared, which also cuts the text
  // there; otherwise the text goes on unmapped up to its NUL, as the stored texts did.
  std::string raw;
  std::size_t i = 0;
  std::size_t runStart = std::string::npos;
  for (; i < size; ++i) {
    const uint8_t c = field[i];
    if (c == 0 || c == '\r' || c == '\n') break;
    const char mapped = c == '^' && !known ? ' ' : char(c);
    if (mapped == ' ') {
      if (runStart == std::string::npos) runStart = raw.size();
    } else {
      runStart = std::string::npos;
    }
    raw.push_back(mapped);
  }
  std::string tail;  // what follows an unblanked walk end, unmapped
  if (runStart != std::string::npos) {
    raw.resize(runStart);
  } else {
    for (; i < size && field[i] != 0; ++i) tail.push_back(char(field[i]));
  }
  if (!known) return Decode(raw + tail);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = raw.find('^', from)) != std::string::npos; from = at + 1) {
    out += Decode(std::string_view(raw).substr(from, at - from));
    out += "\xC2\xB0";  // U+00B0 DEGREE SIGN
  }
  return out + Decode(std::string_view(raw).substr(from)) + Decode(tail);
}

std::string DecodeRecorderText(const uint8_t* field, std::size_t size) {
  std::size_t n = 0;
  while (n < size && field[n] != 0) ++n;
  return Decode(std::string_view(reinterpret_cast<const char*>(field), n));
}
