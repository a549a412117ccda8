// The shared min/max summaries of trend channels (see CGVantrelNgChannelSummary.h).
#include "document/CGVantrelNgChannelSummary.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <tuple>

#include "document/CGVantrelNgChannel.h"
#include "recorder/RecorderStatus.h"
#include "store/CVTBatch.h"
#include "trend/TrendTime.h"

namespace {

constexpr int64_t kTicksPerMs = 10000;
// Records per column read: a range the reader keeps in its range cache.
constexpr int kRangeRecords = 8192;
// Records per piece when a block is summarised straight from the records: the piece of every
// member stays in the processor's cache between its decoding and its summarising.
constexpr int kFoldRecords = 2048;
// Columns ahead of the one folded whose summaries are fetched, and the finest levels fetched.
constexpr int64_t kPrefetchColumns = 4;
constexpr int kPrefetchLevels = 3;
// Bytes of edge groups per generation.
constexpr int64_t kEdgeBytes = 32 << 20;

// Entry bits: a value of state 0, a record that is not "no data", +OVER, -OVER; flags above.
constexpr uint8_t kHas = 1, kFound = 2, kPlus = 4, kMinus = 8;

int State(int recorderState) { return recorderState == 0 ? 0 : RecorderStateToSampleStatus(recorderState); }

// The trend display's state of each recorder state byte.
struct StateTable {
  uint8_t of[256];
  StateTable() {
    for (int i = 0; i < 256; ++i) of[i] = uint8_t(State(i) & 0xF);
  }
  // The status word of a decoded point: its state, a pair's maximum state, the low flag bits.
  uint16_t Word(uint8_t state, uint8_t maxState, uint8_t flags, bool pairs) const {
    return uint16_t(of[state] << 12 | (pairs ? of[maxState] << 8 : 0) | (flags & 0xF));
  }
};
const StateTable& States() {
  static const StateTable table;
  return table;
}

uint8_t BitsOf(const vt::SNgSpanScan& s) {
  return uint8_t((s.hasValue ? kHas : 0) | (s.found ? kFound : 0) | (s.plusOver ? kPlus : 0) |
                 (s.minusOver ? kMinus : 0) | (s.status & 0xF) << 4);
}

void Fold(int32_t low, int32_t high, uint8_t bits, vt::SNgSpanScan* acc) {
  if (bits & kHas) {
    if (!acc->hasValue || low < acc->rawMin) acc->rawMin = low;
    if (!acc->hasValue || high > acc->rawMax) acc->rawMax = high;
    acc->hasValue = true;
  }
  if (bits & kFound) acc->found = true;
  if (bits & kPlus) acc->plusOver = true, acc->status |= 0x600;
  if (bits & kMinus) acc->minusOver = true, acc->status |= 0x7000;
  acc->status |= uint16_t(bits >> 4);
}

// The finest entries of n whole groups of decoded points: most often eight values (pairs) of
// state 0, whose extremes and flags are taken in one pass.
template <bool kPairs>
void FoldGroups(const int32_t* v, const int32_t* w, const uint8_t* st, const uint8_t* ms, const uint8_t* fl,
                int64_t n, int32_t* low, int32_t* high, uint8_t* bits) {
  const StateTable& states = States();
  for (int64_t g = 0; g < n; ++g, v += 8, w += 8, st += 8, ms += 8, fl += 8) {
    uint64_t minWord = 0, maxWord = 0, flags = 0;
    std::memcpy(&minWord, st, 8);
    if (kPairs) std::memcpy(&maxWord, ms, 8);
    std::memcpy(&flags, fl, 8);
    if ((minWord | maxWord) == 0) {
      const int32_t* hi = kPairs ? w : v;
      int32_t mn = v[0], mx = hi[0];
      for (int q = 1; q < 8; ++q) mn = std::min(mn, v[q]), mx = std::max(mx, hi[q]);
      flags &= 0x0F0F0F0F0F0F0F0FULL;
      flags |= flags >> 32, flags |= flags >> 16, flags |= flags >> 8;
      low[g] = mn, high[g] = mx, bits[g] = uint8_t(kHas | kFound | (flags & 0xF) << 4);
    } else {
      uint16_t gs[8];
      for (int q = 0; q < 8; ++q) gs[q] = states.Word(st[q], ms[q], fl[q], kPairs);
      vt::SNgSpanScan acc;
      ScanNgPoints(gs, v, kPairs ? w : nullptr, kPairs, 0, 7, &acc);
      low[g] = acc.rawMin, high[g] = acc.rawMax, bits[g] = BitsOf(acc);
    }
  }
}

struct Key {
  const CVTBatch* batch;
  int segment;
  int64_t start, end, intervalMs;
  bool pairs;
  bool operator<(const Key& o) const {
    return std::tie(batch, segment, start, end, intervalMs, pairs) <
           std::tie(o.batch, o.segment, o.start, o.end, o.intervalMs, o.pairs);
  }
};

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::map<Key, std::weak_ptr<vt::CGVantrelNgChannelSummary>>& Registry() {
  static std::map<Key, std::weak_ptr<vt::CGVantrelNgChannelSummary>> r;
  return r;
}

}  // namespace

namespace vt {

PreciseTime NgPreciseOf(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

double NgSecondsBetween(const PreciseTime& a, const PreciseTime& b) {
  return double(b.seconds - a.seconds) + (b.fraction - a.fraction);
}

}  // namespace vt

void ScanNgPoints(const uint16_t* st, const int32_t* lo, const int32_t* hi, bool pairs, int64_t i0,
                  int64_t i1, vt::SNgSpanScan* acc) {
  if (i0 > i1) return;
  if (!pairs) hi = lo;
  int32_t mn = acc->hasValue ? acc->rawMin : INT32_MAX;
  int32_t mx = acc->hasValue ? acc->rawMax : INT32_MIN;
  bool any = acc->hasValue, found = acc->found;
  unsigned flags = acc->status;
  for (int64_t i = i0; i <= i1; ++i) {
    const unsigned w = st[i];
    const unsigned c1 = w >> 12;
    if (c1 == 0) {  // the common case: a valid value (pair)
      flags |= w & 0xF;
      found = any = true;
      if (lo[i] < mn) mn = lo[i];
      if (hi[i] > mx) mx = hi[i];
      continue;
    }
    if (c1 == 3) continue;
    found = true;
    flags |= w & 0xF;
    const unsigned c2 = pairs ? (w >> 8) & 0xF : c1;
    for (unsigned c : {c1, c2}) {
      if (c == 6)
        acc->plusOver = true, flags |= 0x600;
      else if (c == 7)
        acc->minusOver = true, flags |= 0x7000;
    }
  }
  acc->rawMin = mn, acc->rawMax = mx;
  acc->hasValue = any, acc->found = found;
  acc->status = uint16_t(flags);
}

// --- the group of channels ----------------------------------------------------------------------

std::shared_ptr<vt::CGVantrelNgChannelSummary> vt::CGVantrelNgChannelSummary::Join(
    CGVantrelNgChannel* channel, int* slot) {
  const int64_t ms = channel->GetIntervalMs();
  if (ms < 1 || channel->GetBatch() == nullptr || channel->GetEndTicks() < channel->GetStartTicks())
    return nullptr;
  // Data the block cache holds whole needs no summaries.
  const int64_t points =
      (channel->GetEndTicks().ticks - channel->GetStartTicks().ticks) / (ms * kTicksPerMs) + 1;
  if (points <= CACHED_BLOCK_LIMIT * (BLOCK_SAMPLES + 1)) return nullptr;
  const bool pairs = channel->GetBatchDataKind() == DATA_KIND_DISPLAY;
  const Key key{channel->GetBatch(),
                channel->GetSegmentIndex(),
                channel->GetStartTicks().ticks,
                channel->GetEndTicks().ticks,
                ms,
                pairs};
  std::shared_ptr<vt::CGVantrelNgChannelSummary> group;
  try {
    std::lock_guard<std::mutex> lock(RegistryMutex());
    group = Registry()[key].lock();
    if (!group) {
      group = std::make_shared<vt::CGVantrelNgChannelSummary>(channel->GetBatch(), channel->GetSegmentIndex(),
                                                              channel->GetStartTicks(),
                                                              channel->GetEndTicks(), ms, pairs);
      Registry()[key] = group;
    }
    Member m;
    m.channel = channel;
    m.channelNo = channel->GetChannelNumber();
    m.blocks.resize(size_t(group->BlockCount()));
    group->members_.push_back(std::move(m));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  *slot = int(group->members_.size()) - 1;
  // A new member has no points in the decoded block; edge groups read before lack it and are read
  // again when asked.
  group->decodedSlots_.push_back(-1);
  return group;
}

void vt::CGVantrelNgChannelSummary::Leave(int slot) {
  if (slot < 0 || slot >= int(members_.size())) return;
  // The arena gives nothing back: the member's summaries serve the next member that needs them.
  Member& m = members_[size_t(slot)];
  try {
    for (size_t b = 0; b < m.blocks.size(); ++b)
      if (m.blocks[b].built) freeSummaries_[b].push_back(m.blocks[b].levels[0].low);
  } catch (const std::bad_alloc&) {
    // Not kept for reuse; the arena still frees it with the group.
  }
  m = Member{};
  if (slot < int(decodedSlots_.size())) decodedSlots_[size_t(slot)] = -1;
}

vt::CGVantrelNgChannelSummary::CGVantrelNgChannelSummary(CVTBatch* batch, int segment, TickTime start,
                                                         TickTime end, int64_t intervalMs, bool pairs)
    : batch_(batch), segment_(segment), start_(start), end_(end), intervalMs_(intervalMs), pairs_(pairs) {
  points_ = (end.ticks - start.ticks) / (intervalMs * kTicksPerMs) + 1;
  const int64_t blocks = BlockCount();
  blockSeconds_.resize(size_t(blocks));
  blockMs_.resize(size_t(blocks));
  for (int64_t b = 0; b < blocks; ++b) {
    double fraction = 0;
    blockMs_[size_t(b)] = BlockStart(b).ToTime64(&blockSeconds_[size_t(b)], &fraction);
  }
  // Every column asks for a block's first, last and next grid times: worked out once here.
  blockTimes_.resize(size_t(blocks));
  for (int64_t b = 0; b < blocks; ++b) {
    const int64_t n = BlockPoints(b);
    blockTimes_[size_t(b)] = BlockTimes{GridTime(b, 0), GridTime(b, n - 1), GridTime(b, n)};
  }
  startTime_ = GridTime(0, 0);
  freeSummaries_.resize(size_t(blocks));
}

PreciseTime vt::CGVantrelNgChannelSummary::GridTime(int64_t block, int64_t i) const {
  // As NgPreciseOf(BlockStart(block).PlusMilliseconds(i x interval)), without the tick division:
  // whole milliseconds move the seconds and the millisecond part alone.
  const int64_t ms = blockMs_[size_t(block)] + i * intervalMs_;
  const int64_t seconds = ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
  return PreciseTime{blockSeconds_[size_t(block)] + seconds, double(ms - seconds * 1000) / 1000.0};
}

vt::CGVantrelNgChannelSummary::~CGVantrelNgChannelSummary() {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  auto& registry = Registry();
  for (auto it = registry.begin(); it != registry.end();)
    it = it->second.expired() ? registry.erase(it) : std::next(it);
}

int64_t vt::CGVantrelNgChannelSummary::GetBytes() const {
  int64_t sum = 0;
  sum += summaryBytes_;  // the summaries: what the arena handed out (only touched pages take memory)
  for (const Member& m : members_) sum += int64_t(m.blocks.capacity() * sizeof(BlockSummary));
  for (const Points& p : decoded_)
    sum += int64_t(p.low.capacity() + p.high.capacity()) * 4 + int64_t(p.status.capacity()) * 2;
  // The edge store's reserved room takes memory only as places are used.
  sum += int64_t(edgeKeys_.size()) * edgeStride_ * kGroup * (pairs_ ? 10 : 6);
  sum +=
      int64_t(edgeIndex_.capacity()) * 4 + int64_t(edgeKeys_.size()) * 8 + int64_t(edgeMembers_.size()) * 4;
  return sum;
}

// --- the tiling, as the block cache lays it -----------------------------------------------------

int64_t vt::CGVantrelNgChannelSummary::BlockCount() const {
  return (points_ + BLOCK_SAMPLES) / (BLOCK_SAMPLES + 1);
}

TickTime vt::CGVantrelNgChannelSummary::BlockStart(int64_t block) const {
  return start_.PlusMilliseconds(block * (BLOCK_SAMPLES + 1) * intervalMs_);
}

int64_t vt::CGVantrelNgChannelSummary::BlockPoints(int64_t block) const {
  return std::min<int64_t>(BLOCK_SAMPLES + 1, points_ - block * (BLOCK_SAMPLES + 1));
}

int64_t vt::CGVantrelNgChannelSummary::BlockOf(const PreciseTime& t) const {
  const int64_t ms = intervalMs_;
  const double d = vt::NgSecondsBetween(startTime_, t);
  const int64_t index = int64_t(std::floor(d / (double(ms) / 1000.0) + 0.5));
  const int64_t half = int64_t(double(ms) * 0.5 + 0.5);
  const int64_t gMs = index * ms;
  if (gMs > end_.DiffMilliseconds(start_) + half) return -1;
  const int64_t stride = (BLOCK_SAMPLES + 1) * ms;
  const int64_t need = gMs - half - BLOCK_SAMPLES * ms;
  const int64_t k = need <= 0 ? 0 : (need + stride - 1) / stride;
  return k < BlockCount() ? k : -1;
}

void vt::CGVantrelNgChannelSummary::SpanIndexes(int64_t block, const PreciseTime& t0, const PreciseTime& t1,
                                                int64_t* i0, int64_t* i1, SNgColumnWalk* walk) const {
  const PreciseTime& s = blockTimes_[size_t(block)].first;
  const double interval = double(intervalMs_) / 1000.0;
  auto index = [&](const PreciseTime& t, PreciseTime* grid) {
    if (walk && walk->block == block && walk->time.seconds == t.seconds &&
        walk->time.fraction == t.fraction) {
      *grid = walk->grid;
      return walk->index;
    }
    const int64_t i = int64_t(std::floor(vt::NgSecondsBetween(s, t) / interval + 0.5));
    *grid = GridTime(block, i);
    return i;
  };
  PreciseTime g0, g1;
  *i0 = index(t0, &g0);
  if (t0 < g0 && *i0 - 1 >= 0) --*i0;
  *i1 = index(t1, &g1);
  if (walk) *walk = SNgColumnWalk{block, t1, *i1, g1};
  if (t1 > g1) ++*i1;
}

// --- reading and summarising --------------------------------------------------------------------

bool vt::CGVantrelNgChannelSummary::ReadPoints(int64_t block, int64_t p0, int64_t p1,
                                               const std::vector<int>& slots, std::vector<Points>* out) {
  const TickTime bs = BlockStart(block);
  const TickTime be = bs.PlusMilliseconds((BlockPoints(block) - 1) * intervalMs_);
  const int64_t n = p1 - p0 + 1;
  std::vector<int> numbers;
  try {
    out->resize(slots.size());
    for (size_t k = 0; k < slots.size(); ++k) {
      Points& p = (*out)[k];
      p.status.resize(size_t(n));
      p.low.resize(size_t(n));
      if (pairs_) p.high.resize(size_t(n));
      numbers.push_back(members_[size_t(slots[k])].channelNo);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Every point starts as "no data" with zero values. Only the points before a write that no
  // write reached yet (filled[k]) are set so, so that the points a read delivers are written once.
  std::vector<int64_t> filled(slots.size(), 0);
  auto fillTo = [&](size_t k, int64_t end) {
    int64_t& f = filled[k];
    if (end <= f) return;
    Points& p = (*out)[k];
    std::fill(p.status.begin() + f, p.status.begin() + end, pairs_ ? kNgNoDataPair : kNgNoDataSingle);
    std::fill(p.low.begin() + f, p.low.begin() + end, 0);
    if (pairs_) std::fill(p.high.begin() + f, p.high.begin() + end, 0);
    f = end;
  };
  // After points up to end were written: they need no filling.
  auto reached = [&](size_t k, int64_t end) { filled[k] = std::max(filled[k], end); };
  // Records map to the grid point nearest their time, as a block of the cache places them; a
  // window one interval wider each side (inside the block) holds every record that maps to
  // [p0, p1], in the order the block's own read gives them.
  TickTime from = bs.PlusMilliseconds((p0 - 1) * intervalMs_);
  TickTime to = bs.PlusMilliseconds((p1 + 1) * intervalMs_);
  if (from < bs) from = bs;
  if (be < to) to = be;
  const int64_t step = intervalMs_ * kTicksPerMs;
  auto slotOf = [&](TickTime t) -> int64_t {
    const int64_t d = t.ticks - bs.ticks;
    return d < 0 ? -1 : (d + step / 2) / step;
  };
  auto sink = [&](const vt::SColumnPiece& piece) {
    const int64_t pieceStep = piece.intervalMs * kTicksPerMs;
    const int64_t d0 = piece.first.ticks - bs.ticks;
    const bool aligned = pieceStep == step && d0 >= 0 && d0 % step == 0;
    // Calls write(i, j) for each record i of the piece that maps to point j of out[k].
    auto each = [&](size_t k, auto&& write) {
      if (aligned) {
        const int64_t s0 = d0 / step;
        const int64_t a = std::max<int64_t>(0, p0 - s0), b = std::min<int64_t>(piece.count, p1 - s0 + 1);
        if (a >= b) return;
        fillTo(k, s0 + a - p0);
        for (int64_t i = a; i < b; ++i) write(int(i), s0 + i - p0);
        reached(k, s0 + b - p0);
        return;
      }
      for (int i = 0; i < piece.count; ++i)
        if (const int64_t s = slotOf(TickTime(piece.first.ticks + int64_t(i) * pieceStep));
            s >= p0 && s <= p1) {
          fillTo(k, s - p0);
          write(i, s - p0);
          reached(k, s - p0 + 1);
        }
    };
    if (piece.columns == nullptr) {  // a gap: no data at its points
      for (size_t k = 0; k < out->size(); ++k) {
        uint16_t* st = (*out)[k].status.data();
        each(k, [&](int, int64_t j) { st[j] = pairs_ ? kNgNoDataPair : kNgNoDataSingle; });
      }
      return true;
    }
    const vt::CVTColumns& c = *piece.columns;
    if ((c.GetKind() == DATA_KIND_DISPLAY) != pairs_)
      return true;  // a block of the other kind reads as no data
    for (int k = 0; k < c.GetChannelCount(); ++k) {
      const vt::CVTColumns::Column& col = c.GetColumn(k);
      if (!col.hasSamples) continue;
      const size_t place = size_t((*piece.places)[size_t(k)]);
      Points& p = (*out)[place];
      int32_t* lo = p.low.data();
      int32_t* hi = p.high.data();
      uint16_t* st = p.status.data();
      const int32_t* v = col.values.data();
      const uint8_t* s = col.states.data();
      const uint8_t* f = col.flags.data();
      const StateTable& states = States();
      if (!pairs_) {
        each(place, [&](int i, int64_t j) {
          lo[j] = v[i];
          st[j] = states.Word(s[i], 0, f[i], false);
        });
      } else {
        const int32_t* w = col.maxima.data();
        const uint8_t* ms = col.maxStates.data();
        each(place, [&](int i, int64_t j) {
          lo[j] = v[i], hi[j] = w[i];
          st[j] = states.Word(s[i], ms[i], f[i], true);
        });
      }
    }
    return true;
  };
  const int r = batch_->ReadColumns(numbers, from, to, segment_, true, kRangeRecords, sink);
  // As a block of the cache, a failed read leaves what it delivered; only no memory fails here.
  (void)r;
  for (size_t k = 0; k < slots.size(); ++k) fillTo(k, n);
  return true;
}

void vt::CGVantrelNgChannelSummary::AllocateSummary(int64_t block, BlockSummary* out) {
  const int64_t points = BlockPoints(block);
  // One block of the arena for every level: the extremes first (4-byte aligned), then the bits.
  int64_t total = 0, n = points;
  for (Level& l : out->levels) total += (l.count = n = (n + kGroup - 1) / kGroup);
  std::vector<int32_t*>& free = freeSummaries_[size_t(block)];
  void* memory = nullptr;
  if (!free.empty()) {
    memory = free.back();  // a summary of this block a member left; the same size
    free.pop_back();
  } else {
    memory = arena_.Allocate(size_t(total) * 9, alignof(int32_t));
    if (memory) summaryBytes_ += total * 9;
  }
  if (memory == nullptr) throw std::bad_alloc();
  int32_t* values = static_cast<int32_t*>(memory);
  uint8_t* bits = reinterpret_cast<uint8_t*>(values + 2 * total);
  for (Level& l : out->levels) {
    l.low = values, l.high = values + l.count, l.bits = bits;
    values += 2 * l.count, bits += l.count;
  }
}

void vt::CGVantrelNgChannelSummary::SummarizeGroups(const Points& p, int64_t p0, int64_t block,
                                                    BlockSummary* out) const {
  assert(p0 % kGroup == 0);
  const int64_t points = std::min(BlockPoints(block), p0 + int64_t(p.status.size()));
  const Level& first = out->levels[0];
  // The points of p are points p0.. of the block: indexes below are the block's.
  const uint16_t* st = p.status.data() - p0;
  const int32_t* lo = p.low.data() - p0;
  const int32_t* hi = pairs_ ? p.high.data() - p0 : lo;
  for (int64_t g = p0 / kGroup, count = (points + kGroup - 1) / kGroup; g < count; ++g) {
    const int64_t b = g * kGroup;
    if (b + kGroup <= points) {
      // The common case: eight values (pairs) of state 0, whatever their flags.
      unsigned words = 0;
      for (int k = 0; k < kGroup; ++k) words |= st[b + k];
      if ((words & 0xFFF0) == 0) {
        int32_t mn = lo[b], mx = hi[b];
        for (int k = 1; k < kGroup; ++k) mn = std::min(mn, lo[b + k]), mx = std::max(mx, hi[b + k]);
        first.low[g] = mn, first.high[g] = mx;
        first.bits[g] = uint8_t(kHas | kFound | (words & 0xF) << 4);
        continue;
      }
    }
    vt::SNgSpanScan acc;
    ScanNgPoints(st, lo, pairs_ ? hi : nullptr, pairs_, b, std::min(points, b + kGroup) - 1, &acc);
    first.low[g] = acc.rawMin, first.high[g] = acc.rawMax, first.bits[g] = BitsOf(acc);
  }
}

void vt::CGVantrelNgChannelSummary::SummarizeLevels(BlockSummary* out) const {
  for (int level = 1; level < kLevels; ++level) {
    const Level& below = out->levels[level - 1];
    Level& l = out->levels[level];
    for (int64_t g = 0; g < l.count; ++g) {
      const int64_t e0 = g * kGroup, e1 = std::min(below.count, (g + 1) * kGroup);
      if (e1 - e0 == kGroup) {
        // The common case: eight entries with values and no over-range; their flags are or-ed.
        unsigned all = 0xFF, any = 0;
        for (int64_t e = e0; e < e1; ++e) all &= below.bits[e], any |= below.bits[e];
        if ((all & (kHas | kFound)) == (kHas | kFound) && (any & (kPlus | kMinus)) == 0) {
          int32_t mn = below.low[e0], mx = below.high[e0];
          for (int64_t e = e0 + 1; e < e1; ++e)
            mn = std::min(mn, below.low[e]), mx = std::max(mx, below.high[e]);
          l.low[g] = mn, l.high[g] = mx, l.bits[g] = uint8_t(any);
          continue;
        }
      }
      // An entry without a value keeps the extremes no value can beat (folding needs it).
      vt::SNgSpanScan acc;
      acc.rawMin = INT32_MAX, acc.rawMax = INT32_MIN;
      for (int64_t e = e0; e < e1; ++e) Fold(below.low[e], below.high[e], below.bits[e], &acc);
      l.low[g] = acc.rawMin, l.high[g] = acc.rawMax, l.bits[g] = BitsOf(acc);
    }
  }
}

void vt::CGVantrelNgChannelSummary::Summarize(const Points& p, int64_t block, BlockSummary* out) {
  AllocateSummary(block, out);
  SummarizeGroups(p, 0, block, out);
  SummarizeLevels(out);
}

bool vt::CGVantrelNgChannelSummary::BuildBlock(int64_t block) {
  if (activePlan_ != nullptr && size_t(block) < activePlan_->edgeGroups.size())
    return BuildBlockInChunks(block, activePlan_->edgeGroups[size_t(block)]);
  std::vector<int> slots;
  for (size_t s = 0; s < members_.size(); ++s)
    if (members_[s].channel && !members_[s].blocks[size_t(block)].built) slots.push_back(int(s));
  if (slots.empty()) return true;
  const int64_t points = BlockPoints(block);
  // The decoded block is replaced: its arrays are reused.
  decodedBlock_ = -1;
  if (!ReadPoints(block, 0, points - 1, slots, &decoded_)) {
    decoded_.clear();
    return false;
  }
  std::fill(decodedSlots_.begin(), decodedSlots_.end(), -1);
  try {
    for (size_t k = 0; k < slots.size(); ++k) {
      BlockSummary& s = members_[size_t(slots[k])].blocks[size_t(block)];
      Summarize(decoded_[k], block, &s);
      s.built = true;
      decodedSlots_[size_t(slots[k])] = int(k);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  decodedBlock_ = block;
  return true;
}

void vt::CGVantrelNgChannelSummary::PrepareEdgeStore() {
  const int members = int(members_.size());
  if (!edgeIndex_.empty() && members <= edgeStride_) return;
  // Made for the members there are; a member joining later starts the store afresh.
  edgeIndex_.assign(size_t(BlockCount() * kGroupsPerBlock), -1);
  edgeStride_ = members;
  edgeLimit_ = std::max<int64_t>(64, kEdgeBytes / (int64_t(members) * kGroup * (pairs_ ? 10 : 6) + 12));
  edgeKeys_ = {}, edgeMembers_ = {}, edgeLow_ = {}, edgeHigh_ = {}, edgeStatus_ = {};
  nextEdge_ = 0;
  edgeKeys_.reserve(size_t(edgeLimit_));
  edgeMembers_.reserve(size_t(edgeLimit_));
  // Left uninitialised: a place is written before it is read, and pages no place reached take no
  // memory.
  const size_t cells = size_t(edgeLimit_) * size_t(members) * kGroup;
  edgeLow_.reset(new int32_t[cells]);
  if (pairs_) edgeHigh_.reset(new int32_t[cells]);
  edgeStatus_.reset(new uint16_t[cells]);
}

int64_t vt::CGVantrelNgChannelSummary::TakeEdgePlace(int64_t key) {
  int64_t place = edgeIndex_[size_t(key)];
  if (place < 0) {
    // A new place, or the oldest one's (its group is forgotten).
    if (int64_t(edgeKeys_.size()) < edgeLimit_) {
      place = int64_t(edgeKeys_.size());
      edgeKeys_.push_back(-1);
      edgeMembers_.push_back(0);
    } else {
      place = nextEdge_;
      nextEdge_ = (nextEdge_ + 1) % edgeLimit_;
      if (edgeKeys_[size_t(place)] >= 0) edgeIndex_[size_t(edgeKeys_[size_t(place)])] = -1;
    }
    edgeKeys_[size_t(place)] = key;
    edgeIndex_[size_t(key)] = int32_t(place);
  }
  edgeMembers_[size_t(place)] = 0;  // not valid until read
  for (int s = 0; s < edgeStride_; ++s) {
    const int64_t at = EdgeAt(place, s);
    std::fill_n(edgeLow_.get() + at, kGroup, 0);
    if (pairs_) std::fill_n(edgeHigh_.get() + at, kGroup, 0);
    std::fill_n(edgeStatus_.get() + at, kGroup, pairs_ ? kNgNoDataPair : kNgNoDataSingle);
  }
  return place;
}

int64_t vt::CGVantrelNgChannelSummary::GetEdge(int64_t block, int64_t group) {
  const int members = int(members_.size());
  const int64_t key = block * kGroupsPerBlock + group;
  try {
    PrepareEdgeStore();
    int64_t place = edgeIndex_[size_t(key)];
    if (place >= 0 && edgeMembers_[size_t(place)] == members) return place;
    place = TakeEdgePlace(key);
    const int64_t p0 = group * kGroup, p1 = std::min(BlockPoints(block), p0 + kGroup) - 1;
    std::vector<int> wanted;  // members whose points are not in the decoded block
    for (int s = 0; s < members; ++s) {
      if (!members_[size_t(s)].channel) continue;
      const int d = block == decodedBlock_ ? decodedSlots_[size_t(s)] : -1;
      if (d < 0) {
        wanted.push_back(s);
        continue;
      }
      const Points& p = decoded_[size_t(d)];
      const int64_t at = EdgeAt(place, s);
      std::copy(p.status.begin() + p0, p.status.begin() + p1 + 1, edgeStatus_.get() + at);
      std::copy(p.low.begin() + p0, p.low.begin() + p1 + 1, edgeLow_.get() + at);
      if (pairs_) std::copy(p.high.begin() + p0, p.high.begin() + p1 + 1, edgeHigh_.get() + at);
    }
    if (!wanted.empty()) {
      std::vector<Points> read;
      if (!ReadPoints(block, p0, p1, wanted, &read)) return -1;
      for (size_t k = 0; k < wanted.size(); ++k) {
        const Points& p = read[k];
        const int64_t at = EdgeAt(place, wanted[k]);
        std::copy(p.status.begin(), p.status.end(), edgeStatus_.get() + at);
        std::copy(p.low.begin(), p.low.end(), edgeLow_.get() + at);
        if (pairs_) std::copy(p.high.begin(), p.high.end(), edgeHigh_.get() + at);
      }
    }
    edgeMembers_[size_t(place)] = members;
    return place;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

bool vt::CGVantrelNgChannelSummary::BuildBlockInChunks(int64_t block,
                                                       const std::vector<int64_t>& edgeGroups) {
  // Runs of points small enough to stay in the processor's cache between their decoding and
  // their summarising, a whole number of groups long.
  constexpr int64_t kChunk = 4096;
  static_assert(kChunk % kGroup == 0, "a run holds whole groups");
  std::vector<int> slots;
  for (size_t s = 0; s < members_.size(); ++s)
    if (members_[s].channel && !members_[s].blocks[size_t(block)].built) slots.push_back(int(s));
  if (slots.empty()) return true;
  // Edge groups are stored only when every member is read here: a place holds all of them.
  bool everyMember = true;
  for (size_t s = 0; s < members_.size(); ++s)
    if (members_[s].channel && members_[s].blocks[size_t(block)].built) everyMember = false;
  const int64_t points = BlockPoints(block);
  const int members = int(members_.size());
  try {
    std::vector<BlockSummary> summaries(slots.size());
    for (BlockSummary& out : summaries) AllocateSummary(block, &out);
    // The places of the edge groups to store, by group; valid once the block is summarised.
    std::vector<int32_t> places;
    if (everyMember && !edgeGroups.empty()) {
      PrepareEdgeStore();
      places.assign(size_t(kGroupsPerBlock), -1);
      for (int64_t g : edgeGroups) {
        const int64_t key = block * kGroupsPerBlock + g;
        const int64_t old = edgeIndex_[size_t(key)];
        if (old >= 0 && edgeMembers_[size_t(old)] == members) continue;
        places[size_t(g)] = int32_t(TakeEdgePlace(key));
      }
      // A place taken later may be one taken just now (a store smaller than a block's groups).
      for (int64_t g : edgeGroups)
        if (places[size_t(g)] >= 0 && edgeKeys_[size_t(places[size_t(g)])] != block * kGroupsPerBlock + g)
          places[size_t(g)] = -1;
    }
    if (!FoldPieces(block, slots, &summaries, places)) {
      for (int64_t p0 = 0; p0 < points; p0 += kChunk) {
        const int64_t p1 = std::min(points, p0 + kChunk) - 1;
        if (!ReadPoints(block, p0, p1, slots, &chunk_)) return false;
        for (size_t k = 0; k < slots.size(); ++k) SummarizeGroups(chunk_[k], p0, block, &summaries[k]);
        for (int64_t g = p0 / kGroup; !places.empty() && g * kGroup <= p1; ++g) {
          const int32_t place = places[size_t(g)];
          if (place < 0) continue;
          const int64_t g0 = g * kGroup - p0, g1 = std::min(g * kGroup + kGroup, p1 + 1) - p0;
          for (size_t k = 0; k < slots.size(); ++k) {
            const Points& p = chunk_[k];
            const int64_t at = EdgeAt(place, slots[k]);
            std::copy(p.status.begin() + g0, p.status.begin() + g1, edgeStatus_.get() + at);
            std::copy(p.low.begin() + g0, p.low.begin() + g1, edgeLow_.get() + at);
            if (pairs_) std::copy(p.high.begin() + g0, p.high.begin() + g1, edgeHigh_.get() + at);
          }
        }
      }
    }
    for (int32_t place : places)
      if (place >= 0) edgeMembers_[size_t(place)] = members;
    for (size_t k = 0; k < slots.size(); ++k) {
      SummarizeLevels(&summaries[k]);
      BlockSummary& s = members_[size_t(slots[k])].blocks[size_t(block)];
      s = summaries[k];
      s.built = true;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool vt::CGVantrelNgChannelSummary::FoldPieces(int64_t block, const std::vector<int>& slots,
                                               std::vector<BlockSummary>* out,
                                               const std::vector<int32_t>& edgePlaces) {
  const TickTime bs = BlockStart(block);
  const TickTime be = bs.PlusMilliseconds((BlockPoints(block) - 1) * intervalMs_);
  const int64_t points = BlockPoints(block);
  const int64_t groups = (points + kGroup - 1) / kGroup;
  const int64_t step = intervalMs_ * kTicksPerMs;
  const uint16_t noData = pairs_ ? kNgNoDataPair : kNgNoDataSingle;
  std::vector<int> numbers;
  for (int s : slots) numbers.push_back(members_[size_t(s)].channelNo);
  // Per member: the next group without an entry, and the points of a group that pieces deliver
  // in parts, as a decoded block holds them.
  struct Carry {
    int64_t next = 0;
    int64_t group = -1;
    uint16_t status[kGroup];
    int32_t low[kGroup], high[kGroup];
  };
  std::vector<Carry> carry(slots.size());
  auto entry = [&](size_t k, int64_t g, int32_t low, int32_t high, uint8_t bits) {
    const Level& l = (*out)[k].levels[0];
    l.low[g] = low, l.high[g] = high, l.bits[g] = bits;
  };
  auto storeEdge = [&](size_t k, int64_t g, const uint16_t* st, const int32_t* lo, const int32_t* hi, int n) {
    const int32_t place = edgePlaces.empty() ? -1 : edgePlaces[size_t(g)];
    if (place < 0) return;
    const int64_t at = EdgeAt(place, slots[k]);
    std::copy(st, st + n, edgeStatus_.get() + at);
    std::copy(lo, lo + n, edgeLow_.get() + at);
    if (pairs_) std::copy(hi, hi + n, edgeHigh_.get() + at);
  };
  // Groups before g that no record reached hold no data.
  auto emptyTo = [&](size_t k, int64_t g) {
    for (int64_t& e = carry[k].next; e < g; ++e) entry(k, e, INT32_MAX, INT32_MIN, 0);
  };
  auto flush = [&](size_t k) {
    Carry& c = carry[k];
    if (c.group < 0) return;
    const int n = int(std::min<int64_t>(kGroup, points - c.group * kGroup));
    vt::SNgSpanScan acc;
    ScanNgPoints(c.status, c.low, pairs_ ? c.high : nullptr, pairs_, 0, n - 1, &acc);
    entry(k, c.group, acc.rawMin, acc.rawMax, BitsOf(acc));
    storeEdge(k, c.group, c.status, c.low, c.high, n);
    c.next = c.group + 1;
    c.group = -1;
  };
  const StateTable& states = States();
  int64_t reached = 0;  // the grid point after the last piece
  bool offGrid = false;
  auto sink = [&](const vt::SColumnPiece& piece) {
    const int64_t d0 = piece.first.ticks - bs.ticks;
    if (piece.intervalMs * kTicksPerMs != step || d0 < 0 || d0 % step != 0) {
      offGrid = true;
      return false;
    }
    const int64_t s0 = d0 / step;
    const int64_t b = std::min<int64_t>(piece.count, points - s0);
    if (b <= 0) return true;
    if (s0 < reached) {
      offGrid = true;
      return false;
    }
    reached = s0 + b;
    // A gap, or a block of the other kind: no data at its points.
    if (piece.columns == nullptr || (piece.columns->GetKind() == DATA_KIND_DISPLAY) != pairs_) return true;
    const vt::CVTColumns& cols = *piece.columns;
    for (int col = 0; col < cols.GetChannelCount(); ++col) {
      const vt::CVTColumns::Column& column = cols.GetColumn(col);
      if (!column.hasSamples) continue;
      const size_t k = size_t((*piece.places)[size_t(col)]);
      Carry& c = carry[k];
      const int32_t* v = column.values.data();
      const int32_t* w = pairs_ ? column.maxima.data() : v;
      const uint8_t* st = column.states.data();
      const uint8_t* ms = pairs_ ? column.maxStates.data() : st;
      const uint8_t* fl = column.flags.data();
      auto word = [&](int64_t i) { return states.Word(st[i], ms[i], fl[i], pairs_); };
      for (int64_t i = 0; i < b;) {
        const int64_t j = s0 + i, g = j / kGroup;
        if (j % kGroup == 0 && i + kGroup <= b && j + kGroup <= points && c.group != g) {
          // The run of whole groups inside the piece from here.
          flush(k);
          emptyTo(k, g);
          static_assert(kGroup == 8, "groups are folded eight points at a time");
          const int64_t n = std::min(b - i, points - j) / kGroup;
          const Level& l = (*out)[k].levels[0];
          if (pairs_)
            FoldGroups<true>(v + i, w + i, st + i, ms + i, fl + i, n, l.low + g, l.high + g, l.bits + g);
          else
            FoldGroups<false>(v + i, v + i, st + i, st + i, fl + i, n, l.low + g, l.high + g, l.bits + g);
          if (!edgePlaces.empty())
            for (int64_t e = 0; e < n; ++e) {
              if (edgePlaces[size_t(g + e)] < 0) continue;
              uint16_t gs[kGroup];
              const int64_t at = i + e * kGroup;
              for (int q = 0; q < kGroup; ++q) gs[q] = word(at + q);
              storeEdge(k, g + e, gs, v + at, w + at, kGroup);
            }
          c.next = g + n;
          i += n * kGroup;
          continue;
        }
        if (c.group != g) {
          flush(k);
          emptyTo(k, g);
          c.group = g;
          std::fill_n(c.status, kGroup, noData);
          std::fill_n(c.low, kGroup, 0);
          std::fill_n(c.high, kGroup, 0);
        }
        c.status[j % kGroup] = word(i);
        c.low[j % kGroup] = v[i];
        if (pairs_) c.high[j % kGroup] = w[i];
        ++i;
      }
    }
    return true;
  };
  const int r = batch_->ReadColumns(numbers, bs, be, segment_, true, kFoldRecords, sink);
  // As a block of the cache, a failed read leaves what it delivered.
  (void)r;
  if (offGrid) return false;
  for (size_t k = 0; k < slots.size(); ++k) {
    flush(k);
    emptyTo(k, groups);
  }
  return true;
}

// A span's part in a block is folded into plain locals, its scan made once at the end. An entry
// without a value holds INT32_MAX and INT32_MIN as its extremes (every summary is written so), so
// the extremes of a run of entries are taken with no test of their bits, and the bits are or-ed.
struct vt::CGVantrelNgChannelSummary::Extremes {
  int32_t mn = INT32_MAX, mx = INT32_MIN;
  unsigned bits = 0;
  // Into acc, as the entries and points would have gone one by one.
  void Into(vt::SNgSpanScan* acc) const {
    if (bits != 0) Fold(mn, mx, uint8_t(bits), acc);
  }
};

namespace {

// Entries [a, b) of a level.
inline void FoldRun(const int32_t* low, const int32_t* high, const uint8_t* bits, int64_t a, int64_t b,
                    int32_t* mn, int32_t* mx, unsigned* or_) {
  int32_t lo = *mn, hi = *mx;
  unsigned o = *or_;
  for (int64_t e = a; e < b; ++e) {
    assert((bits[e] & kHas) || (low[e] == INT32_MAX && high[e] == INT32_MIN));
    lo = std::min(lo, low[e]), hi = std::max(hi, high[e]), o |= bits[e];
  }
  *mn = lo, *mx = hi, *or_ = o;
}

}  // namespace

bool vt::CGVantrelNgChannelSummary::ScanEdge(int slot, int64_t block, int64_t i0, int64_t i1, Extremes* x,
                                             int32_t* places) {
  for (int n = 0; i0 <= i1; ++n) {
    const int64_t group = i0 / kGroup;
    const int64_t last = std::min(i1, group * kGroup + kGroup - 1);
    const int64_t key = block * kGroupsPerBlock + group;
    // A place a column plan remembers for this group holds it while the store did not move it.
    int64_t place = places && n < 2 ? places[n] : -1;
    if (place < 0 || place >= int64_t(edgeKeys_.size()) || edgeKeys_[size_t(place)] != key ||
        edgeMembers_[size_t(place)] != int(members_.size())) {
      place = GetEdge(block, group);
      if (places && n < 2) places[n] = int32_t(place);
    }
    if (place < 0) return false;
    // Point i of the group's member lies at [i - at] of the flat arrays.
    const int64_t at = EdgeAt(place, slot) - group * kGroup;
    const uint16_t* st = edgeStatus_.get() + at;
    const int32_t* lo = edgeLow_.get() + at;
    const int32_t* hi = pairs_ ? edgeHigh_.get() + at : lo;
    // Most often every point holds a value (pair) of state 0: one pass takes the extremes and
    // sees that; otherwise the points are scanned by their states.
    int32_t mn = x->mn, mx = x->mx;
    unsigned words = 0;
    for (int64_t i = i0; i <= last; ++i) words |= st[i], mn = std::min(mn, lo[i]), mx = std::max(mx, hi[i]);
    if ((words & 0xF000) == 0) {
      x->mn = mn, x->mx = mx, x->bits |= kHas | kFound | (words & 0xF) << 4;
    } else {
      vt::SNgSpanScan part;
      ScanNgPoints(st, lo, pairs_ ? hi : nullptr, pairs_, i0, last, &part);
      if (part.hasValue) x->mn = std::min(x->mn, part.rawMin), x->mx = std::max(x->mx, part.rawMax);
      x->bits |= BitsOf(part);
    }
    i0 = last + 1;
  }
  return true;
}

void vt::CGVantrelNgChannelSummary::FoldLevel(const BlockSummary& s, int level, int64_t a, int64_t b,
                                              Extremes* x) const {
  // Entries [a, b) of a level: the partial runs at its ends, and the whole entries of the level
  // above for the middle.
  for (;; ++level) {
    const Level& l = s.levels[level];
    if (level + 1 < kLevels) {
      const int64_t up0 = (a + kGroup - 1) / kGroup;
      const int64_t up1 = b == l.count ? s.levels[level + 1].count : b / kGroup;
      if (up0 < up1) {
        FoldRun(l.low, l.high, l.bits, a, up0 * kGroup, &x->mn, &x->mx, &x->bits);
        FoldRun(l.low, l.high, l.bits, up1 * kGroup, b, &x->mn, &x->mx, &x->bits);
        a = up0, b = up1;
        continue;
      }
    }
    FoldRun(l.low, l.high, l.bits, a, b, &x->mn, &x->mx, &x->bits);
    return;
  }
}

void vt::CGVantrelNgChannelSummary::Prefetch(int slot, int64_t block, const BlockSummary& s, int64_t i,
                                             int64_t place) const {
  if (i >= BlockPoints(block)) return;
  int64_t e = i / kGroup;
  // The partial runs around the entry that a column ending there folds, and the next column
  // starting there (the latter's run may lie on the next cache line), in the levels whose entries
  // a column steps over (the coarser ones stay in the cache from column to column).
  for (int level = 0; level < kPrefetchLevels; ++level) {
    const Level& l = s.levels[level];
    const int64_t a = std::max<int64_t>(e - (kGroup - 1), 0);
    const int64_t b = std::min<int64_t>(e + (kGroup - 1), l.count - 1);
    __builtin_prefetch(l.low + a), __builtin_prefetch(l.low + b);
    __builtin_prefetch(l.high + a), __builtin_prefetch(l.high + b);
    __builtin_prefetch(l.bits + a), __builtin_prefetch(l.bits + b);
    e /= kGroup;
  }
  if (place == kFindPlace) {
    if (edgeIndex_.empty()) return;
    place = edgeIndex_[size_t(block * kGroupsPerBlock + i / kGroup)];
    if (place < 0 || edgeMembers_[size_t(place)] != int(members_.size())) return;
  }
  if (place < 0 || place >= int64_t(edgeKeys_.size())) return;
  const int64_t at = EdgeAt(place, slot);
  __builtin_prefetch(edgeStatus_.get() + at);
  __builtin_prefetch(edgeLow_.get() + at);
  if (pairs_) __builtin_prefetch(edgeHigh_.get() + at);
}

bool vt::CGVantrelNgChannelSummary::ScanBlock(int slot, int64_t block, int64_t i0, int64_t i1,
                                              vt::SNgSpanScan* acc, int32_t* places) {
  const int64_t n = BlockPoints(block);
  if (i0 < 0) i0 = 0;
  if (i1 >= n) i1 = n - 1;
  if (i0 > i1) return true;
  BlockSummary& s = members_[size_t(slot)].blocks[size_t(block)];
  if (!s.built && !BuildBlock(block)) return false;
  if (!s.built) return false;
  // Whole entries of the finest level from g0 to g1 (exclusive); the points around them one by one.
  const int64_t g0 = (i0 + kGroup - 1) / kGroup;
  const int64_t g1 = i1 == n - 1 ? s.levels[0].count : (i1 + 1) / kGroup;
  Extremes x;
  if (g0 >= g1) {
    if (!ScanEdge(slot, block, i0, i1, &x, places)) return false;
    x.Into(acc);
    return true;
  }
  // Columns come in order: the entries and the edge group the next one (as wide as this one) ends
  // in are fetched while this one is folded. A column plan fetches further ahead itself.
  if (places == nullptr) Prefetch(slot, block, s, i1 + (i1 - i0), kFindPlace);
  // Edge points that cannot be had (no memory, a failed read) leave the span to the block cache.
  if (i0 < g0 * kGroup && !ScanEdge(slot, block, i0, g0 * kGroup - 1, &x, places)) return false;
  FoldLevel(s, 0, g0, g1, &x);
  if (g1 * kGroup <= i1 && !ScanEdge(slot, block, g1 * kGroup, i1, &x, places ? places + 1 : nullptr))
    return false;
  x.Into(acc);
  return true;
}

bool vt::CGVantrelNgChannelSummary::ScanOver(int slot, const PreciseTime& t0, const PreciseTime& t1,
                                             vt::SNgSpanScan* acc, SNgColumnWalk* walk) {
  if (slot < 0 || slot >= int(members_.size()) || !members_[size_t(slot)].channel) return false;
  int64_t block = BlockOf(t0);
  if (block < 0) return false;
  // Block by block as the cache merges them: the span's part in each block is scanned from its
  // own indexes, the next block starts at its first grid point.
  PreciseTime from = t0;
  for (;;) {
    int64_t i0 = 0, i1 = 0;
    SpanIndexes(block, from, t1, &i0, &i1, walk);
    if (!ScanBlock(slot, block, i0, i1, acc)) return false;
    const BlockTimes& times = blockTimes_[size_t(block)];
    if (!(t1 > times.last)) return true;
    from = times.next;
    if (from > t1 || ++block >= BlockCount()) return true;
  }
}

// --- columns ----------------------------------------------------------------------------------

vt::CGVantrelNgChannelSummary::ColumnPlan* vt::CGVantrelNgChannelSummary::PlanColumns(
    double start, double width, int64_t first, int64_t count, const PreciseTime& lo, const PreciseTime& hi) {
  auto same = [](const PreciseTime& a, const PreciseTime& b) {
    return a.seconds == b.seconds && a.fraction == b.fraction;
  };
  for (ColumnPlan& plan : plans_)
    if (plan.first == first && plan.count == count && plan.start == start && plan.width == width &&
        same(plan.lo, lo) && same(plan.hi, hi))
      return &plan;
  // Another refill (or a member clipped otherwise) starts the plans afresh; a refill has a few
  // dozen runs.
  if (!plans_.empty() && (plans_[0].start != start || plans_[0].width != width || !same(plans_[0].lo, lo) ||
                          !same(plans_[0].hi, hi) || plans_.size() >= 256))
    plans_.clear();
  plans_.emplace_back();
  ColumnPlan& plan = plans_.back();
  plan.start = start, plan.width = width, plan.first = first, plan.count = count, plan.lo = lo, plan.hi = hi;
  plan.kind.resize(size_t(count));
  plan.pieceAt.reserve(size_t(count) + 1);
  plan.pieces.reserve(size_t(count) + 8);
  SNgColumnWalk walk;
  // Column k as the channel clips it and ScanOver walks it: its kind, and each piece to `piece`.
  // Returns the last block reached (-1: none).
  auto walkColumn = [&](int64_t k, uint8_t* kind, auto&& piece) -> int64_t {
    const double from = start + double(first + k) * width;
    PreciseTime t0 = vt::TimeFromSeconds(from), t1 = vt::TimeFromSeconds(from + width);
    if (t1 < lo || t0 > hi) {
      *kind = kColumnOutside;
      return -1;
    }
    if (t0 < lo) t0 = lo;
    if (t1 > hi) t1 = hi;
    int64_t block = BlockOf(t0);
    if (block < 0) {
      *kind = kColumnOther;
      return -1;
    }
    *kind = kColumnScanned;
    PreciseTime at = t0;
    for (;;) {
      int64_t i0 = 0, i1 = 0;
      SpanIndexes(block, at, t1, &i0, &i1, &walk);
      piece(block, i0, i1);
      const BlockTimes& times = blockTimes_[size_t(block)];
      if (!(t1 > times.last)) break;
      at = times.next;
      if (at > t1 || ++block >= BlockCount()) break;
    }
    return block;
  };
  int64_t lastBlock = -1;
  for (int64_t k = 0; k < count; ++k) {
    plan.pieceAt.push_back(int32_t(plan.pieces.size()));
    lastBlock =
        std::max(lastBlock, walkColumn(k, &plan.kind[size_t(k)], [&](int64_t block, int64_t i0, int64_t i1) {
                   plan.pieces.push_back(ColumnPiece{block, i0, i1});
                   AddEdgeGroups(block, i0, i1, &plan.edgeGroups);
                 }));
  }
  // A refill reads its columns in runs; the next run goes on in the last block of this one, whose
  // summaries are built while this run is read: its edge groups are stored with them.
  for (int64_t k = count, reached = 0; lastBlock >= 0 && reached <= lastBlock && k < count + 65536; ++k) {
    uint8_t kind = 0;
    reached = walkColumn(k, &kind, [&](int64_t block, int64_t i0, int64_t i1) {
      if (block <= lastBlock) AddEdgeGroups(block, i0, i1, &plan.edgeGroups);
    });
    if (reached < 0 && kind == kColumnOutside) break;
  }
  plan.pieceAt.push_back(int32_t(plan.pieces.size()));
  plan.edgePlaces.assign(2 * plan.pieces.size(), -1);
  for (std::vector<int64_t>& groups : plan.edgeGroups) {
    std::sort(groups.begin(), groups.end());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
  }
  return &plan;
}

void vt::CGVantrelNgChannelSummary::AddEdgeGroups(int64_t block, int64_t i0, int64_t i1,
                                                  std::vector<std::vector<int64_t>>* groups) const {
  // As ScanBlock splits [i0, i1] into whole entries and points.
  const int64_t n = BlockPoints(block);
  i0 = std::max<int64_t>(i0, 0), i1 = std::min(i1, n - 1);
  if (i0 > i1) return;
  if (groups->size() < size_t(BlockCount())) groups->resize(size_t(BlockCount()));
  std::vector<int64_t>& g = (*groups)[size_t(block)];
  const int64_t g0 = (i0 + kGroup - 1) / kGroup;
  const int64_t g1 = i1 == n - 1 ? (n + kGroup - 1) / kGroup : (i1 + 1) / kGroup;
  if (g0 >= g1) {
    for (int64_t e = i0 / kGroup; e <= i1 / kGroup; ++e) g.push_back(e);
    return;
  }
  if (i0 < g0 * kGroup) g.push_back(i0 / kGroup);
  if (g1 * kGroup <= i1) g.push_back(g1);
}

bool vt::CGVantrelNgChannelSummary::ScanPieces(int slot, ColumnPlan* plan, int64_t k, SNgSpanScan* acc) {
  for (int32_t p = plan->pieceAt[size_t(k)]; p < plan->pieceAt[size_t(k) + 1]; ++p) {
    const ColumnPiece& piece = plan->pieces[size_t(p)];
    if (!ScanBlock(slot, piece.block, piece.i0, piece.i1, acc, &plan->edgePlaces[2 * size_t(p)]))
      return false;
  }
  return true;
}

void vt::CGVantrelNgChannelSummary::PrefetchColumn(int slot, const ColumnPlan& plan, int64_t k) const {
  if (k >= plan.count || plan.kind[size_t(k)] != kColumnScanned) return;
  const int32_t p = plan.pieceAt[size_t(k) + 1] - 1;
  if (p < plan.pieceAt[size_t(k)]) return;
  const ColumnPiece& piece = plan.pieces[size_t(p)];
  const BlockSummary& s = members_[size_t(slot)].blocks[size_t(piece.block)];
  if (!s.built) return;
  Prefetch(slot, piece.block, s, std::max<int64_t>(piece.i1, 0), plan.edgePlaces[2 * size_t(p) + 1]);
}

void vt::CGVantrelNgChannelSummary::ScanColumns(int slot, double start, double width, int64_t first,
                                                int64_t count, const PreciseTime& lo, const PreciseTime& hi,
                                                SNgSpanScan* acc, uint8_t* kind) {
  ColumnPlan* plan = nullptr;
  if (slot >= 0 && slot < int(members_.size()) && members_[size_t(slot)].channel) {
    try {
      plan = PlanColumns(start, width, first, count, lo, hi);
    } catch (const std::bad_alloc&) {
      plans_.clear();
    }
  }
  activePlan_ = plan;
  for (int64_t k = 0; k < count; ++k) {
    acc[k] = SNgSpanScan{};
    if (plan == nullptr) {
      kind[k] = kColumnOther;
      continue;
    }
    kind[k] = plan->kind[size_t(k)];
    if (kind[k] != kColumnScanned) continue;
    // The summaries and edge points a few columns on are fetched while this one is folded.
    PrefetchColumn(slot, *plan, k + kPrefetchColumns);
    if (!ScanPieces(slot, plan, k, &acc[k])) kind[k] = kColumnOther;
  }
  activePlan_ = nullptr;
}
