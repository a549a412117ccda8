// The printer the program prints on and how its pages are laid: kept for the whole session, as
// Print Setup and the print dialog leave it, and read by every print job and preview.
#pragma once
#include <string>

namespace vt {

struct PrinterSetup {
  std::string printerName;  // empty: the system's default printer
  std::string outputFile;   // not empty: the job goes to this PDF file instead of a printer
  bool landscape = false;
  int paperWidthMm = 210;  // A4 unless Print Setup chose another paper
  int paperHeightMm = 297;
  int copies = 1;
};

PrinterSetup& CurrentPrinterSetup();

}  // namespace vt
