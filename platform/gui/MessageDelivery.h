// Delivery of posted window messages on the Qt event loop.
//
// Installs the window-handle registry's delivery hook: a message posted from any thread is
// queued to the user-interface thread (the application object's thread) and handed to the
// window there, or dropped when the window is gone by then. Host windows install it when they
// are made; the application may install it earlier. Idempotent.
#pragma once

namespace vt {

void InstallMessageDelivery();

}  // namespace vt
