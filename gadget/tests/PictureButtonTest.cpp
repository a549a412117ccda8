// The picture, flat and colour buttons through the root's mouse routing: hover, press, drag
// off, drag back and release with the looks in the window and the events fired; strip cells;
// the colour dialog answered by the fake desktop.
#include <gtest/gtest.h>

#include "gadget/GButton.h"
#include "gadget/GColorButton.h"
#include "gadget/GDraw.h"
#include "gadget/GIconButton.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"

namespace gadget_test {
namespace {

constexpr int kNormalId = 7901, kPressedId = 7902, kStripId = 7903, kImageId = 7904, kMaskId = 7905;
constexpr vt::ColorRef kRed = 0x0000C0, kGreen = 0x00C000, kBlue = 0xC00000;
constexpr vt::ColorRef kCells[4] = {0x101010, 0x505050, 0x909090, 0xD0D0D0};

// A w x h bitmap in colour(x) per column.
template <class F>
void RegisterPicture(int id, int w, int h, F colour) {
  auto b = vt::Bitmap::Create(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, colour(x));
  vt::RegisterBitmap(id, std::move(b));
}

class PictureButtonTest : public WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    RegisterPicture(kNormalId, 10, 10, [](int) { return kRed; });
    RegisterPicture(kPressedId, 10, 10, [](int) { return kGreen; });
    RegisterPicture(kStripId, 32, 8, [](int x) { return kCells[x / 8]; });
    RegisterPicture(kImageId, 10, 10, [](int) { return kBlue; });
    // Black shows the image (left half), white the background (right half).
    RegisterPicture(kMaskId, 10, 10, [](int x) { return x < 5 ? 0x000000u : 0xFFFFFFu; });
    back = root->GetBackColor() & 0xFFFFFF;
  }
  void TearDown() override {
    for (int id = kNormalId; id <= kMaskId; ++id) vt::RegisterBitmap(id, nullptr);
    WidgetEnv::TearDown();
  }
  vt::ColorRef back = 0;
};

TEST_F(PictureButtonTest, IconButtonHoversWithItsPressedPictureAndClicksOnlyOnAReleaseInside) {
  auto* b = new CGIconButton(root, 20, 10, 30, 30, GSTYLE_ACTIVE, kNormalId, kPressedId);
  AddLogEvent(b, GEVENT_CLICKED, &log);
  Repaint();
  const int cx = 35, cy = 25;
  EXPECT_EQ(FrontPixel(cx, cy), kRed);
  EXPECT_EQ(FrontPixel(20, 10), back);  // no frame
  Move(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), kGreen);  // the hover look, still without a frame
  EXPECT_EQ(FrontPixel(20, 10), back);
  Move(150, 80);  // leaving shows the normal picture again
  EXPECT_EQ(FrontPixel(cx, cy), kRed);
  Move(cx, cy);
  Down(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), kGreen);
  EXPECT_EQ(FrontPixel(20, 10), 0x9C9C9Cu);  // sunken ring
  EXPECT_EQ(FrontPixel(49, 39), 0xFFFFFFu);
  Move(150, 80);
  EXPECT_EQ(FrontPixel(cx, cy), kRed);
  EXPECT_EQ(FrontPixel(20, 10), back);
  Move(cx, cy);
  EXPECT_EQ(FrontPixel(20, 10), 0x9C9C9Cu);
  Up(cx, cy);
  EXPECT_EQ(log, (Log{"event 2"}));
  EXPECT_EQ(BackPixel(20, 10), back);
  // Released outside: nothing.
  Down(cx, cy);
  Move(150, 80);
  Up(150, 80);
  EXPECT_EQ(log, (Log{"event 2"}));
  EXPECT_EQ(FrontPixel(cx, cy), kRed);

  // With a frame: a raised ring and no hover look.
  b->SetFrameType(1);
  Repaint();
  EXPECT_EQ(FrontPixel(20, 10), 0xFFFFFFu);
  EXPECT_EQ(FrontPixel(49, 39), 0x9C9C9Cu);
  Move(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), kRed);
  Move(150, 80);

  // Not active: the disabled picture (the pressed one), no hover, no click.
  b->SetStyle(GSTYLE_VISIBLE);
  b->SetFrameType(0);
  Repaint();
  EXPECT_EQ(FrontPixel(cx, cy), kGreen);
  Move(cx, cy);
  Down(cx, cy);
  Up(cx, cy);
  EXPECT_EQ(log, (Log{"event 2"}));
}

TEST_F(PictureButtonTest, IconButtonPicturesFallBackAndStripCellsStopAtTheLast) {
  // Without a pressed picture the released one serves for pressed and disabled.
  auto* lone = new CGIconButton(root, 0, 0, 20, 20, GSTYLE_ACTIVE, kNormalId, 0);
  vt::DeviceContext* dc = root->GetBackDCPtr();
  lone->DrawPressed(dc);
  EXPECT_EQ(BackPixel(10, 10), kRed);

  auto* s = new CGIconButton(root, 40, 0, 20, 20, GSTYLE_ACTIVE, kStripId, 0);
  s->m_cellWidth = s->m_cellHeight = 8;
  const struct {
    int cells;
    vt::ColorRef normal, pressed, disabled;
  } cases[] = {
      {4, kCells[0], kCells[1], kCells[2]},
      {2, kCells[0], kCells[1], kCells[1]},
      {1, kCells[0], kCells[0], kCells[0]},
      {0, back, back, back},  // a strip of no cells shows nothing
  };
  for (const auto& c : cases) {
    s->m_stripFlags = 0x10 | c.cells;
    s->SetStyle(GSTYLE_ACTIVE);
    s->DrawNormal(dc);
    EXPECT_EQ(BackPixel(50, 10), c.normal) << c.cells;
    s->DrawPressed(dc);
    EXPECT_EQ(BackPixel(50, 10), c.pressed) << c.cells;
    s->SetStyle(GSTYLE_VISIBLE);
    s->DrawNormal(dc);
    EXPECT_EQ(BackPixel(50, 10), c.disabled) << c.cells;
  }

  // The form with a mask: the picture where the mask is black, the background elsewhere.
  auto* masked = new CGIconButton(root, 80, 0, 20, 20, kImageId, kMaskId);
  EXPECT_EQ(masked->GetStyle(), GSTYLE_ACTIVE);
  masked->DrawNormal(dc);
  EXPECT_EQ(BackPixel(87, 10), kBlue);
  EXPECT_EQ(BackPixel(93, 10), back);
}

TEST_F(PictureButtonTest, FlatButtonLightensItsParentsBackgroundWithoutThePaletteFlag) {
  auto* group = new CGGroup(root, 0, 0, 0, GSTYLE_ACTIVE, 100, 50, 0, 1, 0x02F0E0D0);
  auto* flat = new CGFlatButton(group, 5, 5, 60, 20, 0, 12, "Name");
  EXPECT_EQ(flat->GetBackColor(), 0x00FFFFF0u);
  auto* orphan = new CGFlatButton(master, 0, 0, 60, 20, 0, 12, "Name");
  EXPECT_EQ(orphan->GetBackColor(), 0x007E7E7Eu);
  delete orphan;
}

TEST_F(PictureButtonTest, ColourButtonFramesTheHoverAndPressAndTakesTheDialogsColour) {
  auto* c = new CGColorButton(root, 20, 10, 5, GSTYLE_ACTIVE, 60);
  EXPECT_EQ(c->Rect().Height(), 20);
  EXPECT_EQ(c->GetForeColor(), 0x02000000u);
  c->AddEventCallback(GEVENT_CLICKED, &CGColorButton::OpenColorDialog, nullptr, 0);
  AddLogEvent(c, GEVENT_COLORBUTTON_DRAW, &log);
  c->SetForeColor(0x020000C8);
  Repaint();
  EXPECT_EQ(log, (Log{"event 4"}));
  const BevelColors bevel = GetBevelColors(root->GetBackColor());
  const vt::ColorRef light = bevel.highlight & 0xFFFFFF, dark = bevel.shadow & 0xFFFFFF;
  // The swatch (23, 13)-(76, 26) inside a black border, the background around it.
  EXPECT_EQ(FrontPixel(50, 20), 0x0000C8u);
  EXPECT_EQ(FrontPixel(23, 13), 0x000000u);
  EXPECT_EQ(FrontPixel(20, 10), back);

  Move(50, 20);  // hover: raised frame on the rectangle less its last column and row
  EXPECT_EQ(FrontPixel(20, 10), light);
  EXPECT_EQ(FrontPixel(78, 28), dark);
  EXPECT_EQ(FrontPixel(79, 29), back);
  Down(50, 20);  // pressed: sunken
  EXPECT_EQ(FrontPixel(20, 10), dark);
  EXPECT_EQ(FrontPixel(78, 28), light);
  Move(150, 80);
  EXPECT_EQ(FrontPixel(20, 10), back);
  Move(50, 20);
  EXPECT_EQ(FrontPixel(20, 10), dark);
  desktop->colorAnswer = vt::Rgb(1, 2, 3);
  Up(50, 20);
  EXPECT_EQ(desktop->colorRequests, std::vector<vt::ColorRef>{0x020000C8});
  EXPECT_EQ(c->GetForeColor(), vt::Rgb(1, 2, 3));
  EXPECT_EQ(FrontPixel(50, 20), vt::Rgb(1, 2, 3));

  // Cancelled: the colour stays.
  desktop->colorAnswer.reset();
  Down(50, 20);
  Up(50, 20);
  EXPECT_EQ(desktop->colorRequests.size(), 2u);
  EXPECT_EQ(c->GetForeColor(), vt::Rgb(1, 2, 3));
  // Released outside: no dialog.
  Down(50, 20);
  Move(150, 80);
  Up(150, 80);
  EXPECT_EQ(desktop->colorRequests.size(), 2u);
  // Leaving erases the hover frame in the background colour.
  Move(50, 20);
  Move(150, 80);
  EXPECT_EQ(FrontPixel(20, 10), back);
  EXPECT_EQ(FrontPixel(78, 28), back);
}

}  // namespace
}  // namespace gadget_test
