// The preview's job side: begin once, draw the shown page, end on close.
#include "platform/gui/PrintPreview.h"

#include <algorithm>

namespace vt {

PrintPreview::PrintPreview(PrintClient& client, int pictureWidth) : client_(client) {
  dc_ = std::make_unique<PageImageDc>(CurrentPrintTarget().Metrics(CurrentPrinterSetup()), pictureWidth);
}

PrintPreview::~PrintPreview() { End(); }

bool PrintPreview::Begin() {
  info_ = PrintInfo{};
  info_.preview = true;
  if (!client_.OnPreparePrinting(info_)) return false;
  client_.OnBeginPrinting(dc_.get(), info_);
  begun_ = true;
  // A preview shows every page the view counted; no range was chosen.
  first_ = info_.minPage;
  last_ = std::max(info_.minPage, info_.maxPage);
  return true;
}

void PrintPreview::ShowPage(int page) {
  if (!begun_) return;
  shown_ = std::clamp(page, first_, last_);
  dc_->Clear();
  info_.currentPage = shown_;
  info_.continuePrinting = true;
  client_.OnPrint(dc_.get(), info_);
}

void PrintPreview::End() {
  if (!begun_) return;
  begun_ = false;
  client_.OnEndPrinting(dc_.get(), info_);
}

}  // namespace vt
