// The graph body of the trend panel and its plot area. The plot area owns the display buffers
// and 100 traces, refills the buffers inside the panel's paint when the shown range changed
// (showing the panel's progress overlay for large refills), and paints background, grids and
// traces in a fixed order, the selected trace on top. The graph body lays out the plot area,
// time axis, time scroll bar, trip column and marks for screen and print, tells the Y-axis
// strip's manager the band its axes occupy (above the alarm strip), and passes settings on to
// the traces, alarm bands, trips, marks, cursors and value boxes. The Y axes live in the
// panel's strip and are found through the panel; the legend list takes its width at the right.
// A part that cannot be made for want of memory is reported and left out; the graph works on
// without it.
#pragma once
#include <vector>

#include "trend/Graph.h"
#include "trend/GraphData.h"
#include "trend/LegendList.h"
#include "trend/NgChannelSetting.h"
#include "trend/NgDataBuff.h"
#include "trend/NgHooks.h"
#include "trend/TimeAxis.h"
#include "trend/TimeScrollBar.h"
#include "trend/TrendRecords.h"
#include "trend/YAxis.h"

class CGNgAlarmGroupManager;
class CGNgTripManager;
class CGNgMarkManager;
class CGNgGraphCursor;

constexpr int kNgTraceCount = 100;
constexpr int64_t kNgProgressThreshold = 100000;

class CGNgGraphScreen : public CGGraphScreen {
 public:
  explicit CGNgGraphScreen(CGCore* graph);
  ~CGNgGraphScreen() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraphScreen); }

  void CreateParts();
  // Binds traces to buffers and applies the records (at most 100).
  void SetTraces(int count, const SNgChannelSetting* records);
  void BindTimeAxis(CGNgTAxis* axis);
  void SetVisibleSpan(PreciseTime start, PreciseTime end);
  void SetPenWidth(int width);
  void SetPrintPenWidth(int width);
  void RefillBuffers();
  void Paint(vt::DeviceContext* dc) override;
  void Draw(vt::DeviceContext* dc) override;
  void DrawStrip(vt::DeviceContext* dc, int x, int width);
  void DrawRangeAll(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  void SetForeColor(vt::ColorRef c) override { m_gridColour = c; }
  void SetBackColor(vt::ColorRef c) override;
  vt::ColorRef GetBackColor() const override { return m_backColour; }
  void PrintTree(vt::DeviceContext* dc, int page) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  CGNgGraphData* GetTrace(int index) const;
  bool IsGridAxis(int index) const;
  bool RangeChanged(PreciseTime start, PreciseTime end);
  bool NeedsProgress(PreciseTime start, PreciseTime end) const;
  void RefillAll(PreciseTime start, PreciseTime end);

  vt::ColorRef m_gridColour = 0x00808080;
  vt::ColorRef m_backColour = 0x00606060;
  int m_selectedTrace = 0;
  double m_shownSpan = 1.0;
  int m_selectedAxis = -1;
  int m_forceRefill = 0;
  PreciseTime m_keyStart;
  PreciseTime m_keyEnd;
  CGNgDataManager* m_dataManager = nullptr;
  CGNgTAxis* m_timeAxis = nullptr;
  CGNgAlarmGroupManager* m_alarms = nullptr;
  CGNgGraphCursor* m_cursor = nullptr;

  void SetCursorTimes(PreciseTime a, PreciseTime b);
  // Shows or hides a channel's trace and its alarm band.
  void SetTraceStyle(int index, int style) override;

  // The print height of the alarm strip plus 4 x the scale, 0 when it is hidden.
  int GetAlarmPrintHeight() const;
};

// Tests make the nth part of a graph build from now (1 the next) fail as if memory ran out;
// 0 turns the failure off.
struct NgGraphBuildTestHook {
  static void FailNthPart(int64_t n);
};

class CGNgGraph : public CGGraph {
 public:
  explicit CGNgGraph(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraph); }

  void Build(int legendWidth);
  // Binds the buffers and gives them the panel's progress overlay.
  void SetChannels(int count, CGNgChannel** channels);
  void SetDataRange(PreciseTime start, PreciseTime end);
  void SetVisibleRange(PreciseTime start, PreciseTime end);
  // Moves the shown range to begin at start, keeping its span, and lays out and repaints the
  // panel (which refills the buffers).
  void ScrollTo(PreciseTime start);
  void GetVisibleRange(PreciseTime* start, PreciseTime* end) const;
  void SetCursorTimes(PreciseTime a, PreciseTime b);
  void SetNameKind(int kind);
  void SelectChannel(int trace, int axis);
  int SetLineWidths(int tracePrintWidth, int frameWidth, int timeAxisWidth);
  int SetTraceThickness(int width) override;
  CGGraphScreen* GraphScreen() const override { return m_screen; }
  void SetForeColor(vt::ColorRef c) override;
  void SetBackColor(vt::ColorRef c) override;
  void Layout() override;
  void LayoutTree() override;
  void Draw(vt::DeviceContext* dc) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  CGNgGraphScreen* m_screen = nullptr;
  CGNgTAxis* m_timeAxis = nullptr;
  CGNgHTScrollBar* m_scrollBar = nullptr;
  CGNgLegendList* m_legend = nullptr;
  CGNgTripManager* m_trips = nullptr;  // also the generic graph's trip manager
  CGNgMarkManager* m_marks = nullptr;
  std::vector<CGNgChannel*> m_channels;  // the bound channels, for the cursor and the trips
  int m_printFrameWidth = 1;
  int m_legendWidth = 0;  // for the legend (150 on screen, 250 in print)

 private:
  // The plot area placed again and the Y-axis manager told its band.
  void UpdateAxisGeometry(int H, int A);
  // Tells the time axis where its date and division boxes stand: on screen for printScale 0,
  // else in print at that scale.
  void PlaceTimeAxisBoxes(int printScale);
};
