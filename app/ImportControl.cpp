// Import control of the application object: the commands that start import runs, the cancel of
// the import progress window, the restart of automatic import after a run that interrupted it,
// and the progress windows. The timer tick, StartAutoImport and the completion callback are in
// CVantrelApp.cpp.
//
// Runs never overlap: every start is preceded by a stop or guarded by the worker's idle flag.
// The user-interface thread never sleeps while it waits for the worker: Stop pumps events, and
// the restart after a run looks again every 50 ms from a single-shot timer.
#include <memory>

#include "app/AppMessages.h"
#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CBrowseForFolder.h"
#include "document/ui/CDlgImportFolder.h"
#include "document/ui/CDlgProgressbar.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/CommonDialogs.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/Timer.h"
#include "store/CVTImportManager.h"

namespace {

constexpr uint32_t kIdsSelectImportFolder = 200;
constexpr uint32_t kIdsDataFileFilter = 400;
constexpr uint32_t kIdsImporting = 3115;
constexpr int kMsgTooManyFiles = 10203;
constexpr uint32_t kRestartRetryMs = 50;

}  // namespace

void CVantrelApp::RegisterImportCommands() {
  for (int id : {ID_FILE_MANUAL_IMPORT_FOLDER, ID_FILE_MANUAL_IMPORT_FILES, ID_FILE_OPEN,
                 ID_FILE_AUTO_IMPORT_SETTINGS, ID_FILE_IMPORT_NOW})
    m_commands.On(id, [this, id] { OnImportCommand(id); });
}

bool CVantrelApp::OnImportCommand(int id) {
  switch (id) {
    case ID_FILE_MANUAL_IMPORT_FOLDER:
      OnManualImportFolder();
      return true;
    case ID_FILE_MANUAL_IMPORT_FILES:
      OnManualImportFiles();
      return true;
    case ID_FILE_OPEN:
      OnFileOpen();
      return true;
    case ID_FILE_AUTO_IMPORT_SETTINGS:
      OnAutoImportSettings();
      return true;
    case ID_FILE_IMPORT_NOW:
      OnImportNow();
      return true;
    default:
      return false;
  }
}

void CVantrelApp::CreateProgressWindows() {
  const vt::WindowHandle frame = GetMainWindow();
  m_importProgress = std::make_unique<CDlgProgressbar>(frame, 1);
  m_importProgress->m_cancelFunction = &CVantrelApp::OnImportCancel;
  m_importProgress->m_cancelData = this;
  m_convertProgress = std::make_unique<CDlgProgressbar>(frame, 1);
}

void CVantrelApp::StopImportWorker(bool restart) {
  m_restartPending = false;
  bool stopped = false;
  // Stop returns once the run has ended and its completion callback has run; events are
  // processed meanwhile, so a tick, a restart already on its way or its retry timer may start a
  // new run in between. That one is stopped too: the caller finds the worker idle.
  while (m_importManager && !m_importManager->IsIdle()) {
    if (m_restartTimer) m_restartTimer->Stop();
    m_importManager->Stop();
    stopped = true;
  }
  if (restart && stopped) m_restartPending = true;
}

void CVantrelApp::OnManualImportFolder() {
  if (!m_importManager) return;
  CBrowseForImportFolder picker(GetMainWindow(), vt::LoadString(kIdsSelectImportFolder));
  picker.m_startFolder = m_lastImportFolder;
  picker.m_showCheckBox = 1;
  picker.m_initialCheck = 1;
  if (picker.DoModal() != 1) return;
  StopImportWorker(true);
  if (m_importProgress) m_importProgress->ShowProgress(kIdsImporting);
  m_importManager->SetFolder(picker.m_result, picker.m_checkResult != 0);
  m_lastImportFolder = picker.m_result;
  m_importManager->SetMode(IMPORT_MODE_MANUAL);
  m_importManager->Start();
}

void CVantrelApp::OnManualImportFiles() {
  if (!m_importManager) return;
  vt::OpenFileRequest request;
  request.owner = GetMainWindow();
  request.filter = vt::LoadString(kIdsDataFileFilter);
  request.multiple = true;
  const vt::OpenFileResult chosen = vt::OpenFiles(request);
  if (chosen.tooManyFiles) DisplayMessage(GetMainWindow(), kMsgTooManyFiles, vt::kMbOk);
  if (chosen.button != vt::kIdOk || chosen.paths.empty()) return;
  StopImportWorker(true);
  if (m_importProgress) m_importProgress->ShowProgress(kIdsImporting);
  m_importManager->SetFileCount(int(chosen.paths.size()));
  for (size_t i = 0; i < chosen.paths.size(); ++i) m_importManager->SetFile(int(i), chosen.paths[i]);
  m_importManager->SetMode(IMPORT_MODE_MANUAL);
  m_importManager->Start();
}

void CVantrelApp::OnFileOpen() {
  vt::OpenFileRequest request;
  request.owner = GetMainWindow();
  request.filter = vt::LoadString(kIdsDataFileFilter);
  const vt::OpenFileResult chosen = vt::OpenFiles(request);
  if (chosen.button == vt::kIdOk && !chosen.paths.empty()) OpenDocumentFile(chosen.paths.front());
}

void CVantrelApp::OpenDocumentFile(const std::string& path) {
  if (!m_importManager) return;
  StopImportWorker(true);
  m_importManager->SetFileCount(1);
  m_importManager->SetFile(0, path);
  m_importManager->SetMode(IMPORT_MODE_FILE_OPEN);
  m_importManager->Start();
}

void CVantrelApp::OnAutoImportSettings() {
  if (!m_settings) return;
  CDlgImportFolder dialog(GetMainWindow(), m_settings->m_folderTable, m_settings->m_interval);
  if (dialog.DoModal() != 1 || !dialog.m_root) return;
  // The worker reads the folder table in place: it stops before the table changes.
  StopImportWorker(false);
  dialog.m_root->StoreValues(m_settings->m_folderTable, &m_settings->m_interval);
  m_settings->SaveConfiguration();
  // Switched off, the old timer stays armed; its ticks start nothing.
  if (m_settings->IsAutoImportConfigured()) StartAutoImport(IMPORT_MODE_AUTOMATIC, true);
}

void CVantrelApp::OnImportNow() {
  if (!m_importManager || !m_settings) return;
  StopImportWorker(false);
  if (!m_settings->IsAutoImportConfigured()) return;
  m_importManager->SetMode(IMPORT_MODE_AUTOMATIC);
  vt::PostMessage(GetMainWindow(), WM_VT_SHOWIMPORTBAR, 0, 0);
  m_importManager->Start();
}

void CVantrelApp::OnImportCancel(void* data) {
  auto* app = static_cast<CVantrelApp*>(data);
  app->StopImportWorker(true);
  if (app->m_restartPending.exchange(false)) vt::PostMessage(app->GetMainWindow(), WM_VT_RESTARTIMPORT, 0, 0);
}

void CVantrelApp::RestartAutoImportWhenIdle() {
  if (!m_importManager || !m_settings) return;
  if (!m_importManager->IsIdle()) {
    if (!m_restartTimer)
      m_restartTimer = std::make_unique<vt::Timer>([this] { RestartAutoImportWhenIdle(); });
    m_restartTimer->StartOnce(kRestartRetryMs);
    return;
  }
  if (!m_settings->IsAutoImportConfigured()) return;
  m_importManager->SetMode(IMPORT_MODE_AUTOMATIC);
  vt::PostMessage(GetMainWindow(), WM_VT_SHOWIMPORTBAR, 0, 0);
  m_importManager->Start();
}
