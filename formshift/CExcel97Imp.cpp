// CExcel97Imp: the spreadsheet output (see CExcel97Imp.h).
#include "formshift/CExcel97Imp.h"

#include <climits>
#include <cstring>

#include "formshift/OutputNames.h"
#include "formshift/SharedTimeZone.h"
#include "platform/base/FileSystem.h"

namespace {

// The workbook writer counts rows and columns from 1 and refuses 0; a position that has no
// 1-based counterpart becomes 0 so that it is refused there too.
int OneBased(int position) { return position < 0 || position == INT_MAX ? 0 : position + 1; }

constexpr int kDateFormat = 0;  // yyyy/m/d
constexpr int kTimeFormat = 5;  // h:mm:ss

}  // namespace

CExcel97Imp::~CExcel97Imp() { Close(); }

int CExcel97Imp::Open(FILE_FORMAT_TYPE, const char* path, bool singleFile) {
  m_singleFile = singleFile;
  if (m_workbook || !m_path.empty()) Close();
  if (!path || std::strlen(path) >= formshift::kMaxPath) return 1;
  std::string stem, extension, candidate;
  if (!formshift::SplitExtension(path, stem, extension)) return 1;
  if (!formshift::FirstFreeName(stem, "", extension, candidate)) return 1;
  m_workbook = excel_create_file(candidate.c_str());
  if (!m_workbook) return 1;
  if (singleFile) {
    m_sheet = excel_add_sheet(m_workbook, formshift::BareFileName(path).c_str());
    if (m_sheet < 0) return 1;  // the workbook has no sheet and leaves no file at Close
  }
  m_path = candidate;
  return 0;
}

int CExcel97Imp::Close() {
  if (m_workbook) excel_close_file(m_workbook);
  m_workbook = nullptr;
  m_sheet = -1;
  if (m_path.empty()) return 0;
  // The writer reports nothing: the file is there, or the workbook was lost.
  const bool written = vt::FileExists(m_path);
  if (written) m_finishedFiles.push_back(m_path);
  m_path.clear();
  return written ? 0 : 1;
}

int CExcel97Imp::Init(int, int) { return 0; }

int CExcel97Imp::AddSheet(const char* name) {
  if (m_singleFile) return 1;
  m_sheet = excel_add_sheet(m_workbook, name);
  return m_sheet < 0 ? 1 : 0;
}

int CExcel97Imp::WriteString(int row, int column, const char* text) {
  if (!text) return 1;
  if (!*text) return 0;
  return excel_input_string(m_workbook, m_sheet, OneBased(row), OneBased(column), text) == 1 ? 0 : 1;
}

int CExcel97Imp::WriteDateTime(int row, int column, int32_t seconds, int format) {
  vt::SystemTime local;
  {
    formshift::SharedTimeZone zone;
    if (!zone.DisplayTime(seconds, &local)) return 1;
  }
  // Before 1904 the writer refuses the date.
  return excel_input_datetime(m_workbook, m_sheet, OneBased(row), OneBased(column), local.wYear, local.wMonth,
                              local.wDay, local.wHour, local.wMinute, local.wSecond, format) == 1
             ? 0
             : 1;
}

int CExcel97Imp::WriteDate(int row, int column, int32_t seconds) {
  return WriteDateTime(row, column, seconds, kDateFormat);
}

int CExcel97Imp::WriteTime(int row, int column, int32_t seconds) {
  return WriteDateTime(row, column, seconds, kTimeFormat);
}

int CExcel97Imp::WriteDouble(int row, int column, double value, short decimals) {
  return excel_input_value(m_workbook, m_sheet, OneBased(row), OneBased(column), value, decimals) == 1 ? 0
                                                                                                       : 1;
}

int CExcel97Imp::WriteExp(int row, int column, double value, short decimals) {
  return excel_input_exp(m_workbook, m_sheet, OneBased(row), OneBased(column), value, decimals) == 1 ? 0 : 1;
}
