// The two legend trees beside the trend graph: the channel legend (a flat list of channels
// with check box, colour swatch and name) and the axis legend (one node per Y axis with check
// box, expand box and unit, the channels on that axis below it). Checking or unchecking a box
// shows or hides the trace, hides a Y axis once no shown channel is left on it, moves the
// selection off a hidden channel, and tells the graph window through its hooks.
//
// The trees show the legend list's entries; what a toggle does to the panel (selecting a
// channel, showing a Y axis, re-arranging the axes, showing a trace) goes through
// NgLegendOwner, which the legend list implements by passing it to the panel.
#pragma once
#include <cstdint>
#include <string>

#include "trend/TreeView.h"

class CGFont;
class CGBitmap;

struct SNgLegendChannelEntry {
  int16_t position = 0;  // the index of the channel record (and trace) it came from
  int16_t axisIndex = 0;
  int32_t shown = 0;
  uint32_t colour = 0;
  char name[40] = {};
};

struct SNgLegendAxisEntry {
  int32_t checked = 0;
  int32_t expanded = 0;
  char unit[8] = {};
  int32_t channelCount = 0;
  uint32_t colour = 0;
  SNgLegendChannelEntry channels[100];
};

constexpr int kNgLegendEntries = 100;

// What a legend toggle asks of the panel around it.
class NgLegendOwner {
 public:
  virtual ~NgLegendOwner() = default;
  virtual void SelectChannel(int channel, int axis) = 0;
  virtual void SetAxisStyle(int axis, int style) = 0;
  virtual void SetTraceStyle(int trace, int style) = 0;
  // The Y-axis arrangement applied again after axes were shown or hidden.
  virtual void ReapplyAxisLayout() = 0;
  // The gadget the hooks name and that is laid out again after a toggle.
  virtual CGPrimitive* HookSource() = 0;
};

// The check and expand cells: {image id, mask id, cell width, cell height} each.
struct SGNgLegendSkin {
  int32_t check[4];
  int32_t expand[4];
};
void SetNgLegendSkin(const SGNgLegendSkin& skin);
extern const SGNgLegendSkin kNgLegendSkinShipped;

class CGNgTreeNode : public CGTreeNode {
 public:
  explicit CGNgTreeNode(CGCore* screen);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgTreeNode); }

  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int v) override { m_checked = v; }
  int GetValue(int* out) override { return *out = m_checked, 0; }
  void SetText(const std::string& text) override;
  void GetText(std::string* out) override { *out = m_label; }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override;
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;

  virtual void DrawNode(vt::DeviceContext* dc, int left, int top, int cy, bool selected) = 0;
  virtual vt::Size GetPrintLabelSize() = 0;

  // The label's width in the screen font (measured once with the root's back buffer).
  int TextWidth();
  int FontHeight() const;
  // The screen's background colour.
  vt::ColorRef ScreenBackColor() const;
  bool IsActive() const { return (GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }
  bool Selected() const;
  // True when both the press and the release point lie in r.
  static bool PressAndRelease(const vt::Rect& r, int32_t x, int32_t y);

  int32_t m_checked = 0;
  std::string m_label;
  int32_t m_labelWidth = -1;
  CGFont* m_font = nullptr;
  vt::ColorRef m_colour = 0x02000000;
  vt::ColorRef m_textColour = 0x02000000;
  CGFont* m_printFont = nullptr;
  double m_printFactor = 1.0;

 protected:
  int SiblingGap() const override { return 0; }
  void CheckCell(vt::DeviceContext* dc, int x, int y);
  int PrintTextWidth() const;
};

class CGNgAxisNode : public CGNgTreeNode {
 public:
  using CGNgTreeNode::CGNgTreeNode;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgAxisNode); }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  vt::Size GetLabelSize() override;
  void DrawNode(vt::DeviceContext* dc, int left, int top, int cy, bool selected) override;
  vt::Size GetPrintLabelSize() override;
};

class CGNgChannelNode : public CGNgTreeNode {
 public:
  using CGNgTreeNode::CGNgTreeNode;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgChannelNode); }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  vt::Size GetLabelSize() override;
  void DrawTreeLines(vt::DeviceContext* dc, int x, int y) override;
  void DrawNode(vt::DeviceContext* dc, int left, int top, int cy, bool selected) override;
  vt::Size GetPrintLabelSize() override;
  virtual void PrintTreeLines(vt::DeviceContext* dc, int x, int y);

  bool InAxisLegend() const;

  int32_t m_hover = 0;

 private:
  void SetHover(int on);
};

namespace vt {

// The screen of either legend: the entries it shows and its background.
class CGNgLegendScreen : public CGTreeScreen {
 public:
  CGNgLegendScreen(CGCore* manager, int drawLines);
  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void LayoutTree() override;
  void SetBackColor(vt::ColorRef c) override;
  vt::ColorRef GetBackColor() const override { return m_backColour; }
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;

  void* m_data = nullptr;
  vt::ColorRef m_backColour = 0x02FFFFFF;
};

}  // namespace vt

class CGNgChLegendScreen : public vt::CGNgLegendScreen {
 public:
  explicit CGNgChLegendScreen(CGCore* manager) : vt::CGNgLegendScreen(manager, 0) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgChLegendScreen); }
};

class CGNgAxisLegendScreen : public vt::CGNgLegendScreen {
 public:
  explicit CGNgAxisLegendScreen(CGCore* manager) : vt::CGNgLegendScreen(manager, 1) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgAxisLegendScreen); }
};

namespace vt {

// The scroll manager of a legend, with thin skinned bars.
class CGNgLegendManager : public CGTreeManager {
 public:
  explicit CGNgLegendManager(CGCore* parent);
  void Draw(vt::DeviceContext* dc) override;
  void SetBackColor(vt::ColorRef c) override;
  CGScrollBar* CreateVScrollBar() override;
  CGScrollBar* CreateHScrollBar() override;
  CGNgLegendScreen* LegendScreen() const { return static_cast<CGNgLegendScreen*>(TreeScreen()); }

  NgLegendOwner* m_owner = nullptr;
};

}  // namespace vt

class CGNgChLegend : public vt::CGNgLegendManager {
 public:
  using vt::CGNgLegendManager::CGNgLegendManager;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgChLegend); }
  CGTreeScreen* CreateScreen() override;
};

class CGNgAxisLegend : public vt::CGNgLegendManager {
 public:
  using vt::CGNgLegendManager::CGNgLegendManager;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgAxisLegend); }
  CGTreeScreen* CreateScreen() override;
};

// Building, filling and reading the trees (n entries each).
void BuildChannelTree(vt::CGNgLegendScreen* screen, int n);
void BuildAxisTree(vt::CGNgLegendScreen* screen, int n, const SNgLegendAxisEntry* axes);
void SetChannelTreeData(SNgLegendChannelEntry* entries, vt::CGNgLegendScreen* screen, int n);
void SetAxisTreeData(SNgLegendAxisEntry* entries, vt::CGNgLegendScreen* screen, int n);
void ReadChannelTree(vt::CGNgLegendScreen* screen, SNgLegendChannelEntry* entries, int n);
void ReadAxisTree(SNgLegendAxisEntry* entries, vt::CGNgLegendScreen* screen, int n);

// What a check-box click does (the event-1 handlers call these, then the hooks); each returns
// true when it changed the selection.
bool ApplyChannelToggle(CGNgChannelNode* node, NgLegendOwner* owner);
bool ApplyAxisToggle(CGNgAxisNode* node, NgLegendOwner* owner);
bool ApplyAxisChannelToggle(CGNgChannelNode* node, NgLegendOwner* owner);
