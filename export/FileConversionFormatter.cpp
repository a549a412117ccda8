// Conversion formatters: the layout of the main table, the alarm list and the mark list.
#include "export/FileConversionFormatter.h"

#include <algorithm>
#include <climits>

#include "export/ConversionTexts.h"
#include "platform/base/Numbers.h"

namespace t = vtexport::text;

namespace {

void Split(const TickTime& time, int32_t* seconds, int32_t* milliseconds) {
  time.SplitTime(seconds, milliseconds);
}

// Date, time and milliseconds of one time in three cells from column c on.
void SetTimeCells(DataTable& table, int r, int c, int32_t seconds, int32_t milliseconds) {
  table.SetCellDate(r, c, seconds);
  table.SetCellTime(r, c + 1, seconds);
  table.SetCellMilliseconds(r, c + 2, milliseconds);
}

}  // namespace

VTDataFileConversionFormatter::VTDataFileConversionFormatter(const std::string& path)
    : IFileConversionFormatter(path), facade_(std::make_shared<VTFileAccessFacade>(path)) {}

bool VTDataFileConversionFormatter::BuildAboveData(CaptionableDividableTable& table) {
  if (!facade_->IsOpen()) return false;
  table.name.clear();
  BuildHeader(table);
  table.cursorRow = table.GetLastRow() + 2;
  if (facade_->Reader()->HasBatchInfo()) {
    BuildBatchSection(table);
    table.cursorRow = table.GetLastRow() + 2;
  }
  return true;
}

bool VTDataFileConversionFormatter::BuildMainTable(CaptionableDividableTable& table, int step) {
  if (!BuildAboveData(table)) return false;
  BuildData(table, step);  // a cancelled build still answers true; the converter sees the cancel
  return true;
}

void VTDataFileConversionFormatter::BuildHeader(CaptionableDividableTable& table) {
  CVTDataFileAccess* reader = facade_->Reader();
  const int R = table.cursorRow, K = table.cursorColumn;
  table.SetCellText(R, K, t::kTitle);
  const struct {
    int row;
    const char* label;
    std::string value;
  } texts[] = {{2, t::kBatchName, facade_->GetBatchNameText()},
               {3, t::kFileMessage, facade_->GetHeaderText()},
               {4, t::kInstrumentType, facade_->GetInstrumentType()},
               {5, t::kSerialNo, facade_->GetSerialNo()},
               {7, t::kTimeCorrection, facade_->GetTimeCorrectionText()}};
  for (const auto& line : texts) {
    table.SetCellText(R + line.row, K, line.label);
    table.SetCellText(R + line.row, K + 1, line.value);
  }
  TickTime start, end;
  reader->GetStartTime(&start);
  reader->GetEndTime(&end);
  int32_t s = 0, ms = 0;
  table.SetCellText(R + 8, K, t::kStartTime);
  Split(start, &s, &ms);
  SetTimeCells(table, R + 8, K + 1, s, ms);
  table.SetCellText(R + 9, K, t::kEndTime);
  Split(end, &s, &ms);
  SetTimeCells(table, R + 9, K + 1, s, ms);
  table.SetCellText(R + 10, K, t::kStartCond);
  table.SetCellText(R + 10, K + 1, facade_->GetStartConditionText());
  table.SetCellText(R + 11, K, t::kEndCond);
  table.SetCellText(R + 11, K + 1, facade_->GetEndConditionText());
  table.SetCellText(R + 12, K, t::kNumberOfTags);
  table.SetCellInteger(R + 12, K + 1, reader->GetChannelCount());
  int64_t first = 0, last = 0;
  reader->GetStartDataNo(&first);
  reader->GetEndDataNo(&last);
  table.SetCellText(R + 13, K, t::kDataCount);
  table.SetCellLargeInteger(R + 13, K + 1, last - first + 1);
  table.SetCellText(R + 14, K, t::kSampleRate);
  table.SetCellMilliseconds(R + 14, K + 1, reader->GetDataInterval());
  table.SetCellText(R + 14, K + 2, t::kSec);
}

void VTDataFileConversionFormatter::BuildBatchSection(CaptionableDividableTable& table) {
  BuildBatchText(table);
  table.cursorRow = table.GetLastRow() + 1;
  BuildBatchComment(table);
}

void VTDataFileConversionFormatter::BuildBatchText(CaptionableDividableTable& table) {
  CVTDataFileAccess* reader = facade_->Reader();
  const int R = table.cursorRow, K = table.cursorColumn;
  for (int n = 0; n < 24; ++n) {
    table.SetCellText(R + n, K, vt::FormatC("%s%d", t::kBatchText, n + 1));
    if (reader->HasBatchText(n)) {
      table.SetCellText(R + n, K + 1, facade_->GetBatchTextTitle(n));
      table.SetCellText(R + n, K + 2, facade_->GetBatchTextBody(n));
    }
  }
}

void VTDataFileConversionFormatter::BuildBatchComment(CaptionableDividableTable& table) {
  CVTDataFileAccess* reader = facade_->Reader();
  const int R = table.cursorRow, K = table.cursorColumn;
  for (int n = 0; n < 3; ++n) {
    table.SetCellText(R + n, K, vt::FormatC("%s%d", t::kBatchComment, n + 1));
    if (reader->GetBatchComment(n, nullptr, nullptr, nullptr) == 0) {
      table.SetCellText(R + n, K + 1, facade_->GetBatchCommentText(n));
      SetTimeCells(table, R + n, K + 2, facade_->GetBatchCommentTime(n),
                   facade_->GetBatchCommentMilliseconds(n));
      table.SetCellText(R + n, K + 5, facade_->GetBatchCommentUser(n));
    }
  }
}

bool VTDataFileConversionFormatter::BuildMainFrame(CaptionableDividableTable& table, int step) {
  if (!BuildAboveData(table)) return false;
  // The sample rows come later; the table spans them already, so that it divides as the whole.
  const DataLayout& l = layout_;
  if (BuildDataFrame(table, step) && l.records > 0) table.ExtendRows(l.row + 5 + (l.records - 1) / l.step);
  return true;
}

bool VTDataFileConversionFormatter::BuildDataRows(DataTable& window, int rowStart, int rowEnd,
                                                  int columnStart, int columnEnd) {
  window.Clear();
  return FillDataRows(window, rowStart, rowEnd, columnStart, columnEnd, rowStart);
}

bool VTDataFileConversionFormatter::BuildData(CaptionableDividableTable& table, int step) {
  if (!BuildDataFrame(table, step)) return false;
  const DataLayout& l = layout_;
  return FillDataRows(table, l.row + 5, l.row + 5 + (l.records + l.step - 1) / l.step, 0, INT_MAX, 0);
}

bool VTDataFileConversionFormatter::BuildDataFrame(CaptionableDividableTable& table, int step) {
  if (step < 1) step = 1;
  const int R = table.cursorRow, K = table.cursorColumn;
  table.captionRow = R;
  table.captionColumn = K;
  table.SetCellText(R, K + 2, t::kChannelNumber);
  table.SetCellText(R + 1, K + 2, t::kTagName);
  table.SetCellText(R + 2, K + 2, t::kTagNo);
  table.SetCellText(R + 3, K + 2, t::kUnit);
  table.SetCellText(R + 4, K, t::kDate);
  table.SetCellText(R + 4, K + 1, t::kTime);
  table.SetCellText(R + 4, K + 2, t::kSec);
  layout_ = DataLayout{};
  layout_.row = R;
  layout_.column = K;
  layout_.step = step;
  layout_.records = facade_->RecordCount();

  int m = 3;
  bool first = true;
  const int channels = facade_->Reader()->GetChannelCount();
  for (int j = 0; j < channels; ++j) {
    if (cancel_) return false;
    std::string number, tag, tagNo, unit;
    int decimals = 0;
    // The first record tells the channel's value lists; the first entry of all starts the data area.
    const int lists = facade_->GetChannelSamples(j, 0, std::min(layout_.records, 1), &number, &tag, &tagNo,
                                                 &unit, &decimals, [&](int, int, int, const SSampleValue&) {
                                                   if (first) {
                                                     table.firstDataRow = R + 5;
                                                     table.firstDataColumn = K + m;
                                                     first = false;
                                                   }
                                                   return false;
                                                 });
    table.SetCellText(R, K + m, number);
    table.SetCellText(R + 1, K + m, tag);
    table.SetCellText(R + 2, K + m, tagNo);
    table.SetCellText(R + 3, K + m, unit);
    table.SetColumnCaption(m, number);
    if (lists == 2) {
      table.SetCellText(R + 4, K + m, t::kMin);
      table.SetCellText(R + 4, K + m + 1, t::kMax);
      table.keepColumns.insert(K + m + 1);
    }
    layout_.channelColumns.push_back(K + m);
    layout_.channelLists.push_back(lists);
    layout_.channelDecimals.push_back(int16_t(decimals));
    m += lists;
  }
  return true;
}

bool VTDataFileConversionFormatter::FillDataRows(DataTable& out, int rowStart, int rowEnd, int columnStart,
                                                 int columnEnd, int rowBase) {
  const DataLayout& l = layout_;
  const int step = l.step;
  const int top = l.row + 5, K = l.column;
  rowStart = std::max(rowStart, top);
  // The records whose rows fall in [rowStart, rowEnd); the first is a multiple of the step.
  const int64_t from = int64_t(rowStart - top) * step;
  const int64_t to = std::min<int64_t>(int64_t(rowEnd - top) * step, l.records);
  if (rowEnd <= rowStart || from >= to) return true;
  const int rows = rowEnd - rowBase;

  // The records are read a run of rows at a time, so that a whole table built at once does not
  // hold a channel's entries twice, and a cancel is seen between runs.
  constexpr int kRunRows = 4096;
  for (int c = 0; c < 3; ++c) out.ReserveColumn(K + c, rows);
  for (int64_t runFrom = from; runFrom < to; runFrom += int64_t(kRunRows) * step) {
    const int first = int(runFrom), count = int(std::min<int64_t>(to - runFrom, int64_t(kRunRows) * step));
    const int row0 = rowStart - rowBase + int((runFrom - from) / step);
    seconds_.clear();
    milliseconds_.clear();
    facade_->GetRecordTimes(first, count, &seconds_, &milliseconds_);
    for (size_t i = 0, row = size_t(row0); i < seconds_.size(); i += size_t(step), ++row)
      SetTimeCells(out, int(row), K, seconds_[i], milliseconds_[i]);

    for (size_t j = 0; j < l.channelColumns.size(); ++j) {
      if (cancel_) return false;
      const int column0 = l.channelColumns[j], lists = l.channelLists[j];
      if (column0 + lists <= columnStart || column0 >= columnEnd) continue;
      const int16_t decimals = l.channelDecimals[j];
      const int got = facade_->GetChannelEntries(int(j), first, count, step, entries_);
      for (int v = 0; v < got; ++v) {
        const int column = column0 + v;
        out.ReserveColumn(column, rows);
        int row = row0;
        for (const SSampleValue& entry : entries_[v]) {
          if (entry.isNumber)
            out.SetCellNumber(row, column, entry.value, decimals);
          else if (entry.text != nullptr)
            out.SetCellText(row, column, entry.text);
          ++row;
        }
      }
    }
  }
  return true;
}

bool VTDataFileConversionFormatter::BuildAlarmList(CaptionableDividableTable& table) {
  if (!facade_->IsOpen()) return false;
  table.name = t::Load(t::kAlarmList);
  const int R = table.cursorRow, K = table.cursorColumn;
  const char* labels[] = {t::kStatus, t::kTagName, t::kTagNo, t::kChannelNumber, t::kLevel, t::kType,
                          t::kDate,   t::kTime,    t::kSec};
  for (int c = 0; c < 9; ++c) table.SetCellText(R, K + c, labels[c]);
  const int count = facade_->Reader()->GetAlarmCount();
  for (int n = 1; n <= count; ++n) {
    if (cancel_) return false;
    std::string tag, tagNo, channel, state, level, type;
    int32_t s = 0, ms = 0;
    facade_->GetAlarm(n - 1, &tag, &tagNo, &channel, &state, &level, &type, &s, &ms);
    const std::string* texts[] = {&state, &tag, &tagNo, &channel, &level, &type};
    for (int c = 0; c < 6; ++c) table.SetCellText(R + n, K + c, *texts[c]);
    SetTimeCells(table, R + n, K + 6, s, ms);
  }
  return true;
}

bool VTDataFileConversionFormatter::BuildMarkList(CaptionableDividableTable& table) {
  if (!facade_->IsOpen()) return false;
  table.name = t::Load(t::kMarkList);
  const int R = table.cursorRow, K = table.cursorColumn;
  const char* labels[] = {t::kDate,    t::kTime,          t::kSec,   t::kTitleColumn,
                          t::kComment, t::kInputUserName, t::kGroup, t::kOperationTime};
  for (int c = 0; c < 8; ++c) table.SetCellText(R, K + c, labels[c]);
  const int count = facade_->Reader()->GetMessageCount();
  for (int n = 1; n <= count; ++n) {
    if (cancel_) return false;
    int32_t s1 = 0, ms1 = 0, s2 = 0, ms2 = 0;
    std::string comment, user, groups;
    facade_->GetMessage(n - 1, &s1, &ms1, &s2, &ms2, &comment, &user, &groups);
    SetTimeCells(table, R + n, K, s1, ms1);
    table.SetCellText(R + n, K + 3, "");
    table.SetCellText(R + n, K + 4, comment);
    table.SetCellText(R + n, K + 5, user);
    table.SetCellText(R + n, K + 6, groups);
    SetTimeCells(table, R + n, K + 7, s2, ms2);
  }
  return true;
}
