// What a host window calls on its owner (a gadget root): paint, size, mouse, wheel, keys,
// timers and private messages. Every call comes on the user-interface thread.
#pragma once
#include <cstdint>

#include "platform/base/WindowHandles.h"
#include "platform/gui/Geometry.h"

namespace vt {

class DeviceContext;

// Why the keyboard focus came or went. A popup (a menu opening over the window) takes the focus
// only for a moment: owners that keep a "has focus" flag ignore that reason, or opening a menu
// would change what the menu offers.
enum class FocusReason { Other, Mouse, Tab, ActiveWindow, Popup, Shortcut };

class HostClient {
 public:
  virtual ~HostClient() = default;
  // Paints area (already the context's clip) into the window; the host presents it afterwards.
  virtual void OnPaint(DeviceContext& dc, const Rect& area) { (void)dc, (void)area; }
  virtual void OnSize(int32_t cx, int32_t cy) { (void)cx, (void)cy; }
  // Client coordinates; flags are kMk... values.
  virtual void OnMouseMove(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnRButtonUp(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  virtual void OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y) { (void)flags, (void)x, (void)y; }
  // Screen coordinates; delta is a multiple of 120 per notch (smaller from smooth devices).
  virtual bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t screenX, int32_t screenY) {
    (void)flags, (void)delta, (void)screenX, (void)screenY;
    return false;
  }
  virtual void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) {
    (void)vk, (void)repeat, (void)flags;
  }
  virtual void OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags) { (void)vk, (void)repeat, (void)flags; }
  virtual void OnSetFocus(FocusReason reason) { (void)reason; }
  virtual void OnKillFocus(FocusReason reason) { (void)reason; }
  // A timer started by the caller's id.
  virtual void OnTimer(uint32_t id) { (void)id; }
  // A message posted or sent to the host's handle.
  virtual LResult OnMessage(uint32_t message, WParam wParam, LParam lParam) {
    (void)message, (void)wParam, (void)lParam;
    return 0;
  }
};

}  // namespace vt
