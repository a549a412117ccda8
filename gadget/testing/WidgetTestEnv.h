// Fixture of the widget tests: a root on the fake host with the built-in skin distributed, and
// helpers that read the skin's cell colours and drive the mouse through the root.
#pragma once
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"

extern int g_pressedInside;

namespace gadget_test {

class WidgetEnv : public RootEnv {
 protected:
  void SetUp() override {
    RootEnv::SetUp();
    RegisterSkinArt();
    skin = BuiltinSkinDescriptor();
    SetGadgetSkin(&skin);
    g_pressedInside = 0;
    PaintWindow();
  }
  void TearDown() override {
    ResetGadgetSkin();  // the blocks point into this test's bitmap pool
    g_pressedInside = 0;
    RootEnv::TearDown();
  }
  // The centre colour of cell `cell` of a registered strip of cells w x h.
  static vt::ColorRef CellColour(int id, int cell, int w, int h) {
    auto b = vt::LoadBitmap(id);
    return b ? b->GetPixel(cell * w + w / 2, h / 2) : vt::kNoColor;
  }
  // The mouse in client coordinates, with the desktop cursor following it.
  void Down(int x, int y) {
    Cursor(x, y);
    held_ = true;
    root->OnLButtonDown(vt::kMkLButton, x, y);
  }
  void Move(int x, int y) {
    Cursor(x, y);
    root->OnMouseMove(held_ ? uint32_t(vt::kMkLButton) : 0u, x, y);
  }
  void Up(int x, int y) {
    Cursor(x, y);
    held_ = false;
    root->OnLButtonUp(0, x, y);
  }
  // Redraws the whole tree into the back buffer and paints the window from it.
  void Repaint() {
    root->Redraw();
    PaintWindow();
  }
  void Cursor(int x, int y) { desktop->cursor = vt::Point{1000 + x, 500 + y}; }
  SGSkinDescriptor skin;
  Log log;

 private:
  bool held_ = false;
};

}  // namespace gadget_test
