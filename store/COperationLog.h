// COperationLog: the daily operation log of one data storage.
//
// Every import run, the outcome of every imported file, every conversion after import and the
// main window's moves to the deleted data, restores and deletions are written one line each to
// "<log folder>/<database name>/import_YYYYMMDD.log" (local date when the log opens). A line is
// "YYYY/MM/DD hh:mm:ss  " then "L[code] : text" and the argument, ending in CR LF; the texts come
// from one fixed table keyed by the message code (some texts end in a blank, kept before the
// argument). A log that cannot be opened writes nothing, and a failed write is ignored: the log
// never stops an import.
//
// Arguments are names from outside (file names, paths): their control characters are written
// escaped ("\x0D"), so one call is one line and no name can end a line or forge another. A
// storage's log folder is always one folder directly inside the log folder, whatever the
// storage is called.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/AppendFile.h"

namespace vt {

// Message levels and their letters: 0 "E", 1 "W", 2 "I".
enum LOG_LEVEL : int { LOG_LEVEL_ERROR = 0, LOG_LEVEL_WARNING = 1, LOG_LEVEL_INFO = 2 };

// The message codes of the table.
enum LOG_MESSAGE : int {
  LOG_IMPORT = 10301,
  LOG_IMPORTED_ALREADY = 10302,
  LOG_INVALID_FILE = 10303,
  LOG_CRC_ERROR = 10304,
  LOG_COPY_ERROR = 10305,
  LOG_OPEN_ERROR = 10306,
  LOG_EXCEPTION = 10307,
  LOG_INVALID_CHANNEL = 10308,
  LOG_UPDATE = 10309,
  LOG_DELETE = 10310,
  LOG_START_DELETE = 10311,
  LOG_FINISH_DELETE = 10312,
  LOG_START_MANUAL_IMPORT = 10313,
  LOG_START_AUTOMATIC_IMPORT = 10314,
  LOG_START_FILE_OPEN_IMPORT = 10315,
  LOG_FINISH_IMPORT = 10316,
  LOG_DISTURB_IMPORT = 10317,
  LOG_LIMIT_INDEX_FILE = 10318,
  LOG_LIMIT_INSTRUMENTS = 10319,
  LOG_DISK_FULL = 10320,
  LOG_SHARE_VIOLATION = 10321,
  LOG_IMPORT_ERROR = 10322,
  LOG_TRASH = 10323,
  LOG_REVERSE = 10324,
  LOG_CONVERT = 10326,
  LOG_CONVERT_ERROR = 10327,
  // A damaged import list was set aside and made anew (argument: where the old one went).
  LOG_IMPORT_LIST_RECREATED = 10328,
};

}  // namespace vt

// The table row of a code: true with its level and text when the code is known.
bool LookUpLogMessage(int code, int* level, std::string* text);

class COperationLog {
 public:
  // Seconds since 1970 (UTC); the log's clock, replaceable by tests.
  using Clock = std::function<int64_t()>;

  COperationLog();
  ~COperationLog();
  COperationLog(const COperationLog&) = delete;
  COperationLog& operator=(const COperationLog&) = delete;

  // "<log folder>/<database name>/import": the file name is the prefix, "_", the date, ".log".
  void SetPrefix(const std::string& prefix) { prefix_ = prefix; }
  const std::string& GetPrefix() const { return prefix_; }
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // Opens or creates the file of today (local date) for appending; true on success.
  bool Open();
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }
  // The path of the file open now (empty while closed).
  const std::string& GetPath() const { return path_; }
  // One line with an argument; false when nothing was written (closed, unknown code, failure).
  bool WriteWithText(int code, const std::string& text);
  // One line without argument.
  bool Write(int code);

  // The file name for a prefix and a moment: prefix + "_YYYYMMDD.log" of the local date.
  static std::string FileNameFor(const std::string& prefix, int64_t unixSeconds);
  // The folder of a storage's logs: the log folder itself for an empty name, else one folder
  // inside it named after the storage; "/", control characters and the names "." and ".." are
  // written as "%XX" so that the name never leads anywhere else.
  static std::string StorageFolderFor(const std::string& logFolder, const std::string& databaseName);
  // The text as written into a line: control characters as "\xHH" (C1 controls and the two
  // Unicode line separators as "\uHHHH"); everything else as it is.
  static std::string EscapeForLine(const std::string& text);

 private:
  bool WriteLine(int code, const std::string* argument);

  std::string prefix_;
  std::string path_;
  Clock clock_;
  vt::AppendFile file_;
};
