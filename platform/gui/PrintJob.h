// Print jobs: the road from a print command to the pages, as the document/view side expects it.
//
// A view that prints is a PrintClient. RunPrintJob asks it to prepare (it usually calls
// DoPreparePrinting, which shows the print dialog unless the job is direct or a preview), opens
// the printer through the installed print target, lets the view begin, prints the pages one by
// one and lets it end. The page loop is the one views were written for: it starts at fromPage,
// stops when the current page reaches toPage + 1 (both kept within minPage..maxPage after the
// view began), reads currentPage again after each page and counts on from what it finds. A view
// may therefore write currentPage to steer the loop.
//
// What prints is the installed PrintTarget: the real printers by default; tests install one that
// writes PDF files (platform/gui/testing/PdfPrintTarget.h).
#pragma once
#include <memory>
#include <string>

#include "platform/base/WindowHandles.h"
#include "platform/gui/PrintInfo.h"
#include "platform/gui/PrinterSetup.h"

namespace vt {

class DeviceContext;

class PrintClient {
 public:
  virtual ~PrintClient() = default;
  // False ends the job before it starts (the dialog was cancelled, the view refused).
  virtual bool OnPreparePrinting(PrintInfo& info) = 0;
  virtual void OnBeginPrinting(DeviceContext* dc, PrintInfo& info) = 0;
  virtual void OnPrint(DeviceContext* dc, PrintInfo& info) = 0;
  virtual void OnEndPrinting(DeviceContext* dc, PrintInfo& info) = 0;
  // The window that owns the job's dialogs and messages.
  virtual WindowHandle PrintOwner() const { return 0; }
  // The job's name in the printer queue.
  virtual std::string PrintTitle() const { return "Vantrel"; }
};

// The size of a printer's page as the job sees it: the printable part in device pixels, its
// size in millimetres and the resolution.
struct PageMetrics {
  int width = 0;
  int height = 0;
  int widthMm = 0;
  int heightMm = 0;
  int dpi = 0;
};

// One open print job on a device: a context that draws on the current page.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  virtual DeviceContext& Dc() = 0;
  virtual bool NewPage() = 0;
  // Ends the job; false when the device reports a failure.
  virtual bool End() = 0;
};

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // Whether a printer is there to print on (a preview needs none).
  virtual bool HasPrinter(const PrinterSetup& setup) const = 0;
  // Null when the job cannot start.
  virtual std::unique_ptr<PrintSurface> Open(const PrinterSetup& setup, const std::string& title) = 0;
  virtual PageMetrics Metrics(const PrinterSetup& setup) const = 0;
};

// The real printers (QPrinter at 600 dots per inch).
class PrinterTarget : public PrintTarget {
 public:
  bool HasPrinter(const PrinterSetup& setup) const override;
  std::unique_ptr<PrintSurface> Open(const PrinterSetup& setup, const std::string& title) override;
  PageMetrics Metrics(const PrinterSetup& setup) const override;
};

// Installs a target (null: the real printers again) and returns the previous one (null when it
// was the real one). The caller keeps ownership.
PrintTarget* SetPrintTarget(PrintTarget* target);
PrintTarget& CurrentPrintTarget();

// The view's standard preparation: a preview needs nothing; a direct job needs a printer (without
// one it says so through the message box and the job does not start); any other job shows the
// print dialog, which leaves the chosen range in info and the chosen printer in the session's
// setup. False: the job does not start.
bool DoPreparePrinting(PrintInfo& info, WindowHandle owner);

// Print Setup: the page-setup dialog over the session's setup; OK keeps what was chosen for every
// later job. True for OK.
bool RunPrintSetup(WindowHandle owner);

enum class PrintOutcome { Printed, NotStarted, Failed };

// The whole job for client. info comes in with preview false and direct set as the command says.
PrintOutcome RunPrintJob(PrintClient& client, PrintInfo& info);

// The page loop alone, on an open surface (the job's loop; the preview renders single pages).
void RunPageLoop(PrintClient& client, PrintInfo& info, PrintSurface& surface);

// The messages shown when no printer is there for a direct job, and when the printer refused
// the job.
constexpr uint32_t kIdsNoPrinter = 61713;
constexpr uint32_t kIdsPrintNotStarted = 61714;
// "Command failed." for a preview that cannot start.
constexpr uint32_t kIdsCommandFailed = 61705;

}  // namespace vt
