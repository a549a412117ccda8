// The scripted common-dialog provider (see ScriptedCommonDialogs.h).
#include "platform/gui/testing/ScriptedCommonDialogs.h"

#include "platform/gui/MessageBox.h"

namespace vt {

namespace {

template <typename T>
T Next(std::deque<T>& queue) {
  if (queue.empty()) return T{};
  T answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

}  // namespace

ScriptedCommonDialogs::ScriptedCommonDialogs() : previous_(SetCommonDialogs(this)) {}

ScriptedCommonDialogs::~ScriptedCommonDialogs() { SetCommonDialogs(previous_); }

void ScriptedCommonDialogs::QueueFiles(std::vector<std::string> paths) {
  files_.push_back(OpenFileResult{kIdOk, std::move(paths), false});
}

void ScriptedCommonDialogs::QueueFileCancel() { files_.push_back(OpenFileResult{}); }

void ScriptedCommonDialogs::QueueSave(std::string path) {
  saves_.push_back(SaveFileResult{kIdOk, std::move(path)});
}

void ScriptedCommonDialogs::QueueFolder(std::string path, bool checked) {
  folders_.push_back(FolderResult{kIdOk, std::move(path), checked});
}

void ScriptedCommonDialogs::QueueFolderCancel() { folders_.push_back(FolderResult{}); }

OpenFileResult ScriptedCommonDialogs::ChooseFilesToOpen(const OpenFileRequest& request) {
  openRequests_.push_back(request);
  return Next(files_);
}

SaveFileResult ScriptedCommonDialogs::ChooseFileToSave(const SaveFileRequest& request) {
  saveRequests_.push_back(request);
  return Next(saves_);
}

FolderResult ScriptedCommonDialogs::ChooseFolder(const FolderRequest& request) {
  folderRequests_.push_back(request);
  return Next(folders_);
}

}  // namespace vt
