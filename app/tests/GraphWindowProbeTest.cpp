// Graph windows handled the way a hurried user handles them: many windows opened and closed in
// quick succession, more groups than a window holds, recordings of a single record or with a
// time change, the shown file moved to the deleted data and back, and the program ended while a
// window still has unsaved changes.
#include <QMdiSubWindow>

#include "GraphFrameFixture.h"
#include "app/CListDoc.h"
#include "app/SavedGraphs.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CListWnd.h"
#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/TrendConversionCommand.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/qt/ReportView.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/VTGraphDataStorage.h"
#include "store/VTGraphManager.h"

namespace graph_frame_test {
namespace {

class GraphWindowProbeTest : public GraphFrameFixture<> {
 protected:
  bool Run(int id) { return Frame().Router().Execute(id); }
  // Shows the list kind in the report list with every row selected.
  CListDoc& SelectAll(int kind) {
    CListDoc& list = Frame().ListDoc();
    auto* pane = static_cast<CListWnd*>(Frame().Widget()->findChild<QWidget*>(QStringLiteral("searchPane")));
    CListReportWnd* report = pane->Report();
    list.m_listKind = kind;
    report->FillList(true);
    report->View()->selectAll();
    list.m_selectedCount = report->View()->SelectedCount();
    return list;
  }
  // A window sized and painted; its picture.
  QImage Paint(CVantrelDoc* doc) {
    vt::ChildFrame* frame = FrameOf(doc->GetViews()[0]);
    frame->resize(700, 480);
    Settle();
    return frame->GetViewWidget()->FrontImage();
  }
};

TEST_F(GraphWindowProbeTest, ManyWindowsOpenedAndClosedInQuickSuccession) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  vt::MessageBoxCapture boxes(vt::kIdNo);
  for (int i = 0; i < 25; ++i) {
    CVantrelDoc* doc = OpenGraph();
    ASSERT_NE(doc, nullptr);
    FrameOf(doc->GetViews()[0])->close();
  }
  Settle();
  EXPECT_TRUE(app_->GetGraphDocuments().empty());
  for (int i = 0; i < 25; ++i) ASSERT_NE(OpenGraph(), nullptr);
  for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(Area())) f->close();
  Settle();
  EXPECT_TRUE(app_->GetGraphDocuments().empty());
  EXPECT_EQ(Frame().GetActiveGraphDocument(), nullptr);
  // A window never saved asks at its close, once.
  EXPECT_EQ(boxes.Boxes().size(), 50u);
}

TEST_F(GraphWindowProbeTest, MoreGroupsThanAWindowHolds) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  vt::SVantrelGroupEntry e;
  e.keys.push_back({store_test::RecordingGuid(1).ToText(), 1, -1});
  vt::MessageBoxCapture boxes(vt::kIdOk);
  ASSERT_TRUE(d->AddGroups(std::vector<vt::SVantrelGroupEntry>(60, e), std::nullopt, std::nullopt));
  EXPECT_EQ(d->CountGroupsWithData(), GROUP_COUNT);
  Paint(doc);
  // Full: cancelling the question changes nothing, the cursors included.
  boxes.Clear();
  boxes.QueueAnswers({vt::kIdCancel});
  doc->SetModifiedFlag(false);
  EXPECT_FALSE(d->AddGroups({e}, store_test::MsTime(store_test::kBaseMs + 5000), std::nullopt));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_FALSE(d->HasCursor());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(d->CountGroupsWithData(), GROUP_COUNT);
}

TEST_F(GraphWindowProbeTest, OneRecordAndTimeChangeRecordingsPaint) {
  StoreRecording(TwoTraceRecording(1, 1), "ONE.DAE");
  recgen::NewerFile changed = recgen::TimeChangeNewerFile(false);
  changed.guidData1 = 2;
  StoreRecording(changed, "TC.DAE");
  for (uint32_t r : {1u, 2u}) {
    SCOPED_TRACE(r);
    vt::MessageBoxCapture boxes(vt::kIdOk);
    CVantrelDoc* doc = OpenGraph(r, {1});
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(Paint(doc).isNull());
    for (int id :
         {vt_ui::ID_ZOOM_IN, vt_ui::ID_ZOOM_IN, vt_ui::ID_ZOOM_OUT, vt_ui::ID_DATA_RIGHT_A,
          vt_ui::ID_DATA_LEFT_A, vt_ui::ID_DATA_LEFT_A, vt_ui::ID_DATA_RIGHT_B, vt_ui::ID_DATA_RIGHT_B})
      Run(id);
    Settle();
  }
}

TEST_F(GraphWindowProbeTest, TheShownFileMovedToTheDeletedDataAndBack) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  Paint(doc);
  vt::MessageBoxCapture boxes(vt::kIdOk);
  CListDoc& files = SelectAll(LIST_KIND_FILE);
  ASSERT_EQ(files.GetItemCount(), 1);
  files.MoveSelectionToTrash();
  Settle();
  EXPECT_EQ(SelectAll(LIST_KIND_FILE).GetItemCount(), 0);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  for (int id : {vt_ui::ID_ZOOM_IN, vt_ui::ID_ZOOM_OUT, vt_ui::ID_DATA_RIGHT_A, vt_ui::ID_DATA_LEFT_B})
    Run(id);
  EXPECT_FALSE(Paint(doc).isNull());
  d->PreparePrint();
  d->CountPrintPages();
  CListDoc& trash = SelectAll(LIST_KIND_TRASH);
  ASSERT_EQ(trash.GetItemCount(), 1);
  trash.RestoreTrashSelection();
  Settle();
  EXPECT_EQ(SelectAll(LIST_KIND_FILE).GetItemCount(), 1);
  EXPECT_FALSE(Paint(doc).isNull());
}

TEST_F(GraphWindowProbeTest, AWindowClosedWhileItsConversionRuns) {
  StoreRecording(TwoTraceRecording(1, 20000), "A.DAE");
  app_->SetConversionFolder(root_ + "/out");
  for (bool exit : {false, true}) {
    SCOPED_TRACE(exit);
    CVantrelDoc* doc = OpenGraph();
    ASSERT_NE(doc, nullptr);
    vt::MessageBoxCapture boxes(vt::kIdNo);
    vt::OnNextDialog(CDlgDataConvert::kTemplateId,
                     [](vt::DialogWindow& d) { static_cast<CDlgDataConvert&>(d).Accept(); });
    ASSERT_TRUE(vt::RunTrendConversionCommand(*doc->GetGadgetDocument(), vt::kCommandConvertTrendText));
    if (exit) {
      app_->ExitInstance();
      app_.reset();
      return;
    }
    FrameOf(doc->GetViews()[0])->close();
    Settle();
    vt::PumpBriefly(500);
    EXPECT_TRUE(app_->GetGraphDocuments().empty());
  }
}

TEST_F(GraphWindowProbeTest, SavedGraphNamesAndAGraphWhoseFileIsGone) {
  const std::string stored = StoreRecording(TwoTraceRecording(), "A.DAE");
  const std::string names[] = {std::string(32, 'N'), "Oven \"2\" 'east'", "a,b;c%d_e"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    CVantrelDoc* doc = OpenGraph();
    ASSERT_NE(doc, nullptr);
    int asked = 0;
    ASSERT_TRUE(doc->GetGadgetDocument()->SaveGraphAs([&](std::string* n) {
      *n = name;
      return ++asked == 1;
    }));
    EXPECT_EQ(doc->GetTitle(), name);
    ASSERT_GE(app_->m_graphManager->GetGraphStorage()->FindGraphId(name), 0);
    ASSERT_EQ(vt_app::OpenSavedGraphs(app_->m_graphManager->GetGraphStorage(), {name}), 1);
    EXPECT_EQ(Frame().GetActiveGraphDocument()->GetTitle(), name);
    EXPECT_EQ(Frame().GetActiveGraphDocument()->GetGadgetDocument()->CountGroupsWithData(), 1);
  }
  // The recording deleted for good behind the saved graphs: they open without its data.
  vt::MessageBoxCapture boxes(vt::kIdNo);
  for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(Area())) f->close();
  Settle();
  CVTDataStorage* storage = app_->m_currentStorage;
  ASSERT_EQ(storage->PurgeFile(stored), STORE_OK);
  vt_app::OpenSavedGraphs(app_->m_graphManager->GetGraphStorage(), {names[0]});
  Settle();
  if (CVantrelDoc* doc = Frame().GetActiveGraphDocument()) {
    EXPECT_EQ(doc->GetGadgetDocument()->CountGroupsWithData(), 0);
    EXPECT_FALSE(Paint(doc).isNull());
    for (int id : {vt_ui::ID_ZOOM_IN, vt_ui::ID_DATA_RIGHT_A}) Run(id);
  }
}

TEST_F(GraphWindowProbeTest, ExitWhileAWindowIsModified) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  doc->SetModifiedFlag(true);
  vt::MessageBoxCapture boxes(vt::kIdCancel);
  app_->ExitInstance();
  app_.reset();
}

}  // namespace
}  // namespace graph_frame_test
