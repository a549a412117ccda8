// Conversion formatters: the layout of the main table, the alarm list and the mark list.
#include "export/FileConversionFormatter.h"

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

bool VTDataFileConversionFormatter::BuildMainTable(CaptionableDividableTable& table, int step) {
  if (!facade_->IsOpen()) return false;
  table.name.clear();
  BuildHeader(table);
  table.cursorRow = table.GetLastRow() + 2;
  if (facade_->Reader()->HasBatchInfo()) {
    BuildBatchSection(table);
    table.cursorRow = table.GetLastRow() + 2;
  }
  BuildData(table, step);
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

bool VTDataFileConversionFormatter::BuildData(CaptionableDividableTable& table, int step) {
  if (step < 1) step = 1;
  const unsigned ustep = unsigned(step);
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

  std::vector<int32_t> seconds, milliseconds;
  facade_->GetRecordTimes(&seconds, &milliseconds);
  const int rowEnd = R + 5 + int((seconds.size() + ustep - 1) / ustep);
  for (int c = 0; c < 3; ++c) table.ReserveColumn(K + c, rowEnd);
  for (size_t i = 0; i < seconds.size(); i += ustep)
    SetTimeCells(table, R + 5 + int(i / ustep), K, seconds[i], milliseconds[i]);

  int m = 3;
  bool first = true;
  const int channels = facade_->Reader()->GetChannelCount();
  const int records = facade_->RecordCount();
  for (int j = 0; j < channels; ++j) {
    if (cancel_) return false;
    std::string number, tag, tagNo, unit;
    int decimals = 0;
    bool cancelled = false, labelled = false;
    // Labels go in before the channel's first entry: the pair columns are known from the data.
    auto label = [&](int listCount) {
      table.SetCellText(R, K + m, number);
      table.SetCellText(R + 1, K + m, tag);
      table.SetCellText(R + 2, K + m, tagNo);
      table.SetCellText(R + 3, K + m, unit);
      table.SetColumnCaption(m, number);
      if (listCount == 2) {
        table.SetCellText(R + 4, K + m, t::kMin);
        table.SetCellText(R + 4, K + m + 1, t::kMax);
        table.keepColumns.insert(K + m + 1);
      }
      for (int v = 0; v < listCount; ++v)
        table.ReserveColumn(K + m + v, R + 5 + int((unsigned(records) + ustep - 1) / ustep));
      labelled = true;
    };
    const int lists =
        facade_->GetChannelSamples(j, &number, &tag, &tagNo, &unit, &decimals,
                                   [&](int listCount, int list, int i, const SSampleValue& entry) {
                                     if (cancel_) {
                                       cancelled = true;
                                       return false;
                                     }
                                     if (unsigned(i) % ustep != 0) return true;
                                     if (!labelled) label(listCount);
                                     const int row = R + 5 + int(unsigned(i) / ustep), column = K + m + list;
                                     if (entry.isNumber)
                                       table.SetCellNumber(row, column, entry.value, int16_t(decimals));
                                     else
                                       table.SetCellText(row, column, entry.text);
                                     if (first) {
                                       table.firstDataRow = R + 5;
                                       table.firstDataColumn = K + m;
                                       first = false;
                                     }
                                     return true;
                                   });
    if (cancelled) return false;
    if (!labelled) label(lists);
    m += lists;
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
