// CFileConverter: the program's one door to converted files (workbooks and text files).
//
// A converter opens one output at a time for a path and a format, takes sheets and cells by
// 0-based row and column, and closes the output. It keeps a log of every output file that it
// finished, which the caller reads back, or uses to delete those files when a conversion is
// cancelled. Every member that opens, writes, closes or deletes answers FCONV_ECODE and reports
// nothing in any other way. Texts are UTF-8 (the system's 8-bit encoding), owned by the caller.
// Dates and times are signed 32-bit seconds since 1970-01-01 00:00:00 UTC and are written in
// the display time zone that the program shares under the name VANTREL_TIMEZONEINFORMATION.
//
// A converter is used by one thread at a time; converters on different threads may write at
// the same time.
#pragma once
#include <cstdint>

#include "platform/base/Export.h"

enum FCONV_ECODE {
  FCONV_OK = 0,
  FCONV_ERROR = 1,
};

enum FILE_FORMAT_TYPE {
  FILE_FORMAT_EXCEL97 = 0,  // spreadsheet workbook
  FILE_FORMAT_KIND33 = 1,
  FILE_FORMAT_KIND3 = 2,
  FILE_FORMAT_TEXT = 3,  // text files, one per sheet
};

class WrappedVecorString;
class IFileConverterImp;

class VT_EXPORT CFileConverter {
 public:
  CFileConverter();
  // A copy takes the paths of the log, never the open output.
  CFileConverter(const CFileConverter& other);
  CFileConverter& operator=(const CFileConverter& other);
  // Closes an open output (its files are finished, the log is lost; the files stay).
  virtual ~CFileConverter();

  // Opens an output of the format at path. An output still open is closed first, so its files
  // are finished and logged. In multi-sheet mode (singleFile false, the program's only use)
  // each AddSheet starts a sheet of a workbook, or a text file named after the path and the
  // sheet. No file is ever overwritten: the first free name is taken.
  FCONV_ECODE Open(FILE_FORMAT_TYPE type, const char* path, bool singleFile);
  // Finishes the output and appends the paths of the files it wrote to the log. 1 when a file
  // could not be completed; only files that exist are logged.
  FCONV_ECODE Close();
  // Announces the size of the sheets to come.
  FCONV_ECODE Init(int rows, int cols);
  // The name has the characters that sheet and file names cannot hold replaced by "_" (both
  // sets); a name of 260 bytes or more is refused.
  FCONV_ECODE AddSheet(const char* name);
  // An empty text writes no cell of a workbook.
  FCONV_ECODE WriteString(int row, int col, const char* text);
  FCONV_ECODE WriteDate(int row, int col, int32_t time);
  FCONV_ECODE WriteTime(int row, int col, int32_t time);
  FCONV_ECODE WriteDouble(int row, int col, double value, short decimals);
  FCONV_ECODE WriteExp(int row, int col, double value, short decimals);

  // Copy src into dst (which must hold it) with each of : \ / ? * [ ] ' replaced by "_".
  // False for an empty name.
  static bool ReplaceUnusableCharOnExcelSheetName(const char* src, char* dst);
  // Copy src into dst (which must hold it) with each of \ / : * ? " < > | replaced by "_".
  // False for an empty name.
  static bool ReplaceUnusableCharOnFileName(const char* src, char* dst);

  unsigned GetConvertedFileNum();
  // The index-th logged path, valid until the log changes; null past the end.
  const char* GetCovnertedFilePath(unsigned index);
  // Empties the log; the files stay. 0.
  FCONV_ECODE ResetConvertedFileLog();
  // Closes an open output, deletes every logged file and empties the log. 0.
  FCONV_ECODE DeleteConvertedFile();

 private:
  WrappedVecorString* m_pConvertedFiles;
  IFileConverterImp* m_pOutput;
};
