// The file conversion's worker and command (see FileConversion.h).
#include "app/FileConversion.h"

#include <cassert>

#include "document/ui/CDlgFileConvert.h"
#include "document/ui/CDlgProgressbar.h"
#include "export/VTFileConverter.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/Application.h"
#include "platform/gui/MessageBox.h"

namespace vt {

namespace {

constexpr int kMsgConversionError = 10218;
constexpr uint32_t kIdsConverting = 5030;
constexpr int kConvertFailed = 1;

std::unique_ptr<FileConversion> g_conversion;

}  // namespace

FileConversion::FileConversion(CDlgProgressbar* progress, WindowHandle owner)
    : progress_(progress), owner_(owner) {}

FileConversion::~FileConversion() { Stop(); }

bool FileConversion::Start(const std::vector<std::string>& sources, const std::string& folder, int format,
                           int step) {
  if (IsRunning() || sources.empty()) return false;
  converter_ = std::make_unique<VTFileConverter>();
  const std::string destination = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  for (const std::string& source : sources) converter_->AddJob(destination, source, format, step);
  if (setup_) converter_->SetConverterSetup(setup_);
  if (progress_) {
    progress_->m_cancelFunction = &FileConversion::CancelFileConversion;
    progress_->m_cancelData = this;
    progress_->ShowProgress(kIdsConverting);
  }
  // Posted calls may outlive this object (exit): they look at this flag first.
  alive_ = std::make_shared<std::atomic<bool>>(true);
  std::weak_ptr<std::atomic<bool>> alive = alive_;
  VTFileConverter* converter = converter_.get();
  worker_ = std::thread([this, converter, alive] {
    result_.store(converter->RunJobs());
    if (progress_) progress_->HideProgress();
    Application::PostCall([this, alive] {
      if (auto a = alive.lock(); a && a->load()) Finish();
    });
  });
  return true;
}

void FileConversion::CancelFileConversion(void* self) { static_cast<FileConversion*>(self)->Cancel(); }

void FileConversion::Cancel() {
  if (converter_) converter_->CancelJobs();
}

void FileConversion::Stop() {
  Cancel();
  Finish();
  if (alive_) alive_->store(false);
}

void FileConversion::Finish() {
  if (!worker_.joinable()) return;
  worker_.join();
  lastResult_ = result_.load();
  converted_ = converter_->GetConvertedFileList();
  converter_.reset();
  if (lastResult_ == kConvertFailed) DisplayMessage(owner_, kMsgConversionError, kMbOk);
  if (finished_) finished_(lastResult_);
}

FileConversion* GetFileConversion() { return g_conversion.get(); }

void SetFileConversion(std::unique_ptr<FileConversion> conversion) {
  if (g_conversion) g_conversion->Stop();
  g_conversion = std::move(conversion);
}

void ReleaseFileConversion() { SetFileConversion(nullptr); }

bool ConvertStoredFiles(int format, const std::vector<std::string>& storedPaths,
                        const std::string& storageFolder, std::string* settingsFolder) {
  FileConversion* conversion = GetFileConversion();
  if (!conversion || conversion->IsRunning()) return false;
  std::string folder =
      settingsFolder && !settingsFolder->empty() ? *settingsFolder : DefaultFileConvertFolder();
  if (!FolderExists(folder)) CreateFolder(folder);
  CDlgFileConvert dialog(Application::Current() ? Application::Current()->MainWindow() : 0);
  dialog.m_format = format;
  dialog.m_folder = folder;
  if (dialog.DoModal() != 1 || !dialog.m_root) return false;
  folder = dialog.m_root->m_folder;
  const int step = dialog.m_root->m_stepCount;
  std::vector<std::string> sources;
  for (const std::string& path : storedPaths) sources.push_back(storageFolder + "/" + path);
  if (settingsFolder) *settingsFolder = folder;
  return conversion->Start(sources, folder, format, step);
}

}  // namespace vt
