// The desktop services over Qt: QCursor, QScreen, QClipboard, QColorDialog.
#pragma once
#include "platform/gui/Desktop.h"

namespace vt {

class QtDesktop final : public Desktop {
 public:
  Point CursorPos() const override;
  bool IsCursorOver(const HostWindow& host) const override;
  Rect WorkArea() const override;
  bool IsKeyDown(uint32_t vk) const override;
  WindowHandle MainWindow() const override { return mainWindow_; }
  void SetMainWindow(WindowHandle window) override { mainWindow_ = window; }
  bool SetClipboardText(std::string_view utf8) override;
  std::optional<std::string> ClipboardText() const override;
  bool SetClipboardBitmap(const Bitmap& bitmap) override;
  std::optional<ColorRef> ChooseColor(WindowHandle owner, ColorRef initial) override;
  std::unique_ptr<ToolTipWindow> CreateToolTip() override;

 private:
  WindowHandle mainWindow_ = 0;
};

}  // namespace vt
