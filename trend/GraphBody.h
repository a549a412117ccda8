// The graph body of the trend panel and its plot area. The plot area owns the display buffers
// and 100 traces, refills the buffers inside the paint when the shown range changed (showing
// the progress overlay for large refills), and paints background, grids and traces in a fixed
// order, the selected trace on top. The graph body lays out the plot area and time axis for
// screen and print and passes settings on.
//
// Parts of the panel that are built elsewhere reach these classes through narrow seams: the
// progress overlay (NgProgressSink), the Y axes of the strip (a list of axes, by index), and
// the band the strip's axes occupy (recorded here for the strip to read). The legend, trips,
// marks, cursor, alarm bands and time scroll bar take no room until they exist.
#pragma once
#include <vector>

#include "gadget/GGroup.h"
#include "trend/GraphData.h"
#include "trend/NgDataBuff.h"
#include "trend/NgHooks.h"
#include "trend/TimeAxis.h"
#include "trend/TrendRecords.h"
#include "trend/YAxis.h"

class CGNgAlarmGroupManager;
class CGNgTripManager;
class CGNgMarkManager;
class CGNgGraphCursor;

constexpr int kNgTraceCount = 100;
constexpr int64_t kNgProgressThreshold = 100000;

// What a trace takes of its channel's setting record.
struct NgTraceBinding {
  vt::ColorRef colour = 0x02FFFFFF;
  int shown = 0;
  int axisIndex = 0;
  int channelIndex = 0;  // the value boxes' channel
  int tripShown[4] = {0, 0, 0, 0};
  double tripValue[4] = {0, 0, 0, 0};
};

class CGNgGraphScreen : public CGGroup {
 public:
  explicit CGNgGraphScreen(CGCore* graph);
  ~CGNgGraphScreen() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraphScreen); }

  void CreateParts();
  void SetTraces(int count, const NgTraceBinding* records);
  void BindTimeAxis(CGNgTAxis* axis);
  void SetYAxes(const std::vector<CGNgYAxis*>& axes) { m_yAxes = axes; }
  void SetVisibleSpan(PreciseTime start, PreciseTime end);
  void SetPenWidth(int width);
  void SetPrintPenWidth(int width);
  void RefillBuffers();
  void Paint(vt::DeviceContext* dc) override;
  void Draw(vt::DeviceContext* dc) override;
  void DrawStrip(vt::DeviceContext* dc, int x, int width);
  void DrawRangeAll(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  void ClipToColumns(vt::DeviceContext* dc, int x, int width);
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
  std::vector<CGNgYAxis*> m_yAxes;
  CGNgAlarmGroupManager* m_alarms = nullptr;
  CGNgGraphCursor* m_cursor = nullptr;

  void SetCursorTimes(PreciseTime a, PreciseTime b);

  // The print height of the alarm strip plus 4 x the scale, 0 when it is hidden.
  int GetAlarmPrintHeight() const;
};

class CGNgGraph : public CGGroup {
 public:
  explicit CGNgGraph(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraph); }

  void Build();
  void SetChannels(int count, CGNgChannel** channels, NgProgressSink* progress);
  void SetVisibleRange(PreciseTime start, PreciseTime end);
  void GetVisibleRange(PreciseTime* start, PreciseTime* end) const;
  void SetCursorTimes(PreciseTime a, PreciseTime b);
  void SetNameKind(int kind);
  void SelectChannel(int trace, int axis);
  int SetLineWidths(int tracePrintWidth, int frameWidth, int timeAxisWidth);
  int SetTraceThickness(int width);
  void SetTraceStyle(int index, int style);
  int SetFontSize(int size) override;
  void SetForeColor(vt::ColorRef c) override;
  void SetBackColor(vt::ColorRef c) override;
  void Layout() override;
  void LayoutTree() override;
  void Draw(vt::DeviceContext* dc) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  CGNgGraphScreen* m_screen = nullptr;
  CGNgTAxis* m_timeAxis = nullptr;
  CGNgTripManager* m_trips = nullptr;
  CGNgMarkManager* m_marks = nullptr;
  int m_fontSize = 14;
  int m_traceThickness = 1;
  int m_printFrameWidth = 1;
  // The band of the Y-axis strip's axes (screen and print), for the strip to read.
  int m_axisBandTop = 0, m_axisBandHeight = 0;
  int m_printAxisBandTop = 0, m_printAxisBandHeight = 0;
};
