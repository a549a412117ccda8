// Text: the system's text is UTF-8 held in std::string.
//
// UTF-8 stepping never splits a sequence (what the old code called "never split a double-byte
// character"); upper-casing is ASCII-only. Conversions to and from the 8-bit code pages of
// recorder files and workbooks go through iconv. The system language (the Windows primary
// language id the old code asked for) comes from LC_ALL, LC_MESSAGES, LANG in that order;
// C, POSIX or unset count as English.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

// Windows primary language ids, as the program's language tables use them.
enum : uint16_t {
  kLangNeutral = 0x00,
  kLangChinese = 0x04,
  kLangCzech = 0x05,
  kLangDanish = 0x06,
  kLangGerman = 0x07,
  kLangGreek = 0x08,
  kLangEnglish = 0x09,
  kLangSpanish = 0x0A,
  kLangFinnish = 0x0B,
  kLangFrench = 0x0C,
  kLangHungarian = 0x0E,
  kLangItalian = 0x10,
  kLangJapanese = 0x11,
  kLangKorean = 0x12,
  kLangDutch = 0x13,
  kLangNorwegian = 0x14,
  kLangPolish = 0x15,
  kLangPortuguese = 0x16,
  kLangRussian = 0x19,
  kLangSwedish = 0x1D,
  kLangTurkish = 0x1F,
  kLangUkrainian = 0x22,
};

// Length in bytes of the UTF-8 sequence that starts with lead byte b (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char b);
// Index of the next character after the one at pos (never past s.size()).
std::size_t Utf8Next(std::string_view s, std::size_t pos);
// The longest prefix of s of at most maxBytes bytes that ends on a character boundary.
std::string_view Utf8Truncate(std::string_view s, std::size_t maxBytes);
bool IsValidUtf8(std::string_view s);

std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// Code page numbers as Windows names them: 1252, 1251, 932, 936, 949, 65001 (UTF-8).
// Invalid input bytes become U+FFFD when decoding; characters the code page lacks become '?'
// when encoding. Returns false for an unknown code page.
bool CodePageToUtf8(std::string_view bytes, unsigned codePage, std::string& out);
bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out);
std::string Utf16LeToUtf8(const uint8_t* data, std::size_t units);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// The primary language id of a locale name such as "de_DE.UTF-8" ("C", "POSIX", "" give English;
// an unknown language gives kLangNeutral).
uint16_t LanguageIdFromLocaleName(std::string_view name);
// The system's primary language id, read once from the environment (see above).
uint16_t SystemLanguageId();
// The 8-bit code page that goes with the system language (932 for Japanese, 1252 by default).
unsigned SystemAnsiCodePage();
// Tests: pretend another language (0xFFFF restores the environment's).
void SetSystemLanguageOverride(uint16_t langId);

}  // namespace vt
