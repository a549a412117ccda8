// CVantrelApp: the program's single application object. It makes and owns the long-lived
// services (storage and area managers, import worker, settings record, saved-graph manager and
// search-condition store), starts them in one fixed order, decides at the end of start-up whether
// the storage-management command must run or automatic import can begin, and takes everything
// down in a fixed order at exit. Other code reaches it through CVantrelApp::Current() and reads
// its members directly.
//
// main() makes the event loop first, then this object, then calls InitInstance; ExitInstance
// runs after the loop ends and also after a refused start (a second instance), so every step of
// it tolerates what was never made. The object goes before the event loop does.
#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/AppFactory.h"
#include "document/GraphWindowHost.h"
#include "platform/base/WindowHandles.h"
#include "platform/gui/CommandRouter.h"

class CDlgProgressbar;
class CConfigurationFile;
class CDataAreaManager;
class CGNgRootMaster;
class CMainFrame;
class CSearchConditionStore;
class CVantrelDoc;
class CVTDataStorage;
class CVTDataStorageManager;
class CVTGraphDataStorage;
class CVTGraphManager;
class CVTImportManager;

namespace vt {
class CatalogueActions;
class DocTemplate;
class Profile;
class SingleInstance;
class GuiWarmUp;
class Timer;
}  // namespace vt

class CVantrelApp : public vt::GraphWindowHost {
 public:
  // Makes the root master, the import worker and the settings record.
  explicit CVantrelApp(vt::AppFactory factory = vt::AppFactory::Standard());
  // Deletes whatever is still there, the root master last.
  ~CVantrelApp() override;
  CVantrelApp(const CVantrelApp&) = delete;
  CVantrelApp& operator=(const CVantrelApp&) = delete;

  // The one application object, or null.
  static CVantrelApp* Current();

  // True when the program is to run its event loop; false when it is to end at once.
  virtual bool InitInstance();
  // The process exit code; saves the settings, stops the worker and deletes the services.
  virtual int ExitInstance();
  // The end of the user's session: no questions; the worker stops and the settings are saved.
  void OnSystemShutdown();
  // Hands the built-in skins to the gadget framework, the sheets and the trend display.
  void ApplySkins();
  // Writes the display time zone from the settings' daylight-saving rule.
  void ApplyTimeZone();

  // Runs command id on the event loop later, along the main frame's command route (or here alone
  // while there is no frame). A command without a handler, or disabled, is ignored.
  void PostCommand(int id);
  // The application's own commands; false when it has no handler for id.
  virtual bool OnCommand(int id);

  // Automatic import: starts a run of mode (0 automatic: only when configured), re-arming the
  // timer at the settings' interval first when asked.
  void StartAutoImport(int mode, bool rearm);
  // Imports one file in a file-open run (File > Open, a file dropped on the main window): a
  // running import is stopped, to be restarted afterwards; the run's end shows the file.
  virtual void OpenDocumentFile(const std::string& path);
  void OnImportTimer();
  // The worker's completion callback (on the worker's thread): only reads results and posts.
  static void OnImportFinished(void* app);

  // ---- Import control (ImportControl.cpp) ----
  // Command ids of the import commands.
  static constexpr int ID_FILE_MANUAL_IMPORT_FOLDER = 32799;
  static constexpr int ID_FILE_MANUAL_IMPORT_FILES = 32800;
  static constexpr int ID_FILE_OPEN = 57601;
  static constexpr int ID_FILE_AUTO_IMPORT_SETTINGS = 32820;
  static constexpr int ID_FILE_IMPORT_NOW = 32822;
  // Runs one of the commands above; false for any other id.
  bool OnImportCommand(int id);
  // Puts the commands above into the application's command map, so the route enables them.
  void RegisterImportCommands();
  void OnManualImportFolder();
  void OnManualImportFiles();
  void OnFileOpen();
  void OnAutoImportSettings();
  void OnImportNow();
  // The import progress window's Cancel (user-interface thread).
  static void OnImportCancel(void* app);
  // What the main frame does on WM_VT_RESTARTIMPORT: once the worker is idle (looked at again
  // every 50 ms, never waiting on the user-interface thread), an automatic run when automatic
  // import is configured. The timer is not touched; busy is not consulted.
  void RestartAutoImportWhenIdle();
  // Stops a running run; with restart, a run that was stopped leaves a restart pending.
  void StopImportWorker(bool restart);
  // The file conversion over the conversion progress window, the graph windows' trend
  // conversions and the catalogue's commands (ConversionCommands.cpp).
  void RegisterConversionCommands();
  // Cancels and joins the running file and trend conversions (exit, end of session).
  void StopConversions();
  // The two progress windows (imports; other long work), made hidden at start-up.
  void CreateProgressWindows();
  CDlgProgressbar* GetImportProgress() const { return m_importProgress.get(); }
  CDlgProgressbar* GetConvertProgress() const { return m_convertProgress.get(); }

  // ---- Catalogue actions (CatalogueCommands.cpp) ----
  // Batch operations on n files of the current storage (storage-relative paths, "FILES/..." to
  // move, "TRASH/..." to restore or delete for good): the question above 500 files, a progress
  // window, the import worker stopped around them, and for each file that succeeded the import
  // list's status and a line of the operation log. False when any file failed (message 10220).
  bool MoveFilesToTrash(const std::vector<std::string>& paths);
  bool RestoreFiles(const std::vector<std::string>& paths);
  bool PurgeFiles(const std::vector<std::string>& paths);
  // The export-folder picker from the settings' export folder, which keeps the choice.
  bool ChooseExportFolder(std::string* folder);
  // The main frame's delete, export and file-conversion commands; the list document's file
  // operations become the batch operations above.
  void RegisterCatalogueCommands();
  vt::CatalogueActions* GetCatalogueActions() const { return m_catalogueActions.get(); }

  // ---- Application commands (AppCommands.cpp) ----
  static constexpr int ID_DST_SETTING = 32792;
  static constexpr int ID_DEFAULT_CONFIGURATION = 32967;
  static constexpr int ID_HELP_USER_MANUAL = 32943;
  static constexpr int ID_HELP_OPERATION_GUIDE = 32944;
  static constexpr int ID_APP_ABOUT = 57664;
  // Puts the storage, DST, default-configuration, help and About commands into the command map.
  void RegisterAppCommands();
  // Saved graphs (SavedGraphs.cpp): the catalogue's Display command over the saved-graph list
  // opens the selected graphs.
  static constexpr int kCommandDisplay = 32814;
  void RegisterSavedGraphCommands();
  void OpenSavedGraphs();
  // The storage-management dialog, with every store of the current storage closed around it and
  // the import worker stopped before and restarted after it.
  void OnManagementArea();
  void OnDstSetting();
  void OnDefaultConfiguration();
  void OnHelpUserManual();
  void OnHelpOperationGuide();
  void OnAppAbout();
  // The folder the trend conversion starts in, and the folder of a path it converted to.
  std::string GetDataConvertFolder() const;
  void SetDataConvertFolder(std::string& path);

  // The main window's handle (0 while there is none).
  vt::WindowHandle GetMainWindow() const;
  CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
  bool IsImportTimerArmed() const;

  // Members read by the rest of the program.
  std::unique_ptr<CVTDataStorageManager> m_storageManager;
  CVTDataStorage* m_currentStorage = nullptr;  // borrowed from the data-area manager
  CVTDataStorage* m_workerStorage = nullptr;   // borrowed from the data-area manager
  CGNgRootMaster* m_rootMaster = nullptr;
  std::unique_ptr<CDataAreaManager> m_dataAreaManager;
  std::unique_ptr<CVTImportManager> m_importManager;
  std::unique_ptr<CConfigurationFile> m_settings;
  std::unique_ptr<vt::Timer> m_importTimer;
  std::atomic<bool> m_restartPending{false};
  std::unique_ptr<CVTGraphManager> m_graphManager;
  CVTGraphDataStorage* m_graphStore = nullptr;  // borrowed from the graph manager
  std::unique_ptr<CSearchConditionStore> m_conditionStore;
  std::string m_programDrive;
  std::atomic<bool> m_busy{false};
  std::string m_lastImportFolder;
  std::unique_ptr<vt::Profile> m_profile;
  int m_appLook = 217;
  // The application's own commands: the last link of the main frame's command route.
  vt::CommandMap m_commands;  // the theme id of the profile's "ApplicationLook"

  // The file of the last file-open import, written by the completion callback.
  std::string GetFileToShow() const;

  // ---- The graph windows' host (GraphWindowHosting.cpp) ----
  // Makes the document templates of the graph, list and sheet views; false when one cannot be
  // made (the start is refused).
  bool RegisterDocTemplates();
  // Hands the templates to the main frame and installs the application as the graph windows'
  // host; the release uninstalls it (before the frame goes) and lets the frame's hold go.
  void InstallGraphWindowHost();
  void ReleaseGraphWindowHost();
  // Every graph window document open now (of the graph template, which makes them all).
  std::vector<CVantrelDoc*> GetGraphDocuments() const;
  // vt::GraphWindowHost
  vt::DocTemplate* GetGraphTemplate() override { return m_graphTemplate.get(); }
  vt::DocTemplate* GetListTemplate() override { return m_listTemplate.get(); }
  vt::DocTemplate* GetSheetTemplate() override { return m_sheetTemplate.get(); }
  void ShowDocumentWindow(CGVantrelDoc* doc, const SGraphWindowEntry& entry) override;
  std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc* doc) override;
  void SetSelectedChannel(const vt::Guid& batch, int channelNo) override;
  void NotifyListDocument(int code) override;
  std::optional<vt::GraphDisplayDefaults> GetDisplayDefaults() override;
  CVTGraphManager* GetGraphStore() override { return m_graphManager.get(); }
  vt::WindowHandle GetMainWindow() override { return std::as_const(*this).GetMainWindow(); }
  vt::WindowHandle GetCursorControlWindow() override;
  vt::WindowHandle GetStatisticsWindow() override;
  vt::WindowHandle GetConvertProgressWindow() override;
  std::string GetConversionFolder() override { return GetDataConvertFolder(); }
  void SetConversionFolder(const std::string& folder) override;

 private:
  bool StorageNeedsAttention() const;
  enum class BatchKind { Trash, Restore, Purge };
  bool RunBatchOperation(BatchKind kind, const std::vector<std::string>& paths);

  vt::AppFactory m_factory;
  std::unique_ptr<vt::SingleInstance> m_singleInstance;
  // Fonts and image plugins loaded beside the storage's opening; done once the main window is made.
  std::unique_ptr<vt::GuiWarmUp> m_guiWarmUp;
  std::unique_ptr<CMainFrame> m_mainFrame;
  std::unique_ptr<CDlgProgressbar> m_importProgress;
  std::unique_ptr<CDlgProgressbar> m_convertProgress;
  std::unique_ptr<vt::CatalogueActions> m_catalogueActions;
  std::unique_ptr<vt::Timer> m_restartTimer;
  mutable std::mutex m_fileToShowLock;
  std::string m_fileToShow;
  std::unique_ptr<vt::DocTemplate> m_graphTemplate;
  std::unique_ptr<vt::DocTemplate> m_listTemplate;
  std::unique_ptr<vt::DocTemplate> m_sheetTemplate;
  bool m_hostInstalled = false;
  vt::GraphWindowHost* m_previousHost = nullptr;
};
