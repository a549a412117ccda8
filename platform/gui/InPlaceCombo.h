// The native drop-down list that choice gadgets are edited in, a child window of a host.
//
// onKeyDown sees Enter and Tab before the control acts (true: handled), also while the list
// is open, after the highlighted item has become the selection; onSelChange runs when the user
// changes the selection, never for SetCurSel. onPaintField, when set, paints the
// closed field instead of the control (a skinned look), on a context of the control's size;
// onMouseMove sees moves over the control in the host's client coordinates.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/gui/Geometry.h"

namespace vt {

class DeviceContext;
class Font;

class InPlaceCombo {
 public:
  virtual ~InPlaceCombo() = default;
  virtual int Id() const = 0;
  // Client coordinates of the host; the height includes the list.
  virtual void Move(const Rect& r, bool repaint) = 0;
  virtual Rect Bounds() const = 0;
  virtual void SetFont(const Font* font) = 0;
  virtual void ResetContent() = 0;
  virtual int AddString(std::string_view utf8) = 0;  // the new item's index
  virtual int Count() const = 0;
  virtual std::string ItemText(int index) const = 0;
  virtual void SetCurSel(int index) = 0;  // -1: nothing selected
  virtual int CurSel() const = 0;
  // Shown in the field while nothing is selected.
  virtual void SetText(std::string_view utf8) = 0;
  virtual std::string Text() const = 0;
  // The height of the selection field's item; the field adds its frame around it.
  virtual void SetFieldHeight(int32_t height) = 0;
  virtual void ShowDropDown(bool show) = 0;
  virtual bool IsDroppedDown() const = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void Invalidate() = 0;

  std::function<bool(uint32_t vk)> onKeyDown;
  std::function<void()> onSelChange;
  std::function<void(DeviceContext& dc, const Rect& bounds)> onPaintField;
  std::function<void(uint32_t flags, Point hostClient)> onMouseMove;
};

}  // namespace vt
