// CFileConvert32Imp: the text outputs (see CFileConvert32Imp.h).
#include "formshift/CFileConvert32Imp.h"

#include <cstring>

#include "formcast32/Formcast32.h"
#include "formshift/OutputNames.h"
#include "formshift/SharedTimeZone.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"

CFileConvert32Imp::~CFileConvert32Imp() { Close(); }

int CFileConvert32Imp::Open(FILE_FORMAT_TYPE type, const char* path, bool singleFile) {
  m_singleFile = singleFile;
  switch (type) {
    case FILE_FORMAT_KIND33:
      m_kind = 33;
      break;
    case FILE_FORMAT_KIND3:
      m_kind = 3;
      break;
    case FILE_FORMAT_TEXT:
      m_kind = 4;
      break;
    default:
      return 1;
  }
  if (!path || std::strlen(path) >= formshift::kMaxPath) return 1;
  m_basePath = path;
  if (!singleFile) return 0;
  // The one file of single-file mode is the path itself and is not logged.
  m_handle = FCvtOpen(path, m_kind);
  return m_handle == -1 ? 1 : 0;
}

int CFileConvert32Imp::CloseFile() {
  // Formcast32 frees a handle at every close, failed or not: keeping it would let a later close
  // reach a file that another converter opened under the same number.
  const bool closed = FCvtClose(m_handle) == 0;
  m_handle = -1;
  if (!closed) {
    m_path.clear();  // an incomplete file is not logged
    return 1;
  }
  int result = 0;
  if (!m_path.empty()) {
    if (vt::FileExists(m_path))
      m_finishedFiles.push_back(m_path);
    else
      result = 1;
  }
  m_path.clear();
  return result;
}

int CFileConvert32Imp::Close() {
  if (CloseFile() != 0) return 1;
  m_basePath.clear();
  m_rows = 0;
  m_columns = 0;
  return 0;
}

int CFileConvert32Imp::Init(int rows, int columns) {
  m_rows = rows;
  m_columns = columns;
  if (m_singleFile) return FCvtInit(m_handle, 0, 0, rows, columns) == 0 ? 0 : 1;
  return 0;
}

int CFileConvert32Imp::AddSheet(const char* name) {
  if (m_singleFile || !name || m_basePath.size() >= formshift::kMaxPath) return 1;
  if (m_handle != -1 && CloseFile() != 0) return 1;
  std::string stem, extension, candidate;
  if (!formshift::SplitExtension(m_basePath, stem, extension)) return 1;
  const std::string sheetPart = *name ? std::string("_") + name : std::string();
  if (stem.size() + sheetPart.size() + extension.size() >= formshift::kMaxPath) return 1;
  // The output is a new file made here: never an existing one, never through a link.
  if (!formshift::ClaimFreeName(stem, sheetPart, extension, candidate)) return 1;
  m_handle = FCvtOpen(candidate.c_str(), m_kind);
  if (m_handle == -1) {
    vt::DeleteFile(candidate);
    return 1;
  }
  // A file whose size is refused stays open until the next close but is not logged.
  if (FCvtInit(m_handle, 0, 0, m_rows, m_columns) != 0) return 1;
  m_path = candidate;
  return 0;
}

int CFileConvert32Imp::WriteString(int row, int column, const char* text) {
  if (!text) return 1;
  return FCvtWriteString(m_handle, row, column, text) == 0 ? 0 : 1;
}

int CFileConvert32Imp::WriteDisplayText(int row, int column, int32_t seconds, bool date) {
  vt::SystemTime local;
  {
    formshift::SharedTimeZone zone;
    if (!zone.DisplayTime(seconds, &local)) return 1;
  }
  const std::string text = date
                               ? vt::FormatC("\"%04d/%02d/%02d\"", local.wYear, local.wMonth, local.wDay)
                               : vt::FormatC("\"%02d:%02d:%02d\"", local.wHour, local.wMinute, local.wSecond);
  return WriteString(row, column, text.c_str());
}

int CFileConvert32Imp::WriteDate(int row, int column, int32_t seconds) {
  return WriteDisplayText(row, column, seconds, true);
}

int CFileConvert32Imp::WriteTime(int row, int column, int32_t seconds) {
  return WriteDisplayText(row, column, seconds, false);
}

int CFileConvert32Imp::WriteDouble(int row, int column, double value, short decimals) {
  return FCvtWriteDouble(m_handle, row, column, value, decimals) == 0 ? 0 : 1;
}

int CFileConvert32Imp::WriteExp(int row, int column, double value, short decimals) {
  return FCvtWriteExp(m_handle, row, column, value, decimals) == 0 ? 0 : 1;
}
