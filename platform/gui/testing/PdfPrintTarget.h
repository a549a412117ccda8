// A print target for tests: every job is written as a PDF file (A4, 600 dots per inch, the
// same printable part as the real printers), in the folder given, one file per job named
// job1.pdf, job2.pdf, ... Installed for its lifetime. HasPrinter is what the test says, so the
// road without any printer can be taken too.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/PrintJob.h"

namespace vt {

class PdfPrintTarget : public PrintTarget {
 public:
  explicit PdfPrintTarget(std::string folder, bool hasPrinter = true);
  ~PdfPrintTarget() override;  // puts the previous target back
  PdfPrintTarget(const PdfPrintTarget&) = delete;
  PdfPrintTarget& operator=(const PdfPrintTarget&) = delete;

  // The files written so far, oldest first.
  const std::vector<std::string>& Files() const { return files_; }

  bool HasPrinter(const PrinterSetup& setup) const override;
  std::unique_ptr<PrintSurface> Open(const PrinterSetup& setup, const std::string& title) override;
  PageMetrics Metrics(const PrinterSetup& setup) const override;

 private:
  std::string folder_;
  bool hasPrinter_;
  std::vector<std::string> files_;
  PrintTarget* previous_;
};

// Reading a printed file back with the PDF tools: the page count (-1 when it cannot be read),
// the text of pages first to last (0: to the end), and the first page drawn as a PNG at dpi.
int PdfPageCount(const std::string& pdf);
std::string PdfText(const std::string& pdf, int first = 1, int last = 0);
bool PdfFirstPageToPng(const std::string& pdf, const std::string& png, int dpi = 60);

}  // namespace vt
