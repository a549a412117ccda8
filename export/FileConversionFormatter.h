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
#include <vector>

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

  // A formatter that streams builds the main table without the rows of its samples (the frame:
  // every other cell, the areas, and the extent of the whole table) and then hands those rows out
  // a window at a time, so that a conversion holds one window of samples, not the whole file. The
  // cells are those BuildMainTable gives.
  virtual bool Streams() const { return false; }
  virtual bool BuildMainFrame(CaptionableDividableTable& table, int step) {
    return BuildMainTable(table, step);
  }
  // The cells of the frame's table rows [rowStart, rowEnd) that lie left of the first data column
  // or in the data columns [columnStart, columnEnd), into window at row - rowStart (the window is
  // emptied first). False when cancelled.
  virtual bool BuildDataRows(DataTable& window, int rowStart, int rowEnd, int columnStart, int columnEnd) {
    (void)window, (void)rowStart, (void)rowEnd, (void)columnStart, (void)columnEnd;
    return false;
  }

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
  bool Streams() const override { return true; }
  bool BuildMainFrame(CaptionableDividableTable& table, int step) override;
  bool BuildDataRows(DataTable& window, int rowStart, int rowEnd, int columnStart, int columnEnd) override;
  bool BuildAlarmList(CaptionableDividableTable& table) override;
  bool BuildMarkList(CaptionableDividableTable& table) override;

 protected:
  // The header and the batch section, the cursor left below them; false when the file is not open.
  bool BuildAboveData(CaptionableDividableTable& table);
  virtual void BuildHeader(CaptionableDividableTable& table);
  virtual void BuildBatchSection(CaptionableDividableTable& table);
  virtual void BuildBatchText(CaptionableDividableTable& table);
  virtual void BuildBatchComment(CaptionableDividableTable& table);
  virtual bool BuildData(CaptionableDividableTable& table, int step);
  // The data section without its sample rows: captions, channel labels, the areas; fills layout_.
  bool BuildDataFrame(CaptionableDividableTable& table, int step);
  // The sample cells of table rows [rowStart, rowEnd) (time columns, and the channels whose columns
  // meet [columnStart, columnEnd)) into out at row - rowBase. False when cancelled.
  bool FillDataRows(DataTable& out, int rowStart, int rowEnd, int columnStart, int columnEnd, int rowBase);

  std::shared_ptr<VTFileAccessFacade> facade_;
  // Where the data section lies, from its frame: first row and column, record step, records, and
  // each channel's first column, number of value lists and decimals.
  struct DataLayout {
    int row = 0;
    int column = 0;
    int step = 1;
    int records = 0;
    std::vector<int> channelColumns;
    std::vector<int> channelLists;
    std::vector<int16_t> channelDecimals;
  };
  DataLayout layout_;
  std::vector<int32_t> seconds_, milliseconds_;  // the record times of a window
  std::vector<SSampleValue> entries_[2];         // one channel's entries of a window
};

// The formatter of the older file types; it builds the same tables.
class VTQRFileConversionFormatter : public VTDataFileConversionFormatter {
 public:
  using VTDataFileConversionFormatter::VTDataFileConversionFormatter;
  ~VTQRFileConversionFormatter() override = default;
};
