// The native text controls that gadgets are edited in: a one-line text editor and a password
// editor, child windows of a host window, hidden until a gadget opens one.
//
// The hooks run before the control acts: onKeyDown sees Enter, Tab (Shift+Tab as Tab with the
// Shift key down) and Escape first and returns true when it handled the key; onChar may swallow
// a character; onPaste, when set, replaces the control's own paste; onMouseMove sees moves over
// the control in the host's client coordinates (so hover tracking goes on over the editor);
// onSkinFrame gives the colours of a frame drawn over the control at each paint.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {

class Font;

class InPlaceEdit {
 public:
  virtual ~InPlaceEdit() = default;
  virtual int Id() const = 0;
  virtual bool IsPassword() const = 0;
  // Client coordinates of the host.
  virtual void Move(const Rect& r, bool repaint) = 0;
  virtual Rect Bounds() const = 0;
  virtual void SetFont(const Font* font) = 0;  // null: the control's default
  virtual void SetMargins(int32_t left, int32_t right) = 0;
  virtual void SetText(std::string_view utf8) = 0;
  virtual std::string Text() const = 0;
  // Character positions; to = -1 selects to the end.
  virtual void SetSelection(int from, int to) = 0;
  virtual std::pair<int, int> Selection() const = 0;
  virtual void ReplaceSelection(std::string_view utf8) = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void Invalidate() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;  // onPaste when set, else the control's own

  std::function<bool(uint32_t vk)> onKeyDown;
  std::function<bool(uint32_t ch)> onChar;
  std::function<void()> onPaste;
  std::function<void(uint32_t flags, Point hostClient)> onMouseMove;
  // When set, asked at every paint for a one-pixel frame along the control's edges in four
  // colours (left, top, right, bottom), drawn over the control's own painting; nullopt draws
  // none. Asking at paint time lets the frame follow a skin that changes while the control shows.
  std::function<std::optional<std::array<ColorRef, 4>>()> onSkinFrame;
};

}  // namespace vt
