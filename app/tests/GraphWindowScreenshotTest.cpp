// A picture of the program's main frame holding a graph window over stored data: the traces of
// a generated recording, the legend and the axes, in the frame between its panes. Runs only when
// VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh runs it under a virtual X
// server); skipped otherwise.
#include "GraphFrameFixture.h"
#include "app/AppMessages.h"
#include "app/tests/ScreenshotTest.h"
#include "platform/gui/MessageDelivery.h"

namespace graph_frame_test {
namespace {

class GraphWindowScreenshotTest : public GraphFrameFixture<vt_test::ScreenshotTest> {
 protected:
  // Lets the window system show and paint what changed.
  static void Show() {
    for (int i = 0; i < 5; ++i) vt::PumpBriefly(60);
  }
};

TEST_F(GraphWindowScreenshotTest, FrameWithAGraphWindow) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  // The catalogue learns of the import as it would from the worker.
  vt::PostMessage(Frame().GetSafeHwnd(), WM_VT_IMPORTED, 0, 0);
  // Without a window manager nothing maximises the frame: it takes the screen itself.
  Frame().Widget()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  Show();
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  vt::ChildFrame* frame = FrameOf(doc->GetViews()[0]);
  frame->showMaximized();
  // The whole recording, so that the traces show their course.
  CGVantrelDoc* d = doc->GetGadgetDocument();
  PreciseTime start, end;
  d->GetCurrentGroup()->GetChannel(0)->GetDataRange(&start, &end);
  d->ShowRange(start, end);
  Show();
  EXPECT_GT(CountColours(frame->GetViewWidget()->FrontImage()), 3);
  EXPECT_TRUE(SaveScreen("graph_window.png"));
}

}  // namespace
}  // namespace graph_frame_test
