// The time scroll bar under the trend graph. Unlike the framework's bars, which work on an
// integer range, it works on times: its position is the start of the shown range, its range the
// start and end of the loaded data, its page the shown span in seconds. Every change of the
// position moves the graph (CGNgGraph::ScrollTo) and is announced with GEVENT_CHANGED on the bar
// and GEVENT_SCROLLED on the graph.
//
// The arrows step by a tenth of the span (repeating every 50 ms while held); a press in the track
// pages towards the pointer, stopping where the thumb would be centred on it; the thumb drags.
// One press at a time: the drag state is process-wide. A move of the graph refills and repaints
// it, and a release may be delivered while that happens, so nothing after a move relies on the
// press still standing.
#pragma once
#include "gadget/GSkScrollBar.h"
#include "trend/TrendRecords.h"
#include "trend/TrendTime.h"

class CGNgHBar;

class CGNgHTScrollBar : public CGScrollBar {
 public:
  CGNgHTScrollBar(CGCore* graph, double stepSeconds);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgHTScrollBar); }

  void Layout() override;
  // Moves the graph to the position, then the framework's events.
  void OnClick() override;
  // Right arrow, left arrow, thumb; 1.
  virtual int CreateParts(int arrowStyle);
  // Clamps t into [data start, data end - span] (the data start when the data is shorter).
  virtual void SetPosition(PreciseTime t);
  virtual PreciseTime GetPosition() const { return m_position; }

  void SetDataRange(PreciseTime start, PreciseTime end);
  void SetVisibleSpan(double seconds);
  // Data end - data start in seconds.
  double Duration() const { return vt::SpanSeconds(m_dataStart, m_dataEnd); }
  // After a change of the position: the thumb redrawn on the window, then OnClick.
  void PositionChanged();

  double m_stepSeconds;
  double m_span = 50;
  PreciseTime m_dataStart;
  PreciseTime m_dataEnd;
  PreciseTime m_position;

 private:
  void UpdateStyle();
};

class CGNgScrollLeftButton : public CGSkScrollLeftButton {
 public:
  CGNgScrollLeftButton(CGCore* bar, int arrowStyle);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgScrollLeftButton); }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override;
};

class CGNgScrollRightButton : public CGSkScrollRightButton {
 public:
  CGNgScrollRightButton(CGCore* bar, int arrowStyle);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgScrollRightButton); }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override;
};

// The track between the arrows, which draws the thumb inside it.
class CGNgHBar : public CGSkHBar {
 public:
  CGNgHBar(CGCore* bar, int style) : CGSkHBar(bar, style) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgHBar); }

  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  void DrawState(vt::DeviceContext* dc, int style, int pressed) override;

  // Thumb offset and length for a track of width W (offset -1 without a bar).
  void ComputeThumbGeometry(int W);
  // The time at a thumb offset: the data start when the track is no wider than the thumb.
  PreciseTime TimeAtOffset(int p) const;

 private:
  CGNgHTScrollBar* TimeBar() const;
  void PageStep();
};

namespace vt {

// The press on the track, process-wide (one press at a time): the target time, the zone
// (0 none, 1 thumb, 2 right of it, 3 left of it) and the grab offset of a thumb drag.
struct SGNgThumbPress {
  PreciseTime target;
  int zone = 0;
  int grab = 0;
};

}  // namespace vt
extern vt::SGNgThumbPress g_ngThumbPress;
