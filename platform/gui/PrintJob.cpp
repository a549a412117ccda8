// The print road: preparation, the printer target and the page loop.
#include "platform/gui/PrintJob.h"

#include <QPrinterInfo>
#include <algorithm>
#include <atomic>

#include "platform/gui/CommonDialogs.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PrinterDc.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/PrintDevice.h"
#include "platform/gui/qt/QtPrinter.h"

namespace vt {

namespace {

std::atomic<PrintTarget*> g_target{nullptr};

// A job on a QPrinter.
class PrinterSurface : public PrintSurface {
 public:
  explicit PrinterSurface(std::unique_ptr<QPrinter> printer)
      : printer_(std::move(printer)), device_(*printer_), dc_(device_) {}
  bool Valid() const { return dc_.IsValid(); }
  DeviceContext& Dc() override { return dc_; }
  bool NewPage() override { return dc_.NewPage(); }
  bool End() override { return dc_.End() && printer_->printerState() != QPrinter::Error; }

 private:
  std::unique_ptr<QPrinter> printer_;
  PrintDevice device_;
  PrinterDc dc_;
};

void ShowPrintMessage(WindowHandle owner, uint32_t id) {
  MessageBox(owner, LoadString(id), LoadString(128), kMbOk | kMbIconWarning);
}

}  // namespace

bool PrinterTarget::HasPrinter(const PrinterSetup& setup) const {
  if (!setup.outputFile.empty()) return true;
  if (!setup.printerName.empty())
    return !QPrinterInfo::printerInfo(QString::fromStdString(setup.printerName)).isNull();
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::unique_ptr<PrintSurface> PrinterTarget::Open(const PrinterSetup& setup, const std::string& title) {
  if (!HasPrinter(setup)) return nullptr;
  std::unique_ptr<QPrinter> printer = MakePrinter(setup);
  printer->setDocName(QString::fromStdString(title));
  auto surface = std::make_unique<PrinterSurface>(std::move(printer));
  if (!surface->Valid()) return nullptr;
  return surface;
}

PageMetrics PrinterTarget::Metrics(const PrinterSetup& setup) const {
  const QPageLayout layout = PageLayoutOf(setup);
  const QRect px = layout.paintRectPixels(kPrintDpi);
  const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
  return PageMetrics{px.width(), px.height(), int(mm.width()), int(mm.height()), kPrintDpi};
}

PrintTarget* SetPrintTarget(PrintTarget* target) { return g_target.exchange(target); }

PrintTarget& CurrentPrintTarget() {
  static PrinterTarget real;
  PrintTarget* t = g_target.load();
  return t ? *t : real;
}

bool DoPreparePrinting(PrintInfo& info, WindowHandle owner) {
  if (info.preview) return true;
  PrinterSetup& setup = CurrentPrinterSetup();
  if (info.direct) {
    if (CurrentPrintTarget().HasPrinter(setup)) return true;
    ShowPrintMessage(owner, kIdsNoPrinter);
    return false;
  }
  PrintDialogRequest request;
  request.owner = owner;
  request.minPage = info.minPage;
  request.maxPage = info.maxPage;
  request.fromPage = info.minPage;
  request.toPage = info.maxPage;
  request.selectionEnabled = info.selectionEnabled;
  request.setup = setup;
  const PrintDialogResult result = CurrentCommonDialogs().ChoosePrint(request);
  if (result.button != kIdOk) return false;
  info.range = result.range;
  if (result.range == PrintRange::All) {
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
  } else {
    info.fromPage = result.fromPage;
    info.toPage = result.toPage;
  }
  setup = result.setup;
  return true;
}

bool RunPrintSetup(WindowHandle owner) {
  PageSetupRequest request;
  request.owner = owner;
  request.setup = CurrentPrinterSetup();
  const PageSetupResult result = CurrentCommonDialogs().ChoosePageSetup(request);
  if (result.button != kIdOk) return false;
  CurrentPrinterSetup() = result.setup;
  return true;
}

void RunPageLoop(PrintClient& client, PrintInfo& info, PrintSurface& surface) {
  // The range as it stands after the view began, kept within the pages the view allows.
  int start = std::clamp(info.fromPage, info.minPage, std::max(info.minPage, info.maxPage));
  int end = std::clamp(info.toPage, info.minPage, std::max(info.minPage, info.maxPage));
  const int step = end >= start ? 1 : -1;
  end += step;
  bool first = true;
  for (info.currentPage = start; info.currentPage != end; info.currentPage += step) {
    if (!info.continuePrinting) break;
    if (!first) surface.NewPage();
    first = false;
    client.OnPrint(&surface.Dc(), info);
  }
}

PrintOutcome RunPrintJob(PrintClient& client, PrintInfo& info) {
  info.preview = false;
  if (!client.OnPreparePrinting(info)) return PrintOutcome::NotStarted;
  std::unique_ptr<PrintSurface> surface =
      CurrentPrintTarget().Open(CurrentPrinterSetup(), client.PrintTitle());
  if (!surface) {
    ShowPrintMessage(client.PrintOwner(), CurrentPrintTarget().HasPrinter(CurrentPrinterSetup())
                                              ? kIdsPrintNotStarted
                                              : kIdsNoPrinter);
    return PrintOutcome::NotStarted;
  }
  client.OnBeginPrinting(&surface->Dc(), info);
  RunPageLoop(client, info, *surface);
  client.OnEndPrinting(&surface->Dc(), info);
  return surface->End() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace vt
