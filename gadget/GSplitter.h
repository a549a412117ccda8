// Splitters: a thin gadget between two sibling panes. A press shows the pressed look, a drag
// draws a three-pixel outline on the window that follows the mouse within the panes' minimum
// widths, and the release moves the splitter and both panes by the same amount and lays out
// the parent again (or leaves that to a GEVENT_SPLITTER_RELEASED handler). The base has the
// mouse protocol; the horizontal-drag splitter supplies the limits, the move and the look.
#pragma once
#include <cstddef>

#include "gadget/GPrimitive.h"

class CGSkSplitter : public CGPrimitive {
 public:
  CGSkSplitter(CGCore* parent, int left, int top, int id, int style, int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void OnClick() override { FireEvent(GEVENT_SPLITTER_RELEASED); }

  // The drag outline for a mouse position (parent coordinates), XOR-drawn three pixels thick.
  virtual void DrawFeedback(vt::DeviceContext* dc, int x, int y);
  virtual void DrawState(vt::DeviceContext* dc, int style, int pressed) {
    (void)dc, (void)style, (void)pressed;
  }
  virtual void SetLimits(int minPrev, int minNext) {
    m_minPrev = minPrev;
    m_minNext = minNext;
  }
  virtual void GetLimits(int* minPrev, int* minNext) const {
    *minPrev = m_minPrev;
    *minNext = m_minNext;
  }
  virtual void GetDragRect(int x, int y, vt::Rect* out) { (void)x, (void)y, (void)out; }
  virtual void GetDragLimits(int* toLeft, int* toRight) { (void)toLeft, (void)toRight; }
  virtual int ClampDelta(int x, int y, int pressX, int pressY, int toLeft, int toRight) {
    return (void)x, (void)y, (void)pressX, (void)pressY, (void)toLeft, (void)toRight, 0;
  }
  virtual void MoveBy(int delta) { (void)delta; }

  // The panes: the previous and next siblings when they are primitives.
  CGPrimitive* PreviousPane() const;
  CGPrimitive* NextPane() const;

  int m_minPrev = 100;
  int m_minNext = 100;
};

namespace vt {

// The press position of the running splitter drag (parent coordinates).
struct SGSplitterDrag {
  int pressX = 0;
  int pressY = 0;
};

}  // namespace vt
extern vt::SGSplitterDrag g_splitterDrag;

// A vertical bar dragged horizontally.
class CGSkHSplitter : public CGSkSplitter {
 public:
  using CGSkSplitter::CGSkSplitter;
  const SGClassInfo* GetClassInfo() const override;

  void OnMouseEnter(int32_t x, int32_t y) override;
  void DrawState(vt::DeviceContext* dc, int style, int pressed) override;
  void GetDragRect(int x, int y, vt::Rect* out) override;
  void GetDragLimits(int* toLeft, int* toRight) override;
  int ClampDelta(int x, int y, int pressX, int pressY, int toLeft, int toRight) override;
  void MoveBy(int delta) override;
};

namespace vt {

// The splitter's skin: image and mask ids, cell size and the height of the stretched cap.
struct SGSplitterSkin {
  int imageId = 0;
  int maskId = 0;
  int cellWidth = 0;
  int cellHeight = 0;
  int capHeight = 0;
};

}  // namespace vt
constexpr std::size_t kSplitterSkinBytes = 32;
// Stores the 32-byte block of the skin descriptor and loads its bitmaps.
void SetSkHSplitterSkin(const unsigned char* block);
const vt::SGSplitterSkin& GetSkHSplitterSkin();
