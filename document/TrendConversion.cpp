// The trend conversion of a graph window (see TrendConversion.h).
#include "document/TrendConversion.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "document/CGVantrelAlarmData.h"
#include "document/CGVantrelDoc.h"
#include "document/CGVantrelGroupData.h"
#include "document/CGVantrelMarkData.h"
#include "export/ConversionTexts.h"
#include "formshift/CFileConverter.h"
#include "platform/base/Numbers.h"
#include "recorder/CVTColumns.h"
#include "recorder/RecorderStatus.h"
#include "store/CVTBatch.h"

namespace vt {

namespace txt = vtexport::text;

namespace {

constexpr const char* kGraphName = "Graph name";
constexpr const char* kStopTime = "Stop time";
constexpr const char* kGroupName = "Group Name";

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

void CopyAlarm(const CGVantrelAlarmData& from, CGVantrelAlarmData* to) {
  to->m_time = from.m_time;
  to->m_status = from.m_status;
  to->m_level = from.m_level;
  to->m_type = from.m_type;
  to->m_extra = from.m_extra;
  to->m_channel = from.m_channel;
  to->m_tagName = from.m_tagName;
  to->m_tagNo = from.m_tagNo;
  to->m_channelText = from.m_channelText;
  to->m_nameKind = from.m_nameKind;
}

void CopyMark(const CGVantrelMarkData& from, CGVantrelMarkData* to) {
  to->m_groupMask = from.m_groupMask;
  to->m_label = from.m_label;
  to->m_colour = from.m_colour;
  to->m_markKind = from.m_markKind;
  to->m_time = from.m_time;
  to->m_noteKind = from.m_noteKind;
  to->m_notePosition = from.m_notePosition;
  to->m_noteValue = from.m_noteValue;
  to->m_title = from.m_title;
  to->m_comment = from.m_comment;
  to->m_userName = from.m_userName;
  to->m_operationTime = from.m_operationTime;
  to->m_messageNo = from.m_messageNo;
  to->m_writeGroupMask = from.m_writeGroupMask;
  to->m_batchGuid = from.m_batchGuid;
  to->m_source = from.m_source;
}

// Date, time and seconds of t from column c.
int WriteTimeCells(CFileConverter& out, int row, int c, TickTime t) {
  int32_t seconds = 0, ms = 0;
  t.SplitTime(&seconds, &ms);
  int r = out.WriteDate(row, c, seconds);
  if (r == FCONV_OK) r = out.WriteTime(row, c + 1, seconds);
  if (r == FCONV_OK) r = out.WriteDouble(row, c + 2, ms * 0.001, 3);
  return r;
}

constexpr int64_t kTicksPerMs = 10000;
// Rows written per read of the stored data: every channel's samples of that many rows at once.
constexpr int kChunkRows = 4096;

// The display state of a recorder state, as the channel's block cache maps it.
int SampleState(int recorderState) {
  return recorderState == 0 ? 0 : RecorderStateToSampleStatus(recorderState);
}

// The samples of a group's shown channels over the rows of one chunk. Channels that share a
// batch, a time block and a grid are read together: one pass over the stored records gives
// every one of them (CVTBatch::ReadColumns), where reading cell by cell through each channel's
// cache looks up the channel's block for every cell. A cell is answered here only where the
// channel's own row read would take the sample of exactly that grid point; every other cell
// (a row between the channel's grid points, a piece off the grid, a channel whose file lacks
// its samples, a failed read) is left to the channel, so that both ways write the same cells.
class ChunkSamples {
 public:
  // The shown channels of the group, in column order.
  explicit ChunkSamples(CGVantrelGroupData& group) {
    for (int slot = 0; slot < GROUP_CHANNEL_LIMIT; ++slot) {
      CGVantrelNgChannel* ch = group.GetChannel(slot);
      if (!ch || !ch->IsShown()) continue;
      Member m;
      m.channel = ch;
      m.pairs = ch->GetDataKind() == DATA_PAIRS;
      m.step = ch->GetIntervalMs() * kTicksPerMs;
      const size_t k = members_.size();
      members_.push_back(std::move(m));
      if (!ch->IsBound() || ch->GetBatch() == nullptr || members_[k].step <= 0 ||
          (ch->GetBatchDataKind() == DATA_KIND_DISPLAY) != members_[k].pairs)
        continue;  // asked cell by cell
      auto same = [&](const Set& s) {
        const CGVantrelNgChannel* a = members_[s.members.front()].channel;
        return a->GetBatch() == ch->GetBatch() && a->GetSegmentIndex() == ch->GetSegmentIndex() &&
               a->GetStartTicks() == ch->GetStartTicks() && a->GetEndTicks() == ch->GetEndTicks() &&
               a->GetIntervalMs() == ch->GetIntervalMs() &&
               members_[s.members.front()].pairs == members_[k].pairs;
      };
      auto it = std::find_if(sets_.begin(), sets_.end(), same);
      if (it == sets_.end()) it = sets_.insert(sets_.end(), Set{});
      it->members.push_back(k);
      it->numbers.push_back(ch->GetChannelNumber());
    }
  }

  size_t Count() const { return members_.size(); }
  CGVantrelNgChannel* Channel(size_t k) const { return members_[k].channel; }

  // Reads every channel's grid points in [from, to].
  void Read(TickTime from, TickTime to) {
    for (Member& m : members_) m.count = 0;
    for (Set& s : sets_) ReadSet(s, from, to);
  }

  // The word and values of channel k at the row time t; false when the channel is to be asked.
  bool Sample(size_t k, TickTime t, uint16_t* word, int32_t* low, int32_t* high) const {
    const Member& m = members_[k];
    if (m.count == 0 || t < m.first) return false;
    const int64_t d = t.ticks - m.first.ticks;
    if (d % m.step != 0 || d / m.step >= m.count) return false;
    const size_t i = size_t(d / m.step);
    *word = m.words[i];
    *low = m.low[i];
    if (m.pairs) *high = m.high[i];
    return true;
  }

 private:
  struct Member {
    CGVantrelNgChannel* channel = nullptr;
    bool pairs = false;
    int64_t step = 0;   // ticks between grid points
    TickTime first;     // the chunk's first grid point
    int64_t count = 0;  // grid points read; 0: the channel is asked cell by cell
    std::vector<int32_t> low, high;
    std::vector<uint16_t> words;
  };
  struct Set {
    std::vector<size_t> members;
    std::vector<int> numbers;  // their channel numbers
  };

  void ReadSet(const Set& s, TickTime from, TickTime to) {
    const Member& lead = members_[s.members.front()];
    CGVantrelNgChannel* ch = lead.channel;
    const int64_t step = lead.step;
    // The channel's grid points in [from, to] and in its data.
    const TickTime start = ch->GetStartTicks();
    const TickTime lo = from < start ? start : from;
    const TickTime hi = ch->GetEndTicks() < to ? ch->GetEndTicks() : to;
    if (hi < lo) return;
    const TickTime first(start.ticks + (lo.ticks - start.ticks + step - 1) / step * step);
    if (hi < first) return;
    const int64_t n = (hi.ticks - first.ticks) / step + 1;
    const TickTime last(first.ticks + (n - 1) * step);
    const bool pairs = lead.pairs;
    try {
      for (size_t k : s.members) {
        Member& m = members_[k];
        m.first = first;
        m.words.assign(size_t(n), pairs ? kNgNoDataPair : kNgNoDataSingle);
        m.low.assign(size_t(n), 0);
        if (pairs) m.high.assign(size_t(n), 0);
      }
    } catch (const std::bad_alloc&) {
      return;  // asked cell by cell
    }
    bool usable = true;
    std::vector<bool> lacking(s.members.size(), false);
    auto sink = [&](const SColumnPiece& piece) {
      const int64_t d = piece.first.ticks - first.ticks;
      if (piece.intervalMs * kTicksPerMs != step || d < 0 || d % step != 0) {
        usable = false;  // records off this chunk's grid: the channels' caches place them
        return false;
      }
      const int64_t s0 = d / step;
      if (s0 >= n) return true;
      const int64_t count = std::min<int64_t>(piece.count, n - s0);
      if (piece.columns == nullptr) {  // a gap: no data at its points
        for (size_t k : s.members)
          std::fill_n(members_[k].words.begin() + s0, count, pairs ? kNgNoDataPair : kNgNoDataSingle);
        return true;
      }
      const CVTColumns& c = *piece.columns;
      if ((c.GetKind() == DATA_KIND_DISPLAY) != pairs) {
        usable = false;
        return false;
      }
      // A channel the file has no samples of (or no column for) is left to its cache.
      std::vector<bool> seen(s.members.size(), false);
      for (int j = 0; j < c.GetChannelCount(); ++j) {
        const CVTColumns::Column& col = c.GetColumn(j);
        const size_t place = size_t((*piece.places)[size_t(j)]);
        if (!col.hasSamples) continue;
        seen[place] = true;
        Member& m = members_[s.members[place]];
        for (int64_t i = 0; i < count; ++i) {
          const size_t at = size_t(s0 + i), src = size_t(i);
          m.low[at] = col.values[src];
          if (!pairs) {
            m.words[at] = uint16_t(SampleState(col.states[src]) << 12 | (col.flags[src] & 0xF));
          } else {
            m.high[at] = col.maxima[src];
            m.words[at] = uint16_t(SampleState(col.states[src]) << 12 | SampleState(col.maxStates[src]) << 8 |
                                   (col.flags[src] & 0xF));
          }
        }
      }
      for (size_t p = 0; p < seen.size(); ++p)
        if (!seen[p]) lacking[p] = true;
      return true;
    };
    const int r = ch->GetBatch()->ReadColumns(s.numbers, first, last, ch->GetSegmentIndex(), true,
                                              int(std::min<int64_t>(n, kChunkRows)), sink);
    if (r != STORE_OK || !usable) return;
    for (size_t p = 0; p < s.members.size(); ++p)
      if (!lacking[p]) members_[s.members[p]].count = n;
  }

  std::vector<Member> members_;
  std::vector<Set> sets_;
};

}  // namespace

std::string MakeOutputName(int number, const std::string& path, bool text) {
  if (number == 0) return path;
  const std::string extension = text ? ".txt" : ".xls";
  const std::string suffix = FormatC("_%04d", number);
  // The final extension only: a folder named "x.xls" must not take the number.
  if (path.size() >= extension.size() &&
      path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
    return path.substr(0, path.size() - extension.size()) + suffix + extension;
  return path + suffix + extension;
}

int ConversionHeaderRows(size_t batchCount, bool batchInfo) {
  if (batchCount != 1) return 12;
  return batchInfo ? 52 : 24;
}

TrendConversion::TrendConversion(CGVantrelDoc& doc, const SDataConvertOption& option) : option_(option) {
  graphName_ = doc.m_graphName;
  batchCount_ = doc.GetBatchesInUse().size();
  header_ = doc.GetHeaderInfo();
  headerTexts_[0] = doc.GetBatchNameText();
  headerTexts_[1] = doc.GetFileMessageText();
  headerTexts_[2] = doc.GetInstrumentTypeText();
  headerTexts_[3] = doc.GetSerialNoText();
  headerTexts_[4] = doc.GetTimeCorrectionText();
  headerTexts_[5] = doc.GetStartConditionText();
  headerTexts_[6] = doc.GetStopConditionText();
  headerRows_ = ConversionHeaderRows(batchCount_, header_.hasBatchInfo);

  const int from = std::clamp(option_.groupFrom, 0, GROUP_COUNT - 1);
  const int to = std::clamp(option_.groupTo, 0, GROUP_COUNT - 1);
  for (int gi = from; gi <= to; ++gi) {
    CGVantrelGroupData* source = doc.GetGroup(gi);
    if (!source || source->GetChannelCount() == 0) continue;
    Group g;
    g.data = std::make_unique<CGVantrelGroupData>(nullptr);
    g.data->SetName(source->GetName());
    g.displayName = source->GetDisplayName();
    bool shown = false;
    for (int slot = 0; slot < GROUP_CHANNEL_LIMIT; ++slot) {
      CGVantrelNgChannel* channel = source->GetChannel(slot);
      if (!channel) continue;
      CGVantrelNgChannel* clone = channel->Clone(g.data.get());
      if (!clone) continue;
      // The clone asks nothing of the document from the worker.
      clone->SetOwner(nullptr);
      g.data->RegisterChannel(clone, slot);
      shown = shown || clone->IsShown();
    }
    if (shown) groups_.push_back(std::move(g));
  }

  if (CGVantrelAlarmDataManager* alarms = doc.GetAlarmDataManager(); alarms && alarms->GetFirstChild()) {
    alarms_ = std::make_unique<CGVantrelAlarmDataManager>(nullptr);
    for (CGCore* c = alarms->GetFirstChild(); c; c = alarms->NextChild(c))
      CopyAlarm(*static_cast<CGVantrelAlarmData*>(c), new CGVantrelAlarmData(alarms_.get()));
  }
  if (CGVantrelMarkDataManager* marks = doc.GetMarkDataManager(); marks && marks->GetFirstChild()) {
    marks_ = std::make_unique<CGVantrelMarkDataManager>(nullptr);
    for (CGCore* c = marks->GetFirstChild(); c; c = marks->NextChild(c))
      CopyMark(*static_cast<CGVantrelMarkData*>(c), new CGVantrelMarkData(marks_.get()));
  }
}

TrendConversion::~TrendConversion() {
  Cancel();
  Join();
}

void TrendConversion::Start(std::function<void(int)> ended) {
  assert(!worker_.joinable());
  worker_ = std::thread([this, ended = std::move(ended)] {
    const int result = Run();
    if (ended) ended(result);
  });
}

void TrendConversion::Join() {
  if (worker_.joinable()) worker_.join();
}

bool TrendConversion::Failed(int code) { return code != FCONV_OK; }

int TrendConversion::Run() {
  written_.clear();
  rowsDone_ = 0;
  const int R = kConvertSheetRows - headerRows_;
  int sheets = 0;
  for (Group& g : groups_) {
    if (IsCancelled()) break;
    CGVantrelNgTime& rows = g.data->EnsureRowTime();
    g.first = rows.FindRow(ToPrecise(option_.startTime));
    g.last = rows.FindRow(ToPrecise(option_.stopTime));
    const int64_t count = g.first < 0 || g.last < g.first ? 0 : int64_t(g.last) - g.first + 1;
    if (count == 0) g.first = 0, g.last = -1;
    sheets = std::max(sheets, int((count + R - 1) / R));
  }
  if (!IsCancelled() && alarms_) {
    const int n = alarms_->SelectRange(option_.startTime, option_.stopTime);
    sheets = std::max(sheets, (n + LIST_SHEET_ROWS - 1) / LIST_SHEET_ROWS);
  }
  if (!IsCancelled() && marks_) {
    const int n = marks_->SelectRange(option_.startTime, option_.stopTime);
    sheets = std::max(sheets, (n + LIST_SHEET_ROWS - 1) / LIST_SHEET_ROWS);
  }
  // No row, alarm or mark in the range: nothing is written.

  CFileConverter out;
  int result = kConvertOk;
  for (int k = 0; k < sheets && result == kConvertOk; ++k) {
    if (IsCancelled()) {
      result = kConvertCancelled;
      break;
    }
    const std::string name = MakeOutputName(sheets == 1 ? 0 : k + 1, option_.outputPath, option_.IsText());
    if (Failed(out.Open(option_.IsText() ? FILE_FORMAT_TEXT : FILE_FORMAT_EXCEL97, name.c_str(), false)) ||
        Failed(out.Init(kConvertSheetRows, kConvertSheetColumns))) {
      out.Close();
      result = kConvertFailed;
      break;
    }
    const int written = WriteFile(out, k);
    if (Failed(out.Close()) && written == kConvertOk)
      result = kConvertFailed;
    else
      result = written;
  }
  if (result == kConvertOk && IsCancelled()) result = kConvertCancelled;
  if (result != kConvertOk) {
    out.DeleteConvertedFile();
  } else {
    for (unsigned i = 0; i < out.GetConvertedFileNum(); ++i)
      if (const char* path = out.GetCovnertedFilePath(i)) written_.push_back(path);
  }
  result_.store(result);
  return result;
}

int TrendConversion::WriteFile(CFileConverter& out, int k) {
  const int R = kConvertSheetRows - headerRows_;
  for (Group& g : groups_) {
    if (IsCancelled()) return kConvertCancelled;
    if (Failed(out.AddSheet(g.displayName.c_str())) || WriteHeader(out, g) != kConvertOk)
      return kConvertFailed;
    const int64_t first = int64_t(g.first) + int64_t(k) * R;
    const int64_t last = std::min<int64_t>(first + R - 1, g.last);
    if (const int r = WriteRows(out, g, headerRows_, int(first), int(last)); r != kConvertOk) return r;
  }
  if (IsCancelled()) return kConvertCancelled;
  if (alarms_ &&
      (Failed(out.AddSheet(txt::Load(txt::kAlarmList).c_str())) || Failed(alarms_->ExportAlarmList(k, &out))))
    return kConvertFailed;
  if (IsCancelled()) return kConvertCancelled;
  if (marks_ &&
      (Failed(out.AddSheet(txt::Load(txt::kMarkList).c_str())) || Failed(marks_->ExportMarkList(k, &out))))
    return kConvertFailed;
  return kConvertOk;
}

int TrendConversion::WriteHeader(CFileConverter& out, const Group& g) {
  int r = out.WriteString(0, 0, txt::kTitle);
  auto label = [&](int row, const char* text, const std::string& value) {
    if (r == FCONV_OK) r = out.WriteString(row, 0, text);
    if (r == FCONV_OK) r = out.WriteString(row, 1, value.c_str());
  };
  auto timeRow = [&](int row, const char* text, TickTime t) {
    if (r == FCONV_OK) r = out.WriteString(row, 0, text);
    if (r == FCONV_OK) r = WriteTimeCells(out, row, 1, t);
  };
  int range = 2;  // the row of the graph name
  if (headerRows_ != 12) {
    label(2, txt::kBatchName, headerTexts_[0]);
    label(3, txt::kFileMessage, headerTexts_[1]);
    label(4, txt::kInstrumentType, headerTexts_[2]);
    label(5, txt::kSerialNo, headerTexts_[3]);
    label(7, txt::kTimeCorrection, headerTexts_[4]);
    timeRow(8, txt::kStartTime, header_.startTime);
    timeRow(9, kStopTime, header_.stopTime);
    label(10, txt::kStartCond, headerTexts_[5]);
    label(11, txt::kEndCond, headerTexts_[6]);
    if (r == FCONV_OK) r = out.WriteString(12, 0, txt::kSampleRate);
    if (r == FCONV_OK) r = out.WriteDouble(12, 1, header_.dataInterval / 1000.0, 3);
    if (r == FCONV_OK) r = out.WriteString(12, 2, txt::kSec);
    range = 14;
  }
  label(range, kGraphName, graphName_);
  timeRow(range + 1, txt::kStartTime, option_.startTime);
  timeRow(range + 2, kStopTime, option_.stopTime);
  label(range + 3, kGroupName, g.displayName);
  if (headerRows_ == 52) {
    // The header keeps texts and comments by their slot from 0; the captions count from 1.
    for (int n = 1; n <= 24; ++n) {
      const int row = 18 + n;
      if (r == FCONV_OK)
        r = out.WriteString(row, 0, (std::string(txt::kBatchText) + std::to_string(n)).c_str());
      if (r == FCONV_OK) r = out.WriteString(row, 1, header_.GetBatchTextTitle(n - 1).c_str());
      if (r == FCONV_OK) r = out.WriteString(row, 2, header_.GetBatchTextBody(n - 1).c_str());
    }
    for (int n = 1; n <= 3; ++n) {
      const int row = 42 + n;
      if (r == FCONV_OK)
        r = out.WriteString(row, 0, (std::string(txt::kBatchComment) + std::to_string(n)).c_str());
      const std::string text = header_.GetBatchCommentText(n - 1);
      if (text.empty()) continue;
      if (r == FCONV_OK) r = out.WriteString(row, 1, text.c_str());
      if (r == FCONV_OK) r = WriteTimeCells(out, row, 2, header_.GetBatchCommentTime(n - 1));
      if (r == FCONV_OK) r = out.WriteString(row, 5, header_.GetBatchCommentUser(n - 1).c_str());
    }
  }
  // The channel header: the last five rows of the block.
  const int c0 = headerRows_ - 5;
  const char* captions[] = {txt::kChannelNumber, txt::kTagName, txt::kTagNo, txt::kUnit};
  for (int kind = 0; kind < 4 && r == FCONV_OK; ++kind) {
    r = out.WriteString(c0 + kind, 2, captions[kind]);
    int column = 3;
    for (int slot = 0; slot < GROUP_CHANNEL_LIMIT && r == FCONV_OK; ++slot)
      if (CGVantrelNgChannel* ch = g.data->GetChannel(slot); ch && ch->IsShown())
        r = ch->WriteHeaderCell(&out, kind, c0 + kind, &column);
  }
  if (r == FCONV_OK) r = out.WriteString(c0 + 4, 0, txt::kDate);
  if (r == FCONV_OK) r = out.WriteString(c0 + 4, 1, txt::kTime);
  if (r == FCONV_OK) r = out.WriteString(c0 + 4, 2, txt::kSec);
  int column = 3;
  for (int slot = 0; slot < GROUP_CHANNEL_LIMIT && r == FCONV_OK; ++slot) {
    CGVantrelNgChannel* ch = g.data->GetChannel(slot);
    if (!ch || !ch->IsShown()) continue;
    if (ch->GetDataKind() == DATA_PAIRS)
      r = ch->WriteMinMaxCaptions(&out, c0 + 4, &column);
    else
      ++column;
  }
  return r == FCONV_OK ? kConvertOk : kConvertFailed;
}

int TrendConversion::WriteRows(CFileConverter& out, Group& g, int sheetRow, int i0, int i1) {
  CGVantrelNgTime& rows = g.data->GetRowTime();
  ChunkSamples samples(*g.data);
  std::vector<PreciseTime> times;
  for (int c0 = i0; c0 <= i1; c0 += kChunkRows) {
    const int c1 = int(std::min<int64_t>(int64_t(c0) + kChunkRows - 1, i1));
    times.resize(size_t(c1 - c0 + 1));
    for (int i = c0; i <= c1; ++i) rows.GetRowTime(&times[size_t(i - c0)], i);
    if (columnReads_)
      samples.Read(TickTime::FromPreciseTime(times.front()), TickTime::FromPreciseTime(times.back()));
    for (int i = c0; i <= c1; ++i, ++sheetRow) {
      const PreciseTime t = times[size_t(i - c0)];
      const TickTime ticks = TickTime::FromPreciseTime(t);
      if (Failed(WriteTimeCells(out, sheetRow, 0, ticks))) return kConvertFailed;
      if (IsCancelled()) return kConvertCancelled;
      // A row time that is its grid point's own time exactly: the channel's row read takes that
      // sample as it stands, which the chunk holds.
      const PreciseTime back = ToPrecise(ticks);
      const bool onTicks = columnReads_ && back.seconds == t.seconds && back.fraction == t.fraction;
      int column = 3;
      for (size_t k = 0; k < samples.Count(); ++k) {
        CGVantrelNgChannel* ch = samples.Channel(k);
        uint16_t word = 0;
        int32_t low = 0, high = 0;
        FCONV_ECODE r = FCONV_OK;
        if (!onTicks || !samples.Sample(k, ticks, &word, &low, &high)) {
          r = ch->WriteRowCells(&out, t, sheetRow, &column, option_.cellWithoutValue);
        } else if (ch->GetDataKind() == DATA_PAIRS) {
          r = ch->WriteValueCell(&out, NgFirstState(word), ch->ScaleValue(low), sheetRow, column++);
          if (r == FCONV_OK)
            r = ch->WriteValueCell(&out, NgSecondState(word), ch->ScaleValue(high), sheetRow, column++);
        } else {
          r = ch->WriteValueCell(&out, NgFirstState(word), ch->ScaleValue(low), sheetRow, column++);
        }
        if (Failed(r)) return kConvertFailed;
      }
      ++rowsDone_;
      if (rowHook_) rowHook_(rowsDone_);
    }
  }
  return kConvertOk;
}

}  // namespace vt
