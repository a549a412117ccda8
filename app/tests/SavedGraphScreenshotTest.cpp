// A picture of a saved graph opened again in the program's frame: saved with its graph view and
// its list view side by side, every window closed, then opened from the store by name. Runs
// only when VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "app/SavedGraphs.h"
#include "app/tests/GraphFrameFixture.h"
#include "app/tests/ScreenshotTest.h"
#include "document/ui/WindowEntryPlacement.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/VTGraphManager.h"

namespace {

using SavedGraphScreenshotTest = graph_frame_test::GraphFrameFixture<vt_test::ScreenshotTest>;

SGraphWindowEntry Entry(int kind, int left, int top, int right, int bottom) {
  vt::WindowPlacement p;
  p.normal = {left, top, right, bottom};
  return vt_ui::MakeWindowEntry(kind, p);
}

TEST_F(SavedGraphScreenshotTest, AReopenedSavedGraphInItsSavedLayout) {
  StoreRecording(graph_frame_test::TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  d->GetGroup(0)->SetName("Kiln temperatures");
  // The main window as large as the screen; the graph view top left, the list view bottom right,
  // overlapping it a little, both inside the window area.
  // (Set directly: without a window manager a maximise request is not carried out.)
  Frame().Widget()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  Settle();
  const int w = Area()->width(), h = Area()->height();
  app_->ShowDocumentWindow(d, Entry(vt_ui::kListViewKind, w * 45 / 100, h * 40 / 100, w - 4, h - 4));
  app_->ShowDocumentWindow(d, Entry(vt_ui::kGraphViewKind, 0, 0, w * 60 / 100, h * 62 / 100));
  Settle();
  ASSERT_TRUE(d->SaveGraphAs([](std::string* name) { return *name = "Kiln line 2", true; }));
  const std::vector<SGraphWindowEntry> saved = app_->GetDocumentWindowPlacements(d);
  ASSERT_EQ(saved.size(), 2u);
  {
    vt::MessageBoxCapture no(vt::kIdNo);
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(Area())) f->close();
    Settle();
  }
  ASSERT_TRUE(app_->GetGraphDocuments().empty());

  ASSERT_EQ(vt_app::OpenSavedGraphs(app_->m_graphStore, {"Kiln line 2"}), 1);
  Settle();
  ASSERT_EQ(app_->GetGraphDocuments().size(), 1u);
  CVantrelDoc* reopened = app_->GetGraphDocuments()[0];
  EXPECT_EQ(reopened->GetTitle(), "Kiln line 2");
  const std::vector<SGraphWindowEntry> placed =
      app_->GetDocumentWindowPlacements(reopened->GetGadgetDocument());
  ASSERT_EQ(placed.size(), 2u);
  for (size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(placed[i].viewKind, saved[i].viewKind) << i;
    EXPECT_EQ(vt_ui::PlacementOf(placed[i]).normal, vt_ui::PlacementOf(saved[i]).normal) << i;
  }
  vt::PumpBriefly(300);
  Settle();
  EXPECT_TRUE(SaveScreen("saved_graph_reopened.png"));
}

}  // namespace
