// The main road of the program in one run, in-process, over real widgets and commands: a start on
// an empty data root, an automatic import of five recorder files set up through the folder
// dialog, the instrument in the navigation tree and its files in the report list, and the exit.
// A picture of the main window after each step goes to <build>/artefacts/mainroad/NN.png (or to
// VT_SCREENSHOT_DIR under a real X server, where the whole screen is taken so that tool
// windows and dialogs show).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CNavigationDoc.h"
#include "app/CVantrelApp.h"
#include "app/qt/CCopiablePropertyWnd.h"
#include "app/qt/CNavigationWnd.h"
#include "gadget/GRoot.h"
#include "gadget/GSkButton.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/Profile.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/PropertyGrid.h"
#include "platform/gui/qt/ReportView.h"
#include "platform/gui/testing/GuiTestSupport.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "store/CVTImportManager.h"
#include "store/VTDataStorageManager.h"
#include "store/testing/CatalogueFixture.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace {

using catalogue_test::Batch;
using catalogue_test::File;
using vt_test::ReadLogs;

constexpr const char* kSerial = "QR7001";

// Five recorder files of one instrument: a batch of event data in two newer-format files with
// messages and alarms, a batch of display data, and two older-format files.
std::vector<Batch> RoadBatches() {
  const std::vector<catalogue_test::Channel> channels = {
      {1, "T-101", "Inlet", "degC"}, {2, "T-102", "Outlet", "degC"}, {3, "P-201", "Pressure", "bar"}};
  const std::vector<catalogue_test::Group> groups = {{1, "Temps", {1, 2}}, {2, "Press", {3}}};

  Batch event;
  event.guid = "B0000000-0000-0000-0000-00000000000B";
  event.serialNo = kSerial;
  event.dataKind = 0;
  event.batchNo = "ROAD-1";
  event.lotNo = "042";
  File e1;
  e1.name = "E1.DAE";
  e1.start = 1000, e1.end = 4000, e1.startDataNo = 1;
  e1.channels = channels;
  e1.groups = groups;
  e1.messages = {{1500, "ann", "valve 50% open", {}}};
  e1.alarms = {{1200, 1, 1, 1, 1}, {2200, 3, 2, 1, 2}};
  e1.comments = {{1100, "ann", "first comment"}};
  File e2 = e1;
  e2.name = "E2.DAE";
  e2.start = 4010, e2.end = 7000, e2.startDataNo = 302;
  e2.messages = {{5000, "bob", "load step", {1}}};
  e2.alarms = {{6000, 2, 1, 2, 1}};
  e2.comments = {};
  event.files = {e1, e2};

  Batch display;
  display.guid = "C0000000-0000-0000-0000-00000000000C";
  display.serialNo = kSerial;
  display.dataKind = 1;
  display.batchNo = "ROAD-2";
  File d1 = e1;
  d1.name = "D1.DAD";
  d1.start = 8000, d1.end = 9000, d1.startDataNo = 1;
  d1.messages = {};
  d1.alarms = {{8500, 1, 1, 1, 1}};
  d1.comments = {};
  display.files = {d1};

  Batch older;
  older.serialNo = kSerial;
  File o1;
  o1.name = "O1.DEV";
  o1.olderFormat = true;
  o1.start = 10000, o1.end = 11000, o1.startDataNo = 1;
  File o2 = o1;
  o2.name = "O2.DEV";
  o2.start = 12000, o2.end = 13000, o2.startDataNo = 1;
  older.files = {o1, o2};
  return {event, display, older};
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Notes every time the watched widget is shown or hidden.
class ShowWatch : public QObject {
 public:
  explicit ShowWatch(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<bool> changes;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) changes.push_back(true);
    if (event->type() == QEvent::Hide) changes.push_back(false);
    return false;
  }
};

class MainRoadTest : public vt_test::RuntimeRootTest {
 protected:
  void SetUp() override {
    RuntimeRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/in"));
    const char* screen = std::getenv("VT_SCREENSHOT_DIR");
    wholeScreen_ = screen && *screen;
    pictures_ = wholeScreen_ ? std::string(screen) : std::string(VT_BINARY_ROOT) + "/artefacts/mainroad";
    ASSERT_TRUE(vt::CreateFolders(pictures_));
  }
  void TearDown() override {
    if (app_) {
      app_->ExitInstance();
      app_.reset();
    }
    RuntimeRootTest::TearDown();
  }
  std::string Data() const { return root_ + "/Morvane/Vantrel/DATA"; }
  QMainWindow& Window() { return *static_cast<QMainWindow*>(app_->GetMainFrame()->Widget()); }
  template <typename T>
  T* Find(const char* name) {
    return Window().findChild<T*>(QString::fromLatin1(name));
  }
  // A picture of the main window (of the whole screen under a real X server).
  void Picture(int step) {
    vt::PumpBriefly(50);
    char name[16];
    std::snprintf(name, sizeof name, "/%02d.png", step);
    const QString path = QString::fromStdString(pictures_ + name);
    if (wholeScreen_) {
      QScreen* screen = QGuiApplication::primaryScreen();
      ASSERT_TRUE(screen && screen->grabWindow(0).save(path, "PNG"));
    } else {
      ASSERT_TRUE(Window().grab().save(path, "PNG"));
    }
  }

  std::unique_ptr<CVantrelApp> app_;
  std::string pictures_;
  bool wholeScreen_ = false;
};

TEST_F(MainRoadTest, FromAnEmptyDataRootToExit) {
  // Five files waiting in the import folder, written a minute ago (an automatic run holds back
  // what was written in the last two seconds).
  int files = 0;
  for (const Batch& batch : RoadBatches())
    for (const std::string& path : catalogue_test::WriteBatchFiles(root_ + "/in", batch)) {
      std::filesystem::last_write_time(
          path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
      ++files;
    }
  ASSERT_EQ(files, 5);

  // 1. A start on an empty data root: the storage list, the settings file, three panes, no timer.
  app_ = std::make_unique<CVantrelApp>(vt::AppFactory::Standard());
  ASSERT_TRUE(app_->InitInstance());
  ASSERT_NE(app_->GetMainFrame(), nullptr);
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(Data(), kStorageListFileName)));
  // The settings file is made (empty) at start-up and written whole when the settings change.
  EXPECT_TRUE(vt::PathExists(Data() + "/VTConfiguration"));
  auto* navigation = Find<CNavigationWnd>("navigationPane");
  auto* report = Find<vt::ReportView>("reportList");
  auto* properties = Find<CCopiablePropertyWnd>("propertyPane");
  ASSERT_NE(navigation, nullptr);
  ASSERT_NE(report, nullptr);
  ASSERT_NE(properties, nullptr);
  EXPECT_TRUE(navigation->isVisible());
  EXPECT_TRUE(report->isVisible());
  EXPECT_TRUE(properties->isVisible());
  EXPECT_FALSE(app_->IsImportTimerArmed());
  Picture(1);

  // 2. The automatic-import dialog: a folder line made with Create through the folder dialog, the
  // interval "10 minutes", OK. The settings file holds it; the indicator comes and goes.
  auto* indicator = Find<QWidget>("importIndicator");
  ASSERT_NE(indicator, nullptr);
  ShowWatch watch(indicator);
  vt::ScriptedCommonDialogs folders;
  folders.QueueFolder(root_ + "/in", false);
  vt::OnNextDialog(329, [](vt::DialogWindow& d) {
    auto* root = static_cast<CGRoot*>(d.Host()->Client());
    auto click = [&](int id) {
      auto* button = static_cast<CGPrimitive*>(root->FindById(id));
      ASSERT_NE(button, nullptr) << id;
      vt::Rect r;
      button->GetAbsoluteRect(&r);
      vt::SendLeftClick(*d.Host(), vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    static_cast<CGPrimitive*>(root->FindById(1064))->SetValue(1);
    click(1027);  // Create: the folder comes from the scripted folder dialog
    click(1031);  // OK
  });
  app_->OnAutoImportSettings();
  EXPECT_TRUE(app_->IsImportTimerArmed());
  std::string settings;
  ASSERT_TRUE(vt::ReadWholeFile(Data() + "/VTConfiguration", settings));
  EXPECT_EQ(settings.rfind("Revision=101", 0), 0u);
  EXPECT_NE(settings.find("\tInterval=1\r\n"), std::string::npos);
  EXPECT_NE(settings.find(root_ + "/in"), std::string::npos);
  const std::string logs = root_ + "/Morvane/Vantrel/LOG";
  ASSERT_TRUE(
      vt::PumpUntil([&] { return ReadLogs(logs).find("FINISH IMPORT") != std::string::npos; }, 30000));
  ASSERT_TRUE(
      vt::PumpUntil([&] { return app_->m_importManager->IsIdle() && !indicator->isVisible(); }, 10000));
  vt::PumpBriefly(50);
  ASSERT_GE(watch.changes.size(), 2u);
  EXPECT_TRUE(watch.changes.front());
  EXPECT_FALSE(watch.changes.back());
  const std::string log = ReadLogs(logs);
  EXPECT_EQ(Count(log, "START AUTOMATIC IMPORT"), 1u);
  EXPECT_EQ(Count(log, "IMPORT: FILE="), 5u);
  int copies = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Data())) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".DAE" && ext != ".DAD" && ext != ".DEV")) continue;
    ++copies;
    struct stat st {};
    ASSERT_EQ(stat(entry.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u) << entry.path();
  }
  EXPECT_EQ(copies, 5);
  Picture(2);

  // 3. The instrument in the tree; its "File" node lists the five files, the status counts
  // them; the property pane describes the file of the row clicked.
  QTreeWidgetItem* instrument = navigation->FindNode(CNavigationDoc::NODE_INSTRUMENT, kSerial);
  ASSERT_NE(instrument, nullptr);
  QTreeWidgetItem* fileNode = navigation->FindNode(CNavigationDoc::NODE_FILE, kSerial);
  ASSERT_NE(fileNode, nullptr);
  navigation->DataTree()->setCurrentItem(fileNode);
  ASSERT_TRUE(vt::PumpUntil([&] { return report->RowCount() == 5; }, 10000));
  auto* status = Find<QLabel>("pane.103");
  ASSERT_NE(status, nullptr);
  const std::string counted = status->text().toStdString();
  EXPECT_EQ(counted.rfind("5 Items : ", 0), 0u) << counted;
  EXPECT_EQ(counted.substr(counted.size() - 5), " mSec") << counted;
  const QRect first = report->visualRect(report->model()->index(0, 0));
  QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, first.center());
  vt::PumpBriefly(20);
  vt::PropertyGrid* grid = properties->Grid();
  ASSERT_EQ(grid->topLevelItemCount(), 1);
  EXPECT_EQ(grid->topLevelItem(0)->text(0).toStdString(), vt::LoadString(904));
  Picture(3);

  // 7. Exit: the settings file rewritten, the report columns in the profile, the worker stopped.
  std::filesystem::last_write_time(Data() + "/VTConfiguration",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  const auto before = std::filesystem::last_write_time(Data() + "/VTConfiguration");
  CVTImportManager* worker = app_->m_importManager.get();
  EXPECT_EQ(app_->ExitInstance(), 0);
  EXPECT_TRUE(worker == nullptr || app_->m_importManager == nullptr || worker->IsIdle());
  app_.reset();
  EXPECT_GT(std::filesystem::last_write_time(Data() + "/VTConfiguration"), before);
  std::string profile;
  ASSERT_TRUE(vt::ReadWholeFile(root_ + "/config/Morvane/Vantrel.ini", profile));
  EXPECT_NE(profile.find("ReportColumn"), std::string::npos);
}

}  // namespace
