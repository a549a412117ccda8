// A window that a gadget root draws on and listens through, as the root sees it.
//
// The window keeps a front image that stands for its pixels. GetDC lends a window device
// context on it (nested borrowers share one; a fresh borrow starts with default attributes),
// and the last ReleaseDC presents what was drawn at once, even while the user-interface thread
// stays busy. A system paint (expose, resize, Invalidate) becomes a posted paint that runs the
// client's OnPaint into the front image and then presents it. Timers use the caller's ids.
// The host registers a window handle, so workers and editors can post to it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/WindowHandles.h"
#include "platform/gui/Geometry.h"

namespace vt {

class DeviceContext;
class HostClient;
class InPlaceEdit;
class InPlaceCombo;

using CursorId = int32_t;  // system cursor ids (kCursorArrow ...) or cursor resource ids

class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual void SetClient(HostClient* client) = 0;
  virtual HostClient* Client() const = 0;
  virtual WindowHandle Handle() const = 0;
  virtual Rect ClientRect() const = 0;

  virtual DeviceContext* GetDC() = 0;
  virtual void ReleaseDC(DeviceContext* dc) = 0;
  // Adds r (null: the whole client area) to the area of the next posted paint.
  virtual void Invalidate(const Rect* r) = 0;
  // Runs a pending paint now.
  virtual void UpdateWindow() = 0;

  // Starts or restarts the timer with the caller's id; false when it cannot run.
  virtual bool SetTimer(uint32_t id, uint32_t milliseconds) = 0;
  virtual bool KillTimer(uint32_t id) = 0;

  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;

  virtual Point ScreenToClient(Point p) const = 0;
  virtual Point ClientToScreen(Point p) const = 0;
  virtual void SetCursor(CursorId cursor) = 0;
  virtual CursorId Cursor() const = 0;
  // The host is shown on the screen (itself and every parent visible; a minimised frame counts
  // as shown). Roots fed while hidden may skip their work until shown.
  virtual bool IsVisible() const = 0;
  // The host or its top-level window is the active window.
  virtual bool IsActive() const = 0;
  virtual void BringOwnerToFront() = 0;
  virtual void ShowParentFrame(bool show) = 0;
  virtual void SetOwnerCaption(std::string_view utf8) = 0;
  virtual std::string OwnerCaption() const = 0;

  // Hidden child controls of the host (null when they cannot be made).
  virtual std::unique_ptr<InPlaceEdit> CreateEdit(bool password, int id, const Rect& r) = 0;
  virtual std::unique_ptr<InPlaceCombo> CreateCombo(int id, const Rect& r) = 0;
};

}  // namespace vt
