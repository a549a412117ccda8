// Group boxes: content layout under the title, the frame lowered by half the title height,
// radio group boxes selected by a click anywhere, their content enabled only while selected.
#include <gtest/gtest.h>

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GGroupBox.h"
#include "gadget/GRowColumn.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/RecordingDc.h"

namespace gadget_test {
namespace {

using GroupBoxTest = WidgetEnv;

TEST_F(GroupBoxTest, ContentSitsBelowTheTitleInsideTheFrame) {
  auto* box = new CGGroupBox(root, "Range");
  EXPECT_EQ(box->Rect(), (vt::Rect{0, 5, 380, 25}));
  box->SetBounds(10, 10, 150, 80);
  auto* content = new Probe(box, "c", nullptr, {0, 0, 1, 1});
  box->Layout();
  const int t = box->TitleHeight();
  EXPECT_EQ(t, 12);
  EXPECT_EQ(content->Rect(), (vt::Rect{3, t + 3, 147, 77}));  // height 80 - t - 6
}

TEST_F(GroupBoxTest, TitleCutsTheFrameAndNoTitleLeavesItWhole) {
  for (const char* title : {"Range", ""}) {
    SCOPED_TRACE(title);
    auto* box = new CGGroupBox(root, title);
    box->SetBounds(10, 10, 150, 80);
    vt::RecordingDc dc(200, 100);
    box->Draw(&dc);
    // The etched line runs at top + 6 (half the title height); a title fills a box over it.
    bool cut = false;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::FillRect))
      cut |= r.rect.top == 10 && r.rect.bottom == 22 && r.rect.left == 16;
    EXPECT_EQ(cut, *title != 0);
    EXPECT_EQ(dc.RecordsOf(vt::DcOp::TextOut).size(), *title ? 1u : 0u);
    bool lowered = false;
    for (const vt::DcRecord& r : dc.Records())
      if (r.op == vt::DcOp::LineTo || r.op == vt::DcOp::Polyline)
        for (const vt::Point& p : r.points) lowered |= p.y == 16;
    EXPECT_TRUE(lowered);
    delete box;
  }
}

class RadioGroupBoxTest : public WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    box = new CGSkRadioBox(root, 0, 0, 0, GSTYLE_ACTIVE, 200, 100, kRowColumnTopDown);
    box->flags = kRowColumnEqualSizes;
    AddLogEvent(box, GEVENT_CHANGED, &log);
    plain = new CGRadioButton(box, 0, 0, 200);
    choice = new CGSkRadioGroupBox(box, "Set DST.");
    content = new Probe(choice, "content", &log, {0, 0, 1, 1});
    box->SetValue(0);
    root->LayoutTree();
    Repaint();
    log.clear();
  }
  CGSkRadioBox* box = nullptr;
  CGRadioButton* plain = nullptr;
  CGSkRadioGroupBox* choice = nullptr;
  Probe* content = nullptr;
};

TEST_F(RadioGroupBoxTest, ClickOnTheContentSelectsTheChoiceBeforeThePressReachesIt) {
  EXPECT_EQ(content->GetStyle(), GSTYLE_VISIBLE);
  vt::Rect c;
  content->GetAbsoluteRect(&c);
  Down(c.left + 2, c.top + 2);
  int selection = -1;
  box->GetValue(&selection);
  EXPECT_EQ(selection, 1);
  EXPECT_EQ(content->GetStyle(), GSTYLE_ACTIVE);
  const auto event = std::find(log.begin(), log.end(), "event 1");
  const auto press = std::find_if(log.begin(), log.end(),
                                  [](const std::string& l) { return l.rfind("content down", 0) == 0; });
  ASSERT_NE(event, log.end());
  ASSERT_NE(press, log.end());
  EXPECT_LT(event - log.begin(), press - log.begin());
  Up(c.left + 2, c.top + 2);
  // A click on the selected choice only reaches the content.
  log.clear();
  Down(c.left + 2, c.top + 2);
  Up(c.left + 2, c.top + 2);
  for (const std::string& line : log) EXPECT_NE(line, "event 1");
  // The plain radio button takes the selection back and disables the content.
  const vt::Rect p = plain->Rect();
  Down(p.left + 5, p.top + 5);
  Up(p.left + 5, p.top + 5);
  EXPECT_EQ(content->GetStyle(), GSTYLE_VISIBLE);
}

TEST_F(RadioGroupBoxTest, TheMarkShowsTheSelectedCellAndAChoiceOutsideARadioBoxDoesNothing) {
  choice->OnClick();
  Repaint();
  // The mark lies left in the title row: at x = t/2 + 3 within the frame, centred on its top line.
  vt::Rect r;
  choice->GetAbsoluteRect(&r);
  const int t = choice->TitleHeight();
  const int mx = r.left + t / 2 + 3 + 7, my = std::max(r.top + t / 2 - 7, r.top) + 7;
  EXPECT_EQ(BackPixel(mx, my), CellColour(kSkinRadioStrip, 1, 14, 14));
  auto* loose = new CGSkRadioGroupBox(root, "Loose");
  auto* inner = new Probe(loose, "inner", nullptr, {0, 0, 1, 1});
  loose->SetValue(0);
  loose->OnClick();
  int v = -1;
  loose->GetValue(&v);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(inner->GetStyle(), GSTYLE_VISIBLE);
}

}  // namespace
}  // namespace gadget_test
