// Tests of the skinned and thin scroll bars: parts laid out edge to edge (thin buttons twice
// the thickness), a track that never goes negative, and the skin cell every part draws by
// state (disabled, held, normal), with the block a later setter call replaces.
#include <gtest/gtest.h>

#include "gadget/GPageController.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GSplitter.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"

namespace gadget_test {
namespace {

using SkinScrollTest = RootEnv;

TEST_F(SkinScrollTest, PartsLieEdgeToEdgeAndThinButtonsAreTwiceTheThickness) {
  struct Case {
    const char* name;
    CGScrollBar* bar;
    vt::Rect first, second, track;
  };
  auto* thinH = new CGSkHThinScrollBar(root, 0, 0, 0, 3, 100, 8, 1);
  auto* thinV = new CGSkVThinScrollBar(root, 0, 0, 0, 3, 10, 100, 1);
  auto* skinH = new CGSkHScrollBar(root, 0, 0, 0, 3, 100, 12, 1);
  auto* skinV = new CGSkVScrollBar(root, 0, 0, 0, 3, 12, 100, 1);
  const Case cases[] = {
      {"thin horizontal", thinH, {0, 0, 16, 8}, {84, 0, 100, 8}, {16, 0, 84, 8}},
      {"thin vertical", thinV, {0, 0, 10, 20}, {0, 80, 10, 100}, {0, 20, 10, 80}},
      {"horizontal", skinH, {0, 0, 12, 12}, {88, 0, 100, 12}, {12, 0, 88, 12}},
      {"vertical", skinV, {0, 0, 12, 12}, {0, 88, 12, 100}, {0, 12, 12, 88}},
  };
  for (const Case& c : cases) {
    const vt::Rect r = c.bar->Rect();
    if (IsKindOfClass(c.bar, GCLASS(CGVScrollBar)))
      EXPECT_EQ(static_cast<CGVScrollBar*>(c.bar)->Build(1), 0);
    else
      EXPECT_EQ(static_cast<CGHScrollBar*>(c.bar)->Build(1), 0);
    c.bar->SetSize(r.Width(), r.Height());
    EXPECT_EQ(c.bar->m_firstButton->Rect(), c.first) << c.name;
    EXPECT_EQ(c.bar->m_secondButton->Rect(), c.second) << c.name;
    EXPECT_EQ(c.bar->m_thumb->Rect(), c.track) << c.name;
  }
  EXPECT_TRUE(IsKindOfClass(thinH->m_thumb, GCLASS(CGSkHThinBar)));
  EXPECT_TRUE(IsKindOfClass(thinV->m_firstButton, GCLASS(CGSkThinScrollUpButton)));
  EXPECT_TRUE(IsKindOfClass(skinH->m_secondButton, GCLASS(CGSkScrollRightButton)));
  // Without a second button the track reaches the end; shorter than the buttons it gets 0.
  delete skinV->m_secondButton;
  skinV->SetSize(12, 100);
  EXPECT_EQ(skinV->m_thumb->Rect(), (vt::Rect{0, 12, 12, 100}));
  thinV->SetSize(10, 30);
  EXPECT_EQ(thinV->m_thumb->Rect().Height(), 0);
}

// One colour per cell: a strip of three 6 x 6 cells, cell s filled with base + s.
int MakeCells(int id, vt::ColorRef base) {
  auto bmp = vt::Bitmap::Create(18, 6, 24);
  for (int s = 0; s < 3; ++s)
    for (int x = 0; x < 6; ++x)
      for (int y = 0; y < 6; ++y) bmp->SetPixel(s * 6 + x, y, base + vt::ColorRef(s));
  vt::RegisterBitmap(id, std::move(bmp));
  return id;
}

void PutWord(unsigned char* b, int at, int v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(uint32_t(v) >> (8 * i));
}

void PutCell(unsigned char* b, int at, int image) {
  PutWord(b, at, image);
  PutWord(b, at + 8, 6);
  PutWord(b, at + 12, 6);
  for (int i = 0; i < 4; ++i) PutWord(b, at + 16 + 4 * i, 2);
}

TEST_F(SkinScrollTest, EveryPartDrawsTheCellOfItsStateFromItsOwnBlock) {
  unsigned char thumbBlock[64] = {}, upBlock[48] = {}, downBlock[48] = {};
  PutCell(thumbBlock, 0, MakeCells(7901, 0x100));   // thumb
  PutCell(thumbBlock, 32, MakeCells(7902, 0x200));  // track
  PutCell(upBlock, 0, MakeCells(7903, 0x300));
  PutCell(downBlock, 0, MakeCells(7904, 0x400));
  SetSkVBarSkin(thumbBlock);
  SetSkScrollUpButtonSkin(upBlock);
  SetSkScrollDownButtonSkin(downBlock);
  // 12 x 100: buttons 0-12 and 88-100, track 12-88 (76 long); range 0-100, page 50, at 0.
  auto* bar = new CGSkVScrollBar(root, 0, 0, 0, 3, 12, 100, 5);
  bar->Build(1);
  bar->m_maximum = 100;
  bar->m_page = 50;
  PaintWindow();
  const auto cell = [&](int x, int y) { return BackPixel(x, y); };
  EXPECT_EQ(cell(6, 6), 0x300u);   // up button, normal
  EXPECT_EQ(cell(6, 94), 0x400u);  // down button, normal
  EXPECT_EQ(cell(6, 20), 0x100u);  // thumb over 12-50
  EXPECT_EQ(cell(6, 70), 0x200u);  // track
  // A held arrow button draws its pressed cell while the rest stay normal.
  root->OnLButtonDown(0, 6, 94);
  EXPECT_EQ(cell(6, 94), 0x402u);
  EXPECT_EQ(cell(6, 6), 0x300u);
  EXPECT_EQ(cell(6, 70), 0x200u);
  root->OnLButtonUp(0, 6, 94);
  EXPECT_EQ(cell(6, 94), 0x400u);
  EXPECT_EQ(bar->m_position, 5);
  // A dragged thumb shows the pressed cell on the thumb and the track at once.
  root->OnLButtonDown(0, 6, 30);
  EXPECT_EQ(cell(6, 30), 0x102u);
  EXPECT_EQ(cell(6, 80), 0x202u);
  root->OnLButtonUp(0, 6, 30);
  EXPECT_EQ(cell(6, 30), 0x100u);
  // Disabled: every part draws cell 1.
  bar->SetStyle(1);
  bar->Redraw();
  for (int y : {6, 30, 80, 94}) EXPECT_EQ(cell(6, y) & 0xFF, 1u) << y;
  // A later setter call replaces the block.
  unsigned char other[48] = {};
  PutCell(other, 0, MakeCells(7905, 0x500));
  SetSkScrollUpButtonSkin(other);
  bar->SetStyle(3);
  bar->Redraw();
  EXPECT_EQ(cell(6, 6), 0x500u);
  for (int id = 7901; id <= 7905; ++id) vt::RegisterBitmap(id, nullptr);
  unsigned char none[64] = {};
  SetSkVBarSkin(none);
  SetSkScrollUpButtonSkin(none);
  SetSkScrollDownButtonSkin(none);
}

using BuiltinScrollSkinTest = WidgetEnv;

TEST_F(BuiltinScrollSkinTest, TheWidgetSkinReachesTheBarsTabsAndSplitter) {
  // Every byte-reading part got its block from the descriptor.
  EXPECT_EQ(GetSkTabPageSkin().tab.imageId, kSkinTabStrip);
  EXPECT_EQ(GetSkTabPageSkin().body.imageId, kSkinFrameStrip);
  EXPECT_EQ(GetSkHSplitterSkin().imageId, kSkinSplitGrip);
  EXPECT_EQ(GetSkHSplitterSkin().capHeight, 4);
  // A skinned bar draws the skin's arrow face, track and thumb; the press of its arrow button
  // is the button press, with the pressed cell in the window until the release.
  auto* bar = new CGSkVScrollBar(root, 0, 0, 0, 3, 16, 100, 5);
  bar->Build(1);
  bar->m_maximum = 100;
  bar->m_page = 50;
  bar->LayoutTree();
  Repaint();
  const auto cell = [](int id, int c, int w) { return CellColour(id, c, w, w); };
  EXPECT_EQ(FrontPixel(2, 4), cell(kSkinArrowButton, 0, 14));  // beside the glyph
  EXPECT_EQ(FrontPixel(8, 40), cell(kSkinScrollThumb, 0, 12));
  EXPECT_EQ(FrontPixel(8, 75), cell(kSkinScrollTrack, 0, 12));
  ASSERT_NE(dynamic_cast<CGButton*>(bar->m_secondButton), nullptr);
  Down(2, 96);
  EXPECT_EQ(g_pressedInside, 1);
  EXPECT_EQ(FrontPixel(2, 96), cell(kSkinArrowButton, 2, 14));
  Up(2, 96);
  EXPECT_EQ(FrontPixel(2, 96), cell(kSkinArrowButton, 0, 14));
  EXPECT_EQ(bar->m_position, 5);
  // Forgetting the skin leaves the parts without bitmaps.
  ResetGadgetSkin();
  EXPECT_EQ(GetSkTabPageSkin().tab.imageId, 0);
  EXPECT_EQ(GetSkHSplitterSkin().imageId, 0);
}

TEST_F(BuiltinScrollSkinTest, ThinButtonsAreTwiceTheThicknessAndAnOverflowingStripScrollsTheCurrentTabIn) {
  auto* tv = new CGSkVThinScrollBar(root, 150, 0, 0, 3, 8, 90, 1);
  tv->Build(1);
  auto* th = new CGSkHThinScrollBar(root, 0, 80, 0, 3, 190, 8, 1);
  th->Build(1);
  // Four pages in 190 pixels, tabs at most 80 wide, the second current.
  auto* pages = new CGSkPageController(root, 0, 0, 0, 3, 140, 70, 200);
  pages->CreateTabScrollButtons(1);
  for (const char* t : {"Alarm list", "Mark list", "Statistics", "A title too long for its tab"}) {
    auto* page = new CGSkTabPage(pages, 3, 0, t);
    new Probe(page, t, nullptr, {0, 0, 1, 1}, 0x02F0F0F0);
  }
  pages->m_maxTabWidth = 80;
  pages->SetValue(1);
  root->LayoutTree();
  Repaint();
  EXPECT_EQ(tv->m_firstButton->Rect(), (vt::Rect{0, 0, 8, 16}));
  EXPECT_EQ(th->m_thumb->Rect(), (vt::Rect{16, 0, 174, 8}));
  EXPECT_EQ(pages->m_rightButton->GetStyle(), 3);
  EXPECT_EQ(pages->m_firstTab, 1);
}

}  // namespace
}  // namespace gadget_test
