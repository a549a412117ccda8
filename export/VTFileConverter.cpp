// VTFileConverter: the conversion job queue (see VTFileConverter.h).
#include "export/VTFileConverter.h"

#include "store/FolderHelpers.h"

VTFileConverter::VTFileConverter() {
  std::string guid;
  NewGuidString(guid);
  mutex_.Create("VTFileConverter_MTX_ " + guid);
}

VTFileConverter::VTFileConverter(const std::string& source, const std::string& destination, int formatFlag)
    : VTFileConverter() {
  AddJob(destination, source, formatFlag, 1);
}

VTFileConverter::~VTFileConverter() { mutex_.Close(); }

void VTFileConverter::AddJob(const std::string& destination, const std::string& source, int formatFlag,
                             int step) {
  jobs_.push_back(vt::SConvertJob{source, destination, formatFlag, step == 0 ? 1 : step});
}

int VTFileConverter::RunJobs() {
  std::deque<vt::SConvertJob> jobs = jobs_;
  const size_t total = jobs.size();
  size_t done = 0;
  while (!jobs.empty()) {
    // A cancel that came before or between jobs runs nothing more.
    if (cancel_) return vt::CONVERT_CANCELLED;
    const vt::SConvertJob job = jobs.front();
    jobs.pop_front();
    VTSingleFileConverter converter(job.destination, job.source, job.formatFlag, job.step);
    if (setup_) setup_(converter);
    {
      vt::CVTSyncGuard guard(&mutex_);
      current_ = &converter;
      // A cancel between the check above and publishing the converter reaches it here.
      if (cancel_) converter.Cancel();
    }
    const int result = converter.Convert();
    {
      vt::CVTSyncGuard guard(&mutex_);
      current_ = nullptr;
    }
    ++done;
    if (progress_) progress_(done, total, result);
    if (result != vt::CONVERT_DONE) return result;
    // The job's log holds exactly the files it finished (a job it cancelled deleted its own and
    // logged none), so it is kept whatever came after: a cancel only undoes unfinished work.
    for (unsigned i = 0; i < converter.GetConvertedFileNum(); ++i)
      AddConvertedFile(converter.GetConvertedFilePath(i));
    if (cancel_) return vt::CONVERT_CANCELLED;
  }
  return vt::CONVERT_DONE;
}

void VTFileConverter::CancelJobs() {
  cancel_ = true;
  vt::CVTSyncGuard guard(&mutex_);
  if (current_) current_->Cancel();
}
