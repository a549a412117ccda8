// Draws the scrolling gadgets into one image for a visual check: a scroll manager with plain
// bars, skinned and thin bars (skin bitmaps drawn here), a tab strip that overflows with its
// buttons, and a splitter between two panes. The image is left in the build tree
// (artefacts/scrollgallery.png); besides a few layout facts nothing compares pixels.
#include <gtest/gtest.h>

#include <filesystem>

#include "gadget/GPageController.h"
#include "gadget/GScroll.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GSplitter.h"
#include "gadget/tests/GadgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/qt/Raster.h"
#include "platform/gui/testing/FakeHostWindow.h"

namespace gadget_test {
namespace {

// A strip of `cells` cells w x h: each a filled box with a darker two-pixel border.
int MakeStrip(int id, int cells, int w, int h, const std::vector<vt::ColorRef>& fills) {
  auto bmp = vt::Bitmap::Create(cells * w, h, 24);
  for (int c = 0; c < cells; ++c) {
    const vt::ColorRef fill = fills[c % fills.size()];
    const vt::ColorRef edge = (fill >> 1) & 0x7F7F7F;
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) {
        const bool border = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
        bmp->SetPixel(c * w + x, y, border ? edge : fill);
      }
  }
  vt::RegisterBitmap(id, std::move(bmp));
  return id;
}

// A strip of arrow glyphs (a small dark diamond in each cell).
int MakeGlyphs(int id, int cells, int w, int h) {
  auto bmp = vt::Bitmap::Create(cells * w, h, 24);
  const vt::ColorRef mask[] = {0x202020, 0x909090, 0xFFFFFF};
  for (int c = 0; c < cells; ++c)
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) {
        const int d = std::abs(x - w / 2) + std::abs(y - h / 2);
        bmp->SetPixel(c * w + x, y, d <= w / 3 ? mask[c % 3] : 0xD0D0D0);
      }
  vt::RegisterBitmap(id, std::move(bmp));
  return id;
}

void PutWord(unsigned char* b, int at, int v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(uint32_t(v) >> (8 * i));
}

void PutCell(unsigned char* b, int at, int image, int w, int h, int margin) {
  PutWord(b, at, image);
  PutWord(b, at + 8, w);
  PutWord(b, at + 12, h);
  for (int i = 0; i < 4; ++i) PutWord(b, at + 16 + 4 * i, margin);
}

class ScrollGallery : public GadgetEnv {};

TEST_F(ScrollGallery, DrawsTheBarsTheOverflowingTabStripAndTheSplitter) {
  // Skins: thumbs, tracks, arrow faces and glyphs, tabs, the page body and the splitter.
  const int thumb = MakeStrip(7801, 3, 12, 12, {0xC09060, 0xA0A0A0, 0xE0B080});
  const int track = MakeStrip(7802, 3, 12, 12, {0x503020, 0x404040, 0x704030});
  const int face = MakeStrip(7803, 3, 12, 12, {0xB0B0B0, 0x808080, 0x909090});
  const int glyph = MakeGlyphs(7804, 3, 8, 8);
  const int tab = MakeStrip(7805, 4, 12, 12, {0x9A9A9A, 0xD8D8D8, 0x707070, 0x8A8A8A});
  const int body = MakeStrip(7806, 2, 12, 12, {0xD8D8D8, 0x8A8A8A});
  const int split = MakeStrip(7807, 3, 4, 20, {0x60A0C0, 0x606060, 0x80C0E0});
  unsigned char thumbBlock[64] = {}, arrowBlock[48] = {}, tabBlock[104] = {}, splitBlock[32] = {};
  PutCell(thumbBlock, 0, thumb, 12, 12, 3);
  PutCell(thumbBlock, 32, track, 12, 12, 3);
  PutCell(arrowBlock, 0, face, 12, 12, 3);
  PutWord(arrowBlock, 32, glyph);
  PutWord(arrowBlock, 40, 8);
  PutWord(arrowBlock, 44, 8);
  for (auto* set : {&SetSkVBarSkin, &SetSkHBarSkin, &SetSkVThinBarSkin, &SetSkHThinBarSkin}) set(thumbBlock);
  for (auto* set : {&SetSkScrollUpButtonSkin, &SetSkScrollDownButtonSkin, &SetSkScrollLeftButtonSkin,
                    &SetSkScrollRightButtonSkin, &SetSkThinScrollUpButtonSkin, &SetSkThinScrollDownButtonSkin,
                    &SetSkThinScrollLeftButtonSkin, &SetSkThinScrollRightButtonSkin, &SetSkTabButtonLeftSkin,
                    &SetSkTabButtonRightSkin})
    set(arrowBlock);
  PutCell(tabBlock, 0, tab, 12, 12, 3);
  PutCell(tabBlock, 32, body, 12, 12, 3);
  PutWord(tabBlock, 64, 0x303030);
  PutWord(tabBlock, 68, 0x000000);
  PutWord(tabBlock, 80, 0xD8D8D8);
  PutWord(tabBlock, 84, 0x8A8A8A);
  PutWord(tabBlock, 88, 0xFFFFFF);
  PutWord(tabBlock, 96, 1);
  PutWord(tabBlock, 100, 1);
  SetSkTabPageSkin(tabBlock);
  PutWord(splitBlock, 0, split);
  PutWord(splitBlock, 8, 4);
  PutWord(splitBlock, 12, 20);
  PutWord(splitBlock, 20, 4);
  SetSkHSplitterSkin(splitBlock);

  auto host = std::make_unique<vt::FakeHostWindow>(440, 250, vt::Point{0, 0});
  auto* root = new CGRoot(master, 0, 0);
  root->SetBackColor(0x02E8E8E8);
  root->SetOpaque(1);
  root->Attach(host.get());

  // A manager with plain bars over content larger than its view.
  auto* manager = new CGScrollManager(root, 10, 10, 0, 3, 180, 120, 2, 16);
  auto* scroll = new CGScroll(manager, 0, 3);
  (new CGVScrollBar(manager, 0, 0, 0, 3, 16, 16, 16))->Build(1);
  (new CGHScrollBar(manager, 0, 0, 0, 3, 16, 16, 16))->Build(2);
  scroll->m_contentWidth = 400;
  scroll->m_contentHeight = 300;
  scroll->m_scrollX = 40;
  scroll->m_scrollY = 60;

  // Skinned and thin bars.
  auto* sv = new CGSkVScrollBar(root, 200, 10, 0, 3, 16, 120, 1);
  sv->Build(1);
  auto* tv = new CGSkVThinScrollBar(root, 222, 10, 0, 3, 8, 120, 1);
  tv->Build(1);
  tv->m_thinStyle = 1;
  auto* sh = new CGSkHScrollBar(root, 240, 10, 0, 3, 190, 16, 1);
  sh->Build(1);
  auto* th = new CGSkHThinScrollBar(root, 240, 32, 0, 3, 190, 8, 1);
  th->Build(1);
  th->m_thinStyle = 1;
  for (CGScrollBar* b : {static_cast<CGScrollBar*>(sv), static_cast<CGScrollBar*>(tv),
                         static_cast<CGScrollBar*>(sh), static_cast<CGScrollBar*>(th)}) {
    b->m_maximum = 1000;
    b->m_page = 250;
    b->SetValue(400);
  }

  // A tab strip that overflows: four pages in 190 pixels.
  auto* pages = new CGSkPageController(root, 240, 50, 0, 3, 190, 90, 200);
  pages->CreateTabScrollButtons(1);
  for (const char* t : {"Alarm list", "Mark list", "Statistics", "A title too long for its tab"}) {
    auto* page = new CGSkTabPage(pages, 3, 0, t);
    new Probe(page, t, nullptr, {0, 0, 1, 1}, 0x02F0F0F0);
  }
  pages->m_maxTabWidth = 80;
  pages->SetValue(1);

  // Two panes and a splitter between them.
  auto* panel = new CGGroup(root, 10, 150, 0, 3, 420, 90, 1, 1, 0x02C8C8C8);
  new Probe(panel, "left", nullptr, {0, 0, 200, 90}, 0x02F4E4D4);
  new CGSkHSplitter(panel, 200, 0, 0, 3, 8, 90);
  new Probe(panel, "right", nullptr, {208, 0, 420, 90}, 0x02D4E4F4);

  host->Invalidate(nullptr);
  host->RunPendingPaint();
  EXPECT_EQ(tv->m_firstButton->Rect(), (vt::Rect{0, 0, 8, 16}));  // thin buttons twice the thickness
  EXPECT_EQ(th->m_thumb->Rect(), (vt::Rect{16, 0, 174, 8}));
  EXPECT_EQ(pages->m_rightButton->GetStyle(), 3);
  EXPECT_EQ(pages->m_firstTab, 1);  // the current second tab scrolled into view

  const std::filesystem::path out = std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "scrollgallery.png";
  std::filesystem::create_directories(out.parent_path());
  vt::Raster* image = root->GetBackDCPtr()->Surface();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->save(QString::fromStdString(out.string()), "PNG"));

  delete root;
  for (int id = 7801; id <= 7807; ++id) vt::RegisterBitmap(id, nullptr);
}

}  // namespace
}  // namespace gadget_test
