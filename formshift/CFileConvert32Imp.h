// CFileConvert32Imp: the text outputs, written through the Formcast32 library.
//
// In multi-sheet mode (the program's only use) every sheet becomes a file of its own, named
// from the opened path and the sheet name ("data.txt" and sheet "1" give "data_1.txt"; an
// empty sheet name gives "data.txt"), under the first free name. Each AddSheet closes the
// previous file and logs it; Close closes the last. Dates and times are written as the quoted
// texts "2010/05/10" and "09:00:00" of the display zone. In single-file mode Open opens the
// path itself, AddSheet is refused and nothing is logged.
#pragma once
#include <string>

#include "formshift/IFileConverterImp.h"

class CFileConvert32Imp : public IFileConverterImp {
 public:
  CFileConvert32Imp() = default;
  ~CFileConvert32Imp() override;
  CFileConvert32Imp(const CFileConvert32Imp&) = delete;
  CFileConvert32Imp& operator=(const CFileConvert32Imp&) = delete;

  int Open(FILE_FORMAT_TYPE type, const char* path, bool singleFile) override;
  int Close() override;
  int Init(int rows, int columns) override;
  int AddSheet(const char* name) override;
  int WriteString(int row, int column, const char* text) override;
  int WriteDate(int row, int column, int32_t seconds) override;
  int WriteTime(int row, int column, int32_t seconds) override;
  int WriteDouble(int row, int column, double value, short decimals) override;
  int WriteExp(int row, int column, double value, short decimals) override;

 private:
  // Closes the open file (none: 0) and logs it when it exists. 1 when the close failed.
  int CloseFile();
  int WriteDisplayText(int row, int column, int32_t seconds, bool date);

  std::string m_basePath;
  int m_rows = 0;
  int m_columns = 0;
  short m_handle = -1;
  short m_kind = 0;
  bool m_singleFile = false;
  std::string m_path;  // the open file; empty when none or when it is not to be logged
};
