// Fake desktop answers.
#include "platform/gui/testing/FakeDesktop.h"

#include "platform/gui/HostWindow.h"

namespace vt {

bool FakeDesktop::IsCursorOver(const HostWindow& host) const {
  return hostUnderCursor != 0 && host.Handle() == hostUnderCursor;
}

bool FakeDesktop::SetClipboardBitmap(const Bitmap& bitmap) {
  clipboardBitmap = bitmap.Clone();
  return clipboardBitmap != nullptr;
}

std::optional<ColorRef> FakeDesktop::ChooseColor(WindowHandle, ColorRef initial) {
  colorRequests.push_back(initial);
  return colorAnswer;
}

std::unique_ptr<ToolTipWindow> FakeDesktop::CreateToolTip() {
  auto tip = std::make_unique<FakeToolTip>();
  toolTips.push_back(tip.get());
  return tip;
}

}  // namespace vt
