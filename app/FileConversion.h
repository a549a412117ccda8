// FileConversion: the conversion of whole stored files ("To Excel[File]", "To Text[File]") on a
// worker thread around the export library's job queue. The queue and its jobs are made on the
// user-interface thread before the worker starts, so the progress window's Cancel always finds
// them; the worker only runs the jobs and hides the progress window. Its end is handed to the
// user-interface thread, which joins the worker, keeps the converted files' list, deletes the
// queue and reports a failure with message 10218 (a cancel is not a failure). Exit and the end
// of the session cancel and join a running conversion.
//
// The catalogue command hands over a plain list of stored files (paths relative to the current
// storage); ConvertStoredFiles asks for the folder and the step first.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/WindowHandles.h"

class CDlgProgressbar;
class VTFileConverter;
class VTSingleFileConverter;

namespace vt {

class FileConversion {
 public:
  // progress may be null (no window is shown); owner is the main window of message 10218.
  FileConversion(CDlgProgressbar* progress, WindowHandle owner);
  // Cancels and joins a running conversion.
  ~FileConversion();
  FileConversion(const FileConversion&) = delete;
  FileConversion& operator=(const FileConversion&) = delete;

  // Converts each source file (a full path) into folder; format 0 spreadsheet, else text. False
  // (nothing started) while a conversion runs or without sources.
  bool Start(const std::vector<std::string>& sources, const std::string& folder, int format, int step);
  // The progress window's cancel function (data: the FileConversion). Nothing without a queue.
  static void CancelFileConversion(void* self);
  void Cancel();
  // Cancels, waits for the worker and finishes on this thread (exit, end of session).
  void Stop();
  bool IsRunning() const { return worker_.joinable(); }
  // The last run: its result (0 done, 1 failed, 42 cancelled) and the files it left.
  int LastResult() const { return lastResult_; }
  const std::vector<std::string>& ConvertedFiles() const { return converted_; }
  // Tests replace each job's writer or formatter.
  void SetConverterSetup(std::function<void(VTSingleFileConverter&)> setup) { setup_ = std::move(setup); }
  // Called on the user-interface thread after each run has been finished.
  void SetFinished(std::function<void(int result)> finished) { finished_ = std::move(finished); }

 private:
  // User-interface thread: join, keep the results, delete the queue, report a failure.
  void Finish();

  CDlgProgressbar* progress_;
  WindowHandle owner_;
  std::unique_ptr<VTFileConverter> converter_;
  std::thread worker_;
  std::atomic<int> result_{0};
  int lastResult_ = 0;
  std::vector<std::string> converted_;
  std::function<void(VTSingleFileConverter&)> setup_;
  std::function<void(int)> finished_;
  std::shared_ptr<std::atomic<bool>> alive_;
};

// The application's file conversion (made by CVantrelApp::RegisterConversionCommands), or null.
FileConversion* GetFileConversion();
void SetFileConversion(std::unique_ptr<FileConversion> conversion);
// Stops and deletes the application's file conversion (exit).
void ReleaseFileConversion();

// The conversion command after the catalogue's selection was taken: the file-conversion dialog
// with the settings' folder (or the default one, made when missing), then the stored files
// relative to storageFolder converted into the chosen folder, which the settings remember.
// False when the dialog was cancelled or nothing was started.
bool ConvertStoredFiles(int format, const std::vector<std::string>& storedPaths,
                        const std::string& storageFolder, std::string* settingsFolder);

}  // namespace vt
