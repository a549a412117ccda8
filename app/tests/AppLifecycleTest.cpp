// The application object in-process: what start-up makes and exit takes down, in which order,
// with a worker that runs until it is stopped; and the exit processing after a refused start.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "export/ConversionTexts.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/Application.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/SingleInstance.h"
#include "platform/gui/StringTable.h"
#include "store/CDataAreaManager.h"
#include "store/CVTImportManager.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorageManager.h"
#include "store/VTGraphManager.h"
#include "testing/TempFolder.h"
#include "trend/AlarmBands.h"

namespace {

// What was made, run and deleted, from any thread.
class Journal {
 public:
  void Add(const std::string& event) {
    std::lock_guard<std::mutex> guard(lock_);
    events_.push_back(event);
  }
  std::vector<std::string> Events() const {
    std::lock_guard<std::mutex> guard(lock_);
    return events_;
  }
  bool Has(const std::string& event) const {
    for (const std::string& e : Events())
      if (e == event) return true;
    return false;
  }

 private:
  mutable std::mutex lock_;
  std::vector<std::string> events_;
};

// A service that notes its making and its deletion.
template <typename Base>
class Recorded : public Base {
 public:
  template <typename... Args>
  Recorded(Journal& journal, std::string name, Args&&... args)
      : Base(std::forward<Args>(args)...), journal_(journal), name_(std::move(name)) {
    journal_.Add("made " + name_);
  }
  ~Recorded() override { journal_.Add("deleted " + name_); }

 private:
  Journal& journal_;
  std::string name_;
};

// A worker whose run lasts until it is told to stop; its end notes whether the settings file
// was already written by then.
class EndlessWorker : public Recorded<CVTImportManager> {
 public:
  EndlessWorker(Journal& journal, std::string settingsPath)
      : Recorded(journal, "import manager"), journal_(journal), settingsPath_(std::move(settingsPath)) {}
  ~EndlessWorker() override { Stop(); }

 protected:
  bool Begin() override {
    journal_.Add("worker runs");
    return true;
  }
  bool Step() override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return true;
  }
  void End() override {
    std::string text;
    vt::ReadWholeFile(settingsPath_, text);
    journal_.Add(text.find("\tInterval=1\r\n") != std::string::npos ? "worker stopped, settings saved"
                                                                    : "worker stopped, settings not saved");
  }

 private:
  Journal& journal_;
  std::string settingsPath_;
};

class AppLifecycleTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    runtime_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
  }
  void TearDown() override {
    runtime_.reset();
    TempRootTest::TearDown();
  }
  std::string SettingsPath() const { return root_ + "/Morvane/Vantrel/DATA/VTConfiguration"; }

  vt::AppFactory RecordingFactory() {
    vt::AppFactory f = vt::AppFactory::Standard();
    Journal& j = journal_;
    const std::string settings = SettingsPath();
    f.importManager = [&j, settings] { return std::make_unique<EndlessWorker>(j, settings); };
    f.settings = [&j] { return std::make_unique<Recorded<CConfigurationFile>>(j, "settings"); };
    f.storageManager = [&j] {
      return std::make_unique<Recorded<CVTDataStorageManager>>(j, "storage manager");
    };
    f.dataAreaManager = [&j](CVTDataStorageManager* m) {
      return std::make_unique<Recorded<CDataAreaManager>>(j, "data-area manager", m);
    };
    f.graphManager = [&j] { return std::make_unique<Recorded<CVTGraphManager>>(j, "graph manager"); };
    f.conditionStore = [&j] {
      return std::make_unique<Recorded<CSearchConditionStore>>(j, "condition store");
    };
    return f;
  }

  Journal journal_;
  std::unique_ptr<vt_test::ScopedEnv> runtime_;
};

TEST_F(AppLifecycleTest, StartAndExitMakeAndTakeDownTheServicesInTheirOrder) {
  // Automatic import configured: one folder in use, every ten minutes.
  CConfigurationFile prepared;
  prepared.SetDefaults(root_);
  prepared.m_folderTable[0] = {true, false, root_ + "/in", 0};
  ASSERT_TRUE(prepared.SaveConfiguration());

  auto app = std::make_unique<CVantrelApp>(RecordingFactory());
  ASSERT_TRUE(app->InitInstance());
  ASSERT_TRUE(vt::PumpUntil([&] { return journal_.Has("worker runs"); }, 5000));

  // Start-up's visible results: the main window with the title, the import timer at the
  // interval, the storage and its stores open, the skins handed over.
  const vt::WindowHandle frame = app->GetMainWindow();
  auto* window = static_cast<QWidget*>(vt::WindowNative(frame));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle().toStdString(), "Vantrel");
  EXPECT_TRUE(app->IsImportTimerArmed());
  ASSERT_NE(app->m_currentStorage, nullptr);
  EXPECT_NE(app->m_graphStore, nullptr);
  EXPECT_NE(app->m_conditionStore->GetConnection(), nullptr);
  EXPECT_EQ(app->m_programDrive, root_);
  EXPECT_NE(AlarmGroupSkin().image, nullptr);
  // The export takes its numbered texts from the string table (an id it has no text of its own for
  // shows that the table answers).
  EXPECT_EQ(vtexport::text::Load({3205, "not from the table"}), vt::LoadString(3205));

  // A command whose handler is not there is dropped without harm.
  app->PostCommand(65000);
  app->PostCommand(1);
  vt::PumpBriefly(20);

  EXPECT_EQ(app->ExitInstance(), 0);
  EXPECT_FALSE(vt::IsWindow(frame));
  app.reset();

  const std::vector<std::string> expected = {
      // construction
      "made import manager",
      "made settings",
      // start-up
      "made storage manager",
      "made data-area manager",
      "made graph manager",
      "made condition store",
      "worker runs",
      // exit: the settings are written before the worker is stopped, then the deletions
      "worker stopped, settings saved",
      "deleted import manager",
      "deleted data-area manager",
      "deleted settings",
      "deleted graph manager",
      "deleted condition store",
      "deleted storage manager",
  };
  EXPECT_EQ(journal_.Events(), expected);
}

// Converted files keep their bytes when the program hands the export its string table: the table
// holds the export's built-in text under each of its ids.
TEST(ExportTexts, TheStringTableHoldsTheBuiltInTexts) {
  for (const vtexport::text::NumberedText& t : vtexport::text::kNumberedTexts)
    EXPECT_EQ(vt::LoadString(t.id), t.builtIn) << t.id;
}

TEST_F(AppLifecycleTest, RefusedStartAsksTheFirstInstanceAndExitsCleanly) {
  // Another instance of the program holds the name.
  bool activated = false;
  vt::SingleInstance first;
  ASSERT_EQ(first.Claim("Vantrel_MUTEX", "VantrelMainFrameWindowClass", [&] { activated = true; }),
            vt::SingleInstance::Outcome::First);

  auto app = std::make_unique<CVantrelApp>(RecordingFactory());
  EXPECT_FALSE(app->InitInstance());
  EXPECT_EQ(app->ExitInstance(), 0);
  app.reset();
  EXPECT_TRUE(vt::PumpUntil([&] { return activated; }, 5000));

  const std::vector<std::string> expected = {"made import manager", "made settings", "deleted import manager",
                                             "deleted settings"};
  EXPECT_EQ(journal_.Events(), expected);
  EXPECT_FALSE(vt::PathExists(root_ + "/Morvane"));  // nothing made on disk, no settings written
}

}  // namespace
