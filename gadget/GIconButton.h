// The picture button: flat until the mouse is over it, then showing its pressed picture as the
// hover look (without a frame), or with a raised ring that does not change on hover. Its
// pictures are either separate bitmaps (released, pressed, disabled) or the cells of one strip.
#pragma once
#include "gadget/GButton.h"

class CGBitmap;

class CGIconButton : public CGButton {
 public:
  // Separate pictures: a missing pressed picture falls back to the released one, and the
  // disabled picture is the pressed one. Id 0, no frame.
  CGIconButton(CGCore* parent, int left, int top, int width, int height, int style, int normalId,
               int pressedId);
  // One picture with its grey mask (0: none), style 3.
  CGIconButton(CGCore* parent, int left, int top, int width, int height, int imageId, int maskId);
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;

  int Cells() const { return m_stripFlags & 0x0F; }
  bool IsStrip() const { return (m_stripFlags & 0x10) != 0; }

  int m_stripFlags = 0;  // 0x10: the pictures are cells of one strip; low four bits: its cell count
  int m_cellWidth = 0;
  int m_cellHeight = 0;
  CGBitmap* m_normalBitmap = nullptr;
  CGBitmap* m_pressedBitmap = nullptr;
  CGBitmap* m_disabledBitmap = nullptr;
  CGBitmap* m_maskBitmap = nullptr;

 private:
  bool OwnStyleActive() const { return (m_style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }
  // Fills the background and draws strip cell min(cells - 1, n), or the picture without a strip.
  void DrawPicture(vt::DeviceContext* dc, int n, CGBitmap* picture);
};
