// The graph cursors A and B: two vertical lines over the plot area that mark two times. A plain
// press puts both at the pressed time, Ctrl moves A and Shift moves B (when both are set); the
// pressed cursor follows the pointer, the shown range scrolls while the pointer lies beside the
// plot, and a release snaps it to the first sample at or after the pointer's time. Markers show
// where the line crosses the traces, value boxes beside it show the values, and every change is
// reported through NgCursorHook. While dragging, the cursor never repaints the plot: it copies
// the strip around the old line back from the back buffer and draws the new line on the window.
#pragma once
#include <cstdint>

#include "gadget/GPrimitive.h"
#include "trend/TrendRecords.h"
#include "trend/TrendTime.h"

class CGNgTAxis;
class CGNgChannel;
class CGNgCursorValue;
class CGNgGraphData;
class CGNgGraphScreen;
class CGNgHTScrollBar;
struct SNgChannelSetting;

constexpr int kNgValueBoxCount = 200;
constexpr uint32_t kNgMouseShift = 4;    // MK_SHIFT
constexpr uint32_t kNgMouseControl = 8;  // MK_CONTROL

// Process-wide drag state: the time under the pointer at the last press or move (not limited)
// and whether A (1) or B (0) is dragged. One drag runs at a time.
extern PreciseTime g_cursorMouseTime;
extern int g_cursorDragA;

// The framework's cursor over sample indices; the trend graph uses only its trend form.
class CGGraphCursor : public CGPrimitive {
 public:
  explicit CGGraphCursor(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGGraphCursor); }

  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  bool HitTest(int x, int y, int mask) const override { return (void)x, (void)y, (m_style & mask) == mask; }
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  virtual void DrawCursors(vt::DeviceContext* dc) { (void)dc; }
  virtual void DrawCursorB(vt::DeviceContext* dc) { (void)dc; }
  virtual void DrawCursorA(vt::DeviceContext* dc) { (void)dc; }
  virtual void PrintCursors(vt::DeviceContext* dc) { (void)dc; }

  int64_t m_indexA = -1, m_indexB = -1;
  int64_t m_sampleCount = 0;
};

class CGNgGraphCursor : public CGGraphCursor {
 public:
  explicit CGNgGraphCursor(CGCore* plot);
  ~CGNgGraphCursor() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraphCursor); }

  void Paint(vt::DeviceContext* dc) override;
  void FillBackground(vt::DeviceContext* dc) override;
  void BlitRect(vt::DeviceContext* window, vt::DeviceContext* back) override;
  void Layout() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  void ScalePrintRects(int scale) override;
  void PrintTree(vt::DeviceContext* dc, int page) override;
  void DrawCursors(vt::DeviceContext* dc) override;
  void DrawCursorB(vt::DeviceContext* dc) override;
  void DrawCursorA(vt::DeviceContext* dc) override;
  void PrintCursors(vt::DeviceContext* dc) override;
  virtual void GetShownRange(PreciseTime* start, PreciseTime* end) const;

  void CreateValueBoxes();
  void BindValueBoxes(const SNgChannelSetting* records, int count);
  // Stores both times and hides the value boxes until the next layout.
  void SetCursorTimes(PreciseTime a, PreciseTime b);
  PreciseTime TimeAtPointer(int x) const;
  PreciseTime SnapToSample(PreciseTime t) const;
  void DrawCursorAtTime(vt::DeviceContext* dc, PreciseTime t);
  void RestoreStrip(vt::DeviceContext* window, vt::DeviceContext* back, PreciseTime t);
  void PlaceValueBoxes(int which, PreciseTime t);
  void PlaceValueBoxesForPrint(int which, PreciseTime t);
  void PrintCursorAtTime(vt::DeviceContext* dc, PreciseTime t);
  CGNgCursorValue* GetValueBox(int index) const;

  PreciseTime m_timeA, m_timeB;
  int m_selected = 0;
  int m_channelCount = 0;
  int m_lineWidth = 1;
  int m_valueMode = 0;
  CGNgChannel** m_channels = nullptr;
  CGNgTAxis* m_timeAxis = nullptr;
  // The time scroll bar of the graph body; without one the data range is not limited and the
  // shown range does not scroll.
 private:
  int m_printScale = 1;
  CGNgGraphScreen* Plot() const;
  // The time scroll bar of the graph body (the nearest scroll manager above), which limits the
  // cursor to the data and moves the shown range in auto-scroll; null without a graph body.
  CGNgHTScrollBar* TimeBar() const;
  CGNgGraphData* Trace(int index) const;
  int AxisLeft() const;
  PreciseTime& Dragged() { return g_cursorDragA ? m_timeA : m_timeB; }
  void DrawDragged(vt::DeviceContext* dc) { g_cursorDragA ? DrawCursorA(dc) : DrawCursorB(dc); }
  void ReportAndRedraw(bool relayout);
  // Replaces the dragged cursor's line on the window by the one at t.
  void MoveDraggedLine(PreciseTime t, bool placeBoxes);
  void PlaceBoxes(int which, PreciseTime t, bool print);
  void PaintBoxes(vt::DeviceContext* dc, bool print, int page);
  void DrawLineAt(vt::DeviceContext* dc, PreciseTime t, bool print);
  void DrawMarkers(vt::DeviceContext* dc, PreciseTime t, int x, bool print);
};
