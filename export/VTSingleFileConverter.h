// VTSingleFileConverter: converts one recorder data file into a workbook (".xls") or text files
// (".txt"). The formatter for the file's extension builds the main table; the table is divided so
// that every piece fits a sheet, the pieces are written as files and sheets, the alarm and mark
// lists are added to the first file, and the paths written are kept in the converted-file log.
//
// A formatter that streams gives the main table without its sample rows, which are built a window of
// rows at a time while the pieces are written (row by row for text; the columns of one sheet for a
// workbook), so that the memory a conversion takes does not grow with the file.
//
// Cancel may come from another thread while Convert runs: a cancelled conversion stops between
// cells and deletes every file it wrote. A failure of the writer to open, start a sheet or finish
// a file fails the conversion (result 1) and deletes what it wrote; so does a file whose tables
// do not fit in the memory left.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "export/ConversionWriter.h"
#include "export/ConvertedFileLog.h"
#include "export/DataTable.h"
#include "export/FileConversionFormatter.h"
#include "store/VTSyncObject.h"

namespace vt {

enum CONVERT_RESULT : int {
  CONVERT_DONE = 0,
  CONVERT_FAILED = 1,  // the source could not be read, or the output could not be written
  CONVERT_CANCELLED = 42,
};

}  // namespace vt

class VTSingleFileConverter : public CovnertedFileLogManager {
 public:
  using WriterFactory = std::function<std::unique_ptr<ConversionWriter>()>;
  using FormatterFactory = std::function<std::shared_ptr<IFileConversionFormatter>(const std::string& path)>;

  // formatFlag non-zero: text output; step 0 is taken as 1.
  VTSingleFileConverter(const std::string& destination, const std::string& source, int formatFlag, int step);
  ~VTSingleFileConverter() override;

  int Convert();
  void Cancel();

  const std::string& Destination() const { return destination_; }
  FILE_FORMAT_TYPE Format() const { return format_; }
  int Step() const { return step_; }

  // Replace the writer or the formatter (tests: call logs, refused writes, blocking builds).
  void SetWriterFactory(WriterFactory factory) { writerFactory_ = std::move(factory); }
  void SetFormatterFactory(FormatterFactory factory) { formatterFactory_ = std::move(factory); }

  // The output file name parts of a path: the file name without its extension; "" without a
  // folder separator.
  static std::string GetTitle(const std::string& path);
  // The sheet name of a piece: its first and last column captions for a workbook; empty for text.
  static std::string SheetName(FILE_FORMAT_TYPE format, const std::vector<std::string>& captions);

 private:
  void SetCurrentFormatter(std::shared_ptr<IFileConversionFormatter> formatter);
  void ClearCurrentFormatter();
  // Divides the main table and writes every file of it; the result of Convert. A streaming
  // formatter gave the frame only and hands out the sample rows a window at a time.
  int WriteFiles(const CaptionableDividableTable& table,
                 const std::shared_ptr<IFileConversionFormatter>& formatter, ConversionWriter& writer,
                 bool streams);
  // False when a cancel stopped the writing.
  template <class Piece>
  bool WritePiece(ConversionWriter& writer, const Piece& piece);
  // A piece of a frame, its sample rows built window by window as the writing reaches them.
  bool WriteStreamedPiece(ConversionWriter& writer, const TablePiece& piece,
                          const std::shared_ptr<IFileConversionFormatter>& formatter);

  std::string source_;
  std::string destination_;
  FILE_FORMAT_TYPE format_;
  int step_;
  std::atomic<bool> cancel_{false};
  std::shared_ptr<IFileConversionFormatter> current_;
  CVTMutex mutex_;
  WriterFactory writerFactory_;
  FormatterFactory formatterFactory_;
};
