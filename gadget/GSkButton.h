// The skinned buttons: the push button drawn as a nine-slice face with normal, disabled,
// pressed and hover cells, and the toggle and radio icon buttons drawn from the skin's icon
// strip (or their own). Input handling is that of their plain bases.
#pragma once
#include "gadget/GButton.h"
#include "gadget/GSkin.h"

class CGSkPushButton : public CGPushButton {
 public:
  using CGPushButton::CGPushButton;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;
  void DrawAltNormal(vt::DeviceContext* dc) override;  // the hover look

 private:
  // cell, caption offset, caption colour
  void DrawLook(vt::DeviceContext* dc, int cell, int dx, int dy, vt::ColorRef colour);
};

class CGSkTogIconButton : public CGTogIconButton {
 public:
  using CGTogIconButton::CGTogIconButton;
  const SGClassInfo* GetClassInfo() const override;
  void DrawNormal(vt::DeviceContext* dc) override { DrawSkinLook(dc, 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawSkinLook(dc, 1); }
  void DrawAltNormal(vt::DeviceContext* dc) override { DrawSkinLook(dc, 2); }
  void DrawAltPressed(vt::DeviceContext* dc) override { DrawSkinLook(dc, 3); }

 private:
  void DrawSkinLook(vt::DeviceContext* dc, int cell);
};

class CGSkRadioIconButton : public CGRadioIconButton {
 public:
  using CGRadioIconButton::CGRadioIconButton;
  const SGClassInfo* GetClassInfo() const override;
  void DrawNormal(vt::DeviceContext* dc) override { DrawSkinLook(dc, 0); }
  void DrawPressed(vt::DeviceContext* dc) override { DrawSkinLook(dc, 1); }
  void DrawAltNormal(vt::DeviceContext* dc) override { DrawSkinLook(dc, 2); }
  void DrawAltPressed(vt::DeviceContext* dc) override { DrawSkinLook(dc, 3); }

 private:
  void DrawSkinLook(vt::DeviceContext* dc, int cell);
};

// One look of a skinned icon button: background, the icon cell in the left square (the
// button's own strip when it has one, else the skin's), the caption in the skin's colour.
void DrawSkinnedIconLook(CGPrimitive* button, vt::DeviceContext* dc, const vt::SGIconCaption& icon, int cell,
                         SkinReceiver receiver, int frameType);
