// VTSingleFileConverter: build, divide and write one converted file (see VTSingleFileConverter.h).
#include "export/VTSingleFileConverter.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "export/ConversionTexts.h"
#include "export/FileConversionFormatterFactory.h"
#include "platform/base/Numbers.h"
#include "store/FolderHelpers.h"

namespace {

constexpr int kSheetRows = 65536;
constexpr int kSheetColumns = 256;
// Sample rows built at a time when the formatter streams.
constexpr int kWindowRows = 4096;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// One cell through the writer; false when the writer refused it.
bool WriteCell(ConversionWriter& writer, int row, int column, const MultiTypeDataEntry& e) {
  switch (e.kind) {
    case MTD_TEXT:
      return writer.WriteString(row, column, e.text) == FCONV_OK;
    case MTD_DATE:
      return writer.WriteDate(row, column, e.intValue) == FCONV_OK;
    case MTD_TIME:
      return writer.WriteTime(row, column, e.intValue) == FCONV_OK;
    case MTD_MILLISECONDS:
      return writer.WriteDouble(row, column, e.intValue * 0.001, 3) == FCONV_OK;
    case MTD_NUMBER:
      // A value beyond what a cell can hold is shown as over the range.
      if (!std::isfinite(e.doubleValue))
        return writer.WriteString(row, column, vtexport::text::kOverPlus) == FCONV_OK;
      return writer.WriteDouble(row, column, e.doubleValue, e.decimals) == FCONV_OK;
    case MTD_INTEGER:
      return writer.WriteDouble(row, column, e.intValue, 0) == FCONV_OK;
    case MTD_LARGE_INTEGER:
      return writer.WriteDouble(row, column, double(e.largeValue), 0) == FCONV_OK;
    default:
      return true;
  }
}

}  // namespace

VTSingleFileConverter::VTSingleFileConverter(const std::string& destination, const std::string& source,
                                             int formatFlag, int step)
    : source_(source),
      destination_(destination),
      format_(formatFlag != 0 ? FILE_FORMAT_TEXT : FILE_FORMAT_EXCEL97),
      step_(step == 0 ? 1 : step) {
  if (destination_.empty() || !IsSeparator(destination_.back())) destination_ += '/';
  std::string guid;
  NewGuidString(guid);
  mutex_.Create("VTSingleFileConverter_MTX_ " + guid);
}

VTSingleFileConverter::~VTSingleFileConverter() {
  mutex_.Close();
  current_.reset();
}

std::string VTSingleFileConverter::GetTitle(const std::string& path) {
  size_t sep = path.find_last_of("/\\");
  if (sep == std::string::npos) return "";
  std::string name = path.substr(sep + 1);
  const std::string extension = GetExtension(path);
  if (extension.empty()) return name;
  const std::string suffix = "." + extension;
  if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.resize(name.size() - suffix.size());
  return name;
}

std::string VTSingleFileConverter::SheetName(FILE_FORMAT_TYPE format,
                                             const std::vector<std::string>& captions) {
  if (format != FILE_FORMAT_EXCEL97 || captions.empty()) return "";
  if (captions.size() == 1) return captions.front();
  return captions.front() + "-" + captions.back();
}

void VTSingleFileConverter::SetCurrentFormatter(std::shared_ptr<IFileConversionFormatter> formatter) {
  vt::CVTSyncGuard guard(&mutex_);
  current_ = std::move(formatter);
}

void VTSingleFileConverter::ClearCurrentFormatter() {
  vt::CVTSyncGuard guard(&mutex_);
  current_.reset();
}

void VTSingleFileConverter::Cancel() {
  cancel_ = true;
  vt::CVTSyncGuard guard(&mutex_);
  if (current_) current_->Cancel();
}

template <class Piece>
bool VTSingleFileConverter::WritePiece(ConversionWriter& writer, const Piece& piece) {
  bool stopped = false;
  piece.ForEachCell([&](int row, int column, const MultiTypeDataEntry& entry) {
    if (cancel_) {
      stopped = true;
      return false;
    }
    WriteCell(writer, row, column, entry);
    return true;
  });
  return !stopped;
}

int VTSingleFileConverter::Convert() {
  std::shared_ptr<IFileConversionFormatter> formatter =
      formatterFactory_ ? formatterFactory_(source_)
                        : CreateFormatterForPath(GetFormatterRegistry(), source_);
  auto table = std::make_unique<CaptionableDividableTable>();
  SetCurrentFormatter(formatter);
  bool built = false;
  const bool streams = formatter && formatter->Streams();
  try {
    built = formatter &&
            (streams ? formatter->BuildMainFrame(*table, step_) : formatter->BuildMainTable(*table, step_));
  } catch (const std::bad_alloc&) {
    // A file too large for the memory left fails its job; the program and the queue go on.
    built = false;
  }
  ClearCurrentFormatter();
  if (!built) return cancel_ ? vt::CONVERT_CANCELLED : vt::CONVERT_FAILED;

  std::unique_ptr<ConversionWriter> writer =
      writerFactory_ ? writerFactory_() : std::unique_ptr<ConversionWriter>(new FormshiftWriter);
  try {
    return WriteFiles(*table, formatter, *writer, streams);
  } catch (const std::bad_alloc&) {
    ClearCurrentFormatter();
    writer->DeleteConvertedFile();
    return vt::CONVERT_FAILED;
  }
}

bool VTSingleFileConverter::WriteStreamedPiece(ConversionWriter& writer, const TablePiece& piece,
                                               const std::shared_ptr<IFileConversionFormatter>& formatter) {
  DataTable window;
  int windowStart = 0, windowEnd = 0;  // the table rows the window holds
  bool stopped = false;
  // The window of rows from the one asked on, within the piece's rows, built when the walk leaves
  // the one before.
  auto rows = [&](int tableRow, int* row) -> const DataTable* {
    if (tableRow < windowStart || tableRow >= windowEnd) {
      windowStart = tableRow;
      windowEnd = std::max(tableRow + 1, std::min(tableRow + kWindowRows, piece.RowEnd()));
      SetCurrentFormatter(formatter);
      const bool built =
          formatter->BuildDataRows(window, windowStart, windowEnd, piece.ColumnStart(), piece.ColumnEnd());
      ClearCurrentFormatter();
      if (!built) {
        window.Clear();
        stopped = true;
      }
    }
    *row = tableRow - windowStart;
    return &window;
  };
  piece.ForEachCellWithRows(rows, [&](int row, int column, const MultiTypeDataEntry& entry) {
    if (cancel_ || stopped) {
      stopped = true;
      return false;
    }
    WriteCell(writer, row, column, entry);
    return true;
  });
  return !stopped;
}

int VTSingleFileConverter::WriteFiles(const CaptionableDividableTable& table,
                                      const std::shared_ptr<IFileConversionFormatter>& formatter,
                                      ConversionWriter& writer, bool streams) {
  const bool workbook = format_ == FILE_FORMAT_EXCEL97;
  const CaptionableDividableTable::CaptionedGrid grid =
      workbook ? table.Divide(kSheetRows, kSheetColumns) : table.Divide(0, 0);

  const std::string extension = workbook ? ".xls" : ".txt";
  const std::string title = GetTitle(source_);
  if (!grid.empty()) CreateFolderTree(destination_);
  bool failed = false;
  for (size_t b = 0; b < grid.size() && !cancel_ && !failed; ++b) {
    const std::string path = grid.size() == 1
                                 ? destination_ + title + extension
                                 : destination_ + title + vt::FormatC("_%04d", int(b + 1)) + extension;
    if (writer.Open(format_, path) != FCONV_OK) {
      failed = true;
      break;
    }
    for (size_t j = 0; j < grid[b].size() && !cancel_; ++j) {
      std::string name = SheetName(format_, grid[b][j].columnCaptions);
      // A sheet needs a name: a piece without captions is named by its place in the row band.
      if (workbook && name.empty()) name = vt::FormatC("%d", int(j + 1));
      if (writer.AddSheet(name) != FCONV_OK) {
        failed = true;
        break;
      }
      if (streams)
        WriteStreamedPiece(writer, grid[b][j].piece, formatter);
      else
        WritePiece(writer, grid[b][j].piece);
    }
    if (failed) break;
    // The alarm and mark lists go, undivided, into the first file only.
    auto addList = [&](bool (IFileConversionFormatter::*build)(CaptionableDividableTable&),
                       const vtexport::text::NumberedText& name) {
      CaptionableDividableTable list;
      SetCurrentFormatter(formatter);
      const bool listBuilt = (formatter.get()->*build)(list);
      ClearCurrentFormatter();
      if (!listBuilt) return true;
      if (writer.AddSheet(vtexport::text::Load(name)) != FCONV_OK) return false;
      WritePiece(writer, list);
      return true;
    };
    if (b == 0) {
      if (cancel_) break;
      if (!addList(&IFileConversionFormatter::BuildAlarmList, vtexport::text::kAlarmList)) {
        failed = true;
        break;
      }
      if (cancel_) break;
      if (!addList(&IFileConversionFormatter::BuildMarkList, vtexport::text::kMarkList)) {
        failed = true;
        break;
      }
    }
    if (writer.Close() != FCONV_OK) failed = true;
  }
  if (cancel_ || failed) {
    writer.DeleteConvertedFile();
    return cancel_ ? vt::CONVERT_DONE : vt::CONVERT_FAILED;
  }
  for (unsigned i = 0; i < writer.GetConvertedFileNum(); ++i)
    AddConvertedFile(writer.GetConvertedFilePath(i));
  return vt::CONVERT_DONE;
}
