// VTFileAccessFacade: the recorder file as cell contents (see VTFileAccessFacade.h).
#include "export/VTFileAccessFacade.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "export/ConversionTexts.h"
#include "platform/base/Numbers.h"
#include "recorder/CVTData.h"
#include "recorder/FileAccessFactory.h"
#include "recorder/RecorderStatus.h"
#include "store/CatalogueLookups.h"

namespace t = vtexport::text;

namespace {

void Split(const TickTime& time, int32_t* seconds, int32_t* milliseconds) {
  int32_t s = 0, ms = 0;
  time.SplitTime(&s, &ms);
  if (seconds) *seconds = s;
  if (milliseconds) *milliseconds = ms;
}

constexpr int kValueKindLogarithmic = 3;

}  // namespace

VTFileAccessFacade::VTFileAccessFacade(const std::string& path) : path_(path) {
  CVTDataFileAccess* reader = nullptr;
  const int result = CreateFileAccess(path, &reader);
  if (result == 0 && reader) {
    reader_ = reader;
    open_ = true;
  } else {
    delete reader;
  }
}

VTFileAccessFacade::~VTFileAccessFacade() { delete reader_; }

// The start and stop conditions of a converted file both read with the start factor's texts.
std::string VTFileAccessFacade::FactorText(int factor) { return StartFactorText(factor); }

const char* VTFileAccessFacade::StatusText(int recorderState) {
  const char* text = SampleStatusText(RecorderStateToSampleStatus(recorderState));
  return text ? text : "";
}

std::string VTFileAccessFacade::AlarmStateText(int state) {
  switch (state) {
    case 1:
      return t::kOn;
    case 2:
      return t::kOff;
    case 3:
      return t::kAck;
    default:
      return "";
  }
}

// The newer readers report alarms of all levels as -1, the older as 0: both read "ALL".
std::string VTFileAccessFacade::AlarmLevelText(int level) {
  return level <= 0 ? std::string(t::kAll) : vt::FormatC("L%d", level);
}

std::string VTFileAccessFacade::AlarmTypeText(int type) {
  static const char* const kTypes[] = {"OFF",       "High",     "Low",        "Delta High", "Delta Low",
                                       "Rate High", "Rate Low", "Delay High", "Delay Low"};
  return type >= 0 && type <= 8 ? kTypes[type] : "";
}

std::string VTFileAccessFacade::GetBatchNameText() {
  std::string name;
  int lot = 0, digits = 0;
  if (reader_) reader_->GetBatchInfo(&name, &lot, &digits);
  const std::string format = vt::FormatC("%%0%dd", digits);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format.c_str(), lot);
  return name + " " + buffer;
}

std::string VTFileAccessFacade::GetHeaderText() {
  std::string s;
  if (reader_) reader_->GetHeaderText(&s);
  return s;
}

std::string VTFileAccessFacade::GetInstrumentType() {
  std::string s;
  if (reader_) reader_->GetRecorderType(&s);
  return s;
}

std::string VTFileAccessFacade::GetSerialNo() {
  std::string s;
  if (reader_) reader_->GetSerialNo(&s);
  return s;
}

std::string VTFileAccessFacade::GetTimeCorrectionText() {
  const int count = reader_ ? reader_->GetTimeChangeCount() : 0;
  return count == 0 ? std::string(t::kNo) : vt::FormatC("%d", count);
}

std::string VTFileAccessFacade::GetStartConditionText() {
  return FactorText(reader_ ? reader_->GetStartFactor() : 0);
}

std::string VTFileAccessFacade::GetEndConditionText() {
  return FactorText(reader_ ? reader_->GetStopFactor() : 0);
}

std::string VTFileAccessFacade::GetBatchTextTitle(int n) {
  std::string title;
  if (reader_) reader_->GetBatchText(n, &title, nullptr);
  return title;
}

std::string VTFileAccessFacade::GetBatchTextBody(int n) {
  std::string text;
  if (reader_) reader_->GetBatchText(n, nullptr, &text);
  return text;
}

std::string VTFileAccessFacade::GetBatchCommentText(int n) {
  std::string text;
  if (reader_) reader_->GetBatchComment(n, nullptr, nullptr, &text);
  return text;
}

std::string VTFileAccessFacade::GetBatchCommentUser(int n) {
  std::string user;
  if (reader_) reader_->GetBatchComment(n, nullptr, &user, nullptr);
  return user;
}

int32_t VTFileAccessFacade::GetBatchCommentTime(int n) {
  TickTime time;
  int32_t seconds = 0;
  if (reader_ && reader_->GetBatchComment(n, &time, nullptr, nullptr) == 0) Split(time, &seconds, nullptr);
  return seconds;
}

int32_t VTFileAccessFacade::GetBatchCommentMilliseconds(int n) {
  TickTime time;
  int32_t ms = 0;
  if (reader_ && reader_->GetBatchComment(n, &time, nullptr, nullptr) == 0) Split(time, nullptr, &ms);
  return ms;
}

int VTFileAccessFacade::RecordCount() {
  if (recordCount_ >= 0) return recordCount_;
  recordCount_ = 0;
  if (!reader_) return 0;
  int64_t start = 0, end = 0;
  reader_->GetStartDataNo(&start);
  reader_->GetEndDataNo(&end);
  const int64_t header = end - start + 1;
  if (header <= 0 || reader_->GetChannelCount() <= 0) return 0;
  auto readable = [&](int64_t index) {
    CVTData probe;
    return reader_->ReadRecords(0, int(index), 1, &probe, false) == 0;
  };
  int64_t count = std::min<int64_t>(header, INT_MAX);
  if (!readable(count - 1)) {
    // The largest count whose last record the reader can read.
    int64_t good = 0, bad = count;
    while (bad - good > 1) {
      const int64_t mid = good + (bad - good) / 2;
      (readable(mid - 1) ? good : bad) = mid;
    }
    count = good;
  }
  recordCount_ = int(count);
  return recordCount_;
}

void VTFileAccessFacade::GetRecordTimes(std::vector<int32_t>* seconds, std::vector<int32_t>* milliseconds) {
  GetRecordTimes(0, RecordCount(), seconds, milliseconds);
}

void VTFileAccessFacade::GetRecordTimes(int first, int count, std::vector<int32_t>* seconds,
                                        std::vector<int32_t>* milliseconds) {
  if (!reader_ || first < 0) return;
  count = std::min(count, RecordCount() - first);
  CVTData data;
  if (count <= 0 || reader_->ReadRecords(0, first, count, &data, true) != 0) return;
  seconds->reserve(seconds->size() + size_t(data.GetCount()));
  milliseconds->reserve(milliseconds->size() + size_t(data.GetCount()));
  for (int i = 0; i < data.GetCount(); ++i) {
    int32_t s = 0, ms = 0;
    if (const SRecordData* record = data.GetRecord(i)) {
      TickTime time;
      if (auto* e = dynamic_cast<const SEventShortData*>(record)) time = e->time;
      if (auto* e = dynamic_cast<const SEventIntData*>(record)) time = e->time;
      if (auto* d = dynamic_cast<const SDispShortData*>(record)) time = d->time;
      if (auto* d = dynamic_cast<const SDispIntData*>(record)) time = d->time;
      Split(time, &s, &ms);
    }
    seconds->push_back(s);
    milliseconds->push_back(ms);
  }
}

VTFileAccessFacade::Scale VTFileAccessFacade::MakeScale(const vt::SChannelInfo& info) {
  Scale scale;
  scale.decimals = info.decimals;
  // Equal span limits would divide by zero: such a channel is scaled as a linear one.
  if (info.scaleCode == kValueKindLogarithmic && info.spanHigh != info.spanLow) {
    const double lo = info.logExpLow, hi = info.logExpHigh;
    const double span = info.spanHigh - info.spanLow;
    scale.logarithmic = true;
    scale.base = std::pow(10.0, (hi - lo) / span);
    scale.coefficient = std::pow(10.0, (lo * info.spanHigh - hi * info.spanLow) / span);
  }
  return scale;
}

double VTFileAccessFacade::ScaleRawValue(const Scale& scale, int64_t raw) {
  auto integerPower = [](double base, int64_t n) {
    double result = 1.0;
    bool negative = n < 0;
    uint64_t e = negative ? uint64_t(-(n + 1)) + 1 : uint64_t(n);
    while (e) {
      if (e & 1) result *= base;
      base *= base;
      e >>= 1;
    }
    return negative ? 1.0 / result : result;
  };
  if (scale.logarithmic) return integerPower(scale.base, raw) * scale.coefficient;
  return double(raw) * integerPower(10.0, -int64_t(scale.decimals));
}

namespace {

// One entry of a sample: its scaled value when its state is a value; its state text otherwise.
// A value that does not scale to a finite number is over the range the cell can show.
// factor: ScaleRawValue(scale, 1), the power of ten a linear value is multiplied by, so that a
// channel's entries do not compute it again each.
SSampleValue Entry(const VTFileAccessFacade::Scale& scale, double factor, int state, int64_t raw) {
  SSampleValue v;
  if (state != 0) {
    v.text = VTFileAccessFacade::StatusText(state);
    return v;
  }
  const double scaled =
      scale.logarithmic ? VTFileAccessFacade::ScaleRawValue(scale, raw) : double(raw) * factor;
  if (!std::isfinite(scaled)) {
    v.text = vtexport::text::kOverPlus;
    return v;
  }
  v.value = scaled;
  v.isNumber = true;
  return v;
}

// Each entry of every step-th record of data, in record order, the minimum (list 0) before the
// maximum (list 1) of a display record: sink(list, record index in data, index / step, entry)
// returns false to stop. A record that cannot be had gives no entry.
template <class Sink>
void EachEntry(const CVTData& data, const VTFileAccessFacade::Scale& scale, int step, Sink&& sink) {
  const double factor = VTFileAccessFacade::ScaleRawValue(scale, 1);
  const int kind = data.GetKind();
  const int type = data.GetValueType();
  for (int k = 0, n = 0; k < data.GetCount(); k += step, ++n) {
    const SRecordData* record = data.GetRecord(k);
    if (!record) continue;
    bool go = true;
    if (type != VALUE_TYPE_SHORT && type != VALUE_TYPE_INT) {
      if (kind == DATA_KIND_EVENT || kind == DATA_KIND_DISPLAY) go = sink(0, k, n, SSampleValue{});
    } else if (kind == DATA_KIND_EVENT) {
      if (type == VALUE_TYPE_SHORT) {
        auto* e = static_cast<const SEventShortData*>(record);
        go = sink(0, k, n, Entry(scale, factor, e->state, e->value));
      } else {
        auto* e = static_cast<const SEventIntData*>(record);
        go = sink(0, k, n, Entry(scale, factor, e->state, e->value));
      }
    } else if (kind == DATA_KIND_DISPLAY) {
      if (type == VALUE_TYPE_SHORT) {
        auto* d = static_cast<const SDispShortData*>(record);
        go = sink(0, k, n, Entry(scale, factor, d->minState, d->minValue)) &&
             sink(1, k, n, Entry(scale, factor, d->maxState, d->maxValue));
      } else {
        auto* d = static_cast<const SDispIntData*>(record);
        go = sink(0, k, n, Entry(scale, factor, d->minState, d->minValue)) &&
             sink(1, k, n, Entry(scale, factor, d->maxState, d->maxValue));
      }
    }
    if (!go) break;
  }
}

}  // namespace

int VTFileAccessFacade::GetChannelSamples(int channel, std::string* channelNumber, std::string* tagName,
                                          std::string* tagNumber, std::string* unit, int* decimals,
                                          const SampleSink& sink) {
  return GetChannelSamples(channel, 0, RecordCount(), channelNumber, tagName, tagNumber, unit, decimals,
                           sink);
}

int VTFileAccessFacade::ReadChannelRecords(int channel, int first, int count, CVTData* data) {
  if (first >= 0) count = std::min(count, RecordCount() - first);
  if (first >= 0 && count > 0) reader_->ReadRecords(channel, first, count, data, false);
  return data->GetKind() == DATA_KIND_EVENT ? 1 : 2;
}

int VTFileAccessFacade::GetChannelSamples(int channel, int first, int count, std::string* channelNumber,
                                          std::string* tagName, std::string* tagNumber, std::string* unit,
                                          int* decimals, const SampleSink& sink) {
  if (!reader_) return 0;
  vt::SChannelInfo info;
  reader_->GetChannelInfo(channel, &info);
  if (channelNumber) *channelNumber = info.name;
  if (tagName) *tagName = info.tagName;
  if (tagNumber) *tagNumber = info.tagNo;
  if (unit) *unit = info.unit;
  if (decimals) *decimals = info.decimals;
  if (cache_.find(channel) == cache_.end())
    cache_.emplace(channel, SChannelStrings{info.name, info.tagName, info.tagNo});
  if (!sink) return 0;

  CVTData data;
  const int lists = ReadChannelRecords(channel, first, count, &data);
  EachEntry(data, MakeScale(info), 1, [&](int list, int k, int, const SSampleValue& entry) {
    return sink(lists, list, first + k, entry);
  });
  return lists;
}

int VTFileAccessFacade::GetChannelEntries(int channel, int first, int count, int step,
                                          std::vector<SSampleValue> (&entries)[2]) {
  entries[0].clear();
  entries[1].clear();
  if (!reader_) return 0;
  if (step < 1) step = 1;
  vt::SChannelInfo info;
  reader_->GetChannelInfo(channel, &info);
  CVTData data;
  const int lists = ReadChannelRecords(channel, first, count, &data);
  const size_t n = size_t((data.GetCount() + step - 1) / step);
  for (int list = 0; list < lists; ++list) entries[list].assign(n, SSampleValue{0.0, nullptr, false});
  EachEntry(data, MakeScale(info), step, [&](int list, int, int k, const SSampleValue& entry) {
    entries[list][size_t(k)] = entry;
    return true;
  });
  return lists;
}

void VTFileAccessFacade::GetChannelData(int channel, std::string* channelNumber, std::string* tagName,
                                        std::string* tagNumber, std::string* unit,
                                        std::vector<std::vector<SSampleValue>>* values, int* decimals,
                                        bool textsOnly) {
  if (textsOnly || !values) {
    GetChannelSamples(channel, channelNumber, tagName, tagNumber, unit, decimals, nullptr);
    return;
  }
  values->assign(2, {});
  const int lists = GetChannelSamples(channel, channelNumber, tagName, tagNumber, unit, decimals,
                                      [&](int, int list, int, const SSampleValue& entry) {
                                        (*values)[size_t(list)].push_back(entry);
                                        return true;
                                      });
  values->resize(size_t(lists));
}

void VTFileAccessFacade::GetAlarm(int index, std::string* tagName, std::string* tagNumber,
                                  std::string* channelNumber, std::string* state, std::string* level,
                                  std::string* type, int32_t* seconds, int32_t* milliseconds) {
  int channel = -1, action = 0, lvl = 0, kind = -1, last = 0;
  int64_t dataNo = 0;
  TickTime time;
  if (reader_) reader_->GetAlarm(index, &channel, &dataNo, &time, &action, &lvl, &kind, &last);
  SChannelStrings strings;
  if (channel != -1) {
    auto it = cache_.find(channel);
    if (it == cache_.end()) {
      GetChannelData(channel, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, true);
      it = cache_.find(channel);
    }
    if (it != cache_.end()) strings = it->second;
  }
  *tagName = strings.tagName;
  *tagNumber = strings.tagNumber;
  *channelNumber = strings.channelNumber;
  *state = AlarmStateText(action);
  *level = AlarmLevelText(lvl);
  *type = AlarmTypeText(kind);
  Split(time, seconds, milliseconds);
}

void VTFileAccessFacade::GetMessage(int index, int32_t* seconds1, int32_t* milliseconds1, int32_t* seconds2,
                                    int32_t* milliseconds2, std::string* comment, std::string* user,
                                    std::string* groups) {
  std::string name, text;
  int number = 0, serial = 0, secondWord = 0, word36 = 0, groupCount = 0;
  int64_t dataNo = 0;
  TickTime messageTime, operationTime;
  if (reader_)
    reader_->GetMessage(index, &name, &number, &serial, &dataNo, &secondWord, &text, &word36, &groupCount,
                        &messageTime, &operationTime);
  *user = name;
  *comment = text;
  groups->clear();
  if (groupCount == -1) {
    *groups = t::kAll;
  } else {
    for (int j = 0; j < groupCount; ++j) {
      int group = 0;
      reader_->GetMessageGroup(index, j, &group);
      *groups += vt::FormatC(j + 1 < groupCount ? "%02d," : "%02d", group);
    }
  }
  Split(messageTime, seconds1, milliseconds1);
  Split(operationTime, seconds2, milliseconds2);
}
