// The 64-bit number display and the digital volume: a right-aligned signed 64-bit value in a
// sunken box, stepped by one within a range by two small arrow buttons that repeat every
// 100 ms while held; and the skinned forms drawn from the skin.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GButton.h"

class CGInt64Digital : public CGPrimitive {
 public:
  CGInt64Digital(CGCore* parent, int left, int top, int height, int id, int style);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int64_t v) override { m_value = v; }
  void SetValue(int v) override { SetValue(int64_t(v)); }
  int GetValue(int64_t* out) override { return *out = m_value, 0; }
  int GetValue(int* out) override { return *out = int(uint32_t(uint64_t(m_value))), 0; }
  void SetEditText(const std::string& text) override;
  void GetEditText(std::string* out) override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  void PrintSelf(vt::DeviceContext* dc, int page) override;

 protected:
  vt::ColorRef m_textColor = 0x02FFFFFF;
  vt::ColorRef m_fillColor = 0x025E5E5E;
  vt::ColorRef m_topLeftEdge = 0x02000000;
  vt::ColorRef m_bottomRightEdge = 0x02CACACA;
  int m_alignment = 2;
  int m_frameWidth = 1;
  int64_t m_value = 0;
  int m_fontHeight = 14;
  CGFont* m_font;
  CGFont* m_printFont = nullptr;
};

class CGVolumeButton : public CGButton {
 public:
  CGVolumeButton(CGCore* parent);
  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnTimer(uint32_t id) override;

 protected:
  // The value change of one step on the parent volume: +1 or -1.
  void Step(int delta);
  // The plain arrow look; up: the tip at the top.
  void DrawArrow(vt::DeviceContext* dc, bool up, bool pressed);
};

class CGVolumeUpButton : public CGVolumeButton {
 public:
  using CGVolumeButton::CGVolumeButton;
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override { Step(+1); }
  void DrawNormal(vt::DeviceContext* dc) override { DrawArrow(dc, true, false); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawArrow(dc, true, true); }
};

class CGVolumeDownButton : public CGVolumeButton {
 public:
  using CGVolumeButton::CGVolumeButton;
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override { Step(-1); }
  void DrawNormal(vt::DeviceContext* dc) override { DrawArrow(dc, false, false); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawArrow(dc, false, true); }
};

class CGDigitalVolume64 : public CGInt64Digital {
 public:
  CGDigitalVolume64(CGCore* parent, int left, int top, int height, int id, int style);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  using CGPrimitive::SetRange;
  void SetValue(int64_t v) override;
  void SetValue(int v) override { SetValue(int64_t(v)); }
  void SetRange(int64_t low, int64_t high) override { m_minimum = low, m_maximum = high; }
  CGVolumeUpButton* UpButton() const { return m_upButton; }
  CGVolumeDownButton* DownButton() const { return m_downButton; }
  int64_t Minimum() const { return m_minimum; }
  int64_t Maximum() const { return m_maximum; }

 protected:
  CGVolumeDownButton* m_downButton = nullptr;
  CGVolumeUpButton* m_upButton = nullptr;
  int64_t m_minimum = 0;
  int64_t m_maximum = 100;
};

class CGSkVolumeUpButton : public CGVolumeUpButton {
 public:
  using CGVolumeUpButton::CGVolumeUpButton;
  const SGClassInfo* GetClassInfo() const override;
  void DrawNormal(vt::DeviceContext* dc) override { DrawState(dc, GetEffectiveStyle(), 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawState(dc, GSTYLE_ACTIVE, 1); }
  virtual void DrawState(vt::DeviceContext* dc, int style, int pressed);
};

class CGSkVolumeDownButton : public CGVolumeDownButton {
 public:
  using CGVolumeDownButton::CGVolumeDownButton;
  const SGClassInfo* GetClassInfo() const override;
  void DrawNormal(vt::DeviceContext* dc) override { DrawState(dc, GetEffectiveStyle(), 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawState(dc, GSTYLE_ACTIVE, 1); }
  virtual void DrawState(vt::DeviceContext* dc, int style, int pressed);
};

class CGSkDigitalVolume64 : public CGDigitalVolume64 {
 public:
  CGSkDigitalVolume64(CGCore* parent, int left, int top, int height, int id, int style);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
};
