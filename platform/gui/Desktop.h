// Desktop services behind one replaceable interface: the cursor, the work area, key state, the
// main window, the clipboard, the colour dialog and the tooltip window.
//
// Code that asks the desktop goes through CurrentDesktop(), so tests install a fake and never
// touch the real screen, keyboard or clipboard. User-interface thread only.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WindowHandles.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {

class HostWindow;
class ToolTipWindow;

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual Point CursorPos() const = 0;  // screen coordinates
  // The window under the cursor is the host itself (a child control there does not count).
  virtual bool IsCursorOver(const HostWindow& host) const = 0;
  // The screen less the panels (the primary screen's available area).
  virtual Rect WorkArea() const = 0;
  // The key is held now; for kVkShift, kVkControl, kVkMenu and the mouse buttons.
  virtual bool IsKeyDown(uint32_t vk) const = 0;
  virtual WindowHandle MainWindow() const = 0;
  virtual void SetMainWindow(WindowHandle window) = 0;
  virtual bool SetClipboardText(std::string_view utf8) = 0;
  virtual std::optional<std::string> ClipboardText() const = 0;
  virtual bool SetClipboardBitmap(const Bitmap& bitmap) = 0;
  // The colour dialog, modal over the window registered under owner (0 or a gone handle: no
  // owner), preset to initial. The colour the user chose as a plain RGB value (no palette
  // flag), or nothing when the dialog was cancelled, its owner closed under it, or no dialog
  // could be shown (no widget application). Tests install a FakeDesktop to answer it.
  virtual std::optional<ColorRef> ChooseColor(WindowHandle owner, ColorRef initial) = 0;
  virtual std::unique_ptr<ToolTipWindow> CreateToolTip() = 0;
};

// The installed desktop (the Qt one unless a test installed another).
Desktop& CurrentDesktop();
// Installs a desktop (null restores the Qt one); returns the previous installed one.
std::shared_ptr<Desktop> InstallDesktop(std::shared_ptr<Desktop> desktop);

}  // namespace vt
