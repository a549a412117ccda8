// Workbook: one open workbook of the library, the record behind a handle.
//
// It holds the work files (in a work folder of its own below the temp folder, so workbooks
// with the same destination name never meet), the shared string table and, per sheet, the
// sheet's name, its cell work file and the few counts the checks and the close need. Cells go
// straight to the cell work files; Close assembles the workbook file and moves it to the
// destination. Every operation answers one of the result codes of ResultCodes.h; the caller
// decides from the code whether the workbook is discarded.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sheetwright/StringTable.h"
#include "sheetwright/WorkFile.h"

namespace sheetwright {

class Workbook {
 public:
  static constexpr int kMaxSheets = 100;
  static constexpr std::size_t kMaxSheetNameUnits = 31;
  // The Workbook stream stays clear of 2 GiB: its positions and sizes are 32-bit fields that
  // readers take as signed, and a compound document of version 3 holds no larger stream.
  static constexpr uint64_t kStreamLimit = (uint64_t(1) << 31) - (uint64_t(1) << 20);
  // The whole compound document (stream, allocation tables, DIFAT, directory) may not pass
  // 2 GB with 512-byte sectors; the tables add about 1/127 to the stream, so near the top this
  // limit is reached before the stream limit.
  static constexpr uint64_t kFileLimit = uint64_t(1) << 31;

  Workbook();
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  // Creates the work folder and the work files below tempFolder.
  uint32_t Create(const std::string& destination, const std::string& tempFolder);
  uint32_t AddSheet(const std::u16string& name, int& index);
  uint32_t WriteString(int sheet, int row, int column, const std::u16string& text);
  uint32_t WriteNumber(int sheet, int row, int column, double value, int decimals, bool exponent);
  uint32_t WriteDate(int sheet, int row, int column, int year, int month, int day, int format);
  uint32_t WriteTime(int sheet, int row, int column, int hour, int minute, int second, int reserved);
  uint32_t WriteDateTime(int sheet, int row, int column, int year, int month, int day, int hour, int minute,
                         int second, int format);
  // Writes the workbook to its destination and removes the work files. On a failure the
  // caller discards what is left.
  uint32_t Close();
  // Closes and deletes every work file and the work folder.
  void Discard();

  // The size the Workbook stream would have if the workbook were closed now.
  uint64_t ProjectedStreamBytes() const;
  const std::string& WorkFolder() const { return workFolder_; }
  static void SetStreamLimitForTesting(uint64_t limit);
  static void SetFileLimitForTesting(uint64_t limit);
  // Whether a workbook whose Workbook stream has this size stays within both limits.
  static bool WithinLimits(uint64_t streamBytes);

 private:
  struct Sheet {
    std::u16string name;
    std::unique_ptr<WorkFile> cells;
    uint64_t cellsOffset = 0;
    bool hasCells = false;
    uint16_t firstRow = 0;
    uint16_t lastRow = 0;  // 0-based row of the last cell written; 0 for a new sheet
    uint64_t rows = 0;     // rows holding cells
    uint64_t cellBytes = 0;
    uint64_t partBytes = 0;  // the sheet's part of the Workbook stream as it stands
  };

  bool PositionOk(int sheet, int row, int column) const;
  // Bytes by which one more cell of cellBytes in row (0-based) grows the sheet's part.
  static uint64_t GrowthWith(const Sheet& sheet, uint16_t row, uint64_t cellBytes);
  bool Fits(const Sheet& sheet, uint16_t row, uint64_t cellBytes, uint64_t stringBytes) const;
  bool AppendCell(Sheet& sheet, uint16_t row, const uint8_t* record, std::size_t size);
  uint32_t WriteNumberRecord(int sheet, int row, int column, double value, uint16_t xf, uint32_t badCode);
  void UpdateGlobalsBytes();

  std::string destination_;
  std::string tempFolder_;
  std::string workFolder_;
  WorkFile workbookFile_;
  StringTable strings_;
  std::vector<Sheet> sheets_;
  uint64_t globalsBytes_ = 0;  // the globals part without the string table
  uint64_t sheetsBytes_ = 0;   // all sheet parts
};

}  // namespace sheetwright
