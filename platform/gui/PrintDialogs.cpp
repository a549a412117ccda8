// The print dialog and Print Setup of the real common-dialog provider, over Qt's print dialogs,
// and the session's printer setup they start from and leave behind.
#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/gui/CommonDialogs.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/qt/QtPrinter.h"

namespace vt {

namespace {

QWidget* OwnerOf(WindowHandle owner) {
  if (owner == 0) return nullptr;
  auto* widget = static_cast<QWidget*>(WindowNative(owner));
  return widget ? widget->window() : nullptr;
}

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

PrinterSetup& CurrentPrinterSetup() {
  static PrinterSetup setup;
  return setup;
}

QPageLayout PageLayoutOf(const PrinterSetup& setup) {
  const QPageSize size(QSizeF(setup.paperWidthMm, setup.paperHeightMm), QPageSize::Millimeter);
  // Printers cannot print to the paper's edge; 5 mm all round is what most of them leave.
  return QPageLayout(size, setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

std::unique_ptr<QPrinter> MakePrinter(const PrinterSetup& setup) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!setup.outputFile.empty()) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(Q(setup.outputFile));
  } else if (!setup.printerName.empty()) {
    printer->setPrinterName(Q(setup.printerName));
  }
  printer->setResolution(kPrintDpi);
  printer->setPageLayout(PageLayoutOf(setup));
  printer->setCopyCount(std::max(1, setup.copies));
  return printer;
}

PrinterSetup SetupOf(const QPrinter& printer, const PrinterSetup& base) {
  PrinterSetup setup = base;
  setup.outputFile =
      printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName().toStdString() : "";
  setup.printerName = setup.outputFile.empty() ? printer.printerName().toStdString() : "";
  const QPageLayout layout = printer.pageLayout();
  setup.landscape = layout.orientation() == QPageLayout::Landscape;
  const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
  setup.paperWidthMm = int(mm.width() + 0.5);
  setup.paperHeightMm = int(mm.height() + 0.5);
  setup.copies = printer.copyCount();
  return setup;
}

PrintDialogResult QtCommonDialogs::ChoosePrint(const PrintDialogRequest& request) {
  PrintDialogResult result;
  result.setup = request.setup;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return result;
  std::unique_ptr<QPrinter> printer = MakePrinter(request.setup);
  QPrintDialog dialog(printer.get(), OwnerOf(request.owner));
  dialog.setObjectName(QStringLiteral("dialog.print"));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, request.selectionEnabled);
  dialog.setMinMax(request.minPage, request.maxPage);
  dialog.setFromTo(request.fromPage, request.toPage);
  if (dialog.exec() != QDialog::Accepted) return result;
  result.button = kIdOk;
  switch (dialog.printRange()) {
    case QAbstractPrintDialog::PageRange:
      result.range = PrintRange::Pages;
      break;
    case QAbstractPrintDialog::Selection:
      result.range = PrintRange::Selection;
      break;
    default:
      result.range = PrintRange::All;
      break;
  }
  result.fromPage = dialog.fromPage();
  result.toPage = dialog.toPage();
  result.setup = SetupOf(*printer, request.setup);
  return result;
}

PageSetupResult QtCommonDialogs::ChoosePageSetup(const PageSetupRequest& request) {
  PageSetupResult result;
  result.setup = request.setup;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return result;
  std::unique_ptr<QPrinter> printer = MakePrinter(request.setup);
  QPageSetupDialog dialog(printer.get(), OwnerOf(request.owner));
  dialog.setObjectName(QStringLiteral("dialog.pagesetup"));
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) return result;
  result.button = kIdOk;
  result.setup = SetupOf(*printer, request.setup);
  result.setup.outputFile = request.setup.outputFile;
  return result;
}

}  // namespace vt
