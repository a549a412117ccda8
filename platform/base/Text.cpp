// Text: UTF-8 stepping, ASCII case, code-page conversions through iconv, the system language.
#include "platform/base/Text.h"

#include <iconv.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace vt {

std::size_t Utf8SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  if ((b & 0xF8) == 0xF0) return 4;
  return 1;  // continuation or invalid byte: step over it alone
}

std::size_t Utf8Next(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return s.size();
  std::size_t len = Utf8SequenceLength(static_cast<unsigned char>(s[pos]));
  std::size_t next = pos + 1;
  // Only whole, well-formed continuation runs count as part of the character.
  while (next < pos + len && next < s.size() && (static_cast<unsigned char>(s[next]) & 0xC0) == 0x80) ++next;
  return next;
}

std::string_view Utf8Truncate(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s;
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    std::size_t next = Utf8Next(s, pos);
    if (next > maxBytes) break;
    end = pos = next;
  }
  return s.substr(0, end);
}

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    std::size_t len = Utf8SequenceLength(b);
    if (len == 1) {
      if (b >= 0x80) return false;
      ++i;
      continue;
    }
    if (i + len > s.size()) return false;
    uint32_t cp = b & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      unsigned char c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static const uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

static char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

static const char* IconvName(unsigned codePage) {
  switch (codePage) {
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 1253:
      return "CP1253";
    case 1254:
      return "CP1254";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case 65001:
      return "UTF-8";
    default:
      return nullptr;
  }
}

// Converts with iconv; on an input sequence the source cannot decode (or the target cannot
// encode) it writes `replacement` and skips `skip` input bytes (one byte, or one whole UTF-8
// character when the input is UTF-8).
static bool Convert(std::string_view in, const char* from, const char* to, std::string_view replacement,
                    bool inputIsUtf8, std::string& out) {
  // Every code page we name keeps the ASCII bytes as they are, and most texts (tag names, units,
  // file names) are nothing else: those need no converter, whose opening costs more than the text.
  if (std::all_of(in.begin(), in.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    out.assign(in.data(), in.size());
    return true;
  }
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, std::size_t(dst - buffer));
    if (rc != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (incomplete at the end): replace and step over the bad input.
    std::size_t skip = 1;
    if (inputIsUtf8) {
      std::string_view rest(src, srcLeft);
      skip = Utf8Next(rest, 0);
    }
    skip = std::min(skip, srcLeft);
    src += skip;
    srcLeft -= skip;
    out.append(replacement);
  }
  // Flush any shift state.
  char* dst = buffer;
  std::size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buffer, std::size_t(dst - buffer));
  iconv_close(cd);
  return true;
}

bool CodePageToUtf8(std::string_view bytes, unsigned codePage, std::string& out) {
  const char* name = IconvName(codePage);
  if (!name) return false;
  if (codePage == 65001) {
    return Convert(bytes, "UTF-8", "UTF-8", "\xEF\xBF\xBD", false, out);
  }
  return Convert(bytes, name, "UTF-8", "\xEF\xBF\xBD", false, out);
}

bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out) {
  const char* name = IconvName(codePage);
  if (!name) return false;
  return Convert(utf8, "UTF-8", name, "?", true, out);
}

std::string Utf16LeToUtf8(const uint8_t* data, std::size_t units) {
  std::u16string s;
  s.reserve(units);
  for (std::size_t i = 0; i < units; ++i) s.push_back(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
  return Utf16ToUtf8(s);
}

static void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // unpaired surrogate
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t next = Utf8Next(s, i);
    std::string_view ch = s.substr(i, next - i);
    uint32_t cp = 0xFFFD;
    if (IsValidUtf8(ch)) {
      unsigned char b = static_cast<unsigned char>(ch[0]);
      cp = ch.size() == 1 ? b : (b & (0x7F >> ch.size()));
      for (std::size_t k = 1; k < ch.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(ch[k]) & 0x3F);
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(char16_t(0xD800 + (cp >> 10)));
      out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(char16_t(cp));
    }
    i = next;
  }
  return out;
}

static std::atomic<uint32_t> g_languageOverride{0xFFFF};

uint16_t LanguageIdFromLocaleName(std::string_view name) {
  std::string code = AsciiLower(name.substr(0, name.find_first_of("_.@")));
  if (code.empty()) return kLangEnglish;
  static const struct {
    const char* iso;
    uint16_t id;
  } kTable[] = {
      {"c", kLangEnglish},    {"posix", kLangEnglish}, {"en", kLangEnglish},   {"de", kLangGerman},
      {"es", kLangSpanish},   {"fr", kLangFrench},     {"it", kLangItalian},   {"ja", kLangJapanese},
      {"ko", kLangKorean},    {"pt", kLangPortuguese}, {"ru", kLangRussian},   {"zh", kLangChinese},
      {"cs", kLangCzech},     {"da", kLangDanish},     {"el", kLangGreek},     {"fi", kLangFinnish},
      {"hu", kLangHungarian}, {"nl", kLangDutch},      {"nb", kLangNorwegian}, {"nn", kLangNorwegian},
      {"no", kLangNorwegian}, {"pl", kLangPolish},     {"sv", kLangSwedish},   {"tr", kLangTurkish},
      {"uk", kLangUkrainian}};
  for (const auto& entry : kTable)
    if (code == entry.iso) return entry.id;
  return kLangNeutral;
}

static uint16_t LanguageFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && *v) return LanguageIdFromLocaleName(v);
  }
  return kLangEnglish;
}

uint16_t SystemLanguageId() {
  uint32_t forced = g_languageOverride.load();
  if (forced != 0xFFFF) return uint16_t(forced);
  static const uint16_t fromEnvironment = LanguageFromEnvironment();
  return fromEnvironment;
}

unsigned SystemAnsiCodePage() {
  switch (SystemLanguageId()) {
    case kLangJapanese:
      return 932;
    case kLangChinese:
      return 936;
    case kLangKorean:
      return 949;
    case kLangRussian:
    case kLangUkrainian:
      return 1251;
    case kLangCzech:
    case kLangHungarian:
    case kLangPolish:
      return 1250;
    case kLangGreek:
      return 1253;
    case kLangTurkish:
      return 1254;
    default:
      return 1252;
  }
}

void SetSystemLanguageOverride(uint16_t langId) { g_languageOverride.store(langId); }

}  // namespace vt
