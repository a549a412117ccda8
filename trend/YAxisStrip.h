// The Y-axis strip, the left part of the trend panel: a horizontally scrollable column of the
// 100 Y axes. The scroll manager (CGNgYAxisScrlMgr) holds a body (CGNgYAxisScreen) with one
// manager (CGNgYAxisManager), which holds the axes and decides where each visible axis stands:
// vertically inside the band that matches the plot area, by the arrangement (NG_AXIS_LAYOUT),
// and horizontally in columns, so that axes overlapping vertically stand side by side and
// column 0 lies next to the plot. The manager also applies and reads back the axis records,
// marks the selected axis, and routes the mouse so that a hovered axis shadows its neighbours.
#pragma once
#include <vector>

#include "gadget/GRowColumn.h"
#include "gadget/GScroll.h"
#include "trend/TrendRecords.h"
#include "trend/YAxis.h"

enum NG_AXIS_LAYOUT : int { AXIS_FULL = 1, AXIS_SLIDING = 2, AXIS_AUTO = 3, AXIS_FREE = 4 };

constexpr int kNgAxisCount = 100;

namespace vt {

// The selection marker under the selected axis (9 x 5, blended through a grey mask).
struct SGNgYAxisManagerSkin {
  int imageId = 12231;
  int maskId = 12232;
  int width = 9;
  int height = 5;
};

}  // namespace vt
void SetNgYAxisManagerSkin(const vt::SGNgYAxisManagerSkin& skin);

class CGNgYAxisManager : public CGRowColumn {
 public:
  explicit CGNgYAxisManager(CGCore* screen);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgYAxisManager); }

  void Draw(vt::DeviceContext* dc) override;
  void Paint(vt::DeviceContext* dc) override;
  void Layout() override { LayoutColumns(); }
  CGPrimitive* ChildFromPoint(int x, int y, int mask) const override;
  void SetBackColor(vt::ColorRef c) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseHover(int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  // The 100 axes, each with its buttons and zoom gadget, hidden.
  void CreateAxes();
  // Clears the hover, stores the arrangement and sets the axes' fractions and drag modes (the
  // caller lays out afterwards); a value outside 1-4 is stored and changes nothing else.
  void SetLayout(int layout);
  void SetClip(int flag);
  void SetAxes(const SNgAxisSetting* records, int count);
  void GetAxes(SNgAxisSetting* records, int count) const;
  // Lays out; then the right edge of a column-0 axis + 5 (5 without one).
  int GetContentWidth();
  // Runs the print layout; width: the print right of the last column-0 axis + 5 (0 without);
  // limitRight: the print right of the last axis in the column of the print column limit.
  void GetPrintExtent(int scale, int* width, int* limitRight);
  void SetPrintLineWidth(int width);
  bool HasHoveredAxis() const { return HoveredAxis() != nullptr; }
  void ClearHover();

  CGNgYAxis* GetAxis(int index) const;
  int GetAxisCount() const { return CountChildrenOfClass(GCLASS(CGNgYAxis)); }
  CGNgYAxis* HoveredAxis() const;
  void LayoutColumns();
  void AssignColumns(bool print);

  int m_bandTop = 0;
  int m_bandHeight = 0;
  int m_layout = AXIS_FULL;
  int m_selectedAxis = 0;
  int m_printBandTop = 0;
  int m_printBandHeight = 0;
  int m_printColumnLimit = 10;

 private:
  void Press(MouseHandler handler, uint32_t flags, int32_t x, int32_t y);
  // The axes in child order, found in one walk. GetAxis walks the children on each call, so
  // the passes over all axes (some nested three deep) work on this list instead.
  std::vector<CGNgYAxis*> Axes() const;
  // True while axes is still the manager's list (the passes never add or remove axes).
  bool InStep(const std::vector<CGNgYAxis*>& axes) const;
  void AssignColumns(const std::vector<CGNgYAxis*>& axes, bool print);
  // Widths per column from the highest to column 0; place(axis, x, g) puts one axis.
  template <class Place>
  void PlaceColumns(const std::vector<CGNgYAxis*>& axes, int* x, bool print, int scale, Place place);
};

class CGNgYAxisScreen : public CGScroll {
 public:
  explicit CGNgYAxisScreen(CGCore* strip);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgYAxisScreen); }

  void Draw(vt::DeviceContext* dc) override;
  // Keeps the right end of the content in place when the content or the view changes width.
  void Layout() override;
  void SetForeColor(vt::ColorRef c) override;
  void SetBackColor(vt::ColorRef c) override;
  void ScalePrintRects(int scale) override;

  CGNgYAxisManager* m_manager = nullptr;
  int m_previousContentWidth = 0;
  int m_previousViewWidth = 0;
};

class CGNgYAxisScrlMgr : public CGScrollManager {
 public:
  CGNgYAxisScrlMgr(CGCore* panel, int height);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgYAxisScrlMgr); }

  void Draw(vt::DeviceContext* dc) override { (void)dc; }
  void Layout() override;
  void SetForeColor(vt::ColorRef c) override;
  void SetBackColor(vt::ColorRef c) override;
  void ScalePrintRects(int scale) override;

  // The screen with its manager and axes, and the scroll bar with its parts.
  void BuildParts();
  CGNgYAxisScreen* Screen() const;
  CGNgYAxisManager* Manager() const;
};

// The Y-axis manager of the panel around a gadget (null outside a panel or without a strip).
CGNgYAxisManager* FindNgYAxisManager(const CGCore* gadget);
