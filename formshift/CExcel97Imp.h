// CExcel97Imp: the spreadsheet output, one workbook per Open through the workbook writer.
//
// The workbook is written under the first free name derived from the requested path; each
// AddSheet starts a sheet, and cells pass on with their 0-based positions made 1-based. Dates
// and times become date-and-time cells of the display zone that show either the date or the
// time. Close reports a workbook that did not reach its file (a write error discarded it, the
// folder cannot take it, it had no sheet) as a failure and logs only a file that exists.
#pragma once
#include <string>

#include "formshift/IFileConverterImp.h"
#include "sheetwright/Sheetwright.h"

class CExcel97Imp : public IFileConverterImp {
 public:
  CExcel97Imp() = default;
  ~CExcel97Imp() override;
  CExcel97Imp(const CExcel97Imp&) = delete;
  CExcel97Imp& operator=(const CExcel97Imp&) = delete;

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
  int WriteDateTime(int row, int column, int32_t seconds, int format);

  ExcelWorkbook* m_workbook = nullptr;
  int m_sheet = -1;
  bool m_singleFile = false;
  std::string m_path;  // where the open workbook will be written; empty when none
};
