// The button gadgets: press tracking that turns a press and a release inside into a click,
// drawing the pressed look straight to the window while the mouse is held; the bevelled push
// button and its flat form; the toggle family (toggle icon button, radio button) that keeps a checked state.
#pragma once
#include <functional>
#include <string>

#include "gadget/GPrimitive.h"

class CGBitmap;

// Whether the mouse was inside the button holding the capture when last looked at.
extern int g_pressedInside;

class CGButton : public CGPrimitive {
 public:
  CGButton(CGCore* parent, int left, int top, int id, int style, int width, int height, int frameType);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override { FireEvent(GEVENT_CLICKED); }
  virtual void DrawNormal(vt::DeviceContext* dc);
  virtual void DrawPressed(vt::DeviceContext* dc);
  virtual void DrawAltNormal(vt::DeviceContext* dc) { (void)dc; }
  virtual void DrawAltPressed(vt::DeviceContext* dc) { (void)dc; }

  int GetFrameType() const { return m_frameType; }
  void SetFrameType(int frameType) { m_frameType = frameType; }
  // Active, its parent's captured child, and the cursor over it.
  bool IsPressedUnderCursor() const;

 protected:
  bool IsActive() const { return HasEffectiveStyle(GSTYLE_ACTIVE); }
  // Draws a look into the clipped back buffer and copies the rectangle to the window.
  void ShowInBackBuffer(void (CGButton::*look)(vt::DeviceContext*));
  void ShowInBackBuffer(const std::function<void(vt::DeviceContext*)>& look);
  // Draws a look straight into the clipped window context (the back buffer is left alone).
  void ShowInWindow(void (CGButton::*look)(vt::DeviceContext*));
  int m_frameType;
};

class CGPushButton : public CGButton {
 public:
  CGPushButton(CGCore* parent, int left, int top, int width, int height, int id, int fontHeight,
               const char* caption);
  CGPushButton(CGCore* parent, int left, int top, int width, int height, int id, int style,
               uint32_t captionId);
  const SGClassInfo* GetClassInfo() const override;
  void SetText(const std::string& text) override { m_caption = text; }
  void GetText(std::string* out) override { *out = m_caption; }
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;

 protected:
  CGFont* m_font;
  std::string m_caption;
};

// A push button whose background is its parent's lightened by 32 per channel (the base of the
// application's own flat buttons); its face is drawn as the push button's.
class CGFlatButton : public CGPushButton {
 public:
  using CGPushButton::CGPushButton;
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override;
};

class CGToggleButton : public CGButton {
 public:
  using CGButton::CGButton;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGToggleButton); }
  void Draw(vt::DeviceContext* dc) override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int v) override { m_checked = v; }
  int GetValue(int* out) override { return *out = m_checked, 0; }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;

 protected:
  int m_checked = 0;
};

namespace vt {

// The picture strip and caption shared by the toggle icon button and the radio icon button.
struct SGIconCaption {
  int stripFlags = 0x14;  // 0x10: a strip; low four bits: its cell count
  int cellWidth = 0, cellHeight = 0;
  CGBitmap* image = nullptr;
  CGBitmap* mask = nullptr;
  std::string caption;
  CGFont* font = nullptr;
  vt::ColorRef textColor = 0;
  int Cells() const { return stripFlags & 0x0F; }
  // min(cells - 1, n); -1 (nothing drawn) for a strip of no cells.
  int Cell(int n) const { return Cells() < 1 ? -1 : (n < Cells() - 1 ? n : Cells() - 1); }
};

}  // namespace vt

class CGTogIconButton : public CGToggleButton {
 public:
  CGTogIconButton(CGCore* parent, int left, int top, int width, int height, int id, int style,
                  vt::ColorRef textColor, const char* caption, int cellWidth, int cellHeight, int imageId,
                  int maskId);
  const SGClassInfo* GetClassInfo() const override;
  void SetText(const std::string& text) override { m_icon.caption = text; }
  void GetText(std::string* out) override { *out = m_icon.caption; }
  CGFont* GetFont(int which) override { return (void)which, m_icon.font; }
  void OnClick() override;
  void DrawNormal(vt::DeviceContext* dc) override { DrawLook(dc, 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawLook(dc, 1); }
  void DrawAltNormal(vt::DeviceContext* dc) override { DrawLook(dc, 2); }
  void DrawAltPressed(vt::DeviceContext* dc) override { DrawLook(dc, 3); }
  const vt::SGIconCaption& Icon() const { return m_icon; }

 protected:
  void DrawLook(vt::DeviceContext* dc, int n);
  vt::SGIconCaption m_icon;
};

class CGRadioButton : public CGToggleButton {
 public:
  CGRadioButton(CGCore* parentBox, int left, int top, int width);
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
};

class CGRadioIconButton : public CGRadioButton {
 public:
  CGRadioIconButton(CGCore* parentBox, int left, int top, int width, vt::ColorRef textColor,
                    const char* caption, int cellWidth, int cellHeight, int imageId, int maskId);
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override;
  void SetText(const std::string& text) override { m_icon.caption = text; }
  void GetText(std::string* out) override { *out = m_icon.caption; }
  CGFont* GetFont(int which) override { return (void)which, m_icon.font; }
  void DrawNormal(vt::DeviceContext* dc) override { DrawLook(dc, 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawLook(dc, 1); }
  void DrawAltNormal(vt::DeviceContext* dc) override { DrawLook(dc, 2); }
  void DrawAltPressed(vt::DeviceContext* dc) override { DrawLook(dc, 3); }
  virtual void DrawCaption(vt::DeviceContext* dc, int l, int t, int r, int b);
  const vt::SGIconCaption& Icon() const { return m_icon; }

 protected:
  void DrawLook(vt::DeviceContext* dc, int n);
  vt::SGIconCaption m_icon;
};

// The position of child among its parent's children (ring order); -1 without a parent.
int ChildPosition(const CGCore* child);
// Engraved text colours from a base colour: light (+63 per channel) and dark (light - 127).
void EngravedColours(vt::ColorRef base, vt::ColorRef* light, vt::ColorRef* dark);
