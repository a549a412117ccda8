// Window handles and posted messages.
//
// Windows are named by integer handles from one process-wide registry, so code without a user
// interface (workers, the shipped libraries) can name a window and post to it. PostMessage
// works from any thread: it hands the message to the delivery hook, which the user-interface
// layer installs to queue it onto its own thread; there DeliverPostedMessage calls the
// window's handler, or drops the message when the window is gone by then. SendMessage calls
// the handler at once on the calling thread (the user-interface thread).
#pragma once
#include <cstdint>
#include <functional>

namespace vt {

using WindowHandle = uint32_t;  // 0 names no window
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

constexpr uint32_t kWmUser = 0x0400;

struct PostedMessage {
  WindowHandle window = 0;
  uint32_t message = 0;
  WParam wParam = 0;
  LParam lParam = 0;
};

using MessageHandler = std::function<LResult(uint32_t message, WParam, LParam)>;
using DeliveryHook = std::function<void(const PostedMessage&)>;

// Registers a window; native is whatever the user-interface layer wants to find again
// (its widget). Handles are never reused within a process.
WindowHandle RegisterWindow(MessageHandler handler, void* native = nullptr);
void UnregisterWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
void* WindowNative(WindowHandle window);  // nullptr when gone

// False when the window is unknown or no delivery hook is installed.
bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
// 0 when the window is unknown.
LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
// Runs on the thread the hook queued to; false when the window is gone (message dropped).
bool DeliverPostedMessage(const PostedMessage& message);
// Installs (or with an empty function removes) the hook; returns the previous one.
DeliveryHook SetDeliveryHook(DeliveryHook hook);

}  // namespace vt
