// VTFileConverter: the conversion job queue. Runs its jobs one after the other, each with its
// own single-file converter, and keeps the paths of all files written in its converted-file log.
// CancelJobs may come from any thread while RunJobs runs: no further job starts, the running
// job stops and deletes its files, and the run returns 42. A job that had finished when the
// cancel came keeps its files, and they are logged.
#pragma once
#include <atomic>
#include <deque>
#include <functional>
#include <string>

#include "export/ConvertedFileLog.h"
#include "export/VTSingleFileConverter.h"
#include "store/VTSyncObject.h"

namespace vt {

struct SConvertJob {
  std::string source;
  std::string destination;
  int formatFlag = 0;  // 0 workbook, anything else text
  int step = 1;
};

}  // namespace vt

class VTFileConverter : public CovnertedFileLogManager {
 public:
  // Called with each job's converter before it runs (tests replace its writer or formatter).
  using ConverterSetup = std::function<void(VTSingleFileConverter&)>;
  // Called after each job with its index, the job count and the job's result.
  using Progress = std::function<void(size_t done, size_t total, int result)>;

  VTFileConverter();
  VTFileConverter(const std::string& source, const std::string& destination, int formatFlag);
  ~VTFileConverter() override;

  // A step of 0 is stored as 1.
  void AddJob(const std::string& destination, const std::string& source, int formatFlag, int step);
  // 0 every job converted; 1 or 42 the result of the first job that failed; 42 after a cancel.
  int RunJobs();
  void CancelJobs();

  bool HasMutex() const { return mutex_.HasHandle(); }
  void SetConverterSetup(ConverterSetup setup) { setup_ = std::move(setup); }
  void SetProgress(Progress progress) { progress_ = std::move(progress); }

 private:
  std::deque<vt::SConvertJob> jobs_;
  std::atomic<bool> cancel_{false};
  VTSingleFileConverter* current_ = nullptr;
  CVTMutex mutex_;
  ConverterSetup setup_;
  Progress progress_;
};
