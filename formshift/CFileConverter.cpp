// CFileConverter: the front end over the two outputs, the converted-file log and the name
// cleaning (see CFileConverter.h).
#include "formshift/CFileConverter.h"

#include <cassert>
#include <cstring>
#include <string_view>

#include "formshift/CExcel97Imp.h"
#include "formshift/CFileConvert32Imp.h"
#include "formshift/IFileConverterImp.h"
#include "formshift/OutputNames.h"
#include "formshift/WrappedVecorString.h"
#include "platform/base/FileSystem.h"
#include "sheetwright/Sheetwright.h"

namespace {

// Copies src into dst and replaces every character of the set. Texts are UTF-8, whose
// multi-byte sequences never hold an ASCII byte, so a byte search never hits part of one.
bool ReplaceCharacters(const char* src, char* dst, std::string_view set) {
  if (!src || !dst) return false;
  std::memmove(dst, src, std::strlen(src) + 1);
  if (!*dst) return false;
  for (char* p = dst; *p; ++p)
    if (set.find(*p) != std::string_view::npos) *p = '_';
  return true;
}

}  // namespace

CFileConverter::CFileConverter() : m_pConvertedFiles(new WrappedVecorString), m_pOutput(nullptr) {}

CFileConverter::CFileConverter(const CFileConverter& other)
    : m_pConvertedFiles(new WrappedVecorString(*other.m_pConvertedFiles)), m_pOutput(nullptr) {}

CFileConverter& CFileConverter::operator=(const CFileConverter& other) {
  if (this != &other) m_pConvertedFiles->paths = other.m_pConvertedFiles->paths;
  return *this;
}

CFileConverter::~CFileConverter() {
  Close();
  delete m_pConvertedFiles;
}

FCONV_ECODE CFileConverter::Open(FILE_FORMAT_TYPE type, const char* path, bool singleFile) {
  // An output left open is finished first, so that it neither holds a workbook for good nor
  // loses its files from the log.
  if (m_pOutput) Close();
  if (type == FILE_FORMAT_EXCEL97) {
    excel_select_codepage(0);
    m_pOutput = new CExcel97Imp;
  } else {
    m_pOutput = new CFileConvert32Imp;
  }
  return m_pOutput->Open(type, path, singleFile) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::Close() {
  if (!m_pOutput) return FCONV_ERROR;
  const int result = m_pOutput->Close();
  std::vector<std::string>& log = m_pConvertedFiles->paths;
  log.insert(log.end(), m_pOutput->m_finishedFiles.begin(), m_pOutput->m_finishedFiles.end());
  delete m_pOutput;
  m_pOutput = nullptr;
  return result == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::Init(int rows, int cols) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->Init(rows, cols) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::AddSheet(const char* name) {
  if (!m_pOutput || !name || std::strlen(name) >= formshift::kMaxPath) return FCONV_ERROR;
  char sheetName[formshift::kMaxPath];
  char fileName[formshift::kMaxPath];
  // An empty name stays empty; the output decides what it means.
  ReplaceUnusableCharOnExcelSheetName(name, sheetName);
  ReplaceUnusableCharOnFileName(sheetName, fileName);
  // Each replacement is one byte for one, so both names are as long as the one given.
  assert(std::strlen(sheetName) == std::strlen(name) && std::strlen(fileName) == std::strlen(name));
  return m_pOutput->AddSheet(fileName) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::WriteString(int row, int col, const char* text) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->WriteString(row, col, text) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::WriteDate(int row, int col, int32_t time) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->WriteDate(row, col, time) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::WriteTime(int row, int col, int32_t time) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->WriteTime(row, col, time) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::WriteDouble(int row, int col, double value, short decimals) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->WriteDouble(row, col, value, decimals) == 0 ? FCONV_OK : FCONV_ERROR;
}

FCONV_ECODE CFileConverter::WriteExp(int row, int col, double value, short decimals) {
  if (!m_pOutput) return FCONV_ERROR;
  return m_pOutput->WriteExp(row, col, value, decimals) == 0 ? FCONV_OK : FCONV_ERROR;
}

bool CFileConverter::ReplaceUnusableCharOnExcelSheetName(const char* src, char* dst) {
  return ReplaceCharacters(src, dst, ":\\/?*[]'");
}

bool CFileConverter::ReplaceUnusableCharOnFileName(const char* src, char* dst) {
  return ReplaceCharacters(src, dst, "\\/:*?\"<>|");
}

unsigned CFileConverter::GetConvertedFileNum() { return unsigned(m_pConvertedFiles->paths.size()); }

const char* CFileConverter::GetCovnertedFilePath(unsigned index) {
  const std::vector<std::string>& log = m_pConvertedFiles->paths;
  return index < log.size() ? log[index].c_str() : nullptr;
}

FCONV_ECODE CFileConverter::ResetConvertedFileLog() {
  m_pConvertedFiles->paths.clear();
  return FCONV_OK;
}

FCONV_ECODE CFileConverter::DeleteConvertedFile() {
  Close();
  for (const std::string& path : m_pConvertedFiles->paths) vt::DeleteFile(path);
  m_pConvertedFiles->paths.clear();
  return FCONV_OK;
}
