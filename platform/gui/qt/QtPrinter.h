// A QPrinter made from the session's printer setup and the setup read back from one, shared by
// the print dialogs and the printer target. Print jobs run at 600 dots per inch: the print
// scale of the gadgets is LOGPIXELSY / 120, so 600 gives 5 (the printer's 1200 would double
// every pen and font).
#pragma once
#include <QPrinter>
#include <memory>

#include "platform/gui/PrinterSetup.h"

namespace vt {

constexpr int kPrintDpi = 600;

std::unique_ptr<QPrinter> MakePrinter(const PrinterSetup& setup);
PrinterSetup SetupOf(const QPrinter& printer, const PrinterSetup& base);
// The page size of the setup in printer pixels and its printable part.
QPageLayout PageLayoutOf(const PrinterSetup& setup);

}  // namespace vt
