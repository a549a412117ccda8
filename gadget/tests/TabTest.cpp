// Tests of the page controller: tab widths and places, a strip that overflows with its scroll
// buttons (pressed and repeated by the timer), switching pages by a click with its events,
// hidden pages, the inclusive tab hit, and the shared-content mode.
#include <gtest/gtest.h>

#include "gadget/GPageController.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/RecordingDc.h"

namespace gadget_test {
namespace {

class TabTest : public RootEnv {
 protected:
  // A controller 200 x 100 with the given pages, each with a probe as its content.
  void Build(const std::vector<std::string>& titles, bool shared = false) {
    controller = new CGSkPageController(root, 0, 0, 0, 3, 200, 100, 200);
    controller->m_sharedContent = shared ? 1 : 0;
    controller->CreateTabScrollButtons(1);
    for (const std::string& t : titles) {
      auto* page = new CGSkTabPage(controller, 3, 0, t);
      pages.push_back(page);
      if (!shared || pages.size() == 1)
        contents.push_back(new Probe(page, "content " + t, &log, {0, 0, 1, 1}));
    }
    controller->SetValue(0);
    controller->LayoutTree();
    AddLogEvent(controller, GEVENT_EDIT_STORE, &events);
    AddLogEvent(controller, GEVENT_CHANGED, &events);
    PaintWindow();
  }
  CGSkPageController* controller = nullptr;
  std::vector<CGSkTabPage*> pages;
  std::vector<Probe*> contents;
  Log log, events;
};

TEST_F(TabTest, TabsShareTheWidthOfTheLongestTitleAndLieSideBySide) {
  Build({"Alarm list", "Mark list"});
  EXPECT_EQ(pages[0]->m_tabWidth, 77);  // 14 / 2 * 10 + 7
  EXPECT_EQ(pages[1]->m_tabWidth, 77);
  EXPECT_EQ(pages[1]->m_tabX, 77);
  EXPECT_EQ(controller->m_headerHeight, 22);
  EXPECT_EQ(controller->m_stripWidth, 154);
  EXPECT_EQ(controller->m_leftButton->GetStyle(), 0);
  EXPECT_EQ(controller->m_rightButton->GetStyle(), 0);
  EXPECT_EQ(pages[1]->Rect(), (vt::Rect{0, 0, 200, 100}));
  EXPECT_EQ(contents[0]->Rect(), (vt::Rect{3, 25, 197, 97}));
  // A page outside a controller: its own width from the title.
  CGTabPage loose(nullptr, 3, 0, "Mark list");
  EXPECT_EQ(loose.m_tabWidth, 9 * 14 / 2 + 6);
  EXPECT_EQ(loose.HeaderHeight(), 22);
}

TEST_F(TabTest, AClickOnAnotherTabSwitchesPagesWithEventsBeforeAndAfter) {
  Build({"Alarm list", "Mark list", "Third"});
  EXPECT_EQ(contents[0]->GetStyle(), 3);
  EXPECT_EQ(contents[1]->GetStyle(), 0);
  root->OnLButtonDown(0, 30, 10);  // the current page's tab: nothing
  root->OnLButtonUp(0, 30, 10);
  EXPECT_TRUE(events.empty());
  root->OnLButtonDown(0, 154, 10);  // both ends are inclusive: 154 is the second tab's right end
  root->OnLButtonUp(0, 154, 10);
  EXPECT_EQ(events, (Log{"event 7", "event 1"}));
  int current = -1;
  controller->GetValue(&current);
  EXPECT_EQ(current, 1);
  EXPECT_EQ(contents[0]->GetStyle(), 0);
  EXPECT_EQ(contents[1]->GetStyle(), 3);
  EXPECT_EQ(pages[0]->GetStyle(), 3);  // pages stay visible so their tabs can be drawn
  // Below the strip: the press goes to the current page's content.
  log.clear();
  root->OnLButtonDown(0, 50, 50);
  root->OnLButtonUp(0, 50, 50);
  EXPECT_EQ(log.front(), "content Mark list down 50,50");
  // A double click on a tab selects it too.
  root->OnLButtonDblClk(0, 160, 10);
  root->OnLButtonUp(0, 160, 10);
  controller->GetValue(&current);
  EXPECT_EQ(current, 2);
}

TEST_F(TabTest, AnOverflowingStripShowsItsButtonsAndScrollsTheCurrentTabIntoView) {
  Build({"Alarm list", "Mark list", "Page three", "Four"});
  EXPECT_EQ(controller->m_rightButton->Rect(), (vt::Rect{183, 2, 200, 19}));
  EXPECT_EQ(controller->m_leftButton->Rect(), (vt::Rect{166, 2, 183, 19}));
  EXPECT_EQ(controller->m_stripWidth, 166);
  EXPECT_EQ(controller->m_firstTab, 0);
  controller->SetValue(3);
  controller->LayoutTree();
  EXPECT_EQ(controller->m_firstTab, 2);  // the last tab fits from the third on
  EXPECT_EQ(controller->TabScrollOffset(), 154);
  EXPECT_EQ(controller->TabFromPoint(10, 10), pages[2]);
  EXPECT_EQ(controller->TabFromPoint(170, 10), nullptr);  // past the strip
  PaintWindow();
  // The right button does nothing once the last tab fits.
  root->OnLButtonDown(0, 190, 10);
  root->OnLButtonUp(0, 190, 10);
  EXPECT_EQ(controller->m_firstTab, 2);
  // The left button steps at the press and every 150 ms while held, and stops at the first tab.
  root->OnLButtonDown(0, 170, 10);
  EXPECT_EQ(controller->m_firstTab, 1);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 150u);
  EXPECT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
  EXPECT_EQ(controller->m_firstTab, 0);
  EXPECT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
  EXPECT_EQ(controller->m_firstTab, 0);
  root->OnLButtonUp(0, 170, 10);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  // Right again, one tab per press, up to the place where the last tab fits.
  for (int expected : {1, 2, 2}) {
    root->OnLButtonDown(0, 190, 10);
    root->OnLButtonUp(0, 190, 10);
    EXPECT_EQ(controller->m_firstTab, expected);
  }
  EXPECT_TRUE(events.empty());  // scrolling the strip switches no page
  // Wide enough again (update hint 4 lays out anew): the buttons go and the strip starts at 0.
  controller->SetSize(400, 100);
  controller->OnUpdate(4, nullptr);
  EXPECT_EQ(controller->m_firstTab, 0);
  EXPECT_EQ(controller->m_rightButton->GetStyle(), 0);
}

TEST_F(TabTest, AHiddenPageKeepsItsWidthButTakesNoPlaceInTheStripAndStillCountsForTheIndex) {
  Build({"Alarm list", "Mark list", "Third"});
  pages[1]->SetStyle(0);
  controller->LayoutTree();
  EXPECT_EQ(pages[1]->m_tabWidth, 77);
  EXPECT_EQ(pages[2]->m_tabX, 77);
  EXPECT_EQ(controller->m_stripWidth, 154);
  EXPECT_EQ(controller->TabFromPoint(100, 10), pages[2]);
  root->OnLButtonDown(0, 100, 10);
  root->OnLButtonUp(0, 100, 10);
  int current = -1;
  controller->GetValue(&current);
  EXPECT_EQ(current, 2);
  // An index that names no page hides every content.
  controller->SetValue(7);
  for (Probe* c : contents) EXPECT_EQ(c->GetStyle(), 0);
}

TEST_F(TabTest, SharedContentMovesToTheSelectedPageAndStaysForAMissingPage) {
  Build({"Alarm list", "Mark list", "Third"}, true);
  ASSERT_EQ(contents.size(), 1u);
  EXPECT_EQ(pages[2]->GetFirstChild(), nullptr);  // a page never shown holds no content
  root->OnLButtonDown(0, 160, 10);
  root->OnLButtonUp(0, 160, 10);
  EXPECT_EQ(contents[0]->GetParent(), pages[2]);
  EXPECT_EQ(pages[0]->GetFirstChild(), nullptr);
  EXPECT_EQ(events, (Log{"event 7", "event 1"}));
  controller->SetValue(9);
  EXPECT_EQ(contents[0]->GetParent(), pages[2]);
  controller->SetValue(0);  // from a missing page nothing moves
  EXPECT_EQ(contents[0]->GetParent(), pages[2]);
}

TEST_F(TabTest, PrintingGivesEveryPageAndItsContentTheWholePrintArea) {
  Build({"Alarm list", "Mark list"});
  controller->SetPrintBounds(0, 0, 500, 700);
  controller->ScalePrintRects(1);
  EXPECT_EQ(pages[1]->PrintRect(), (vt::Rect{0, 0, 500, 700}));
  pages[0]->ScalePrintRects(1);
  EXPECT_EQ(contents[0]->PrintRect(), (vt::Rect{0, 0, 500, 700}));
}

}  // namespace
}  // namespace gadget_test

namespace gadget_test {
namespace {

TEST_F(TabTest, ATitleTooLongForItsTabIsCutAtACharacterAndFollowedByDots) {
  unsigned char block[104] = {};
  const auto put = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) block[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put(64, 0x000011);  // inactive text
  put(68, 0x000022);  // active text
  put(88, 0x0000EE);  // shadow
  put(96, 1);         // shadow dx
  put(100, 2);        // shadow dy
  SetSkTabPageSkin(block);
  Build({"Alarm list"});
  struct Case {
    std::string title;
    int active;
    std::vector<std::string> texts;  // in drawing order
    int dotsX;                       // -1: no dots
  } cases[] = {
      {"Mark", 0, {"Mark"}, -1},
      {"Mark", 1, {"Mark", "Mark"}, -1},                 // shadow first
      {"Statistics of everything", 0, {"Statist"}, 51},  // 7 x 7 fits 54
      {"\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84",
       1,
       {std::string(14, ' '), std::string(14, ' ')},
       51},  // two-byte characters stay whole
  };
  for (const Case& c : cases) {
    vt::RecordingDc dc(200, 40);
    pages[0]->DrawSkinTabText(&dc, 3, c.active, 0, 0, 60, 22, pages[0]->GetFont(0), c.title);
    const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
    ASSERT_EQ(texts.size(), c.texts.size()) << c.title;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (c.texts[i][0] == ' ')
        EXPECT_EQ(texts[i].text, c.title.substr(0, c.texts[i].size())) << c.title;
      else
        EXPECT_EQ(texts[i].text, c.texts[i]) << c.title;
    }
    EXPECT_EQ(texts.back().color, c.active ? 0x000022u : 0x000011u);
    if (c.active) {
      EXPECT_EQ(texts.front().color, 0x0000EEu);
      EXPECT_EQ(texts.front().points[0].x, texts.back().points[0].x + 1);
    }
    const auto dots = dc.RecordsOf(vt::DcOp::SetPixel);
    if (c.dotsX < 0) {
      EXPECT_TRUE(dots.empty()) << c.title;
    } else {
      ASSERT_EQ(dots.size(), 3u) << c.title;
      EXPECT_EQ(dots[0].points[0].x, c.dotsX);
      EXPECT_EQ(dots[0].color, texts.back().color);
    }
  }
  SetSkTabPageSkin(std::vector<unsigned char>(104, 0).data());
}

}  // namespace
}  // namespace gadget_test

namespace gadget_test {
namespace {

TEST_F(TabTest, APlainPageDrawsItsTabAndLeavesTheBodyEdgeOpenUnderIt) {
  auto* page = new CGTabPage(root, 3, 0, "Mark list");  // outside a controller: header 14 + 8
  page->SetBounds(10, 10, 120, 80);
  PaintWindow();
  const vt::Rect tab = page->TabRect();
  EXPECT_EQ(tab, (vt::Rect{10, 10, 79, 32}));
  const vt::ColorRef fill = BackPixel(60, 50);
  EXPECT_EQ(BackPixel(60, 12), fill);   // inside the tab, above its text
  EXPECT_EQ(BackPixel(50, 32), fill);   // the body's top edge is open under the tab
  EXPECT_NE(BackPixel(100, 32), fill);  // and drawn beyond it
  EXPECT_NE(BackPixel(100, 20), fill);  // nothing of the page above its body beside the tab
}

}  // namespace
}  // namespace gadget_test
