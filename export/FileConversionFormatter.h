// Conversion formatters: lay one recorder data file out as tables. The main table holds the file
// header, the batch texts and comments and the samples of every channel; the alarm list and the
// mark (message) list are tables of their own. Every row and column of a converted file is
// decided here; the single-file converter only divides the main table and writes it.
//
// Cancel may come from another thread while a build runs; the building loops poll the flag
// between channels and entries.
#pragma once
#include <atomic>
#include <memory>
#include <string>

#include "export/DataTable.h"
#include "export/VTFileAccessFacade.h"

class IFileConversionFormatter {
 public:
  explicit IFileConversionFormatter(const std::string& path) : path_(path) {}
  virtual ~IFileConversionFormatter() = default;
  virtual bool BuildMainTable(CaptionableDividableTable& table, int step) = 0;
  virtual bool BuildAlarmList(CaptionableDividableTable& table) = 0;
  virtual bool BuildMarkList(CaptionableDividableTable& table) = 0;
  virtual void Cancel() { cancel_ = true; }

  const std::string& Path() const { return path_; }

 protected:
  std::string path_;
  std::atomic<bool> cancel_{false};
};

class VTDataFileConversionFormatter : public IFileConversionFormatter {
 public:
  // Opens the file at once.
  explicit VTDataFileConversionFormatter(const std::string& path);
  ~VTDataFileConversionFormatter() override = default;

  bool BuildMainTable(CaptionableDividableTable& table, int step) override;
  bool BuildAlarmList(CaptionableDividableTable& table) override;
  bool BuildMarkList(CaptionableDividableTable& table) override;

 protected:
  virtual void BuildHeader(CaptionableDividableTable& table);
  virtual void BuildBatchSection(CaptionableDividableTable& table);
  virtual void BuildBatchText(CaptionableDividableTable& table);
  virtual void BuildBatchComment(CaptionableDividableTable& table);
  virtual bool BuildData(CaptionableDividableTable& table, int step);

  std::shared_ptr<VTFileAccessFacade> facade_;
};

// The formatter of the older file types; it builds the same tables.
class VTQRFileConversionFormatter : public VTDataFileConversionFormatter {
 public:
  using VTDataFileConversionFormatter::VTDataFileConversionFormatter;
  ~VTQRFileConversionFormatter() override = default;
};
