// The colour button: a swatch of its colour on the parent's background, a raised frame while
// the mouse is over it, a sunken one while pressed. Owners register OpenColorDialog for the
// click (GEVENT_CLICKED); it lets the user choose a new colour in the desktop's colour dialog.
#pragma once
#include "gadget/GButton.h"

class CGColorButton : public CGButton {
 public:
  // frameType is the width of the hover and press frames in pixels.
  CGColorButton(CGCore* parent, int left, int top, int id, int style, int width, int height = 20,
                int frameType = 2);
  const SGClassInfo* GetClassInfo() const override;
  // Announces the drawing (GEVENT_COLORBUTTON_DRAW) first, so an owner may set the colour.
  void Draw(vt::DeviceContext* dc) override;
  void SetForeColor(vt::ColorRef c) override { m_color = c; }
  vt::ColorRef GetForeColor() const override { return m_color; }
  vt::ColorRef GetBackColor() const override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;

  // The click handler: the colour dialog (no owner) preset to the button's colour; OK stores
  // the chosen colour (a plain RGB value) and shows it, Cancel changes nothing.
  static void OpenColorDialog(CGPrimitive* source, int code, void* data);

  vt::ColorRef m_color = 0x02000000;

 private:
  void DrawSwatch(vt::DeviceContext* dc);
  // frameType rings on the rectangle less its last column and row.
  void DrawFrame(vt::DeviceContext* dc, vt::ColorRef topLeft, vt::ColorRef bottomRight);
};
