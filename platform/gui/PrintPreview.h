// The print preview: a modal window that shows one page of a print job at a time.
//
// It begins the job once (the view prepares it as a preview: no dialog), and draws a page only
// when it is shown, so a job of tens of thousands of pages opens as fast as one of a single
// page. Closing it ends the job. PrintPreview is the job side without the window (the window
// drives it; tests and the benchmark drive it directly).
#pragma once
#include <memory>

#include "platform/gui/PageImageDc.h"
#include "platform/gui/PrintJob.h"

namespace vt {

class PrintPreview {
 public:
  // A preview of client's job on the session's printer, pages drawn pictureWidth pixels wide.
  PrintPreview(PrintClient& client, int pictureWidth);
  ~PrintPreview();  // ends the job when it began
  PrintPreview(const PrintPreview&) = delete;
  PrintPreview& operator=(const PrintPreview&) = delete;

  // Prepares and begins the job; false when the view refused it.
  bool Begin();
  // The pages the view counted, first to last.
  int FirstPage() const { return first_; }
  int LastPage() const { return last_; }
  // Draws page (kept within the job's pages) and only that page.
  void ShowPage(int page);
  int ShownPage() const { return shown_; }
  PageImageDc& Page() { return *dc_; }
  void End();

 private:
  PrintClient& client_;
  PrintInfo info_;
  std::unique_ptr<PageImageDc> dc_;
  bool begun_ = false;
  int first_ = 1;
  int last_ = 1;
  int shown_ = 0;
};

// The modal preview window over owner. False (after "Command failed.") when it could not start.
bool RunPrintPreview(PrintClient& client, WindowHandle owner);

}  // namespace vt
