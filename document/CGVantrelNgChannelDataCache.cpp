// The block cache of a trend channel (see CGVantrelNgChannelDataCache.h).
#include "document/CGVantrelNgChannelDataCache.h"

#include <cassert>
#include <cfloat>
#include <cmath>
#include <new>

#include "document/CGVantrelNgChannel.h"
#include "document/CGVantrelNgChannelSummary.h"
#include "gadget/GStocker.h"
#include "recorder/CVTData.h"
#include "recorder/RecorderStatus.h"
#include "store/CVTBatch.h"

namespace {

constexpr int64_t kTicksPerMs = 10000;

// The trend display's state of a recorder state; 0, a measured value, without the table.
int State(int recorderState) { return recorderState == 0 ? 0 : RecorderStateToSampleStatus(recorderState); }
uint16_t EventWord(int state, uint8_t flags) { return uint16_t(State(state) << 12 | (flags & 0xF)); }
uint16_t PairWord(int minState, uint8_t minFlags, int maxState, uint8_t maxFlags) {
  return uint16_t(State(minState) << 12 | State(maxState) << 8 | ((minFlags | maxFlags) & 0xF));
}

PreciseTime ToPrecise(TickTime t) { return vt::NgPreciseOf(t); }
double Offset(const PreciseTime& a, const PreciseTime& b) { return vt::NgSecondsBetween(a, b); }

}  // namespace

// --- one block --------------------------------------------------------------------------------

void CGVantrelNgChannelData::Release() {
  low_ = {};
  high_ = {};
  status_ = {};
  channel_ = nullptr;
  CGCore::Release();
}

void CGVantrelNgChannelData::SetSpan(TickTime start, TickTime end) {
  start_ = start < channel_->GetStartTicks() ? channel_->GetStartTicks() : start;
  end_ = channel_->GetEndTicks() < end ? channel_->GetEndTicks() : end;
}

int64_t CGVantrelNgChannelData::GetSampleBytes() const {
  return int64_t(low_.capacity() + high_.capacity()) * 4 + int64_t(status_.capacity()) * 2;
}

bool CGVantrelNgChannelData::Load() {
  const int64_t step = channel_->GetIntervalMs() * kTicksPerMs;
  assert(step > 0);
  const bool pairs = channel_->GetBatchDataKind() == DATA_KIND_DISPLAY;
  const int64_t points = end_ < start_ ? 0 : (end_.ticks - start_.ticks) / step + 1;
  try {
    status_.assign(size_t(points), pairs ? kNgNoDataPair : kNgNoDataSingle);
    low_.assign(size_t(points), 0);
    if (pairs) high_.assign(size_t(points), 0);
  } catch (const std::bad_alloc&) {
    low_ = {}, high_ = {}, status_ = {};
    return false;
  }
  CVTBatch* batch = channel_->GetBatch();
  if (batch == nullptr || points == 0) return true;
  CVTData data;
  // What the read leaves in the buffer is used as it is; grid points it did not deliver stay
  // "no data". Each record goes to the grid point of its own time.
  batch->ReadRecords(channel_->GetChannelNumber(), start_, end_, &data, channel_->GetSegmentIndex(), true);
  const int count = data.GetCount();
  const bool wantKind = (data.GetKind() == DATA_KIND_DISPLAY) == pairs;
  if (!wantKind) return true;
  // Records normally arrive one per grid point in order; only a record off that walk needs the
  // division.
  int64_t expected = 0;
  auto slot = [&](TickTime t) -> int64_t {
    const int64_t d = t.ticks - start_.ticks;
    if (d == expected * step) return expected < points ? expected++ : -1;
    if (d < 0) return -1;
    const int64_t i = (d + step / 2) / step;
    expected = i + 1;
    return i < points ? i : -1;
  };
  // The buffer is one flat array of records of its type, read straight through.
  const SRecordData* first = count > 0 ? data.GetRecord(0) : nullptr;
  if (first == nullptr) return true;
  int32_t* lo = low_.data();
  int32_t* hi = high_.data();
  uint16_t* st = status_.data();
  auto events = [&](const auto* r) {
    for (int k = 0; k < count; ++k)
      if (int64_t i = slot(r[k].time); i >= 0) lo[i] = r[k].value, st[i] = EventWord(r[k].state, r[k].flags);
  };
  auto displays = [&](const auto* r) {
    for (int k = 0; k < count; ++k)
      if (int64_t i = slot(r[k].time); i >= 0) {
        lo[i] = r[k].minValue;
        hi[i] = r[k].maxValue;
        st[i] = PairWord(r[k].minState, r[k].minFlags, r[k].maxState, r[k].maxFlags);
      }
  };
  const bool narrow = data.GetValueType() == VALUE_TYPE_SHORT;
  if (!pairs && narrow)
    events(static_cast<const SEventShortData*>(first));
  else if (!pairs)
    events(static_cast<const SEventIntData*>(first));
  else if (narrow)
    displays(static_cast<const SDispShortData*>(first));
  else
    displays(static_cast<const SDispIntData*>(first));
  return true;
}

int64_t CGVantrelNgChannelData::IndexOfTime(const PreciseTime& t, PreciseTime* gridTime) const {
  const int64_t ms = channel_->GetIntervalMs();
  const double interval = double(ms) / 1000.0;
  const double d = Offset(ToPrecise(start_), t);
  const int64_t index = int64_t(std::floor(d / interval + 0.5));
  if (gridTime) {
    *gridTime = ToPrecise(start_.PlusMilliseconds(index * ms));
    return index;
  }
  return std::fabs(d - double(index * ms) / 1000.0) > interval / 100.0 ? -1 : index;
}

int64_t CGVantrelNgChannelData::IndexOfTicks(TickTime t) const {
  return (t.ticks - start_.ticks) / (channel_->GetIntervalMs() * kTicksPerMs);
}

bool CGVantrelNgChannelData::Covers(const PreciseTime& t) const {
  PreciseTime grid;
  IndexOfTime(t, &grid);
  const int64_t ms = channel_->GetIntervalMs();
  const int64_t half = int64_t(double(ms) * 0.5 + 0.5);
  const TickTime g = TickTime::FromPreciseTime(grid);
  return !(g < start_.MinusMilliseconds(half)) && !(end_.PlusMilliseconds(half) < g);
}

bool CGVantrelNgChannelData::Intersect(TickTime t0, TickTime t1, TickTime* from, TickTime* to) const {
  *from = t0 < start_ ? start_ : t0;
  *to = end_ < t1 ? end_ : t1;
  return !(*to < *from);
}

void CGVantrelNgChannelData::ReadEventValue(int64_t index, double* value, uint16_t* status) const {
  if (status_.empty()) return;
  if (index < 0 || index >= int64_t(status_.size()) || !high_.empty()) {
    *value = 0.0, *status = kNgNoDataSingle;
    return;
  }
  *value = channel_->ScaleValue(low_[size_t(index)]);
  *status = status_[size_t(index)];
}

void CGVantrelNgChannelData::ReadDisplayPair(int64_t index, double* min, double* max,
                                             uint16_t* status) const {
  if (status_.empty()) return;
  if (index < 0 || index >= int64_t(status_.size()) || high_.empty()) {
    *min = 0.0, *max = 0.0, *status = kNgNoDataPair;
    return;
  }
  *min = channel_->ScaleValue(low_[size_t(index)]);
  *max = channel_->ScaleValue(high_[size_t(index)]);
  *status = status_[size_t(index)];
}

void CGVantrelNgChannelData::SpanIndexes(const PreciseTime& t0, const PreciseTime& t1, int64_t* i0,
                                         int64_t* i1) const {
  PreciseTime g0, g1;
  *i0 = IndexOfTime(t0, &g0);
  if (t0 < g0 && *i0 - 1 >= 0) --*i0;
  *i1 = IndexOfTime(t1, &g1);
  if (t1 > g1) ++*i1;
}

void CGVantrelNgChannelData::ScanRange(int64_t i0, int64_t i1, vt::SNgSpanScan* acc) const {
  const int64_t n = int64_t(status_.size());
  if (i0 < 0) i0 = 0;
  if (i1 >= n) i1 = n - 1;
  const bool pairs = !high_.empty();
  ScanNgPoints(status_.data(), low_.data(), pairs ? high_.data() : nullptr, pairs, i0, i1, acc);
}

// --- the cache --------------------------------------------------------------------------------

CGVantrelNgChannelDataCache::CGVantrelNgChannelDataCache(CGCore* parent, CGVantrelNgChannel* channel)
    : CGDataManager(parent), channel_(channel) {}

CGVantrelNgChannelDataCache::~CGVantrelNgChannelDataCache() { channel_ = nullptr; }

void CGVantrelNgChannelDataCache::Release() {
  channel_ = nullptr;
  ReleaseChildren();
  CGCore::Release();
}

int64_t CGVantrelNgChannelDataCache::IntervalMs() const { return channel_->GetIntervalMs(); }

int64_t CGVantrelNgChannelDataCache::GetSampleBytes() const {
  int64_t sum = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    sum += static_cast<CGVantrelNgChannelData*>(c)->GetSampleBytes();
  return sum;
}

TickTime CGVantrelNgChannelDataCache::BlockEndFor(TickTime start) const {
  const TickTime end = start.PlusMilliseconds(IntervalMs() * BLOCK_SAMPLES);
  return channel_->GetEndTicks() < end ? channel_->GetEndTicks() : end;
}

bool CGVantrelNgChannelDataCache::ComputeSpan(const PreciseTime& t, TickTime* start, TickTime* end) const {
  const int64_t ms = IntervalMs();
  const TickTime s = channel_->GetStartTicks();
  const double d = Offset(ToPrecise(s), t);
  const int64_t index = int64_t(std::floor(d / (double(ms) / 1000.0) + 0.5));
  const int64_t half = int64_t(double(ms) * 0.5 + 0.5);
  const int64_t gMs = index * ms;  // the grid point of t, in ms after the data start
  const int64_t dataMs = channel_->GetEndTicks().DiffMilliseconds(s);
  if (gMs > dataMs + half) return false;  // past the data: no block of the tiling reaches it
  // The first block k whose end (start + (50,001 k + 50,000) intervals), widened by half an
  // interval, reaches the grid point.
  const int64_t stride = (BLOCK_SAMPLES + 1) * ms;
  const int64_t need = gMs - half - BLOCK_SAMPLES * ms;
  const int64_t k = need <= 0 ? 0 : (need + stride - 1) / stride;
  *start = s.PlusMilliseconds(k * stride);
  *end = BlockEndFor(*start);
  return true;
}

CGVantrelNgChannelData* CGVantrelNgChannelDataCache::NewBlock() {
  CGCore* pooled = pooled_ ? TakeFromStocker(GCLASS(CGVantrelNgChannelData), nullptr) : nullptr;
  auto* block = pooled ? static_cast<CGVantrelNgChannelData*>(pooled)
                       : new (std::nothrow) CGVantrelNgChannelData(nullptr);
  if (block) block->SetChannel(channel_);
  return block;
}

bool CGVantrelNgChannelDataCache::InsertBlock(CGVantrelNgChannelData* block, const PreciseTime& t) {
  TickTime start, end;
  if (!ComputeSpan(t, &start, &end)) return false;
  block->SetSpan(start, end);
  const TickTime bs = block->GetStart(), be = block->GetEnd();
  const int n = GetBlockCount();
  CGVantrelNgChannelData* a = n > 0 ? GetBlockAt(0) : nullptr;
  CGVantrelNgChannelData* b = n > 1 ? GetBlockAt(1) : nullptr;
  if (n == 0) {
    block->LinkAsLastChild(this);
    return true;
  }
  if (n == 1) {
    if (be < a->GetStart())
      block->LinkBefore(a);
    else if (a->GetEnd() < bs)
      block->LinkAfter(a);
    else
      return false;
    return true;
  }
  if (n == 2) {
    if (be < a->GetStart())
      block->LinkBefore(a);
    else if (b->GetEnd() < bs)
      block->LinkAfter(b);
    else if (a->GetEnd() < bs && be < b->GetStart())
      block->LinkAfter(a);
    else
      return false;
    return true;
  }
  assert(n == CACHED_BLOCK_LIMIT);
  int position = -1;
  for (int j = 0; j < 3 && position < 0; ++j) {
    CGVantrelNgChannelData* x = GetBlockAt(j);
    CGVantrelNgChannelData* y = j < 2 ? GetBlockAt(j + 1) : nullptr;
    if (j == 0 && be < x->GetStart()) {
      position = 0;
    } else if (bs == x->GetEnd().PlusMilliseconds(IntervalMs()) ||
               (x->GetEnd() < bs && (y == nullptr || be < y->GetStart()))) {
      position = j + 1;
    }
  }
  if (position < 0) return false;
  CGVantrelNgChannelData* first = GetBlockAt(0);
  CGVantrelNgChannelData* last = GetBlockAt(2);
  if (position == 0)
    block->LinkBefore(first);
  else
    block->LinkAfter(GetBlockAt(position - 1));
  CGVantrelNgChannelData* evict = nullptr;
  if (position == 0) {
    evict = last;
  } else if (position == 3) {
    evict = first;
  } else {
    const int64_t dLast = last->GetStart().DiffMilliseconds(be);
    const int64_t dFirst = bs.DiffMilliseconds(first->GetEnd());
    evict = dFirst < dLast ? last : first;
  }
  evict->Detach();
  delete evict;
  return true;
}

CGVantrelNgChannelData* CGVantrelNgChannelDataCache::GetBlock(const PreciseTime& t) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* block = static_cast<CGVantrelNgChannelData*>(c);
    if (block->Covers(t)) return block;
  }
  CGVantrelNgChannelData* block = NewBlock();
  if (!block) return nullptr;
  if (!InsertBlock(block, t)) {
    delete block;
    return nullptr;
  }
  if (!block->Load()) {
    block->Detach();
    delete block;
    return nullptr;
  }
  return block;
}

bool CGVantrelNgChannelDataCache::ReadValueAtGrid(TickTime grid, double* value, uint16_t* status) {
  CGVantrelNgChannelData* block = GetBlock(ToPrecise(grid));
  if (!block || !block->HasSamples()) return false;
  block->ReadEventValue(block->IndexOfTicks(grid), value, status);
  return true;
}

bool CGVantrelNgChannelDataCache::ReadPairAtGrid(TickTime grid, double* min, double* max, uint16_t* status) {
  CGVantrelNgChannelData* block = GetBlock(ToPrecise(grid));
  if (!block || !block->HasSamples()) return false;
  block->ReadDisplayPair(block->IndexOfTicks(grid), min, max, status);
  return true;
}

void CGVantrelNgChannelDataCache::ScanOver(const PreciseTime& t0, const PreciseTime& t1, vt::SNgSpanScan* acc,
                                           int) {
  // Block by block; a part that found only "no data" adds nothing, so a column crossing a block
  // boundary comes out as the same span inside one block would.
  PreciseTime from = t0;
  for (;;) {
    CGVantrelNgChannelData* block = GetBlock(from);
    if (!block) return;
    int64_t i0 = 0, i1 = 0;
    block->SpanIndexes(from, t1, &i0, &i1);
    block->ScanRange(i0, i1, acc);
    const PreciseTime end = ToPrecise(block->GetEnd());
    if (!(t1 > end)) return;
    from = ToPrecise(block->GetEnd().PlusMilliseconds(IntervalMs()));
    if (from > t1) return;
  }
}

void CGVantrelNgChannelDataCache::ReadMinMaxOver(const PreciseTime& t0, const PreciseTime& t1, double* min,
                                                 double* max, uint16_t* status, vt::SNgColumnWalk* walk) {
  vt::SNgSpanScan acc;
  vt::CGVantrelNgChannelSummary* summary = channel_->GetSummary();
  if (summary == nullptr || !summary->ScanOver(channel_->GetSummarySlot(), t0, t1, &acc, walk)) {
    acc = vt::SNgSpanScan{};
    if (!GetBlock(t0)) {
      *min = DBL_MAX, *max = -DBL_MAX, *status = 0;
      return;
    }
    ScanOver(t0, t1, &acc, 0);
  }
  AnswerOf(acc, min, max, status);
}

void CGVantrelNgChannelDataCache::AnswerOf(const vt::SNgSpanScan& acc, double* min, double* max,
                                           uint16_t* status) const {
  double mn = DBL_MAX, mx = -DBL_MAX;
  uint16_t st = acc.status;
  if (!acc.found) {
    st |= kNgNoDataPair;
    mn = -DBL_MAX, mx = DBL_MAX;
  } else {
    if (acc.hasValue) {
      const double a = channel_->ScaleValue(acc.rawMin), b = channel_->ScaleValue(acc.rawMax);
      mn = channel_->ScaleIncreases() ? a : b;
      mx = channel_->ScaleIncreases() ? b : a;
    }
    if (acc.plusOver) mx = DBL_MAX;
    if (acc.minusOver) mn = -DBL_MAX;
  }
  if (mx < mn) mn = mx;
  if (((st >> 8) & 0xF) == 3) mx = mn;
  *min = mn, *max = mx, *status = st;
}

void CGVantrelNgChannelData::AddValues(int64_t i0, int64_t i1, double* min, double* max, double* sum,
                                       int64_t* count) const {
  const int64_t n = int64_t(status_.size());
  if (i0 < 0) i0 = 0;
  if (i1 >= n) i1 = n - 1;
  const bool pairs = !high_.empty();
  auto add = [&](int32_t raw) {
    const double v = channel_->ScaleValue(raw);
    if (v < *min) *min = v;
    if (v > *max) *max = v;
    *sum += v;
    ++*count;
  };
  for (int64_t i = i0; i <= i1; ++i) {
    const unsigned w = status_[size_t(i)];
    if ((w >> 12) == 0) add(low_[size_t(i)]);
    if (pairs && ((w >> 8) & 0xF) == 0) add(high_[size_t(i)]);
  }
}
