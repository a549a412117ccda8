// Row times of the trend sheet (see CGVantrelNgTime.h).
#include "document/CGVantrelNgTime.h"

#include <algorithm>
#include <queue>

#include "document/CGVantrelNgChannel.h"

namespace {

constexpr int64_t kTicksPerMs = 10000;

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

}  // namespace

TickTime CGVantrelNgTime::Grid::Next(TickTime t) const {
  if (t < start) return start;
  if (end < t) return TickTime(0);
  // Whole milliseconds since the start, whole intervals of them, as the channels count.
  const int64_t index = (t.ticks - start.ticks) / kTicksPerMs / (step / kTicksPerMs);
  const TickTime next(start.ticks + (index + 1) * step);
  return end < next ? TickTime(0) : next;
}

std::vector<CGVantrelNgTime::Grid> CGVantrelNgTime::GridsOf(int count, CGVantrelNgChannel* const* channels) {
  std::vector<Grid> grids;
  for (int i = 0; i < count; ++i) {
    const CGVantrelNgChannel* c = channels[i];
    if (c->GetIntervalMs() < 1) continue;  // an unbound channel has no samples
    Grid g{c->GetStartTicks(), c->GetEndTicks(), c->GetIntervalMs() * kTicksPerMs};
    const bool known = std::any_of(grids.begin(), grids.end(), [&](const Grid& o) {
      return o.start == g.start && o.end == g.end && o.step == g.step;
    });
    if (!known) grids.push_back(g);
  }
  return grids;
}

int64_t CGVantrelNgTime::PointsAfter(const Grid& g, TickTime begin, TickTime end, int64_t* firstIndex) {
  const TickTime first = g.Next(begin);
  const TickTime last = end < g.end ? end : g.end;
  *firstIndex = 0;
  if (first.ticks == 0 || last < first) return 0;
  *firstIndex = (first.ticks - g.start.ticks) / g.step;
  return (last.ticks - g.start.ticks) / g.step - *firstIndex + 1;
}

template <class F>
void CGVantrelNgTime::WalkRows(const std::vector<Grid>& grids, TickTime begin, TickTime end, F&& emit) {
  if (grids.size() == 1) {
    for (TickTime t = grids[0].Next(begin); t.ticks != 0 && !(end < t); t = grids[0].Next(t))
      if (!emit(t)) return;
    return;
  }
  // Several grids: the earliest next point of each in a heap; a time shared by several grids is
  // one row.
  using Entry = std::pair<int64_t, size_t>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> heap;
  for (size_t i = 0; i < grids.size(); ++i)
    if (TickTime n = grids[i].Next(begin); n.ticks != 0) heap.push({n.ticks, i});
  while (!heap.empty()) {
    const int64_t t = heap.top().first;
    if (end.ticks < t) return;
    while (!heap.empty() && heap.top().first == t) {
      const size_t i = heap.top().second;
      heap.pop();
      if (TickTime n = grids[i].Next(TickTime(t)); n.ticks != 0) heap.push({n.ticks, i});
    }
    if (!emit(TickTime(t))) return;
  }
}

TickTime CGVantrelNgTime::EarliestNext(TickTime t) const {
  TickTime best(0);
  for (const Grid& g : grids_) {
    const TickTime n = g.Next(t);
    if (n.ticks != 0 && (best.ticks == 0 || n < best)) best = n;
  }
  return best;
}

int64_t CGVantrelNgTime::CountRows(int count, CGVantrelNgChannel* const* channels, TickTime begin,
                                   TickTime end, int64_t limit) {
  if (count <= 0 || end < begin) return 0;
  const std::vector<Grid> grids = GridsOf(count, channels);
  if (grids.size() == 1) {
    int64_t firstIndex = 0;
    return std::min(1 + PointsAfter(grids[0], begin, end, &firstIndex), limit + 1);
  }
  int64_t rows = 1;
  WalkRows(grids, begin, end, [&](TickTime) { return ++rows <= limit; });
  return rows;
}

void CGVantrelNgTime::Build(int count, CGVantrelNgChannel* const* channels, TickTime begin, TickTime end) {
  if (count <= 0 || rowsPerBlock_ != 0) return;
  channels_.assign(channels, channels + count);
  grids_ = GridsOf(count, channels);
  rowsPerBlock_ = ROWS_PER_BLOCK;
  blocks_.clear();
  rowCount_ = 0;
  if (!(end < begin) && grids_.size() == 1) {
    // One grid: the table follows from its points without walking them.
    const Grid& g = grids_[0];
    int64_t firstIndex = 0;
    const int64_t rows = 1 + PointsAfter(g, begin, end, &firstIndex);
    auto point = [&](int64_t row) {
      return row == 0 ? begin : TickTime(g.start.ticks + (firstIndex + row - 1) * g.step);
    };
    for (int64_t row = 0; row < rows; row += ROWS_PER_BLOCK) {
      const int64_t n = std::min<int64_t>(ROWS_PER_BLOCK, rows - row);
      blocks_.push_back(Block{point(row), point(row + n - 1), int(n)});
    }
  } else if (!(end < begin)) {
    Block block{begin, begin, 1};
    WalkRows(grids_, begin, end, [&](TickTime t) {
      if (block.rowCount == ROWS_PER_BLOCK) {
        blocks_.push_back(block);
        block = Block{t, t, 0};
      }
      block.last = t;
      ++block.rowCount;
      return true;
    });
    blocks_.push_back(block);
  }
  for (const Block& b : blocks_) rowCount_ += b.rowCount;
  if (currentBlock_ < 0 && !blocks_.empty()) LoadRows(0);
}

void CGVantrelNgTime::Clear() {
  channels_.clear();
  grids_.clear();
  blocks_.clear();
  rows_.clear();
  marks_.clear();
  marksByTime_.clear();
  rowCount_ = 0;
  rowsPerBlock_ = 0;
  currentBlock_ = -1;
}

void CGVantrelNgTime::SetMarks(int count, const SNgMarkData* records) {
  marks_.assign(records, records + std::max(count, 0));
  marksByTime_.resize(marks_.size());
  for (size_t i = 0; i < marks_.size(); ++i) marksByTime_[i] = int(i);
  std::stable_sort(marksByTime_.begin(), marksByTime_.end(),
                   [&](int a, int b) { return marks_[size_t(a)].time < marks_[size_t(b)].time; });
  if (currentBlock_ >= 0) AttachMarks();
}

void CGVantrelNgTime::LoadRows(int k) {
  if (k == currentBlock_) return;
  const Block& block = blocks_[size_t(k)];
  rows_.clear();
  rows_.reserve(size_t(block.rowCount));
  TickTime t = block.first;
  rows_.push_back({t, {}});
  while (int(rows_.size()) < block.rowCount) {
    t = EarliestNext(t);
    if (t.ticks == 0) break;
    rows_.push_back({t, {}});
  }
  currentBlock_ = k;
  AttachMarks();
}

void CGVantrelNgTime::AttachMarks() {
  for (Row& r : rows_) r.marks.clear();
  if (rows_.empty() || currentBlock_ < 0) return;
  const int k = currentBlock_;
  const TickTime lower = k == 0 ? blocks_[0].first : blocks_[size_t(k - 1)].last;
  const TickTime upper = blocks_[size_t(k)].last;
  const bool lastBlock = k + 1 == int(blocks_.size());
  for (int index : marksByTime_) {
    const TickTime m = TickTime::FromPreciseTime(marks_[size_t(index)].time);
    if (m < lower) continue;
    if (upper < m) {
      if (lastBlock) rows_.back().marks.push_back(index);
      continue;
    }
    // The row at the mark's time, or else the first row after it (a mark at the previous
    // block's last row goes to this block's first).
    auto row =
        std::lower_bound(rows_.begin(), rows_.end(), m, [](const Row& r, TickTime t) { return r.time < t; });
    if (row != rows_.end()) row->marks.push_back(index);
  }
}

CGVantrelNgTime::Row* CGVantrelNgTime::GetRow(int k, int index) {
  if (k < 0 || k >= int(blocks_.size())) return nullptr;
  LoadRows(k);
  return index >= 0 && index < int(rows_.size()) ? &rows_[size_t(index)] : nullptr;
}

CGVantrelNgTime::Row* CGVantrelNgTime::GetRowOf(int row) {
  if (row < 0 || rowsPerBlock_ == 0) return nullptr;
  return GetRow(row / rowsPerBlock_, row % rowsPerBlock_);
}

PreciseTime* CGVantrelNgTime::GetRowTime(PreciseTime* out, int row) {
  const Row* r = GetRowOf(row);
  *out = r ? ToPrecise(r->time) : PreciseTime{-1, 0.0};
  return out;
}

int CGVantrelNgTime::GetMarkCount(int row) {
  const Row* r = GetRowOf(row);
  return r ? int(r->marks.size()) : 0;
}

uint32_t CGVantrelNgTime::GetMarkColourAt(int row, int index) {
  const Row* r = GetRowOf(row);
  if (!r || index < 0 || index >= int(r->marks.size())) return 0x0200FF00;
  return marks_[size_t(r->marks[size_t(index)])].colour;
}

bool CGVantrelNgTime::GetRowFirstMark(int row, SNgMarkData* record) {
  const Row* r = GetRowOf(row);
  if (!r || r->marks.empty()) return false;
  *record = marks_[size_t(r->marks.front())];
  return true;
}

int CGVantrelNgTime::FindRow(PreciseTime t) {
  if ((t.seconds == -1 && t.fraction == 0.0) || currentBlock_ < 0) return -1;
  const TickTime ticks = TickTime::FromPreciseTime(t);
  const int n = int(blocks_.size());
  int lo = 0, hi = n - 1, probe = currentBlock_;
  for (int guard = 0; guard < 64; ++guard) {
    const Block& b = blocks_[size_t(probe)];
    if (!(ticks < b.first) && !(b.last < ticks)) break;
    if (b.last < ticks) {
      if (probe == n - 1 || ticks < blocks_[size_t(probe + 1)].first) break;
      lo = probe;
      probe = (probe + hi + 1) / 2;
    } else {
      if (probe == 0 || blocks_[size_t(probe - 1)].last < ticks) break;
      hi = probe;
      probe = (lo + probe) / 2;
    }
  }
  const Block& b = blocks_[size_t(probe)];
  const int base = probe * rowsPerBlock_;
  if (b.last < ticks) {
    if (probe + 1 < n) {
      const Block& next = blocks_[size_t(probe + 1)];
      return next.first.DiffMilliseconds(ticks) < ticks.DiffMilliseconds(b.last) ? base + rowsPerBlock_
                                                                                 : base + b.rowCount - 1;
    }
    return base + b.rowCount - 1;
  }
  if (ticks < b.first) {
    if (probe > 0) {
      const Block& previous = blocks_[size_t(probe - 1)];
      return ticks.DiffMilliseconds(previous.last) <= b.first.DiffMilliseconds(ticks)
                 ? base - rowsPerBlock_ + previous.rowCount - 1
                 : base;
    }
    return base;
  }
  LoadRows(probe);
  auto row = std::lower_bound(rows_.begin(), rows_.end(), ticks,
                              [](const Row& r, TickTime x) { return r.time < x; });
  return row == rows_.end() ? -1 : base + int(row - rows_.begin());
}
