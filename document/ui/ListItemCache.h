// The items of a graph document's alarm or mark manager as the list screens reach them: an
// array over the manager's ring, so that a list reaches row i and counts its rows without
// walking the ring each time, and the time selection of a block of rows.
//
// The managers give released items back to the gadget pool or delete them whenever their ring
// changes, and the document announces every such change with one update hint, so the lists
// mark the array stale on every update and keep no item across it.
#pragma once
#include <algorithm>
#include <cassert>
#include <vector>

#include "gadget/GCore.h"
#include "gadget/sheet/GList.h"
#include "recorder/TickTime.h"

namespace vt {

// The items of a manager's ring in ring order, rebuilt on first use after MarkStale.
template <typename Item>
class ListItemCache {
 public:
  void SetSource(const CGCore* source) {
    source_ = source;
    stale_ = true;
  }
  const CGCore* Source() const { return source_; }
  void MarkStale() { stale_ = true; }
  int Count() { return int(Items().size()); }
  // The earliest and latest item time of rows a to b (0 <= a <= b < Count()).
  void TimeSpan(int a, int b, TickTime* lo, TickTime* hi) {
    assert(0 <= a && a <= b && b < Count());
    *lo = *hi = At(a)->GetTime();
    for (int i = a + 1; i <= b; ++i) {
      const TickTime t = At(i)->GetTime();
      if (t < *lo) *lo = t;
      if (*hi < t) *hi = t;
    }
  }
  // Null outside 0 .. Count() - 1.
  Item* At(int row) {
    const std::vector<Item*>& items = Items();
    return row >= 0 && row < int(items.size()) ? items[std::size_t(row)] : nullptr;
  }

 private:
  const std::vector<Item*>& Items() {
    if (stale_) {
      items_.clear();
      if (source_)
        for (CGCore* c = source_->GetFirstChild(); c; c = source_->NextChild(c))
          items_.push_back(static_cast<Item*>(c));
      stale_ = false;
    }
    return items_;
  }
  const CGCore* source_ = nullptr;
  bool stale_ = true;
  std::vector<Item*> items_;
};

// SelectRange of a list whose selection is a time range: rows a to b (a row past the last
// counts as the last) select by their earliest and latest time and put the boundary lines
// around themselves in order; a negative row clears both times and the lines.
template <typename Item>
void SelectRowsByTime(CGListScreen* screen, ListItemCache<Item>* items, int a, int b) {
  const int n = items->Count();
  a = std::min(a, n - 1);
  b = std::min(b, n - 1);
  if (a < 0 || b < 0) {
    screen->SelectByTime(TickTime(), TickTime());
    screen->CGListScreen::SelectRange(a, b);
    return;
  }
  if (a > b) std::swap(a, b);
  TickTime lo, hi;
  items->TimeSpan(a, b, &lo, &hi);
  screen->SelectByTime(lo, hi);
  screen->CGListScreen::SelectRange(a, b);
}

}  // namespace vt
