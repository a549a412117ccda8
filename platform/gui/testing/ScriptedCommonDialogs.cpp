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

void ScriptedCommonDialogs::QueuePrint(PrintRange range, int fromPage, int toPage) {
  PrintDialogResult r;
  r.button = kIdOk;
  r.range = range;
  r.fromPage = fromPage;
  r.toPage = toPage;
  prints_.push_back(r);
}

void ScriptedCommonDialogs::QueuePrintCancel() { prints_.push_back(PrintDialogResult{}); }

void ScriptedCommonDialogs::QueuePageSetup(const PrinterSetup& setup) {
  pageSetups_.push_back(PageSetupResult{kIdOk, setup});
}

void ScriptedCommonDialogs::QueuePageSetupCancel() { pageSetups_.push_back(PageSetupResult{}); }

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

PrintDialogResult ScriptedCommonDialogs::ChoosePrint(const PrintDialogRequest& request) {
  printRequests_.push_back(request);
  PrintDialogResult r = Next(prints_);
  r.setup = request.setup;
  return r;
}

PageSetupResult ScriptedCommonDialogs::ChoosePageSetup(const PageSetupRequest& request) {
  pageSetupRequests_.push_back(request);
  PageSetupResult r = Next(pageSetups_);
  if (r.button != kIdOk) r.setup = request.setup;
  return r;
}

}  // namespace vt
