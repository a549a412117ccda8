// PDF files as the printer of tests.
#include "platform/gui/testing/PdfPrintTarget.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include "platform/gui/PrinterDc.h"
#include "platform/gui/qt/PrintDevice.h"
#include "platform/gui/qt/QtPrinter.h"

namespace vt {

namespace {

class PdfSurface : public PrintSurface {
 public:
  PdfSurface(const QString& path, const PrinterSetup& setup)
      : writer_(path), device_(writer_), dc_((Configure(setup), device_)) {}
  bool Valid() const { return dc_.IsValid(); }
  DeviceContext& Dc() override { return dc_; }
  bool NewPage() override { return dc_.NewPage(); }
  bool End() override { return dc_.End(); }

 private:
  int Configure(const PrinterSetup& setup) {
    writer_.setResolution(kPrintDpi);
    writer_.setPageLayout(PageLayoutOf(setup));
    writer_.setCreator(QStringLiteral("Vantrel"));
    return 0;
  }
  QPdfWriter writer_;
  PrintDevice device_;
  PrinterDc dc_;
};

}  // namespace

PdfPrintTarget::PdfPrintTarget(std::string folder, bool hasPrinter)
    : folder_(std::move(folder)), hasPrinter_(hasPrinter), previous_(SetPrintTarget(this)) {}

PdfPrintTarget::~PdfPrintTarget() { SetPrintTarget(previous_); }

bool PdfPrintTarget::HasPrinter(const PrinterSetup&) const { return hasPrinter_; }

std::unique_ptr<PrintSurface> PdfPrintTarget::Open(const PrinterSetup& setup, const std::string&) {
  if (!hasPrinter_) return nullptr;
  const std::string path = folder_ + "/job" + std::to_string(files_.size() + 1) + ".pdf";
  auto surface = std::make_unique<PdfSurface>(QString::fromStdString(path), setup);
  if (!surface->Valid()) return nullptr;
  files_.push_back(path);
  return surface;
}

PageMetrics PdfPrintTarget::Metrics(const PrinterSetup& setup) const {
  return PrinterTarget().Metrics(setup);
}

namespace {

// The tool's standard output; empty when it did not run or failed.
QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

int PdfPageCount(const std::string& pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::string PdfText(const std::string& pdf, int first, int last) {
  QStringList args{QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first)};
  if (last > 0) args << QStringLiteral("-l") << QString::number(last);
  args << QString::fromStdString(pdf) << QStringLiteral("-");
  return RunTool(QStringLiteral("pdftotext"), args).toStdString();
}

bool PdfFirstPageToPng(const std::string& pdf, const std::string& png, int dpi) {
  QString stem = QString::fromStdString(png);
  if (stem.endsWith(QStringLiteral(".png"))) stem.chop(4);
  QProcess p;
  p.start(QStringLiteral("pdftoppm"),
          {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
           QString::fromStdString(pdf), stem});
  return p.waitForFinished(60000) && p.exitCode() == 0 && QFile::exists(stem + QStringLiteral(".png"));
}

}  // namespace vt
