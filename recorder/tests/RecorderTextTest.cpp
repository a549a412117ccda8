// Text mapping of recorder texts, with the system language pinned: '^' by language, trailing
// blanks, CR/LF and NUL ends, and decoding of 8-bit characters into UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/Text.h"
#include "recorder/RecorderText.h"

namespace {

std::string Map(const std::string& field) {
  return MapRecorderText(reinterpret_cast<const uint8_t*>(field.data()), field.size());
}

TEST(RecorderText, MappingTable) {
  struct Row {
    uint16_t lang;
    std::string field;
    std::string expected;
  };
  const Row rows[] = {
      {vt::kLangEnglish, std::string("Temp ^C   \0xx", 13),
       "Temp \xC2\xB0"
       "C"},
      {vt::kLangGerman, "a^", "a\xC2\xB0"},
      {vt::kLangKorean, std::string("Temp ^C   \0", 11), "Temp  C"},
      // A '^' made blank is cleared with the trailing run it ends.
      {vt::kLangKorean, "Temp ^  ", "Temp"},
      {vt::kLangEnglish, "   ", ""},
      {vt::kLangEnglish, "no end", "no end"},
      // Blanks before a CR are cleared and cut the text; otherwise the text runs on to its NUL.
      {vt::kLangEnglish, std::string("ab  \r\ncd\0", 9), "ab"},
      {vt::kLangEnglish, std::string("ab\r\ncd ^\0", 9), "ab\r\ncd ^"},
      {vt::kLangEnglish, "caf\xE9 ", "caf\xC3\xA9"},
      {vt::kLangEnglish, "x \x80", "x \xE2\x82\xAC"},
  };
  for (const Row& r : rows) {
    vt::SetSystemLanguageOverride(r.lang);
    EXPECT_EQ(Map(r.field), r.expected) << r.field;
  }
  vt::SetSystemLanguageOverride(0xFFFF);
}

TEST(RecorderText, DecodeOnlyCutsAtNul) {
  const std::string field("a^ b  \0c", 8);
  EXPECT_EQ(DecodeRecorderText(reinterpret_cast<const uint8_t*>(field.data()), field.size()), "a^ b  ");
}

}  // namespace
