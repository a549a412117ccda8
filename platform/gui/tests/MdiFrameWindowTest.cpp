// The multi-document frame: the active child it tracks for the commands and the menu it shows,
// the one file it takes from a drop, its refusal to close while disabled; and the docking pane's
// side, content and margin.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/gui/qt/DockPane.h"
#include "platform/gui/qt/MdiFrameWindow.h"

namespace {

class RecordingFrame : public vt::MdiFrameWindow {
 public:
  std::vector<std::string> dropped;
  int closes = 0;

 protected:
  void OnDropFile(const std::string& path) override { dropped.push_back(path); }
  void OnClose() override { ++closes; }
};

// A child window whose document handles one command.
class GraphChild : public QMdiSubWindow, public vt::MdiChildRoute {
 public:
  explicit GraphChild(std::string* log, const char* name) {
    document_.On(32887, [log, name] { *log += name; });
    setWidget(new QLabel(QString::fromLatin1(name)));
    setAttribute(Qt::WA_DeleteOnClose);
  }
  vt::ChildRoute CommandRoute() const override { return {nullptr, &document_, nullptr}; }

 private:
  vt::CommandMap document_;
};

// Deletes what closed and runs what that queued.
void Settle() {
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
}

void Drop(QWidget& target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  // As a drag does it: the target is chosen on entering, then the drop goes to it.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
}

TEST(MdiFrameWindow, ActiveChildStaysWhileSomethingElseHasTheFocusAndMenusFollowIt) {
  RecordingFrame frame;
  frame.SetMenus(128, 131);
  frame.show();
  EXPECT_EQ(frame.ShownMenu(), 128);
  EXPECT_EQ(frame.menuBar()->actions().size(), 5);

  std::string log;
  auto* first = new GraphChild(&log, "a");
  auto* second = new GraphChild(&log, "b");
  frame.MdiArea()->addSubWindow(first)->show();
  frame.MdiArea()->addSubWindow(second)->show();
  frame.MdiArea()->setActiveSubWindow(first);
  EXPECT_EQ(frame.ActiveChild(), first);
  EXPECT_EQ(frame.ShownMenu(), 131);

  // A dock or tool window takes the focus: the area reports no active child, the commands still
  // go to the one the user worked in.
  emit frame.MdiArea()->subWindowActivated(nullptr);
  EXPECT_EQ(frame.ActiveChild(), first);
  EXPECT_TRUE(frame.Router().Execute(32887));
  EXPECT_EQ(log, "a");

  // The active child closes: the other one takes over; the last one closes: the frame's menu.
  QPointer<QMdiSubWindow> gone = first;
  first->close();
  Settle();
  ASSERT_TRUE(gone.isNull());
  EXPECT_EQ(frame.ActiveChild(), second);
  EXPECT_TRUE(frame.Router().Execute(32887));
  EXPECT_EQ(log, "ab");
  second->close();
  Settle();
  EXPECT_EQ(frame.ActiveChild(), nullptr);
  EXPECT_EQ(frame.ShownMenu(), 128);
  EXPECT_FALSE(frame.Router().Update(32887).Enabled());
}

TEST(MdiFrameWindow, DropTakesOnlyTheFirstLocalFileOfAtMost260Characters) {
  RecordingFrame frame;
  const std::string at260 = "/" + std::string(259, 'x');
  struct Case {
    QList<QUrl> urls;
    std::vector<std::string> taken;
  };
  const Case cases[] = {
      {{QUrl::fromLocalFile("/data/one.dae"), QUrl::fromLocalFile("/data/two.dae"),
        QUrl::fromLocalFile("/data/three.dad")},
       {"/data/one.dae"}},
      {{QUrl::fromLocalFile(QString::fromStdString(at260))}, {at260}},
      // Longer than 260: not imported at all, rather than under a cut-short name.
      {{QUrl::fromLocalFile(QString::fromStdString(at260 + "y"))}, {}},
      {{QUrl("https://example.org/a.dae"), QUrl::fromLocalFile("/data/b.dae")}, {}},
  };
  for (const Case& c : cases) {
    frame.dropped.clear();
    Drop(frame, c.urls);
    EXPECT_EQ(frame.dropped, c.taken);
  }
}

TEST(MdiFrameWindow, DisabledFrameRefusesToClose) {
  RecordingFrame frame;
  frame.show();
  frame.setEnabled(false);
  EXPECT_FALSE(frame.close());
  EXPECT_EQ(frame.closes, 0);
  EXPECT_TRUE(frame.isVisible());
  frame.setEnabled(true);
  frame.close();
  EXPECT_EQ(frame.closes, 1);
}

TEST(DockPane, TakesOnlyTheFourSidesAndKeepsItsContentOnAWhiteMargin) {
  QMainWindow frame;
  frame.setCentralWidget(new QWidget);
  auto* refused = new vt::DockPane;
  EXPECT_FALSE(refused->Create("x", &frame, 1, 0, 0x3000));
  EXPECT_EQ(frame.dockWidgetArea(refused), Qt::NoDockWidgetArea);
  delete refused;

  auto* pane = new vt::DockPane;
  ASSERT_TRUE(pane->Create("Search", &frame, 135, 0, vt::DockPane::kSideTop));
  EXPECT_EQ(frame.dockWidgetArea(pane), Qt::TopDockWidgetArea);
  EXPECT_EQ(pane->objectName(), "pane.135");
  EXPECT_FALSE(pane->features() & QDockWidget::DockWidgetClosable);

  QPointer<QWidget> first = new QLabel("first");
  pane->SetContent(first);
  auto* second = new QLabel("second");
  pane->SetContent(second);
  EXPECT_TRUE(first.isNull());  // the pane owned it and deleted it

  frame.resize(600, 400);
  frame.show();
  QApplication::processEvents();
  const QWidget* holder = second->parentWidget();
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(second->geometry(), holder->rect().adjusted(1, 1, -1, -1));
  EXPECT_EQ(holder->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_TRUE(holder->autoFillBackground());
}

}  // namespace
