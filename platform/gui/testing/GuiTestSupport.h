// Support for tests of code that must not include Qt itself: the application object, a real
// host window shown on the (offscreen) platform, mouse clicks sent to it as the window system
// would, event processing and the window's front pixels.
#pragma once
#include <memory>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"
#include "platform/gui/HostWindow.h"

namespace vt {

// The Qt application for a test run, on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise. One per process, made before anything that draws text.
class GuiTestApplication {
 public:
  GuiTestApplication(int& argc, char** argv);
  ~GuiTestApplication();
  GuiTestApplication(const GuiTestApplication&) = delete;
  GuiTestApplication& operator=(const GuiTestApplication&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A real host window of width x height, shown.
std::unique_ptr<HostWindow> CreateShownHostWindow(int32_t width, int32_t height);
// A left-button press and release at a client point of a window made by CreateShownHostWindow.
void SendLeftClick(HostWindow& host, Point client);
// Runs the events (and posted paints) waiting on the user-interface thread.
void ProcessGuiEvents();
// A pixel of the window's front image; kNoColor outside.
ColorRef HostFrontPixel(const HostWindow& host, Point client);

}  // namespace vt
