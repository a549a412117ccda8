// What the alarm and mark list screens read of a graph window's gadget document: the alarm and
// mark managers (sorted rings of items under a manager node), the items' times and texts, and
// the two cursor times. The document derives CGVantrelDoc and broadcasts its changes with itself
// as the update data; the item classes are implemented beside it.
//
// ListItemCache keeps the items of a ring in an array, so that a list reaches row i and counts
// its rows without walking the ring each time; the lists mark it stale on every update, since
// the document changes a ring only between broadcasts and announces each change with one.
#pragma once
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <string>
#include <vector>

#include "gadget/ClassRecords.h"
#include "gadget/GDataManager.h"
#include "gadget/GDocument.h"
#include "gadget/sheet/GList.h"
#include "recorder/PreciseTime.h"
#include "recorder/TickTime.h"

GADGET_DECLARE_RECORD(CGVantrelAlarmData)
GADGET_DECLARE_RECORD(CGVantrelAlarmDataManager)
GADGET_DECLARE_RECORD(CGVantrelMarkData)
GADGET_DECLARE_RECORD(CGVantrelMarkDataManager)
GADGET_DECLARE_RECORD(CGVantrelDoc)

// Alarm types of an alarm item.
enum : int32_t {
  kAlarmTypeNone = -1,
  kAlarmTypeOff = 0,
  kAlarmTypeHigh = 1,
  kAlarmTypeLow = 2,
  kAlarmTypeDeltaHigh = 3,
  kAlarmTypeDeltaLow = 4,
  kAlarmTypeRateHigh = 5,
  kAlarmTypeRateLow = 6,
  kAlarmTypeDelayHigh = 7,
  kAlarmTypeDelayLow = 8,
};

// One alarm: a child of the alarm manager.
class CGVantrelAlarmData : public CGCore {
 public:
  explicit CGVantrelAlarmData(CGCore* manager) : CGCore(0, manager) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelAlarmData); }

  virtual TickTime GetTime() const = 0;
  virtual std::string GetStatusText() const = 0;
  // The tag name, tag number or channel number, as the document's tag display mode chooses.
  virtual std::string GetChannelLabel() const = 0;
  virtual std::string GetChannelNumberText() const = 0;
  virtual std::string GetLevelText() const = 0;
  virtual std::string GetTypeText() const = 0;
  virtual std::string GetTimeText() const = 0;
  virtual int32_t GetAlarmType() const = 0;
};

// One mark (message): a child of the mark manager.
class CGVantrelMarkData : public CGCore {
 public:
  explicit CGVantrelMarkData(CGCore* manager) : CGCore(0, manager) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelMarkData); }

  virtual TickTime GetTime() const = 0;
  virtual std::string GetTimeText() const = 0;
  virtual std::string GetTitle() const = 0;
  virtual std::string GetComment() const = 0;
  virtual std::string GetUserName() const = 0;
  virtual std::string GetGroupText() const = 0;
  virtual std::string GetOperationTimeText() const = 0;
};

// The managers: their children are the items, sorted by time.
class CGVantrelAlarmDataManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelAlarmDataManager); }
};

class CGVantrelMarkDataManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelMarkDataManager); }
};

// The graph window's gadget document as the lists see it.
class CGVantrelDoc : public CGDocument {
 public:
  using CGDocument::CGDocument;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelDoc); }

  virtual CGVantrelAlarmDataManager* GetAlarmDataManager() const = 0;
  virtual CGVantrelMarkDataManager* GetMarkDataManager() const = 0;
  // Both cursors; -1 seconds and fraction 0 each when neither cursor is set.
  virtual void GetCursorTimes(PreciseTime* a, PreciseTime* b) const = 0;
  // 0 when the cursor is not set.
  virtual TickTime GetCursorATime() const = 0;
  virtual TickTime GetCursorBTime() const = 0;
};

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
