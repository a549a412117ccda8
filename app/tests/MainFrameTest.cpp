// The main window with an application object that never started: the import result messages,
// the commands the frame decides on, dropped files, closing, the workspace kept over a restart,
// the restart of automatic import and the join of a finished conversion.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/AppMessages.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "platform/gui/Application.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/MessageBoxProvider.h"
#include "platform/gui/Profile.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/qt/MdiFrameWindow.h"
#include "store/CVTImportManager.h"
#include "testing/TempFolder.h"

namespace {

// A worker whose run lasts until it is released.
class HeldWorker : public CVTImportManager {
 public:
  ~HeldWorker() override {
    release = true;
    Stop();
  }
  std::atomic<bool> release{false};
  std::atomic<int> runs{0};

 protected:
  bool Begin() override {
    ++runs;
    return true;
  }
  bool Step() override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return !release;
  }
};

// The application as far as the frame needs it; a file-open import is only noted.
class FakeApp : public CVantrelApp {
 public:
  FakeApp() : CVantrelApp(Factory()) { m_profile = std::make_unique<vt::Profile>(); }
  void OpenDocumentFile(const std::string& path) override { opened.push_back(path); }
  HeldWorker& Worker() { return static_cast<HeldWorker&>(*m_importManager); }
  std::vector<std::string> opened;

 private:
  static vt::AppFactory Factory() {
    vt::AppFactory f = vt::AppFactory::Standard();
    f.importManager = [] { return std::make_unique<HeldWorker>(); };
    return f;
  }
};

// Message boxes as the user meets them: the box's own loop keeps handling what arrives while it
// is up. Each box notes its message number and whether the program was busy meanwhile.
class ModalBoxes : public vt::MessageBoxProvider {
 public:
  struct Box {
    int number;
    bool busy;
  };
  explicit ModalBoxes(const CVantrelApp& app) : app_(app) { previous_ = vt::SetMessageBoxProvider(this); }
  ~ModalBoxes() override { vt::SetMessageBoxProvider(previous_); }
  int Show(const vt::MessageBoxRequest& request) override {
    // "W10102\n...": a letter, the number, a line break.
    boxes.push_back({std::stoi(request.text.substr(1, request.text.find('\n') - 1)), app_.m_busy.load()});
    vt::PumpBriefly(30);
    vt::PumpBriefly(30);
    return vt::kIdOk;
  }
  std::vector<int> Numbers() const {
    std::vector<int> numbers;
    for (const Box& b : boxes) numbers.push_back(b.number);
    return numbers;
  }
  std::vector<Box> boxes;

 private:
  const CVantrelApp& app_;
  vt::MessageBoxProvider* previous_;
};

// A graph window whose document handles the window commands.
class GraphChild : public QMdiSubWindow, public vt::MdiChildRoute {
 public:
  explicit GraphChild(std::vector<int>* ran) {
    for (int id : {32887, 32946, 32871, 32914, 32915}) document_.On(id, [ran, id] { ran->push_back(id); });
    setWidget(new QLabel("graph"));
  }
  vt::ChildRoute CommandRoute() const override { return {nullptr, &document_, nullptr}; }

 private:
  vt::CommandMap document_;
};

class MainFrameTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    Start();
  }
  void TearDown() override {
    Stop();
    TempRootTest::TearDown();
  }
  void Start() {
    app_ = std::make_unique<FakeApp>();
    frame_ = std::make_unique<CMainFrame>(*app_, [this] { ++closes_; });
    ASSERT_TRUE(frame_->Create("Vantrel"));
    // As start-up does: the application posts to the loop's main window.
    vt::Application::Current()->SetMainWindow(frame_->GetSafeHwnd());
    frame_->ShowWindow();
  }
  // Saves as the program's exit does: the frame, then the profile.
  void Stop() {
    if (vt::Application* loop = vt::Application::Current()) loop->SetMainWindow(0);
    frame_.reset();
    if (app_ && app_->m_profile) app_->m_profile->Sync();
    app_.reset();
  }
  QMainWindow& Window() { return *static_cast<QMainWindow*>(frame_->Widget()); }
  template <typename T>
  T* Find(const char* name) {
    return Window().findChild<T*>(QString::fromLatin1(name));
  }
  void Post(uint32_t message, vt::WParam w = 0, vt::LParam l = 0) {
    ASSERT_TRUE(vt::PostMessage(frame_->GetSafeHwnd(), message, w, l));
  }
  void Settle() {
    for (int i = 0; i < 3; ++i) vt::PumpBriefly(10);
  }
  vt::CmdUI State(int id) { return frame_->Router().Update(id); }

  std::unique_ptr<FakeApp> app_;
  std::unique_ptr<CMainFrame> frame_;
  int closes_ = 0;
};

TEST_F(MainFrameTest, ImportResultShowsItsMessageByResultAndMode) {
  ModalBoxes boxes(*app_);
  struct Case {
    int result;
    int mode;
    std::vector<int> shown;
    bool busyWhileShown;
  };
  const Case cases[] = {
      {0, 2, {}, false},       {28, 2, {}, false},     {29, 2, {}, false},      {4, 0, {10215}, true},
      {4, 2, {10215}, true},   {24, 1, {10101}, true}, {25, 0, {10102}, false}, {25, 2, {10102}, false},
      {33, 2, {10202}, false}, {33, 1, {}, false},     {33, 0, {}, false},      {1, 2, {10202}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.result << " mode " << c.mode);
    boxes.boxes.clear();
    Post(WM_VT_IMPORTRESULT, vt::WParam(c.result), vt::LParam(c.mode));
    Settle();
    EXPECT_EQ(boxes.Numbers(), c.shown);
    for (const ModalBoxes::Box& b : boxes.boxes) EXPECT_EQ(b.busy, c.busyWhileShown);
    EXPECT_FALSE(app_->m_busy);
  }
  // A busy operation that was already running keeps its flag after the box.
  app_->m_busy = true;
  Post(WM_VT_IMPORTRESULT, 4, 0);
  Settle();
  EXPECT_TRUE(app_->m_busy);
}

TEST_F(MainFrameTest, InstrumentLimitMessageIsNotStacked) {
  ModalBoxes boxes(*app_);
  // Three runs end at the limit while the first box is up: the automatic one shows nothing more,
  // the file-open one says its file could not be opened.
  Post(WM_VT_IMPORTRESULT, 25, 0);
  Post(WM_VT_IMPORTRESULT, 25, 0);
  Post(WM_VT_IMPORTRESULT, 25, 2);
  Settle();
  EXPECT_EQ(boxes.Numbers(), (std::vector<int>{10102, 10202}));
  EXPECT_FALSE(frame_->IsLimitMessageShown());
  // Once it is gone, the next run at the limit shows it again.
  Post(WM_VT_IMPORTRESULT, 25, 0);
  Settle();
  EXPECT_EQ(boxes.Numbers(), (std::vector<int>{10102, 10202, 10102}));
}

TEST_F(MainFrameTest, WindowCommandsNeedAnActiveGraphDocument) {
  const std::vector<int> windowCommands = {32887, 32946, 32871, 32914, 32915};
  for (int id : windowCommands) EXPECT_FALSE(State(id).Enabled()) << id;
  // The catalogue's commands wait for their owners: disabled, and choosing them does nothing.
  for (int id : {32814, 32827, 32818, 32789, 32825, 32809, 32811, 32804, 32965, 32966, 32828, 32829}) {
    EXPECT_FALSE(State(id).Enabled()) << id;
    EXPECT_FALSE(frame_->Router().Execute(id)) << id;
  }
  // Copying a property is the property pane's, which is always there.
  EXPECT_TRUE(State(32983).Enabled());

  std::vector<int> ran;
  auto* child = new GraphChild(&ran);
  Find<QMdiArea>("mdiArea")->addSubWindow(child)->show();
  Find<QMdiArea>("mdiArea")->setActiveSubWindow(child);
  for (int id : windowCommands) {
    EXPECT_TRUE(State(id).Enabled()) << id;
    EXPECT_TRUE(frame_->Router().Execute(id)) << id;
  }
  EXPECT_EQ(ran, windowCommands);
  EXPECT_EQ(Find<QAction>("cmd.32887")->isEnabled(), true);  // the menu follows the activation
}

TEST_F(MainFrameTest, ToolbarCommandsShowHideAndCheck) {
  for (auto [id, name] : {std::pair{59392, "toolbar.129"}, std::pair{32925, "toolbar.130"}}) {
    QToolBar* bar = Find<QToolBar>(name);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(State(id).Enabled());
    EXPECT_TRUE(State(id).Checked());
    Find<QAction>(("cmd." + std::to_string(id)).c_str())->trigger();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(State(id).Checked());
    EXPECT_FALSE(Find<QAction>(("cmd." + std::to_string(id)).c_str())->isChecked());
  }
}

TEST_F(MainFrameTest, MenuOpeningLeavesTheReportListFocusAlone) {
  struct Step {
    bool focused;
    bool byPopup;
    bool after;
  };
  // Gained; a context menu opens (and closes, giving the focus back); lost to another window.
  const Step steps[] = {{true, false, true},
                        {false, true, true},
                        {true, true, true},
                        {false, false, false},
                        {true, true, false}};
  for (const Step& s : steps) {
    frame_->SetReportListFocused(s.focused, s.byPopup);
    EXPECT_EQ(frame_->IsReportListFocused(), s.after);
  }
}

TEST_F(MainFrameTest, DroppedFilesImportOnlyTheFirst) {
  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile("/in/a.dae"), QUrl::fromLocalFile("/in/b.dae"), QUrl::fromLocalFile("/in/c.dds")});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Window(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Window(), &drop);
  EXPECT_EQ(app_->opened, std::vector<std::string>{"/in/a.dae"});
}

TEST_F(MainFrameTest, EveryWindowShowsTheProgramsIcon) {
  // Child windows and dialogs take the application's icon; without one Qt shows its own logo.
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_EQ(Window().windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

TEST_F(MainFrameTest, DisabledFrameRefusesToClose) {
  Window().setEnabled(false);
  Window().close();
  EXPECT_EQ(closes_, 0);
  EXPECT_TRUE(frame_->IsWindowVisible());
  Window().setEnabled(true);
  Window().close();
  EXPECT_EQ(closes_, 1);
}

TEST_F(MainFrameTest, WorkspaceReportColumnsAndThemeSurviveARestart) {
  EXPECT_EQ(app_->m_appLook, 217);
  // The report list keeps its columns in the same profile.
  app_->m_profile->WriteInt("ReportColumn/5", "Show_03", 0);
  app_->m_profile->WriteInt("ReportColumn/5", "Order_03", 7);
  app_->m_profile->WriteInt("ReportColumn/5", "Width_03", 55);
  frame_->OnApplicationLook(215);
  // The user hides the search bar and docks the Properties pane at the bottom.
  Find<QAction>("cmd.32925")->trigger();
  Window().addDockWidget(Qt::BottomDockWidgetArea, Find<QDockWidget>("pane.136"));
  Stop();

  Start();
  EXPECT_TRUE(Find<QToolBar>("toolbar.130")->isHidden());
  EXPECT_FALSE(Find<QToolBar>("toolbar.129")->isHidden());
  EXPECT_EQ(Window().dockWidgetArea(Find<QDockWidget>("pane.136")), Qt::BottomDockWidgetArea);
  EXPECT_EQ(Window().dockWidgetArea(Find<QDockWidget>("pane.134")), Qt::LeftDockWidgetArea);
  EXPECT_EQ(Window().dockWidgetArea(Find<QDockWidget>("pane.135")), Qt::TopDockWidgetArea);
  EXPECT_EQ(app_->m_profile->GetInt("ReportColumn/5", "Show_03", 1), 0);
  EXPECT_EQ(app_->m_profile->GetInt("ReportColumn/5", "Order_03", 3), 7);
  EXPECT_EQ(app_->m_profile->GetInt("ReportColumn/5", "Width_03", 100), 55);
  EXPECT_EQ(app_->m_appLook, 215);
}

TEST_F(MainFrameTest, RestartWaitsForTheRunningImportThenRunsAnAutomaticOne) {
  app_->m_settings->SetDefaults(root_);
  app_->m_settings->m_folderTable[0] = {true, false, root_ + "/in", 0};
  ASSERT_TRUE(app_->m_settings->IsAutoImportConfigured());
  HeldWorker& worker = app_->Worker();
  worker.SetMode(IMPORT_MODE_MANUAL);
  ASSERT_TRUE(worker.Start());
  ASSERT_TRUE(vt::PumpUntil([&] { return worker.runs == 1; }, 5000));

  Post(WM_VT_RESTARTIMPORT);
  vt::PumpBriefly(150);  // the manual run goes on; nothing else starts meanwhile
  EXPECT_EQ(worker.runs, 1);
  EXPECT_EQ(worker.GetMode(), IMPORT_MODE_MANUAL);
  QWidget* indicator = Find<QWidget>("importIndicator");
  ASSERT_NE(indicator, nullptr);
  EXPECT_FALSE(indicator->isVisible());

  worker.release = true;
  ASSERT_TRUE(vt::PumpUntil([&] { return worker.runs == 2; }, 5000));
  EXPECT_EQ(worker.GetMode(), IMPORT_MODE_AUTOMATIC);
  ASSERT_TRUE(vt::PumpUntil([&] { return indicator->isVisible(); }, 5000));

  // Shown twice: one animation; hidden: stopped.
  Post(WM_VT_SHOWIMPORTBAR);
  Settle();
  EXPECT_TRUE(indicator->isVisible());
  Post(WM_VT_HIDEIMPORTBAR);
  Settle();
  EXPECT_FALSE(indicator->isVisible());
}

TEST_F(MainFrameTest, ConversionDoneJoinsTheDocumentItNames) {
  int first = 0, second = 0;
  std::string joined;
  frame_->RegisterConversion(&first, [&] { joined += "1"; });
  frame_->RegisterConversion(&second, [&] { joined += "2"; });
  Post(WM_VT_CONVERTDONE, reinterpret_cast<vt::WParam>(&second));
  Settle();
  EXPECT_EQ(joined, "2");
  // A document that closed before its message arrived is not touched.
  frame_->UnregisterConversion(&first);
  Post(WM_VT_CONVERTDONE, reinterpret_cast<vt::WParam>(&first));
  Settle();
  EXPECT_EQ(joined, "2");
}

}  // namespace
