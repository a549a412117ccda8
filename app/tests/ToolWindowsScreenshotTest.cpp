// A picture of the main window holding a graph window over stored data, with the cursor-control
// and statistics windows open beside it, both bound to that graph window through the frame's
// Window commands and fed through the application's graph-window host. Runs only when VT_SCREENSHOT_DIR names
// the folder for the pictures (xvfb_dialogs.sh runs it under a virtual X server); skipped otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/tests/ScreenshotTest.h"
#include "document/GraphWindowHost.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/VTDataStorage.h"
#include "store/testing/StoredDataFixture.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

QWidget* WidgetOf(const vt::DialogWindow& dialog) {
  return static_cast<QWidget*>(vt::WindowNative(dialog.GetSafeHwnd()));
}

class ToolWindowsScreenshotTest : public vt_test::ScreenshotTest {};

TEST_F(ToolWindowsScreenshotTest, GraphWindowWithBothToolWindows) {
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());
  CMainFrame* frame = app->GetMainFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->GetCursorControl(), nullptr);

  // Ten minutes of two channels at one second, imported into the current storage.
  recgen::NewerFile model = store_test::RecordingFile(7, 1, 600, store_test::kBaseMs, 1000);
  model.channels[0].colour = 0x000000FF;
  model.channels[1].colour = 0x00C08000;
  model.channels[1].spanLow = -80000000, model.channels[1].spanHigh = 0;
  const std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
  const std::string staged = Path("A.DAE");
  ASSERT_TRUE(vt_test::WriteFileBytes(staged, std::string(bytes.begin(), bytes.end())));
  std::string relative;
  ASSERT_EQ(app->m_currentStorage->ImportFile(staged, &relative), STORE_OK);

  QWidget* window = frame->Widget();
  window->setGeometry(0, 30, 800, 760);
  // The graph window gets the room of the search and property panes.
  for (const char* pane : {"pane.135", "pane.136"})
    if (QWidget* w = window->findChild<QWidget*>(pane)) w->hide();
  auto* area = window->findChild<QMdiArea*>("mdiArea");
  ASSERT_NE(area, nullptr);
  vt::MdiFrameMaker maker(area);
  vt::DocTemplate graph(
      "Graph", [] { return std::make_unique<CVantrelDoc>(); },
      [] { return std::make_unique<CVantrelGraphView>(); });
  graph.SetFrameMaker(&maker);
  auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  vt::SVantrelGroupEntry e;
  const std::string guid = store_test::RecordingGuid(7).ToText();
  e.keys = {{guid, 1, -1}, {guid, 2, -1}};
  ASSERT_TRUE(d->AddGroups({e}, std::nullopt, std::nullopt));
  d->m_graphName = "Graph 1";
  d->SetCursors(store_test::MsTime(store_test::kBaseMs + 120000),
                store_test::MsTime(store_test::kBaseMs + 300000));
  if (auto* child = dynamic_cast<QMdiSubWindow*>(doc->GetViews()[0]->GetFrame())) child->showMaximized();
  vt::PumpBriefly(200);
  // Cursor A moved: the graph shows the range around it.
  d->UpdateAll(HINT_CURSOR_A, d);

  EXPECT_TRUE(frame->Router().Execute(CDlgCursorControl::kCommandId));
  EXPECT_TRUE(frame->Router().Execute(CDlgCalculate::kCommandId));
  WidgetOf(*frame->GetCursorControl())->move(810, 0);
  WidgetOf(*frame->GetStatistics())->move(810, 500 - 110);
  vt::PumpBriefly(300);
  vt::PumpBriefly(300);
  EXPECT_EQ(frame->GetStatistics()->GetRoot()->Calculate()->m_lineCount, 2);
  EXPECT_EQ(frame->GetCursorControl()->GetRoot()->Control()->m_sheet->m_lineCount, 4);
  EXPECT_TRUE(SaveScreen("tool_windows.png"));

  // The window layout counts as a change: the save question is answered No.
  vt::MessageBoxCapture boxes(vt::kIdNo);
  doc->SetModifiedFlag(false);
  for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(area)) f->close();
  QApplication::processEvents();
  app->ExitInstance();
}

}  // namespace
