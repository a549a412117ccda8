// Text: UTF-8 stepping and truncation, code-page round trips, the system language.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/Text.h"

namespace {

TEST(Text, Utf8TruncationNeverSplitsACharacter) {
  const std::string s = "a\xC3\xA9\xE3\x81\x82z";  // a, e-acute (2 bytes), hiragana a (3 bytes), z
  struct Case {
    std::size_t max;
    std::size_t kept;
  } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 3}, {6, 6}, {7, 7}, {100, 7}};
  for (const auto& c : cases) EXPECT_EQ(vt::Utf8Truncate(s, c.max).size(), c.kept) << c.max;
  // A stray continuation byte or a cut sequence is stepped over one byte at a time.
  EXPECT_EQ(vt::Utf8Next("\x80x", 0), 1u);
  EXPECT_EQ(vt::Utf8Next("\xE3\x81", 0), 2u);
  EXPECT_FALSE(vt::IsValidUtf8("\xC0\x80"));      // overlong
  EXPECT_FALSE(vt::IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_TRUE(vt::IsValidUtf8(s));
}

TEST(Text, AsciiCaseLeavesOtherBytesAlone) {
  EXPECT_EQ(vt::AsciiUpper("abc\xC3\xA9z"), "ABC\xC3\xA9Z");
  EXPECT_TRUE(vt::EqualsNoCaseAscii(".dae", ".DAE"));
  EXPECT_FALSE(vt::EqualsNoCaseAscii("\xC3\xA9", "\xC3\x89"));
}

TEST(Text, CodePageRoundTrips) {
  struct Case {
    unsigned cp;
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {1252,
       "\xB0"
       "C \x80 \xE9",
       "\xC2\xB0"
       "C \xE2\x82\xAC \xC3\xA9"},
      {932, "\x82\xA0\x93\xFA", "\xE3\x81\x82\xE6\x97\xA5"},  // hiragana a, "day"
      {65001, "\xC2\xB0", "\xC2\xB0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cp);
    std::string utf8, back;
    ASSERT_TRUE(vt::CodePageToUtf8(c.bytes, c.cp, utf8));
    EXPECT_EQ(utf8, c.utf8);
    ASSERT_TRUE(vt::Utf8ToCodePage(utf8, c.cp, back));
    EXPECT_EQ(back, c.bytes);
  }
  std::string out;
  EXPECT_FALSE(vt::CodePageToUtf8("x", 12345, out));
  // Bytes a code page lacks decode to U+FFFD; characters it lacks encode to '?'.
  ASSERT_TRUE(vt::CodePageToUtf8("a\x81z", 1252, out));
  EXPECT_EQ(out, "a\xEF\xBF\xBDz");
  ASSERT_TRUE(vt::Utf8ToCodePage("a\xE3\x81\x82z", 1252, out));
  EXPECT_EQ(out, "a?z");
  // Plain ASCII, a NUL among it, comes through every code page unchanged, both ways; the empty
  // text too. An unknown code page still refuses it.
  std::string ascii(1, '\0');
  for (int c = 1; c < 0x80; ++c) ascii += char(c);
  for (unsigned cp : {1250u, 1251u, 1252u, 1253u, 1254u, 932u, 936u, 949u, 950u, 65001u}) {
    SCOPED_TRACE(cp);
    for (const std::string& text : {ascii, std::string()}) {
      out = "stale";
      ASSERT_TRUE(vt::CodePageToUtf8(text, cp, out));
      EXPECT_EQ(out, text);
      out = "stale";
      ASSERT_TRUE(vt::Utf8ToCodePage(text, cp, out));
      EXPECT_EQ(out, text);
    }
  }
  EXPECT_FALSE(vt::Utf8ToCodePage("plain", 12345, out));
}

TEST(Text, Utf16RoundTripsIncludingSurrogatePairs) {
  const std::string utf8 = "A\xC2\xB0\xE6\x97\xA5\xF0\x9F\x98\x80";
  std::u16string u16 = vt::Utf8ToUtf16(utf8);
  EXPECT_EQ(u16.size(), 5u);
  EXPECT_EQ(vt::Utf16ToUtf8(u16), utf8);
  const uint8_t le[] = {'H', 0, 0xB0, 0};
  EXPECT_EQ(vt::Utf16LeToUtf8(le, 2), "H\xC2\xB0");
}

TEST(Text, LanguageFromLocaleNames) {
  struct Case {
    const char* name;
    uint16_t id;
  } cases[] = {
      {"", vt::kLangEnglish},         {"C", vt::kLangEnglish},          {"C.UTF-8", vt::kLangEnglish},
      {"POSIX", vt::kLangEnglish},    {"de_DE.UTF-8", vt::kLangGerman}, {"ja_JP.eucJP", vt::kLangJapanese},
      {"pt_BR", vt::kLangPortuguese}, {"nl_NL@euro", vt::kLangDutch},   {"xx_YY", vt::kLangNeutral}};
  for (const auto& c : cases) EXPECT_EQ(vt::LanguageIdFromLocaleName(c.name), c.id) << c.name;
}

TEST(Text, SystemLanguageOverrideAndCodePage) {
  vt::SetSystemLanguageOverride(vt::kLangJapanese);
  EXPECT_EQ(vt::SystemAnsiCodePage(), 932u);
  vt::SetSystemLanguageOverride(vt::kLangGerman);
  EXPECT_EQ(vt::SystemAnsiCodePage(), 1252u);
  vt::SetSystemLanguageOverride(0xFFFF);
  // The tests run with LANG=C.UTF-8, which counts as English.
  if (std::string(std::getenv("LANG") ? std::getenv("LANG") : "") == "C.UTF-8") {
    EXPECT_EQ(vt::SystemLanguageId(), vt::kLangEnglish);
  }
}

}  // namespace
