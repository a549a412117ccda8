// The application's side of the catalogue actions: the batch operations that move stored files
// to the deleted data, restore them and delete them for good, the export-folder picker, and the
// wiring of the main frame's delete, export and file-conversion commands.
//
// A batch operation stops the import worker and holds the program busy for its whole run, so no
// import touches the storage meanwhile; it shows its own progress window (the main window is
// disabled, events keep being handled between files) and books every file in the import list
// and the operation log only when the storage did what was asked: a file that could not be
// moved is neither logged as moved nor marked so in the import list. Any failure is reported
// once at the end.

#include "app/CListDoc.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CatalogueActions.h"
#include "app/FileConversion.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CBrowseForFolder.h"
#include "document/ui/CDlgProgressbar.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/Numbers.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/StringTable.h"
#include "recorder/StoreResult.h"
#include "store/COperationLog.h"
#include "store/CVTImportList.h"
#include "store/CVTImportManager.h"
#include "store/VTDataStorage.h"

namespace {

constexpr int kMsgLongProcessing = 10016;
constexpr int kMsgProcessingFailed = 10220;
constexpr uint32_t kIdsExportFolderTitle = 201;
constexpr size_t kAskAbove = 500;

// The stored file's path for a path of the deleted data: the top folder is exchanged, nothing
// else ("TRASH/S1/2023/11/A.DAE" -> "FILES/S1/2023/11/A.DAE").
std::string StoredPathOf(const std::string& path) {
  if (path.size() > 5 && path.compare(0, 5, "TRASH") == 0 && (path[5] == '/' || path[5] == '\\'))
    return "FILES" + path.substr(5);
  return path;
}

}  // namespace

bool CVantrelApp::MoveFilesToTrash(const std::vector<std::string>& paths) {
  return RunBatchOperation(BatchKind::Trash, paths);
}

bool CVantrelApp::RestoreFiles(const std::vector<std::string>& paths) {
  return RunBatchOperation(BatchKind::Restore, paths);
}

bool CVantrelApp::PurgeFiles(const std::vector<std::string>& paths) {
  return RunBatchOperation(BatchKind::Purge, paths);
}

bool CVantrelApp::RunBatchOperation(BatchKind kind, const std::vector<std::string>& paths) {
  const vt::WindowHandle frame = GetMainWindow();
  const size_t n = paths.size();
  if (n == 0) return true;
  if (n > kAskAbove && DisplayMessage(frame, kMsgLongProcessing, vt::kMbOkCancel) != vt::kIdOk) return true;

  const bool wasBusy = m_busy.exchange(true);
  CDlgProgressbar progress(frame, 0);
  progress.m_total = int32_t(n);
  progress.ShowProgressPercent(0);
  progress.SetProgressPercent(0);

  const bool importRan = m_importManager && !m_importManager->IsIdle();
  StopImportWorker(false);
  const bool session = m_importManager && m_workerStorage != nullptr;
  if (session) m_importManager->OpenSession();
  CVTImportList* list = session ? m_importManager->GetImportList() : nullptr;
  COperationLog* log = session ? m_importManager->GetOperationLog() : nullptr;

  size_t failed = 0;
  for (size_t k = 1; k <= n; ++k) {
    const std::string& path = paths[k - 1];
    progress.SetWindowText(vt::FormatC("%zu / %zu", k, n));
    CVTDataStorage* storage = m_currentStorage;
    bool done = false;
    std::string booked = StoredPathOf(path);
    int code = vt::LOG_TRASH;
    switch (kind) {
      case BatchKind::Trash:
        done = storage && storage->MoveFileToTrash(path) == STORE_OK;
        if (done && list && list->IsOpen()) list->SetTrashedStatus(booked);
        break;
      case BatchKind::Restore:
        done = storage && storage->RestoreFile(path, nullptr) == STORE_OK;
        if (done && list && list->IsOpen()) list->SetRestoredStatus(booked);
        code = vt::LOG_REVERSE;
        break;
      case BatchKind::Purge:
        done = storage && storage->PurgeFile(path) == STORE_OK;
        if (done && list && list->IsOpen()) list->SetDeletedStatus(booked);
        code = vt::LOG_DELETE;
        break;
    }
    if (done && log && log->IsOpen()) log->WriteWithText(code, booked);
    if (!done) ++failed;
    vt::PumpBriefly(1);
    progress.SetProgressPercent(100.0 * double(k) / double(n));
  }

  if (session) m_importManager->CloseSession();
  m_busy = wasBusy;
  if (importRan && m_settings && m_settings->IsAutoImportConfigured())
    StartAutoImport(IMPORT_MODE_AUTOMATIC, false);
  progress.EnableParent(true);
  progress.EnableWindow(false);
  progress.ShowWindow(false);
  if (failed > 0) DisplayMessage(frame, kMsgProcessingFailed, vt::kMbOk);
  return failed == 0;
}

bool CVantrelApp::ChooseExportFolder(std::string* folder) {
  CBrowseForExportFolder picker(GetMainWindow(), vt::LoadString(kIdsExportFolderTitle));
  if (m_settings) {
    picker.m_startFolder = m_settings->m_fileExpFolder;
    picker.m_folderTable = m_settings->m_folderTable;
  }
  if (picker.DoModal() != 1) return false;
  *folder = picker.m_result;
  if (m_settings) m_settings->m_fileExpFolder = picker.m_result;
  return !folder->empty();
}

void CVantrelApp::RegisterCatalogueCommands() {
  if (!m_mainFrame) return;
  CMainFrame* frame = m_mainFrame.get();
  vt::CatalogueActions::Hooks hooks;
  hooks.graphWindowActive = [frame] { return frame->HasActiveGraphDocument(); };
  hooks.reportListFocused = [frame] { return frame->IsReportListFocused(); };
  hooks.chooseExportFolder = [this](std::string* folder) { return ChooseExportFolder(folder); };
  hooks.convertFiles = [this](int format, const std::vector<std::string>& paths) {
    if (!m_currentStorage) return;
    vt::ConvertStoredFiles(format, paths, m_currentStorage->GetFolder(),
                           m_settings ? &m_settings->m_fileCnvFolder : nullptr);
  };
  hooks.owner = GetMainWindow();
  m_catalogueActions =
      std::make_unique<vt::CatalogueActions>(frame->ListDoc(), frame->NavigationDoc(), hooks);
  m_catalogueActions->Register(frame->Commands());
  CListDoc::FileOperations operations;
  operations.moveToTrash = [this](const std::vector<std::string>& p) { return MoveFilesToTrash(p); };
  operations.restore = [this](const std::vector<std::string>& p) { return RestoreFiles(p); };
  operations.purge = [this](const std::vector<std::string>& p) { return PurgeFiles(p); };
  frame->ListDoc().SetFileOperations(std::move(operations));
}
