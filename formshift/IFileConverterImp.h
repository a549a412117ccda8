// IFileConverterImp: one output format behind CFileConverter.
//
// An output is made for one Open and deleted after its Close. Every operation answers 0 for
// success and 1 for failure. The finished-file list holds the files that the output completed,
// in order; CFileConverter moves them into its log after Close.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formshift/CFileConverter.h"

class IFileConverterImp {
 public:
  virtual ~IFileConverterImp() = default;
  virtual int Open(FILE_FORMAT_TYPE type, const char* path, bool singleFile) = 0;
  virtual int Close() = 0;
  virtual int Init(int rows, int columns) = 0;
  virtual int AddSheet(const char* name) = 0;
  virtual int WriteString(int row, int column, const char* text) = 0;
  virtual int WriteDate(int row, int column, int32_t seconds) = 0;
  virtual int WriteTime(int row, int column, int32_t seconds) = 0;
  virtual int WriteDouble(int row, int column, double value, short decimals) = 0;
  virtual int WriteExp(int row, int column, double value, short decimals) = 0;

  std::vector<std::string> m_finishedFiles;
};
