// The application object: construction, start-up, shut-down and the end of the session (see
// CVantrelApp.h). Windows that do not exist yet (the tool windows) have their places marked where
// start-up makes them.
#include "app/CVantrelApp.h"

#include <cassert>
#include <utility>

#include "app/AppMessages.h"
#include "app/CMainFrame.h"
#include "app/CatalogueActions.h"
#include "app/FileConversion.h"
#include "app/SearchConditionStoreHolder.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/TrendConversionCommand.h"
#include "export/ConversionTexts.h"
#include "export/ImportConversion.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GSheetSkin.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "gadget/skin/SkinArt.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/Paths.h"
#include "platform/gui/Application.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/Document.h"
#include "platform/gui/GuiWarmUp.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/Profile.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/SessionEnd.h"
#include "platform/gui/SingleInstance.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/Timer.h"
#include "recorder/SharedTimeZone.h"
#include "recorder/StoreResult.h"
#include "store/CDataAreaManager.h"
#include "store/CVTBatchCache.h"
#include "store/CVTImportManager.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"
#include "store/VTGraphManager.h"
#include "trend/AlarmBands.h"
#include "trend/NgSheetArt.h"
#include "trend/NgWaveform.h"
#include "trend/TrendSkinArt.h"

namespace {

CVantrelApp* g_app = nullptr;

// The graph store's question before a saved graph of the same name is replaced.
constexpr int kMsgOverwriteGraph = 10013;

// The alarm-band skin: two colours, then the image and mask ids and the cell layout.
constexpr int32_t kAlarmGroupSkin[kAlarmGroupSkinValues] = {
    0x025E5E5E, 0x02FFFFFF, kSkinFrameStrip, kSkinFrameMask, 2, 5, 5, 1, 1, 1, 1, 0, 0, 0};

}  // namespace

CVantrelApp::CVantrelApp(vt::AppFactory factory) : m_factory(std::move(factory)) {
  assert(g_app == nullptr);
  g_app = this;
  m_rootMaster = new CGNgRootMaster;
  m_rootMaster->CreateManagers();
  m_importManager = m_factory.importManager();
  m_settings = m_factory.settings();
}

CVantrelApp::~CVantrelApp() {
  // The worker's completion callback reaches the progress window: it stops first. The tool
  // windows go here too once they exist.
  if (m_importManager && !m_importManager->IsIdle()) m_importManager->Stop();
  ReleaseGraphWindowHost();
  m_restartTimer.reset();
  vt::SetTrendConversionSite({});
  m_importProgress.reset();
  m_convertProgress.reset();
  m_mainFrame.reset();
  // The documents the templates still hold go after their views and before what they read.
  m_graphTemplate.reset();
  m_listTemplate.reset();
  m_sheetTemplate.reset();
  m_importTimer.reset();
  m_settings.reset();
  m_storageManager.reset();
  m_dataAreaManager.reset();
  m_importManager.reset();
  m_graphManager.reset();
  m_conditionStore.reset();
  // The skins point into the root master's bitmap pool.
  ResetGadgetSkin();
  ResetSheetSkin();
  delete m_rootMaster;
  m_rootMaster = nullptr;
  m_singleInstance.reset();
  if (g_app == this) g_app = nullptr;
}

CVantrelApp* CVantrelApp::Current() { return g_app; }

bool CVantrelApp::InitInstance() {
  // The end of the session ends the program without asking anything; watched from the start,
  // so that a signal during start-up is taken once the loop runs instead of killing the process.
  vt::InstallSessionEnd([this] {
    OnSystemShutdown();
    vt::Application::Quit(0);
  });

  // One instance: a second start asks the first to come to the front and ends.
  const std::string title = vt::LoadString(IDS_APP_TITLE);
  m_singleInstance = std::make_unique<vt::SingleInstance>();
  const vt::SingleInstance::Outcome claim =
      m_singleInstance->Claim(title + "_MUTEX", kMainFrameWindowClass, [] {
        if (vt::Application* loop = vt::Application::Current()) loop->BringMainWindowToFront();
      });
  if (claim != vt::SingleInstance::Outcome::First) return false;

  // Nothing below shows anything until the main window is made: what it needs from the system is
  // loaded meanwhile, and its pictures are drawn.
  m_guiWarmUp = std::make_unique<vt::GuiWarmUp>(&CMainFrame::PrepareArt);

  // The user's profile (window layout, report columns, theme).
  m_profile = std::make_unique<vt::Profile>();

  m_storageManager = m_factory.storageManager();
  m_dataAreaManager = m_factory.dataAreaManager(m_storageManager.get());
  // Waits for the maintenance worker keep the user interface alive.
  m_dataAreaManager->SetWaitHook([] { vt::PumpBriefly(); });

  ApplySkins();

  // The data root and the current storage.
  m_programDrive = vt::ProgramRoot();
  const std::string dataRoot = m_programDrive + "/Morvane/Vantrel/DATA";
  m_dataAreaManager->SetDataRoot(dataRoot);
  m_storageManager->Open(dataRoot);
  const bool madeDefault = m_dataAreaManager->LoadAreas();
  m_dataAreaManager->OpenCurrentArea(madeDefault);
  m_currentStorage = m_dataAreaManager->GetUIStorage();
  m_workerStorage = m_dataAreaManager->GetWorkerStorage();
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(m_currentStorage);

  // The settings, before the worker is given their folder table.
  m_settings->SetDefaults(m_programDrive);
  m_settings->LoadConfiguration();

  // Converted files (imports, conversions, trend conversions) name their alarm and mark sheets
  // from the string table.
  vtexport::text::SetTextLookup(&vt::LoadString);

  // The import worker reads the folder table in place and converts through the export code.
  m_importManager->SetStorage(m_workerStorage);
  m_importManager->SetBasePath(m_programDrive);
  m_importManager->SetFolderTable(m_settings->m_folderTable);
  m_importManager->SetConverter(MakeImportConverter());
  m_importManager->SetCallback(&CVantrelApp::OnImportFinished, this);
  m_importManager->SetWaitHook([] { vt::PumpBriefly(); });

  // Saved graphs and search conditions of the current storage.
  m_graphManager = m_factory.graphManager();
  m_graphManager->SetDataStorage(m_currentStorage);
  m_graphManager->SetOverwritePrompt([this](const std::string&) {
    return DisplayMessage(GetMainWindow(), kMsgOverwriteGraph, vt::kMbOkCancel) == vt::kIdOk;
  });
  if (m_currentStorage) m_graphManager->Open();
  m_graphStore = m_graphManager->GetGraphStorage();
  // A storage whose conditions cannot be opened leaves the application without a store.
  OpenSearchConditionStore(m_conditionStore, m_currentStorage, m_factory.conditionStore);

  ApplyTimeZone();

  // The graph windows' three document templates (graph, list and sheet views); a template that
  // cannot be made refuses the start.
  if (!RegisterDocTemplates()) return false;

  // The main window. The command line opens no document, so there is nothing to parse.
  m_mainFrame = std::make_unique<CMainFrame>(*this, [] { vt::Application::Quit(0); });
  if (!m_mainFrame->Create(title)) {
    m_mainFrame.reset();
    return false;
  }
  m_guiWarmUp.reset();  // the frame has taken what it needed, waiting inside Qt where it was early
  InstallGraphWindowHost();
  RegisterImportCommands();
  RegisterAppCommands();
  RegisterSavedGraphCommands();
  m_mainFrame->Router().SetApplication(&m_commands);
  if (vt::Application* loop = vt::Application::Current()) loop->SetMainWindow(m_mainFrame->GetSafeHwnd());
  m_mainFrame->ShowWindow();

  // The import and conversion progress windows, hidden; the cursor-control and statistics
  // windows are made here too once they exist.
  CreateProgressWindows();
  RegisterConversionCommands();

  m_importTimer = std::make_unique<vt::Timer>([this] { OnImportTimer(); });
  if (StorageNeedsAttention()) {
    PostCommand(ID_MANAGEMENT_AREA);
  } else if (m_settings->IsAutoImportConfigured()) {
    StartAutoImport(IMPORT_MODE_AUTOMATIC, true);
  }
  return true;
}

int CVantrelApp::ExitInstance() {
  vt::RemoveSessionEnd();
  if (m_importTimer) m_importTimer->Stop();
  if (m_restartTimer) m_restartTimer->Stop();
  // Conversions still running are cancelled and joined while their windows are there.
  StopConversions();
  vt::ReleaseFileConversion();
  vt::SetTrendConversionSite({});
  m_catalogueActions.reset();
  // The frame goes first (saving its workspace): what the worker still posts to it is dropped.
  if (vt::Application* loop = vt::Application::Current()) loop->SetMainWindow(0);
  ReleaseGraphWindowHost();
  m_mainFrame.reset();
  // The graph documents give their batches back before the cache is cleared.
  m_graphTemplate.reset();
  m_listTemplate.reset();
  m_sheetTemplate.reset();
  if (m_profile) m_profile->Sync();

  if (m_settings) m_settings->SaveConfiguration();
  if (m_importManager && !m_importManager->IsIdle()) m_importManager->Stop();
  if (m_dataAreaManager && m_storageManager) m_storageManager->Cancel();

  m_currentStorage = nullptr;
  m_workerStorage = nullptr;
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  m_importManager.reset();
  m_dataAreaManager.reset();
  m_settings.reset();
  m_graphStore = nullptr;
  m_graphManager.reset();
  CloseSearchConditionStore(m_conditionStore);
  m_storageManager.reset();
  return 0;
}

void CVantrelApp::OnSystemShutdown() {
  StopConversions();
  if (m_importManager && !m_importManager->IsIdle()) m_importManager->Stop();
  if (m_dataAreaManager && m_storageManager) m_storageManager->Cancel();
  if (m_settings) m_settings->SaveConfiguration();
}

void CVantrelApp::ApplySkins() {
  RegisterSkinArt();
  const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);  // the volume buttons' blocks are part of the descriptor
  RegisterSheetSkinArt();
  SetSheetSkin(BuiltinSheetSkin());
  SetAlarmGroupSkin(kAlarmGroupSkin);
  RegisterTrendSkinArt();
  vt::RegisterNgSheetArt();
}

void CVantrelApp::ApplyTimeZone() {
  if (!m_settings) return;
  const SDstRule& r = m_settings->m_dstRule;
  switch (r.type) {
    case 0:
      SetDisplayTimeZone(vt::DISPLAY_ZONE_NO_DAYLIGHT, 0, 0, 0, 0, 0, 0, 0, 0);
      break;
    case 1:
      SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
      break;
    case 2:
      // Months and occurrences count from 1 in the zone record (occurrence 5 is the last).
      SetDisplayTimeZone(vt::DISPLAY_ZONE_USER_RULE, uint16_t(r.summerMonth + 1), uint16_t(r.summerWeeks + 1),
                         uint16_t(r.summerWeek), uint16_t(r.summerHour), uint16_t(r.winterMonth + 1),
                         uint16_t(r.winterWeeks + 1), uint16_t(r.winterWeek), uint16_t(r.winterHour));
      break;
    default:
      break;  // a hand-edited type: the zone stays as it is
  }
}

void CVantrelApp::PostCommand(int id) {
  CVantrelApp* app = this;
  vt::Application::PostCall([app, id] {
    if (CVantrelApp::Current() != app) return;  // the object may be gone by then
    if (app->m_mainFrame) {
      app->m_mainFrame->Router().Execute(id);
      app->m_mainFrame->UpdateCommands();
    } else {
      app->OnCommand(id);
    }
  });
}

bool CVantrelApp::OnCommand(int id) {
  // The application's commands (imports now; storage management, settings dialogs and help
  // with their windows) are in m_commands; any other posted command is dropped.
  return m_commands.Execute(id);
}

void CVantrelApp::StartAutoImport(int mode, bool rearm) {
  if (!m_importManager || !m_settings) return;
  if (mode == IMPORT_MODE_AUTOMATIC && !m_settings->IsAutoImportConfigured()) return;
  if (rearm && m_importTimer) m_importTimer->Start(uint32_t(m_settings->GetIntervalSeconds()) * 1000u);
  m_importManager->SetMode(mode);
  if (mode == IMPORT_MODE_AUTOMATIC) vt::PostMessage(GetMainWindow(), WM_VT_SHOWIMPORTBAR, 0, 0);
  m_importManager->Start();
}

void CVantrelApp::OnImportTimer() {
  if (!m_importManager) return;
  if (m_importManager->IsIdle() && !m_busy) {
    StartAutoImport(IMPORT_MODE_AUTOMATIC, false);
  } else if (m_importManager->GetMode() != IMPORT_MODE_AUTOMATIC || m_busy) {
    m_restartPending = true;  // a tick inside an automatic run is dropped
  }
}

void CVantrelApp::OnImportFinished(void* data) {
  auto* app = static_cast<CVantrelApp*>(data);
  CVTImportManager* worker = app->m_importManager.get();
  // Posted to the window from this thread, ahead of the messages below.
  if (app->m_importProgress) app->m_importProgress->HideProgress();
  const int mode = worker->GetMode();
  const int result = worker->GetLastResult();
  if (mode == IMPORT_MODE_FILE_OPEN) {
    std::lock_guard<std::mutex> guard(app->m_fileToShowLock);
    app->m_fileToShow = worker->GetCopyPath();
  }
  const vt::WindowHandle frame = app->GetMainWindow();
  if (worker->GetAddedCount() > 0) vt::PostMessage(frame, WM_VT_IMPORTED, 0, 0);
  if (mode == IMPORT_MODE_FILE_OPEN) {
    if ((result == STORE_OK || result == STORE_IMPORTED_ALREADY || result == STORE_IN_TRASH) &&
        !app->GetFileToShow().empty())
      vt::PostMessage(frame, WM_VT_SHOWIMPORTED, 0, 0);
  } else if (mode == IMPORT_MODE_AUTOMATIC) {
    vt::PostMessage(frame, WM_VT_HIDEIMPORTBAR, 0, 0);
  }
  if (app->m_restartPending.exchange(false)) vt::PostMessage(frame, WM_VT_RESTARTIMPORT, 0, 0);
  vt::PostMessage(frame, WM_VT_IMPORTRESULT, vt::WParam(result), vt::LParam(mode));
}

std::string CVantrelApp::GetFileToShow() const {
  std::lock_guard<std::mutex> guard(m_fileToShowLock);
  return m_fileToShow;
}

vt::WindowHandle CVantrelApp::GetMainWindow() const {
  // Read from the worker's thread too: the handle lives in the loop object, not in the frame.
  const vt::Application* loop = vt::Application::Current();
  return loop ? loop->MainWindow() : 0;
}

bool CVantrelApp::IsImportTimerArmed() const { return m_importTimer && m_importTimer->IsActive(); }

bool CVantrelApp::StorageNeedsAttention() const {
  if (!m_dataAreaManager) return true;
  const auto& areas = m_dataAreaManager->GetAreas();
  const int current = m_dataAreaManager->GetCurrentIndex();
  if (current < 0 || current >= int(areas.size())) return true;
  return areas[size_t(current)].status != AREA_STATUS_OK;
}
