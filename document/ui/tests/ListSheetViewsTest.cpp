// The list and sheet views over stored data in a window of their own: the list's tabs follow the
// document (a mark added in the graph shows in the mark list, the rows between the cursors are
// selected, a click on rows moves the cursors, header clicks sort both ways, a name-kind change
// renames the channel column, the stretching columns take the width), and the sheet shows the
// group's channels beside the time column, follows and scrolls to the cursors, and gives a row
// selection and the padding command back to the document.
#include <gtest/gtest.h>

#include <optional>

#include "document/testing/DocumentFixture.h"
#undef slots
#include <QMdiArea>
#include <QTest>

#include "document/testing/DocumentItems.h"
#include "document/ui/AlarmList.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/MarkList.h"
#include "gadget/GPageController.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GList.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/qt/ChildFrame.h"
#include "trend/NgHooks.h"
#include "trend/NgSheet.h"
#include "trend/testing/NgSheetArt.h"

namespace document_test {
namespace {

class ListSheetViewsTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    if (!g_rootMaster) {
      auto* master = new CGRootMaster;
      master->CreateManagers();
      RegisterSkinArt();
      static const SGSkinDescriptor skin = BuiltinSkinDescriptor();
      SetGadgetSkin(&skin);
    }
    vt_test::RegisterNgSheetArt();
    area.resize(1100, 700);
    area.show();
    graph.SetFrameMaker(&maker);
    list.SetFrameMaker(&maker);
    sheet.SetFrameMaker(&maker);
  }
  void TearDown() override {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    DocumentTest::TearDown();
  }

  // A recording of 600 samples a second apart, its two channels in group 0, no view yet shown
  // but the graph's.
  CVantrelDoc* OpenRow() {
    Store(RecordingFile(1, 1, 600, kBaseMs, 1000), "A.DAE");
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    if (!doc) return nullptr;
    vt::SVantrelGroupEntry e;
    e.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->SetModifiedFlag(false);
    return doc;
  }
  template <typename View>
  View* Show(vt::DocTemplate& t, CVantrelDoc* doc, int width, int height) {
    vt::View* view = t.CreateFrame(doc);
    auto* frame = view ? dynamic_cast<vt::ChildFrame*>(view->GetFrame()) : nullptr;
    if (!frame) return nullptr;
    frame->resize(width, height);
    QApplication::processEvents();
    return dynamic_cast<View*>(view);
  }
  static QWidget* WidgetOf(vt::View* v) {
    return dynamic_cast<vt::ChildFrame*>(v->GetFrame())->GetViewWidget();
  }

  QMdiArea area;
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
  vt::DocTemplate sheet{"Graph", nullptr, [] { return std::make_unique<CVantrelSheetView>(); }};
};

TickTime At(int64_t second) { return MsTime(kBaseMs + second * 1000); }

SNgMarkData UserMark(int64_t second, const char* title) {
  SNgMarkData r;
  r.time = PreciseTime{(kBaseMs / 1000) + second, 0.0};
  r.groupMask = 1;
  std::snprintf(r.note.title, sizeof r.note.title, "%s", title);
  return r;
}

// The centre of a list row in the view window.
QPoint RowPoint(CGListScreen* screen, int row) {
  vt::Rect r;
  screen->GetRowRect(row, &r);
  return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST_F(ListSheetViewsTest, TheListTabsFollowTheDocument) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  auto* view = Show<CVantrelListView>(list, doc, 1000, 500);
  ASSERT_NE(view, nullptr);
  CGVantrelListRoot* root = view->GetListRoot();
  ASSERT_NE(root, nullptr);
  CGSkPageController* tabs = root->GetPageController();
  EXPECT_EQ(tabs->PageAt(0)->m_title, "Alarm list");
  EXPECT_EQ(tabs->PageAt(1)->m_title, "Mark list");
  CGVTListScreenMark* marks = root->GetMarkScreen();
  const int before = marks->GetRowCount();

  // Marks added in the graph appear in the mark list.
  for (int i = 0; i < 5; ++i) d->AppendMark(UserMark(100 + 50 * i, "m"));
  EXPECT_EQ(marks->GetRowCount(), before + 5);

  // The rows between the cursors are selected, in both pages.
  d->SetCursors(At(140), At(260));
  d->UpdateAll(HINT_CURSORS, d);
  std::vector<bool> selected;
  for (int row = 0; row < marks->GetRowCount(); ++row) selected.push_back(marks->IsRowSelected(row));
  EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 3);  // 150, 200, 250

  // A press on one mark row and a Shift-press on another move the cursors to their times.
  tabs->SetValue(1);
  root->LayoutTree();
  root->Redraw();
  QWidget* w = WidgetOf(view);
  doc->SetModifiedFlag(false);
  QTest::mouseClick(w, Qt::LeftButton, {}, RowPoint(marks, before + 0));
  QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, RowPoint(marks, before + 1));
  QApplication::processEvents();
  EXPECT_EQ(d->GetCursorATime(), At(100));
  EXPECT_EQ(d->GetCursorBTime(), At(150));
  EXPECT_TRUE(doc->IsModified());

  // The same rows again change nothing.
  doc->SetModifiedFlag(false);
  CGVantrelListRoot::OnSelectionChanged(marks, GEVENT_CHANGED, nullptr);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(ListSheetViewsTest, HeaderClicksSortBothWaysAndColumnsStretch) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  for (const char* t : {"b", "c", "a"}) d->AppendMark(UserMark(300, t));
  auto* view = Show<CVantrelListView>(list, doc, 1000, 500);
  ASSERT_NE(view, nullptr);
  CGVantrelListRoot* root = view->GetListRoot();
  auto titles = [&] {
    std::string s;
    CGVantrelMarkDataManager* m = d->GetMarkDataManager();
    for (CGCore* c = m->GetFirstChild(); c; c = m->NextChild(c))
      s += static_cast<CGVantrelMarkData*>(c)->GetTitle();
    return s;
  };
  // Title: ascending, descending, ascending; another column between keeps its own turn.
  root->SortByColumn(CGVantrelListRoot::kMarkPage, 2);
  EXPECT_EQ(titles(), "abc");
  root->SortByColumn(CGVantrelListRoot::kMarkPage, 2);
  EXPECT_EQ(titles(), "cba");
  root->SortByColumn(CGVantrelListRoot::kMarkPage, 1);
  root->SortByColumn(CGVantrelListRoot::kMarkPage, 2);
  EXPECT_EQ(titles(), "abc");
  EXPECT_EQ(root->GetMarkScreen()->m_firstLine, -1);

  // The stretching columns take what the fixed ones leave; never less than their least width.
  struct Case {
    int width;
  };
  for (const Case c : {Case{1000}, Case{400}}) {
    SCOPED_TRACE(c.width);
    dynamic_cast<vt::ChildFrame*>(view->GetFrame())->resize(c.width, 500);
    QApplication::processEvents();
    const int body = root->GetList(0)->m_body->Rect().Width();
    const int channel = root->GetAlarmScreen()->m_channelWidth;
    EXPECT_EQ(channel, std::max(203, body - 464));
    auto* button = static_cast<CGPrimitive*>(root->FindById(CGVantrelListRoot::kAlarmChannelButtonId));
    EXPECT_EQ(button->Rect().Width(), channel);
    EXPECT_EQ(root->GetMarkScreen()->m_commentWidth,
              std::max(259, root->GetList(1)->m_body->Rect().Width() - 714));
  }

  // A name-kind change renames the channel column at once.
  std::string caption;
  auto* channel = static_cast<CGPrimitive*>(root->FindById(CGVantrelListRoot::kAlarmChannelButtonId));
  channel->GetText(&caption);
  EXPECT_EQ(caption, "Channel number");
  d->SetTagMode(1);
  channel->GetText(&caption);
  EXPECT_EQ(caption, "Tag name");
}

TEST_F(ListSheetViewsTest, TheSheetShowsTheGroupAndFollowsTheCursors) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  auto* view = Show<CVantrelSheetView>(sheet, doc, 900, 500);
  ASSERT_NE(view, nullptr);
  CGVantrelSheetRoot* root = view->GetSheetRoot();
  CGNgSDigital* s = root->FindSheet();
  ASSERT_NE(s, nullptr);
  CGVantrelGroupData* g = d->GetCurrentGroup();
  // The group's channels beside the time column, a line per row of the group.
  EXPECT_EQ(s->GetParent(), root->GetPageController()->PageAt(0));
  EXPECT_NE(s->TimeLine(), nullptr);
  EXPECT_EQ(s->m_screen->CountChildren(), 2);
  EXPECT_EQ(s->m_timeSource, &g->GetRowTime());
  EXPECT_EQ(s->m_lineCount, 600);

  // Cursor B late in the data: the rows between the cursors selected, B's row scrolled to.
  d->SetCursors(At(100), At(500));
  d->UpdateAll(HINT_CURSOR_B, d);
  EXPECT_EQ(s->m_selectionFirst, 100);
  EXPECT_EQ(s->m_selectionLast, 500);
  const int top = s->m_body->m_scrollY / 18, bottom = (s->m_body->m_scrollY + s->m_body->ViewHeight()) / 18;
  EXPECT_LE(top, 500);
  EXPECT_GE(bottom, 500);
  // Hint 8 scrolls to cursor A's row instead.
  d->UpdateAll(HINT_CURSOR_A, d);
  EXPECT_LE(s->m_body->m_scrollY / 18, 100);
  EXPECT_GE((s->m_body->m_scrollY + s->m_body->ViewHeight()) / 18, 100);

  // Rows selected in the sheet become the cursors; the same rows again are no change.
  doc->SetModifiedFlag(false);
  s->SetSelection(10, 20);
  NgSheetRowSelectHook(s, 0, 0);
  EXPECT_EQ(d->GetCursorATime(), At(10));
  EXPECT_EQ(d->GetCursorBTime(), At(20));
  EXPECT_TRUE(doc->IsModified());
  doc->SetModifiedFlag(false);
  NgSheetRowSelectHook(s, 0, 0);
  EXPECT_FALSE(doc->IsModified());

  // A column title click selects the channel in the document.
  s->SelectColumn(1);
  NgSheetColumnSelectHook(s, 0, 0);
  EXPECT_EQ(g->GetSelectedChannelIndex(), 1);

  // The padding commands.
  vt::CommandStatus status;
  ASSERT_TRUE(view->OnCommand(vt_ui::ID_NOT_PADDING));
  EXPECT_EQ(d->m_sheetPadding, 0);
  ASSERT_TRUE(view->OnUpdateCommand(vt_ui::ID_NOT_PADDING, status));
  EXPECT_TRUE(status.checked);
  ASSERT_TRUE(view->OnCommand(vt_ui::ID_PADDING));
  EXPECT_EQ(d->m_sheetPadding, 1);

  // Append Group: an empty group's page shows and the sheet leaves the tab row's current page.
  ASSERT_TRUE(view->OnCommand(vt_ui::ID_APPEND_GROUP));
  EXPECT_EQ(d->GetCurrentGroupIndex(), 1);
  int current = -1;
  root->GetPageController()->GetValue(&current);
  EXPECT_EQ(current, 1);
  EXPECT_TRUE(root->GetPageController()->PageAt(1)->HasEffectiveStyle(GSTYLE_ACTIVE));
}

}  // namespace
}  // namespace document_test
