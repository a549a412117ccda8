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

  const std::vector<OpenFileRequest>& OpenRequests() const { return openRequests_; }
  const std::vector<SaveFileRequest>& SaveRequests() const { return saveRequests_; }
  const std::vector<FolderRequest>& FolderRequests() const { return folderRequests_; }

  OpenFileResult ChooseFilesToOpen(const OpenFileRequest& request) override;
  SaveFileResult ChooseFileToSave(const SaveFileRequest& request) override;
  FolderResult ChooseFolder(const FolderRequest& request) override;

 private:
  std::deque<OpenFileResult> files_;
  std::deque<SaveFileResult> saves_;
  std::deque<FolderResult> folders_;
  std::vector<OpenFileRequest> openRequests_;
  std::vector<SaveFileRequest> saveRequests_;
  std::vector<FolderRequest> folderRequests_;
  CommonDialogs* previous_;
};

}  // namespace vt
