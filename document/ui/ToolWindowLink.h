// How a graph document reaches the two tool windows (cursor control and statistics). Each
// document holds two repeaters (ids 1123 and 1124) among its roots; every hint it broadcasts
// passes through them to the tool window's root. The repeaters find that root anew for each
// hint through the window handles the application's graph-window host names, so a document never
// keeps a pointer to a window that may go before it, and a document made before the windows
// still reaches them once they exist.
#pragma once
#include <cstdint>

#include "gadget/GRepeater.h"
#include "platform/base/WindowHandles.h"

class CGVantrelDoc;

// Sent to a tool window: its root as the result (0 before the window has one).
constexpr uint32_t WM_VT_TOOLROOT = vt::kWmUser + 120;

namespace vt {

// The root of the tool window behind handle; null without a window or root.
CGRoot* ToolWindowRoot(WindowHandle window);

// A repeater whose target is the root of the host's cursor-control (id 1123) or statistics
// (id 1124) window.
class ToolWindowRepeater : public CGRepeater {
 public:
  ToolWindowRepeater(CGCore* parent, int id) : CGRepeater(parent, id) {}
  HostWindow* GetHostWindow() const override;
  void OnUpdate(int hint, void* data) override;
  // The target root now, or null.
  CGRoot* CurrentTarget() const;
};

// Gives the document its two repeaters; nothing for one it already has.
void AddToolWindowRepeaters(CGVantrelDoc* doc);

}  // namespace vt
