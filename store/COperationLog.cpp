// The daily operation log (see COperationLog.h).
#include "store/COperationLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/base/Numbers.h"
#include "platform/base/Paths.h"
#include "platform/base/TimeRuntime.h"

namespace {

struct SLogMessage {
  int code;
  int level;
  const char* text;
};

// The message table, in its fixed order; texts exactly as written to the log.
constexpr SLogMessage kMessages[] = {
    {0, vt::LOG_LEVEL_ERROR, ""},
    {10301, vt::LOG_LEVEL_INFO, "IMPORT: FILE="},
    {10302, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [IMPORTED ALREADY] FILE="},
    {10303, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [INVALID FILE] FILE="},
    {10304, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [CRC ERROR] FILE= "},
    {10305, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [COPY ERROR] FILE= "},
    {10306, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [OPEN ERROR] FILE= "},
    {10307, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [EXCEPTION] FILE= "},
    {10308, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [INVALID CHANNEL] FILE= "},
    {10318, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [LIMIT INDEX FILE]"},
    {10319, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [LIMIT INSTRUMENTS] FILE= "},
    {10320, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [DISK FULL]"},
    {10321, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [SHARE VIOLATION] FILE="},
    {10322, vt::LOG_LEVEL_ERROR, "IMPORT ERROR [ERROR] FILE="},
    {10309, vt::LOG_LEVEL_INFO, "UPDATE: FILE="},
    {10323, vt::LOG_LEVEL_INFO, "TRASH: FILE="},
    {10324, vt::LOG_LEVEL_INFO, "REVERSE: FILE="},
    {10310, vt::LOG_LEVEL_INFO, "DELETE FILE="},
    {10311, vt::LOG_LEVEL_INFO, "START DELETE"},
    {10312, vt::LOG_LEVEL_INFO, "FINISH DELETE"},
    {10313, vt::LOG_LEVEL_INFO, "START MANUAL IMPORT"},
    {10314, vt::LOG_LEVEL_INFO, "START AUTOMATIC IMPORT"},
    {10315, vt::LOG_LEVEL_INFO, "START FILE OPEN IMPORT"},
    {10316, vt::LOG_LEVEL_INFO, "FINISH IMPORT"},
    {10317, vt::LOG_LEVEL_INFO, "DISTURB IMPORT"},
    {10326, vt::LOG_LEVEL_INFO, "CONVERT FILE="},
    {10327, vt::LOG_LEVEL_ERROR, "CONVERT ERROR FILE="},
    {10328, vt::LOG_LEVEL_WARNING, "IMPORT LIST RECREATED FILE="},
};

const char* LevelLetter(int level) {
  switch (level) {
    case vt::LOG_LEVEL_ERROR:
      return "E";
    case vt::LOG_LEVEL_WARNING:
      return "W";
    default:
      return "I";
  }
}

int64_t SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The local breakdown of t; all zero when it cannot be made.
std::tm LocalBreakdown(int64_t t) {
  std::tm tm{};
  if (!vt::RuntimeLocalTime(t, &tm)) tm = std::tm{};
  return tm;
}

}  // namespace

bool LookUpLogMessage(int code, int* level, std::string* text) {
  for (const SLogMessage& m : kMessages) {
    if (m.code != code) continue;
    if (level) *level = m.level;
    if (text) *text = m.text;
    return true;
  }
  return false;
}

COperationLog::COperationLog() : clock_(SystemSeconds) {}

COperationLog::~COperationLog() { Close(); }

std::string COperationLog::StorageFolderFor(const std::string& logFolder, const std::string& databaseName) {
  if (databaseName.empty()) return logFolder;
  std::string component;
  if (databaseName == "." || databaseName == "..") {
    for (std::size_t i = 0; i < databaseName.size(); ++i) component += "%2E";
  } else {
    for (unsigned char c : databaseName) {
      if (c == '/' || c < 0x20 || c == 0x7F)
        component += vt::FormatC("%%%02X", unsigned(c));
      else
        component += char(c);
    }
  }
  return vt::JoinPath(logFolder, component);
}

std::string COperationLog::EscapeForLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    const unsigned char third = i + 2 < text.size() ? static_cast<unsigned char>(text[i + 2]) : 0;
    if (c < 0x20 || c == 0x7F) {
      out += vt::FormatC("\\x%02X", unsigned(c));
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
      // A C1 control in UTF-8; some readers end a line at U+0085.
      out += vt::FormatC("\\u%04X", unsigned(next));
      ++i;
    } else if (c == 0xE2 && next == 0x80 && (third == 0xA8 || third == 0xA9)) {
      // U+2028 and U+2029, the Unicode line and paragraph separators.
      out += vt::FormatC("\\u20%02X", unsigned(third - 0x80));
      i += 2;
    } else {
      out += char(c);
    }
  }
  return out;
}

std::string COperationLog::FileNameFor(const std::string& prefix, int64_t unixSeconds) {
  std::tm tm = LocalBreakdown(unixSeconds);
  char date[32];
  std::snprintf(date, sizeof date, "_%d%02d%02d.log", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return prefix + date;
}

bool COperationLog::Open() {
  Close();
  std::string path = FileNameFor(prefix_, clock_());
  if (!file_.Open(path)) return false;
  path_ = path;
  return true;
}

void COperationLog::Close() {
  file_.Close();
  path_.clear();
}

bool COperationLog::WriteWithText(int code, const std::string& text) { return WriteLine(code, &text); }

bool COperationLog::Write(int code) { return WriteLine(code, nullptr); }

bool COperationLog::WriteLine(int code, const std::string* argument) {
  if (!file_.IsOpen()) return false;
  int level = 0;
  std::string text;
  if (!LookUpLogMessage(code, &level, &text)) return false;
  std::tm tm = LocalBreakdown(clock_());
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d  ", tm.tm_year + 1900, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  std::string message = std::string(LevelLetter(level)) + "[" + std::to_string(code) + "] : " + text;
  if (argument) message += EscapeForLine(*argument);
  message += "\r\n";
  bool ok = file_.Write(stamp);
  return file_.Write(message) && ok;
}
