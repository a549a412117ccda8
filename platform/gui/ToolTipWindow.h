// The tooltip window: a borderless popup with one line of text that never takes the focus.
//
// Where it goes and when is the caller's business; the window paints white with a black
// border and black text at (2, 2), and is placed by screen rectangle.
#pragma once
#include <string>
#include <string_view>

#include "platform/gui/Geometry.h"

namespace vt {

class Font;

class ToolTipWindow {
 public:
  virtual ~ToolTipWindow() = default;
  virtual void SetText(std::string_view utf8, const Font* font) = 0;
  virtual std::string Text() const = 0;
  virtual void ShowAt(const Rect& screenRect) = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual Rect ScreenRect() const = 0;
};

}  // namespace vt
