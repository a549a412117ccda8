// The application's own commands besides the import commands: the storage-management dialog,
// the daylight-saving rule, the display defaults, the two manuals, the About box, and the folder
// the trend conversion keeps in the settings.
//
// While the storage-management dialog is open nothing holds the current storage's files: the
// import worker is stopped (busy keeps the timer from starting another run), the storage, the
// saved graphs and the search conditions are closed, and all of them are opened again on
// whichever storage is current when the dialog closes.
#include <vector>

#include "app/AppMessages.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/ListKinds.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgDataAreaManager.h"
#include "document/ui/CDlgDefaultCnf.h"
#include "document/ui/CDlgDstConfig.h"
#include "document/ui/CVantrelDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PrintJob.h"
#include "platform/gui/ShellOpener.h"
#include "store/CDataAreaManager.h"
#include "store/CVTBatchCache.h"
#include "store/CVTImportManager.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTGraphManager.h"

namespace {

constexpr int kMsgAutoImportCancelled = 10009;
constexpr int kMsgCloseGraphWindows = 10112;

// The newest file of folder whose name starts with prefix and ends with ".pdf"; empty for none.
// Newest by modification time: the file system keeps no creation time we can rely on.
std::string NewestManual(const std::string& folder, const std::string& prefix) {
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return {};
  std::string best;
  int64_t bestTime = 0;
  for (const vt::FolderEntry& e : entries) {
    const std::string& n = e.name;
    if (e.isFolder || n.size() < prefix.size() + 4 || n.compare(0, prefix.size(), prefix) != 0 ||
        n.compare(n.size() - 4, 4, ".pdf") != 0)
      continue;
    vt::FileInfo info;
    if (!vt::GetFileInfo(folder + "/" + n, info)) continue;
    if (best.empty() || info.modifiedUnix > bestTime) {
      best = folder + "/" + n;
      bestTime = info.modifiedUnix;
    }
  }
  return best;
}

}  // namespace

void CVantrelApp::RegisterAppCommands() {
  m_commands.On(ID_MANAGEMENT_AREA, [this] { OnManagementArea(); });
  m_commands.On(ID_DST_SETTING, [this] { OnDstSetting(); });
  m_commands.On(ID_DEFAULT_CONFIGURATION, [this] { OnDefaultConfiguration(); });
  m_commands.On(ID_HELP_USER_MANUAL, [this] { OnHelpUserManual(); });
  m_commands.On(ID_HELP_OPERATION_GUIDE, [this] { OnHelpOperationGuide(); });
  m_commands.On(ID_APP_ABOUT, [this] { OnAppAbout(); });
  // File > Print Setup: the printer and paper every later print job and preview uses.
  constexpr int kIdFilePrintSetup = 57606;
  m_commands.On(kIdFilePrintSetup, [this] { vt::RunPrintSetup(GetMainWindow()); });
}

void CVantrelApp::OnManagementArea() {
  if (!m_dataAreaManager || !m_storageManager) return;
  // Graph windows read the current storage's files: refused while one is open.
  if (m_mainFrame && m_mainFrame->GetActiveGraphDocument()) {
    DisplayMessage(GetMainWindow(), kMsgCloseGraphWindows, vt::kMbOk);
    return;
  }
  if (m_settings && m_settings->IsAutoImportConfigured() && !StorageNeedsAttention() &&
      DisplayMessage(GetMainWindow(), kMsgAutoImportCancelled, vt::kMbOkCancel) != vt::kIdOk)
    return;
  StopImportWorker(true);
  m_busy = true;

  m_dataAreaManager->SetLogFolder(m_programDrive + "/Morvane/Vantrel/LOG");
  m_dataAreaManager->RefreshAreaStatus();
  if (m_currentStorage) m_currentStorage->Close();
  m_currentStorage = nullptr;
  m_importManager->SetStorage(nullptr);
  m_workerStorage = nullptr;
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  if (m_graphManager) m_graphManager->Close();
  m_graphStore = nullptr;
  if (m_conditionStore) m_conditionStore->Close();

  {
    CDlgDataAreaManager dialog;
    dialog.AttachRoot(m_dataAreaManager.get());
    dialog.DoModal();
  }
  m_dataAreaManager->SetCompletion(nullptr, nullptr);

  // Whatever the user did, the storage now current is opened again (its result is not needed:
  // a storage that cannot open leaves the catalogue empty).
  m_currentStorage = m_dataAreaManager->GetUIStorage();
  if (m_currentStorage && !m_currentStorage->IsOpen()) m_currentStorage->Open();
  if (m_graphManager) {
    m_graphManager->SetDataStorage(m_currentStorage);
    if (m_currentStorage) m_graphManager->Open();
    m_graphStore = m_graphManager->GetGraphStorage();
  }
  if (m_conditionStore && m_currentStorage) m_conditionStore->OpenInFolder(m_currentStorage->GetFolder());
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(m_currentStorage);
  m_workerStorage = m_dataAreaManager->GetWorkerStorage();
  m_importManager->SetStorage(m_workerStorage);

  vt::PostMessage(GetMainWindow(), WM_VT_AREACHANGED, 0, 0);
  m_busy = false;
  if (m_restartPending.exchange(false)) vt::PostMessage(GetMainWindow(), WM_VT_RESTARTIMPORT, 0, 0);
}

void CVantrelApp::OnDstSetting() {
  if (!m_settings) return;
  CDlgDstConfig dialog(GetMainWindow(), &m_settings->m_dstRule);
  if (dialog.DoModal() != 1) return;
  dialog.StoreValues();
  ApplyTimeZone();
  // Every time shown was converted through the old zone: the report list fetches its rows
  // again and the property pane shows the current row again, then every graph window
  // shows its times anew.
  NotifyListDocument(LIST_NOTIFY_CHANGED);
  NotifyListDocument(LIST_NOTIFY_CURRENT);
  for (CVantrelDoc* doc : GetGraphDocuments())
    if (CGVantrelDoc* d = doc->GetGadgetDocument()) d->UpdateAll(HINT_DAYLIGHT_SAVING, d);
}

void CVantrelApp::OnDefaultConfiguration() {
  if (!m_settings) return;
  CDlgDefaultCnf dialog(GetMainWindow(), &m_settings->m_displayDefaults);
  if (dialog.DoModal() == 1) dialog.StoreValues();
}

void CVantrelApp::OnHelpUserManual() {
  const std::string manual = NewestManual(vt::ProgramFolder() + "/MANUAL", "VTMANUAL-01");
  if (!manual.empty()) vt::CurrentShellOpener().Open(manual, GetMainWindow());
}

void CVantrelApp::OnHelpOperationGuide() {
  const std::string manual = NewestManual(vt::ProgramFolder() + "/MANUAL", "VTMANUAL-02");
  if (!manual.empty()) vt::CurrentShellOpener().Open(manual, GetMainWindow());
}

void CVantrelApp::OnAppAbout() {
  CAboutDlg box(GetMainWindow());
  box.DoModal();
}

std::string CVantrelApp::GetDataConvertFolder() const {
  if (m_settings && !m_settings->m_dataCnvFolder.empty()) return m_settings->m_dataCnvFolder;
  return m_programDrive + "/Morvane/Vantrel/CONVERT";
}

void CVantrelApp::SetDataConvertFolder(std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  path = slash == std::string::npos ? std::string() : path.substr(0, slash);
  if (m_settings) m_settings->m_dataCnvFolder = path;
}
