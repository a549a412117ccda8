// A picture of the program's three panes filled over a data root prepared with the vtstore tool
// (two generated recordings imported into the storage "Line 1"), with a graph window open: the
// navigation tree with its instrument, the file list of all data in the Search pane, "Graph 1"
// showing the selected file and, in the property pane, the graph window's selected channel. Runs only when
// VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh runs it under a virtual X server).
#include <QProcess>
#include <QTreeWidget>

#include "GraphFrameFixture.h"
#include "app/CListDoc.h"
#include "app/CNavigationDoc.h"
#include "app/qt/CNavigationWnd.h"
#include "app/tests/ScreenshotTest.h"
#include "platform/gui/CommandRouter.h"

namespace graph_frame_test {
namespace {

int RunVtstore(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(VT_VTSTORE_PROGRAM), args);
  if (!p.waitForFinished(60000)) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class PanesScreenshotTest : public GraphFrameFixture<vt_test::ScreenshotTest> {
 protected:
  void PrepareRoot() override {
    QStringList files;
    for (uint32_t r : {1u, 2u}) {
      const std::vector<uint8_t> bytes = recgen::WriteNewerFile(TwoTraceRecording(r)).bytes;
      const std::string path = root_ + "/REC" + std::to_string(r) + ".DAE";
      ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
      files << QString::fromStdString(path);
    }
    ASSERT_EQ(RunVtstore({QStringLiteral("create"), QStringLiteral("Line 1")}), 0);
    ASSERT_EQ(RunVtstore(QStringList{QStringLiteral("import"), QStringLiteral("Line 1")} + files), 0);
  }
  static void Show() {
    for (int i = 0; i < 5; ++i) vt::PumpBriefly(60);
  }
};

TEST_F(PanesScreenshotTest, PanesFilledWithAGraphWindowOpen) {
  Frame().Widget()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  // (The pane's class has no meta-object of its own: found by name.)
  auto* navigation =
      static_cast<CNavigationWnd*>(Frame().Widget()->findChild<QWidget*>(QStringLiteral("navigationPane")));
  ASSERT_NE(navigation, nullptr);
  // All data's file list, the first file current and selected.
  QTreeWidgetItem* files = navigation->FindNode(CNavigationDoc::NODE_FILE, "");
  ASSERT_NE(files, nullptr);
  navigation->DataTree()->expandAll();
  navigation->DataTree()->setCurrentItem(files);
  Show();
  CListDoc& list = Frame().ListDoc();
  ASSERT_EQ(list.m_listKind, LIST_KIND_FILE);
  ASSERT_EQ(list.GetItemCount(), 2);
  list.m_currentItem = 0;
  list.m_selection = {0};
  list.m_selectedCount = 1;
  list.Notify(LIST_NOTIFY_CURRENT);
  ASSERT_TRUE(Frame().Router().Execute(32814));
  CVantrelDoc* doc = Frame().GetActiveGraphDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  FrameOf(doc->GetViews()[0])->showMaximized();
  Show();
  EXPECT_TRUE(SaveScreen("panes_with_graph_window.png"));
}

}  // namespace
}  // namespace graph_frame_test
