// The alarm bands of the trend graph: a 16-pixel strip at the bottom of the plot area in which
// each shown channel has a band of four rows, one per alarm level, filled in the channel's
// colour wherever that level's alarm was active. The rows come from bits 0-3 of the status words
// the traces read, walked in the same mode as the display buffer was filled (every sample, every
// pair, or one entry per pixel column). All bands lie on top of each other; the selected
// channel's band is drawn last so its runs show where bands overlap. Printing reads the channel.
#pragma once
#include <cstdint>
#include <functional>

#include "gadget/GGroup.h"
#include "trend/TrendRecords.h"
#include "trend/TrendTime.h"

class CGBitmap;
class CGNgTAxis;
class CGNgDataBuff;

constexpr int kNgAlarmBandCount = 100;
constexpr int kNgAlarmBandHeight = 16;

// One run of an active alarm level over the entries first .. last (both inclusive).
struct NgAlarmRun {
  int level;  // 0 = alarm level 1
  int64_t first;
  int64_t last;
};
// The runs of entries 0 .. lastEntry, with status(i) giving each entry's status word. A run
// still open at the final entry is closed there. Runs are reported as they close.
void ExtractNgAlarmRuns(int64_t lastEntry, const std::function<uint16_t(int64_t)>& status,
                        const std::function<void(const NgAlarmRun&)>& emit);

// The alarm-band skin that start-up hands over: two colours, then twelve values of which the
// first two are bitmap resource ids (image and grey mask), loaded through the root master. It is
// kept for the run; the bands of this program draw without reading it.
constexpr int kAlarmGroupSkinValues = 14;
namespace vt {

struct SGAlarmGroupSkin {
  vt::ColorRef colours[2] = {};
  int32_t values[12] = {};
  CGBitmap* image = nullptr;  // pooled by the root master; null when it has none of that id
  CGBitmap* mask = nullptr;
};

}  // namespace vt
void SetAlarmGroupSkin(const int32_t values[kAlarmGroupSkinValues]);
const vt::SGAlarmGroupSkin& AlarmGroupSkin();

// The framework's band group: passes a data source and a colour on to its children.
class CGAlarmGroup : public CGGroup {
 public:
  explicit CGAlarmGroup(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGAlarmGroup); }
  void SetForeColor(vt::ColorRef c) override;
  void SetDataSource(void* source) override;
};

class CGNgAlarms : public CGAlarmGroup {
 public:
  explicit CGNgAlarms(CGCore* parent) : CGAlarmGroup(parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgAlarms); }

  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void Layout() override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  void DrawRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  void PrintRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);

  vt::ColorRef m_colour = 0x02FFFFFF;
  CGNgTAxis* m_timeAxis = nullptr;
  CGNgDataBuff* m_buffer = nullptr;

 private:
  struct Target {
    bool print = false;
    int originX = 0;   // absolute left of the graph body (times map into its coordinates)
    int axisLeft = 0;  // absolute left of the time axis (columns)
    int axisWidth = 0;
    vt::Rect band;  // the band's absolute rectangle
  };
  Target MakeTarget(bool print) const;
  void DrawBuffer(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target);
};

class CGAlarmGroupManager : public CGGroup {
 public:
  explicit CGAlarmGroupManager(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGAlarmGroupManager); }
  void SetBandDataSource(int index, void* source);
  void SetBandColour(int index, vt::ColorRef colour);
};

class CGNgAlarmGroupManager : public CGAlarmGroupManager {
 public:
  explicit CGNgAlarmGroupManager(CGCore* parent) : CGAlarmGroupManager(parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgAlarmGroupManager); }

  void Draw(vt::DeviceContext* dc) override { (void)dc; }
  void Paint(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void Layout() override;
  void LayoutTree() override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void ApplyPrintScale(int scale) override { ScalePrintRects(scale); }
  void ScalePrintRects(int scale) override;
  void PrintTree(vt::DeviceContext* dc, int page) override;

  void CreateBands();
  void BindTimeAxis(CGNgTAxis* axis);
  void DrawBandsForRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  CGNgAlarms* GetBand(int index) const;

  int m_selected = 0;

 private:
  // The visible bands, last child first, the selected one at the end.
  template <class F>
  void ForEachVisibleBand(F f) const;
};
