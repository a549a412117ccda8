// Binding and sample reads of a trend channel (see CGVantrelNgChannel.h).
#include "document/CGVantrelNgChannel.h"

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <new>

#include "store/CVTBatch.h"
#include "store/CVTBatchCache.h"
#include "trend/TrendTime.h"

namespace {

constexpr int64_t kTicksPerMs = 10000;
// Tolerance of "at or after": a time this little after a grid point counts as that point.
constexpr double kFromTolerance = 1e-4;
// The statistics walk hands pending events to the owner at most this often.
constexpr auto kEventPeriod = std::chrono::milliseconds(20);
// Grid points scanned between two looks at the clock in the statistics walk.
constexpr int64_t kStatisticsChunk = 16384;

double Offset(const PreciseTime& a, const PreciseTime& b) {
  return double(b.seconds - a.seconds) + (b.fraction - a.fraction);
}

// base^n by repeated squaring; a negative exponent gives the reciprocal.
double IntPower(double base, int64_t n) {
  const bool negative = n < 0;
  uint64_t e = negative ? uint64_t(-(n + 1)) + 1 : uint64_t(n);
  double result = 1.0;
  while (e) {
    if (e & 1) result *= base;
    base *= base;
    e >>= 1;
  }
  return negative ? 1.0 / result : result;
}

}  // namespace

CGVantrelNgChannel::CGVantrelNgChannel(CGCore* parent) : CGNgChannel(parent) {}

CGVantrelNgChannel::~CGVantrelNgChannel() { ReleaseBinding(); }

void CGVantrelNgChannel::ReleaseBinding() {
  LeaveSummary();
  if (m_cache) {
    m_cache->Detach();
    delete m_cache;
    m_cache = nullptr;
  }
  if (batch_) {
    CVTBatchCache::Instance().Release(batch_);
    batch_ = nullptr;
  }
}

void CGVantrelNgChannel::LeaveSummary() {
  if (summary_) summary_->Leave(summarySlot_);
  summary_.reset();
  summarySlot_ = -1;
}

void CGVantrelNgChannel::Release() {
  ReleaseBinding();
  CGCore::Release();
}

int CGVantrelNgChannel::GetBatchSegmentCount(const vt::Guid& guid) {
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(guid);
  if (!batch) return 0;
  const int count = batch->GetTimeBlockCount();
  CVTBatchCache::Instance().Release(batch);
  return count;
}

int CGVantrelNgChannel::GetKeySegmentCount(const vt::SVantrelChannelKey& key) {
  vt::Guid guid;
  if (key.batchGuid.size() > 40 || !vt::Guid::Parse(key.batchGuid, guid)) return 0;
  return GetBatchSegmentCount(guid);
}

bool CGVantrelNgChannel::BindToKey(const vt::SVantrelChannelKey& key) {
  vt::Guid guid;
  if (key.batchGuid.size() > 40 || !vt::Guid::Parse(key.batchGuid, guid)) return false;
  return Bind(guid, key.channelNo, key.displayGroup);
}

bool CGVantrelNgChannel::Bind(const vt::Guid& guid, int channelNo, int displayGroup) {
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(guid);
  if (!batch) return false;
  int ms = 0;
  batch->GetDataInterval(channelNo, &ms);
  if (ms < 1) {
    // Without a whole millisecond per sample there is no grid to read on.
    CVTBatchCache::Instance().Release(batch);
    return false;
  }
  TickTime start, end;
  batch->GetTimeBlock(m_segmentIndex, &start, &end);
  // Blocks stay across a re-binding only when they still hold this channel's samples.
  const bool sameData = batch == batch_ && channelNo == m_channelNo && start == m_startTicks &&
                        end == m_endTicks && int64_t(ms) == intervalMs_;
  if (batch_) CVTBatchCache::Instance().Release(batch_);
  batch_ = batch;
  if (!m_cache) m_cache = new CGVantrelNgChannelDataCache(this, this);
  m_cache->SetChannel(this);
  if (!sameData) m_cache->DeleteAll();

  lastStats_.valid = false;
  ++binding_;
  m_batchGuid = guid;
  m_channelNo = channelNo;
  m_displayGroup = displayGroup;
  intervalMs_ = ms;
  m_interval = ms * 0.001;
  m_attribute = 0;
  batch->GetRecordCount(channelNo, &m_attribute, true);

  vt::SChannelInfo info;
  if (batch->GetChannelInfo(channelNo, &info) == STORE_OK) {
    m_channelNumbers[0] = info.rangeClass;
    m_channelNumbers[1] = info.dataType;
    m_channelText = info.name;
    m_tagName = info.tagName;
    m_tagNo = info.tagNo;
    m_unit = info.unit;
    m_decimals = info.decimals;
    m_spanLower = info.spanLow;
    m_spanUpper = info.spanHigh;
    m_colour = uint32_t(info.colour);
    m_scaleKind = int16_t(info.logScale);
    m_exponentForm = info.scaleCode == 3 ? 1 : 0;
    m_logarithmic = info.scaleCode == 3 ? 1 : 0;
    m_rawScaleLower = info.logExpLow;
    m_rawScaleUpper = info.logExpHigh;
  }
  ComputeScale();

  if (displayGroup >= 1) {
    vt::SGroupChannelInfo group;
    if (batch->GetGroupChannelInfo(displayGroup, channelNo, &group) == STORE_OK) {
      m_shown = group.display != 0 ? 1 : 0;
      m_positionLower = group.rawMin;
      m_positionUpper = group.rawMax;
      for (int i = 0; i < 4; ++i) {
        m_tripShown[i] = group.tripValid[i] != 0 ? 1 : 0;
        m_tripValue[i] = group.tripValue[i];
      }
      m_colour = uint32_t(group.colour);
    }
  }
  NormalizeScale();

  int kind = -1;
  batch->GetDataKind(&kind);
  m_dataKind = kind;
  m_startTicks = start;
  m_endTicks = end;
  m_startTime = ToPrecise(start);
  m_endTime = ToPrecise(end);
  // The same samples keep their summaries.
  if (!sameData || !summary_) {
    LeaveSummary();
    if (shareSummaries_) summary_ = vt::CGVantrelNgChannelSummary::Join(this, &summarySlot_);
  }
  if (owner_) owner_->AddBatchInUse(guid);
  return true;
}

void CGVantrelNgChannel::ComputeScale() {
  const double lo = m_rawScaleLower, hi = m_rawScaleUpper;
  if (m_logarithmic) {
    m_scaleMin = std::pow(10.0, lo);
    m_scaleMax = std::pow(10.0, hi);
    const double span = m_spanUpper - m_spanLower;
    m_logCoefficient = 1.0;
    m_logBase = 10.0;
    if (span != 0.0) {
      // A raw value r means coefficient x base^r, which runs from 10^lo at the lower span limit
      // to 10^hi at the upper one.
      const double coefficient = std::pow(10.0, (m_spanUpper * lo - m_spanLower * hi) / span);
      const double base = std::pow(10.0, (hi - lo) / span);
      if (std::isfinite(coefficient) && std::isfinite(base) && coefficient > 0 && base > 0)
        m_logCoefficient = coefficient, m_logBase = base;
    }
    // Equal span limits (or limits that overflow) leave raw values as powers of ten.
    scaleIncreases_ = m_logBase >= 1.0;
  } else {
    m_linearFactor = IntPower(10.0, -int64_t(m_decimals));
    m_scaleMin = m_rawScaleLower != 0 ? lo * m_linearFactor : m_spanLower;
    m_scaleMax = m_rawScaleUpper != 0 ? hi * m_linearFactor : m_spanUpper;
    scaleIncreases_ = true;
  }
}

double CGVantrelNgChannel::ScaleValue(int32_t raw) const {
  if (!m_logarithmic) return double(raw) * m_linearFactor;
  const double v = m_logCoefficient * IntPower(m_logBase, raw);
  return std::isnan(v) ? 0.0 : v;
}

CGVantrelNgChannel* CGVantrelNgChannel::Clone(CGCore* parent) const {
  auto* copy = new (std::nothrow) CGVantrelNgChannel(parent);
  if (!copy) return nullptr;
  copy->owner_ = owner_;
  copy->m_segmentIndex = m_segmentIndex;
  copy->m_segmentCount = m_segmentCount;
  copy->m_indexInGroup = m_indexInGroup;
  copy->shareSummaries_ = false;
  if (!copy->Bind(m_batchGuid, m_channelNo, m_displayGroup)) {
    copy->Detach();
    delete copy;
    return nullptr;
  }
  // The display fields as they are now, not as the file gives them.
  copy->m_markGroupMask = m_markGroupMask;
  copy->m_shown = m_shown;
  for (int i = 0; i < 4; ++i) copy->m_tripShown[i] = m_tripShown[i], copy->m_tripValue[i] = m_tripValue[i];
  copy->m_colour = m_colour;
  copy->m_axisFlag = m_axisFlag;
  copy->m_labelMode = m_labelMode;
  copy->m_scaleKind = m_scaleKind;
  copy->m_exponentForm = m_exponentForm;
  copy->m_zoom = m_zoom;
  copy->m_axisWord = m_axisWord;
  copy->m_positionLower = m_positionLower, copy->m_positionUpper = m_positionUpper;
  copy->m_spanLower = m_spanLower, copy->m_spanUpper = m_spanUpper;
  copy->m_scaleMin = m_scaleMin, copy->m_scaleMax = m_scaleMax;
  copy->m_axisIndex = m_axisIndex;
  if (copy->m_cache) copy->m_cache->SetPooled(false);
  return copy;
}

PreciseTime CGVantrelNgChannel::ToPrecise(TickTime t) const {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

bool CGVantrelNgChannel::IsInDataRange(const PreciseTime& t) const {
  const TickTime ticks = TickTime::FromPreciseTime(t);
  return !(ticks < m_startTicks) && !(m_endTicks < ticks);
}

TickTime CGVantrelNgChannel::NearestGrid(const PreciseTime& t) const {
  const double d = Offset(m_startTime, t);
  const int64_t index = int64_t(std::floor(d / m_interval + 0.5));
  return m_startTicks.PlusMilliseconds(index * intervalMs_);
}

TickTime CGVantrelNgChannel::GridFrom(const PreciseTime& t) const {
  const double d = Offset(m_startTime, t);
  const int64_t index = int64_t(std::ceil((d - kFromTolerance) / m_interval));
  return m_startTicks.PlusMilliseconds(index * intervalMs_);
}

void CGVantrelNgChannel::GetName(std::string* out, int kind) {
  switch (kind) {
    case NAME_CHANNEL_NO:
      *out = m_channelText;
      break;
    case NAME_TAG:
      *out = m_tagName;
      break;
    case NAME_TAG_NO:
      *out = m_tagNo;
      break;
    default:
      out->clear();
      return;
  }
  if (m_segmentIndex != -1 && m_segmentCount > 1) *out += "(" + std::to_string(m_segmentIndex + 1) + ")";
}

int64_t CGVantrelNgChannel::GetSampleCount(PreciseTime start, PreciseTime end) {
  if (m_interval <= 0) return 1;
  return int64_t(vt::SpanSeconds(start, end) / m_interval) + 1;
}

void CGVantrelNgChannel::ReadValueFrom(PreciseTime t, PreciseTime* time, double* value, uint16_t* status) {
  if (t.seconds <= 0) *time = PreciseTime{-1, 0.0};
  if (!IsBound()) return;
  if (!IsInDataRange(t)) {
    *value = 0.0, *status = kNgNoDataSingle;
    *time = ToPrecise(NearestGrid(t));
    return;
  }
  const TickTime grid = GridFrom(t);
  if (m_endTicks < grid) {  // after the last grid point of data whose end lies off the grid
    *value = 0.0, *status = kNgNoDataSingle, *time = ToPrecise(grid);
    return;
  }
  if (m_cache && m_cache->ReadValueAtGrid(grid, value, status)) *time = ToPrecise(grid);
}

void CGVantrelNgChannel::ReadMinMaxFrom(PreciseTime t, PreciseTime* time, double* min, double* max,
                                        uint16_t* status) {
  if (t.seconds <= 0) *time = PreciseTime{-1, 0.0};
  if (!IsBound()) return;
  if (!IsInDataRange(t)) {
    *min = *max = 0.0, *status = kNgNoDataPair;
    *time = ToPrecise(NearestGrid(t));
    return;
  }
  const TickTime grid = GridFrom(t);
  if (m_endTicks < grid) {
    *min = *max = 0.0, *status = kNgNoDataPair, *time = ToPrecise(grid);
    return;
  }
  if (m_cache && m_cache->ReadPairAtGrid(grid, min, max, status)) *time = ToPrecise(grid);
}

uint16_t CGVantrelNgChannel::ReadValueAt(PreciseTime t, double* value, uint16_t* status) {
  if (!IsBound() || !IsInDataRange(t)) {
    *value = 0.0, *status = kNgNoDataSingle;
    return *status;
  }
  const TickTime grid = NearestGrid(t);
  if (std::fabs(Offset(ToPrecise(grid), t)) > m_interval / 100.0) {
    *value = 0.0, *status = kNgNoDataSingle;
    return *status;
  }
  if (m_cache) m_cache->ReadValueAtGrid(grid, value, status);
  return *status;
}

void CGVantrelNgChannel::ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) {
  if (!IsBound() || !IsInDataRange(t)) {
    *min = *max = 0.0, *status = kNgNoDataPair;
    return;
  }
  const TickTime grid = NearestGrid(t);
  if (std::fabs(Offset(ToPrecise(grid), t)) > m_interval / 100.0) {
    *min = *max = 0.0, *status = kNgNoDataPair;
    return;
  }
  if (m_cache) m_cache->ReadPairAtGrid(grid, min, max, status);
}

void CGVantrelNgChannel::ReadMinMaxOver(PreciseTime t0, PreciseTime t1, double* min, double* max,
                                        uint16_t* status) {
  if (!IsBound() || t1 < m_startTime || t0 > m_endTime) {
    *min = *max = 0.0, *status = kNgNoDataPair;
    return;
  }
  if (t0 < m_startTime) t0 = m_startTime;
  if (t1 > m_endTime) t1 = m_endTime;
  if (m_cache) m_cache->ReadMinMaxOver(t0, t1, min, max, status);
}

void CGVantrelNgChannel::ReadMinMaxColumns(double start, double width, int64_t first, int64_t count,
                                           double* min, double* max, uint16_t* status) {
  if (!IsBound() || !m_cache) {
    CGNgChannel::ReadMinMaxColumns(start, width, first, count, min, max, status);
    return;
  }
  vt::CGVantrelNgChannelSummary* summary = GetSummary();
  if (summary == nullptr) {
    // Each column as ReadMinMaxOver reads it; the walk carries what one column's end shares with
    // the next one's start.
    vt::SNgColumnWalk walk;
    for (int64_t k = 0; k < count; ++k) {
      const double from = start + double(first + k) * width;
      PreciseTime t0 = vt::TimeFromSeconds(from), t1 = vt::TimeFromSeconds(from + width);
      if (t1 < m_startTime || t0 > m_endTime) {
        min[k] = max[k] = 0.0, status[k] = kNgNoDataPair;
        continue;
      }
      if (t0 < m_startTime) t0 = m_startTime;
      if (t1 > m_endTime) t1 = m_endTime;
      m_cache->ReadMinMaxOver(t0, t1, &min[k], &max[k], &status[k], &walk);
    }
    return;
  }
  constexpr int64_t kRun = 64;
  vt::SNgSpanScan acc[kRun];
  uint8_t kind[kRun];
  for (int64_t k0 = 0; k0 < count; k0 += kRun) {
    const int64_t n = std::min(kRun, count - k0);
    summary->ScanColumns(GetSummarySlot(), start, width, first + k0, n, m_startTime, m_endTime, acc, kind);
    for (int64_t j = 0; j < n; ++j) {
      const int64_t k = k0 + j;
      if (kind[j] == vt::CGVantrelNgChannelSummary::kColumnScanned) {
        m_cache->AnswerOf(acc[j], &min[k], &max[k], &status[k]);
      } else if (kind[j] == vt::CGVantrelNgChannelSummary::kColumnOutside) {
        min[k] = max[k] = 0.0, status[k] = kNgNoDataPair;
      } else {
        const double from = start + double(first + k) * width;
        ReadMinMaxOver(vt::TimeFromSeconds(from), vt::TimeFromSeconds(from + width), &min[k], &max[k],
                       &status[k]);
      }
    }
  }
}

int CGVantrelNgChannel::ReadRowValue(PreciseTime t, int* inData, int* exact, double* value,
                                     uint16_t* status) {
  return ReadRowValueWith(t, owner_ ? owner_->PadsSheetCells() : true, inData, exact, value, status);
}

int CGVantrelNgChannel::ReadRowMinMax(PreciseTime t, int* inData, int* exact, double* min, double* max,
                                      uint16_t* status) {
  return ReadRowMinMaxWith(t, owner_ ? owner_->PadsSheetCells() : true, inData, exact, min, max, status);
}

int CGVantrelNgChannel::ReadRowValueWith(PreciseTime t, bool pad, int* inData, int* exact, double* value,
                                         uint16_t* status) {
  PreciseTime read = t;
  ReadValueFrom(t, &read, value, status);
  *inData = 0, *exact = 0;
  if (read.seconds == t.seconds && PreciseTime::CompareFractions(read.fraction, t.fraction) == 0) {
    if (IsInDataRange(t)) *exact = 1, *inData = 1;
    return *inData;
  }
  if (!IsInDataRange(t)) return 0;
  *inData = 1;
  if (!pad) {
    *status = kNgNoDataSingle;
    return 1;
  }
  if (read > t) {
    // The row shows the last sample at or before t.
    const double at = PreciseTime::ToSeconds(read) - m_interval;
    const PreciseTime previous = at > 0 ? PreciseTime::AddSeconds(read, -m_interval) : PreciseTime{};
    PreciseTime again;
    ReadValueFrom(previous, &again, value, status);
  }
  return 1;
}

int CGVantrelNgChannel::ReadRowMinMaxWith(PreciseTime t, bool pad, int* inData, int* exact, double* min,
                                          double* max, uint16_t* status) {
  PreciseTime read = t;
  ReadMinMaxFrom(t, &read, min, max, status);
  *inData = 0, *exact = 0;
  if (read.seconds == t.seconds && PreciseTime::CompareFractions(read.fraction, t.fraction) == 0) {
    if (IsInDataRange(t)) *exact = 1, *inData = 1;
    return *inData;
  }
  if (!IsInDataRange(t)) return 0;
  *inData = 1;
  if (!pad) {
    *status = kNgNoDataPair;
    return 1;
  }
  if (read < t) {
    // A pair covers the interval that ends at its time: the row shows the first pair at or after t.
    PreciseTime again;
    ReadMinMaxFrom(PreciseTime::AddSeconds(read, m_interval), &again, min, max, status);
  }
  return 1;
}

int CGVantrelNgChannel::ReadNearestSampleTime(PreciseTime t, TickTime* out) {
  PreciseTime time = t;
  double a = 0, b = 0;
  uint16_t status = 0;
  if (m_dataKind == 1)
    ReadMinMaxFrom(t, &time, &a, &b, &status);
  else
    ReadValueFrom(t, &time, &a, &status);
  *out = TickTime::FromPreciseTime(time);
  return status & 0xF;
}

bool CGVantrelNgChannel::Statistics(PreciseTime t0, PreciseTime t1, Stats* out) {
  out->min = DBL_MAX, out->max = -DBL_MAX, out->sum = 0.0, out->count = 0;
  if (!IsBound() || !m_cache) return false;
  if (lastStats_.valid && lastStats_.binding == binding_ && lastStats_.t0 == t0 && lastStats_.t1 == t1) {
    *out = lastStats_.stats;
    return true;
  }
  lastStats_.valid = false;
  const PreciseTime askedFrom = t0, askedTo = t1;
  const int binding = binding_;
  if (t0 < m_startTime) t0 = m_startTime;
  if (t1 > m_endTime) t1 = m_endTime;
  // The grid points from the first at or after t0 up to t1 + interval/100, inside the data.
  TickTime cur = GridFrom(t0);
  const double last = (Offset(m_startTime, t1) + m_interval / 100.0) / m_interval;
  TickTime end = m_startTicks.PlusMilliseconds(int64_t(std::floor(last + 1e-9)) * intervalMs_);
  if (m_endTicks < end) end = m_endTicks;
  auto lastEvents = std::chrono::steady_clock::now();
  while (!(end < cur)) {
    CGVantrelNgChannelData* block = m_cache->GetBlock(ToPrecise(cur));
    if (!block) break;
    const TickTime blockLast = block->GetEnd() < end ? block->GetEnd() : end;
    const int64_t i0 = block->IndexOfTicks(cur);
    const int64_t i1 = std::min(block->IndexOfTicks(blockLast), i0 + kStatisticsChunk - 1);
    block->AddValues(i0, i1, &out->min, &out->max, &out->sum, &out->count);
    cur = block->GetStart().PlusMilliseconds((i1 + 1) * intervalMs_);
    if (owner_ && std::chrono::steady_clock::now() - lastEvents >= kEventPeriod) {
      // The owner may repaint and read this channel (evicting blocks); the walk asks for its
      // block again afterwards.
      owner_->ProcessPendingEvents();
      lastEvents = std::chrono::steady_clock::now();
    }
  }
  lastStats_ = {true, binding, askedFrom, askedTo, *out};
  return true;
}

void CGVantrelNgChannel::GetStatisticsOver(PreciseTime t0, PreciseTime t1, double* min, double* max,
                                           double* mean, uint16_t* status) {
  Stats s;
  Statistics(t0, t1, &s);
  *min = s.min, *max = s.max;
  *mean = s.count > 0 ? s.sum / double(s.count) : 0.0;
  *status = s.count > 0 ? 0 : kNgNoDataSingle;
}

void CGVantrelNgChannel::GetMinOver(PreciseTime t0, PreciseTime t1, double* min, uint16_t* status) {
  Stats s;
  Statistics(t0, t1, &s);
  *min = s.min;
  *status = s.count > 0 ? 0 : kNgNoDataSingle;
}

void CGVantrelNgChannel::GetMaxOver(PreciseTime t0, PreciseTime t1, double* max, uint16_t* status) {
  Stats s;
  Statistics(t0, t1, &s);
  *max = s.max;
  *status = s.count > 0 ? 0 : kNgNoDataSingle;
}

void CGVantrelNgChannel::GetSumOver(PreciseTime t0, PreciseTime t1, double* mean, uint16_t* status) {
  *mean = 0.0;
  if (m_dataKind != 0 && m_dataKind != 1) return;
  Stats s;
  Statistics(t0, t1, &s);
  if (s.count > 0) {
    *mean = s.sum / double(s.count);
    *status = 0;
  } else {
    *status = kNgNoDataSingle;
  }
}

TickTime CGVantrelNgChannel::NextSampleTimeAfter(TickTime t) const {
  if (t < m_startTicks) return m_startTicks;
  if (m_endTicks < t || intervalMs_ < 1) return TickTime(0);
  const int64_t index = (t.ticks - m_startTicks.ticks) / kTicksPerMs / intervalMs_;
  const TickTime next = m_startTicks.PlusMilliseconds((index + 1) * intervalMs_);
  return m_endTicks < next ? TickTime(0) : next;
}

bool CGVantrelNgChannel::EarliestNextSampleTime(CGVantrelNgChannel* const* channels, int count, TickTime t,
                                                TickTime* out) {
  bool found = false;
  for (int i = 0; i < count; ++i) {
    const TickTime next = channels[i]->NextSampleTimeAfter(t);
    if (next.ticks == 0) continue;
    if (!found || next < *out) *out = next;
    found = true;
  }
  return found;
}
