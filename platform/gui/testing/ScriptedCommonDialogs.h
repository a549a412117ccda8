// A common-dialog provider for tests: installed for its lifetime, it records every request and
// answers from queues of scripted choices (Cancel once a queue is empty). Nothing is shown.
#pragma once
#include <deque>
#include <vector>

#include "platform/gui/CommonDialogs.h"

namespace vt {

class ScriptedCommonDialogs : public CommonDialogs {
 public:
  ScriptedCommonDialogs();
  ~ScriptedCommonDialogs() override;  // puts the previous provider back
  ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
  ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

  // The next dialogs choose these files (OK) or cancel (no paths).
  void QueueFiles(std::vector<std::string> paths);
  void QueueFileCancel();
  void QueueSave(std::string path);
  void QueueFolder(std::string path, bool checked);
  void QueueFolderCancel();
  // The next print dialog prints the range (the printer stays the one asked with); a cancelled
  // one prints nothing.
  void QueuePrint(PrintRange range, int fromPage = 1, int toPage = 1);
  void QueuePrintCancel();
  void QueuePageSetup(const PrinterSetup& setup);
  void QueuePageSetupCancel();

  const std::vector<OpenFileRequest>& OpenRequests() const { return openRequests_; }
  const std::vector<SaveFileRequest>& SaveRequests() const { return saveRequests_; }
  const std::vector<FolderRequest>& FolderRequests() const { return folderRequests_; }
  const std::vector<PrintDialogRequest>& PrintRequests() const { return printRequests_; }
  const std::vector<PageSetupRequest>& PageSetupRequests() const { return pageSetupRequests_; }

  OpenFileResult ChooseFilesToOpen(const OpenFileRequest& request) override;
  SaveFileResult ChooseFileToSave(const SaveFileRequest& request) override;
  FolderResult ChooseFolder(const FolderRequest& request) override;
  PrintDialogResult ChoosePrint(const PrintDialogRequest& request) override;
  PageSetupResult ChoosePageSetup(const PageSetupRequest& request) override;

 private:
  std::deque<OpenFileResult> files_;
  std::deque<SaveFileResult> saves_;
  std::deque<FolderResult> folders_;
  std::deque<PrintDialogResult> prints_;
  std::deque<PageSetupResult> pageSetups_;
  std::vector<OpenFileRequest> openRequests_;
  std::vector<SaveFileRequest> saveRequests_;
  std::vector<FolderRequest> folderRequests_;
  std::vector<PrintDialogRequest> printRequests_;
  std::vector<PageSetupRequest> pageSetupRequests_;
  CommonDialogs* previous_;
};

}  // namespace vt
