// A desktop for tests: every answer is a member the test sets, every request is recorded.
#pragma once
#include <set>
#include <vector>

#include "platform/gui/Desktop.h"
#include "platform/gui/ToolTipWindow.h"

namespace vt {

class FakeToolTip final : public ToolTipWindow {
 public:
  void SetText(std::string_view utf8, const Font* font) override {
    text = std::string(utf8);
    this->font = font;
  }
  std::string Text() const override { return text; }
  void ShowAt(const Rect& r) override {
    rect = r;
    visible = true;
  }
  void Hide() override { visible = false; }
  bool IsVisible() const override { return visible; }
  Rect ScreenRect() const override { return rect; }

  std::string text;
  const Font* font = nullptr;
  Rect rect;
  bool visible = false;
};

class FakeDesktop final : public Desktop {
 public:
  Point CursorPos() const override { return cursor; }
  bool IsCursorOver(const HostWindow& host) const override;
  Rect WorkArea() const override { return workArea; }
  bool IsKeyDown(uint32_t vk) const override { return keysDown.count(vk) != 0; }
  WindowHandle MainWindow() const override { return mainWindow; }
  void SetMainWindow(WindowHandle window) override { mainWindow = window; }
  bool SetClipboardText(std::string_view utf8) override {
    clipboardText = std::string(utf8);
    return true;
  }
  std::optional<std::string> ClipboardText() const override { return clipboardText; }
  bool SetClipboardBitmap(const Bitmap& bitmap) override;
  std::optional<ColorRef> ChooseColor(WindowHandle owner, ColorRef initial) override;
  std::unique_ptr<ToolTipWindow> CreateToolTip() override;

  Point cursor;
  WindowHandle hostUnderCursor = 0;  // IsCursorOver is true for the host with this handle
  Rect workArea{0, 0, 1280, 1024};
  std::set<uint32_t> keysDown;
  WindowHandle mainWindow = 0;
  std::optional<std::string> clipboardText;
  std::unique_ptr<Bitmap> clipboardBitmap;
  std::optional<ColorRef> colorAnswer;  // nothing: the dialog is cancelled
  std::vector<ColorRef> colorRequests;  // the initial colours asked with
  std::vector<FakeToolTip*> toolTips;   // made by CreateToolTip (owned by the caller)
};

}  // namespace vt
