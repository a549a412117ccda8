// ConversionWriter: the calls through which a conversion writes its output files. The program's
// writer passes them to the converter of the conversion library one to one; tests put a writer
// in its place that records the calls or refuses one of them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "formshift/CFileConverter.h"

class ConversionWriter {
 public:
  virtual ~ConversionWriter() = default;
  virtual FCONV_ECODE Open(FILE_FORMAT_TYPE type, const std::string& path) = 0;
  virtual FCONV_ECODE AddSheet(const std::string& name) = 0;
  virtual FCONV_ECODE WriteString(int row, int column, const std::string& text) = 0;
  virtual FCONV_ECODE WriteDate(int row, int column, int32_t seconds) = 0;
  virtual FCONV_ECODE WriteTime(int row, int column, int32_t seconds) = 0;
  virtual FCONV_ECODE WriteDouble(int row, int column, double value, short decimals) = 0;
  virtual FCONV_ECODE Close() = 0;
  virtual FCONV_ECODE DeleteConvertedFile() = 0;
  virtual unsigned GetConvertedFileNum() = 0;
  virtual std::string GetConvertedFilePath(unsigned index) = 0;
};

// The program's writer: one CFileConverter.
class FormshiftWriter : public ConversionWriter {
 public:
  FCONV_ECODE Open(FILE_FORMAT_TYPE type, const std::string& path) override {
    return converter_.Open(type, path.c_str(), false);
  }
  FCONV_ECODE AddSheet(const std::string& name) override { return converter_.AddSheet(name.c_str()); }
  FCONV_ECODE WriteString(int row, int column, const std::string& text) override {
    return converter_.WriteString(row, column, text.c_str());
  }
  FCONV_ECODE WriteDate(int row, int column, int32_t seconds) override {
    return converter_.WriteDate(row, column, seconds);
  }
  FCONV_ECODE WriteTime(int row, int column, int32_t seconds) override {
    return converter_.WriteTime(row, column, seconds);
  }
  FCONV_ECODE WriteDouble(int row, int column, double value, short decimals) override {
    return converter_.WriteDouble(row, column, value, decimals);
  }
  FCONV_ECODE Close() override { return converter_.Close(); }
  FCONV_ECODE DeleteConvertedFile() override { return converter_.DeleteConvertedFile(); }
  unsigned GetConvertedFileNum() override { return converter_.GetConvertedFileNum(); }
  std::string GetConvertedFilePath(unsigned index) override {
    const char* path = converter_.GetCovnertedFilePath(index);
    return path ? path : "";
  }

 private:
  CFileConverter converter_;
};
