// Window handles and posted messages (see WindowHandles.h).
//
// One registry, guarded by one mutex, maps handles to windows. Handlers and the delivery hook
// are always called after the mutex is released, on copies held by shared pointers: a handler
// may register or unregister windows (its own included) and post, and a window unregistered
// during its own handler stays alive until that call returns.
#include "platform/base/WindowHandles.h"

#include <cassert>
#include <limits>
#include <map>
#include <memory>
#include <mutex>

namespace vt {

namespace {

struct Window {
  MessageHandler handler;
  void* native = nullptr;
};

struct WindowRegistry {
  std::mutex mutex;
  std::map<WindowHandle, std::shared_ptr<const Window>> windows;
  WindowHandle lastHandle = 0;
  std::shared_ptr<const DeliveryHook> hook;
};

// Never destroyed: windows and workers may still post while static objects are destroyed.
WindowRegistry& TheWindows() {
  static WindowRegistry* registry = new WindowRegistry;
  return *registry;
}

std::shared_ptr<const Window> FindWindow(WindowHandle window) {
  WindowRegistry& registry = TheWindows();
  std::lock_guard lock(registry.mutex);
  auto it = registry.windows.find(window);
  return it == registry.windows.end() ? nullptr : it->second;
}

LResult Call(const Window& window, uint32_t message, WParam wParam, LParam lParam) {
  return window.handler ? window.handler(message, wParam, lParam) : 0;
}

}  // namespace

WindowHandle RegisterWindow(MessageHandler handler, void* native) {
  auto window = std::make_shared<Window>();
  window->handler = std::move(handler);
  window->native = native;
  WindowRegistry& registry = TheWindows();
  std::lock_guard lock(registry.mutex);
  // Handles only grow, so a handle kept by a worker can never name a later window.
  if (registry.lastHandle == std::numeric_limits<WindowHandle>::max()) return 0;
  WindowHandle handle = ++registry.lastHandle;
  registry.windows.emplace(handle, std::move(window));
  return handle;
}

void UnregisterWindow(WindowHandle window) {
  std::shared_ptr<const Window> gone;  // released after the mutex: its handler may own things
  WindowRegistry& registry = TheWindows();
  std::lock_guard lock(registry.mutex);
  auto it = registry.windows.find(window);
  if (it == registry.windows.end()) return;
  gone = std::move(it->second);
  registry.windows.erase(it);
}

bool IsWindow(WindowHandle window) { return FindWindow(window) != nullptr; }

void* WindowNative(WindowHandle window) {
  std::shared_ptr<const Window> found = FindWindow(window);
  return found ? found->native : nullptr;
}

bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam) {
  std::shared_ptr<const DeliveryHook> hook;
  {
    WindowRegistry& registry = TheWindows();
    std::lock_guard lock(registry.mutex);
    if (registry.windows.find(window) == registry.windows.end()) return false;
    hook = registry.hook;
  }
  if (!hook) return false;
  (*hook)(PostedMessage{window, message, wParam, lParam});
  return true;
}

LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam) {
  std::shared_ptr<const Window> found = FindWindow(window);
  return found ? Call(*found, message, wParam, lParam) : 0;
}

bool DeliverPostedMessage(const PostedMessage& message) {
  std::shared_ptr<const Window> found = FindWindow(message.window);
  if (!found) return false;
  Call(*found, message.message, message.wParam, message.lParam);
  return true;
}

DeliveryHook SetDeliveryHook(DeliveryHook hook) {
  std::shared_ptr<const DeliveryHook> installed;
  if (hook) installed = std::make_shared<const DeliveryHook>(std::move(hook));
  std::shared_ptr<const DeliveryHook> previous;
  {
    WindowRegistry& registry = TheWindows();
    std::lock_guard lock(registry.mutex);
    previous = std::move(registry.hook);
    registry.hook = std::move(installed);
  }
  return previous ? *previous : DeliveryHook();
}

}  // namespace vt
