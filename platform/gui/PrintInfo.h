// What a print job tells the view that prints it, and what the view tells the job back: the page
// limits, the range the user chose, the page being printed and whether the job is a preview.
//
// The job's page loop reads currentPage again after each page and counts on from there, so a
// view may steer the loop by writing it (the sheet counts pages of its own this way when its
// range goes beyond what the print dialog once could hold).
#pragma once

namespace vt {

// What the user chose in the print dialog.
enum class PrintRange { All, Pages, Selection };

// The highest page a job knows before the view has counted its pages.
constexpr int kPrintPagesUnknown = 0xFFFF;

struct PrintInfo {
  int minPage = 1;
  int maxPage = kPrintPagesUnknown;
  // The range to print: the dialog's entries, or minPage and maxPage when nothing was typed.
  int fromPage = 1;
  int toPage = kPrintPagesUnknown;
  int currentPage = 1;
  PrintRange range = PrintRange::All;
  bool preview = false;
  bool direct = false;  // no dialog: the current printer prints at once
  // The dialog offers "Selection" (the view has one to print).
  bool selectionEnabled = false;
  // A view clears it to end the page loop early.
  bool continuePrinting = true;
};

}  // namespace vt
