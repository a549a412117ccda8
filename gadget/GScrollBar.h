// Scroll bars: a group holding the value model (minimum, maximum, page, position, line step),
// two arrow buttons and one track gadget that draws the track and the thumb and takes the
// track's mouse input (thumb drag, paging by a press in the track with auto-repeat). Inside a
// scroll manager every change of position is pushed to the manager's body and announced with
// GEVENT_CHANGED on the bar and GEVENT_SCROLLED on the manager.
//
// Only one drag or auto-repeat runs at a time in the process (user-interface thread only).
#pragma once
#include "gadget/GButton.h"
#include "gadget/GGroup.h"

class CGBar;
class CGScrollButton;

class CGScrollBar : public CGGroup {
 public:
  CGScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height, int step);
  ~CGScrollBar() override;
  const SGClassInfo* GetClassInfo() const override;

  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void Draw(vt::DeviceContext* dc) override;
  // The parts follow every resize.
  void SetSize(int w, int h) override;
  // Keeps the position in [minimum, maximum - page]; the minimum wins for a range below a page.
  void SetValue(int v) override;
  int GetValue(int* out) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnClick() override;
  virtual int Reserved() { return 0; }
  // The colour of the thumb and of the arrow buttons.
  virtual vt::ColorRef GetTrackColor() const;

  // Called by the parts' constructors.
  void RegisterThumb(CGBar* thumb) { m_thumb = thumb; }
  void RegisterFirstButton(CGScrollButton* b) { m_firstButton = b; }
  void RegisterSecondButton(CGScrollButton* b) { m_secondButton = b; }
  void ForgetPart(const CGCore* part);
  int ButtonCount() const { return (m_firstButton ? 1 : 0) + (m_secondButton ? 1 : 0); }

  CGBar* m_thumb = nullptr;
  int m_step;
  int m_minimum = 0;
  int m_maximum = 499;
  int m_position = 0;
  int m_page = 200;
  CGScrollButton* m_firstButton = nullptr;
  CGScrollButton* m_secondButton = nullptr;
};

class CGVScrollBar : public CGScrollBar {
 public:
  CGVScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height, int step);
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  void OnClick() override;
  // Makes the up and down buttons and the track; 0 when all three were made, else 1.
  virtual int Build(int frameType);
};

class CGHScrollBar : public CGScrollBar {
 public:
  CGHScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height, int step);
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  void OnClick() override;
  // Makes the left and right buttons and the track; 0 when all three were made, else 1.
  virtual int Build(int frameType);
};

// The track and thumb of a bar; the thumb's place as last drawn is kept for the mouse.
class CGBar : public CGPrimitive {
 public:
  CGBar(CGCore* scrollBar, int bevelWidth);
  ~CGBar() override;
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetForeColor() const override;
  vt::ColorRef GetBackColor() const override;
  void OnTimer(uint32_t id) override;

  // The bar this track belongs to, null when the parent is no scroll bar.
  CGScrollBar* Bar() const;
  // The thumb's length and offset on a track of length L, stored in the members.
  void ComputeThumbFor(int L) { ComputeThumb(L); }

  int m_thumbOffset = -1;
  int m_thumbLength = 8;
  int m_bevelWidth;
  int m_pressed = 0;

 protected:
  // The thumb's length and offset on a track of length L, stored in the members.
  void ComputeThumb(int L);
  // Draws the track and the raised thumb along x (horizontal) or y.
  void DrawPlain(vt::DeviceContext* dc, bool horizontal);
  // The press, move and release along the track; pos is local to the track.
  void Press(int pos, int L);
  void Move(int pos, int L);
  void Release();
  // One page step towards the stored target position.
  void PageStep();
};

class CGVBar : public CGBar {
 public:
  using CGBar::CGBar;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
};

class CGHBar : public CGBar {
 public:
  using CGBar::CGBar;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
};

namespace vt {

// The drag state shared by every track (0 none, 1 thumb drag, 2 paging forward, 3 back).
struct SGScrollDrag {
  int mode = 0;
  int offset = 0;
  int targetPosition = 0;
};

}  // namespace vt
extern vt::SGScrollDrag g_scrollDrag;

// The arrow buttons: a step at the press and one per repeat tick while held; the release
// adds none. Buttons whose press shows the pressed face and whose release the normal one;
// frameType 1 draws one bevel ring, 2 two, other values no frame.
class CGScrollButton : public CGButton {
 public:
  CGScrollButton(CGCore* parent, int frameType, int repeatInterval);
  ~CGScrollButton() override;
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  vt::ColorRef GetBackColor() const override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnTimer(uint32_t id) override;
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;

  // True while the parent holds this button's press.
  bool IsHeld() const;
  // The arrow's three points in the absolute rectangle r.
  virtual void ArrowPoints(const vt::Rect& r, vt::Point out[3]) const;

  using CGButton::m_frameType;
  int m_repeatInterval;

 protected:
  // The bar's position moved by delta, the thumb redrawn, the bar's OnClick.
  void StepBar(int delta);
};

class CGScrollUpButton : public CGScrollButton {
 public:
  CGScrollUpButton(CGCore* bar, int frameType, int repeatInterval = 50);
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  void ArrowPoints(const vt::Rect& r, vt::Point out[3]) const override;
};

class CGScrollDownButton : public CGScrollButton {
 public:
  CGScrollDownButton(CGCore* bar, int frameType, int repeatInterval = 50);
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  void ArrowPoints(const vt::Rect& r, vt::Point out[3]) const override;
};

class CGScrollLeftButton : public CGScrollButton {
 public:
  CGScrollLeftButton(CGCore* bar, int frameType, int repeatInterval);
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  void ArrowPoints(const vt::Rect& r, vt::Point out[3]) const override;
};

class CGScrollRightButton : public CGScrollButton {
 public:
  CGScrollRightButton(CGCore* bar, int frameType, int repeatInterval);
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  void ArrowPoints(const vt::Rect& r, vt::Point out[3]) const override;
};
