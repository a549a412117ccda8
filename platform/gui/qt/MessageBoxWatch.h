// For offscreen tests and tools that drive a real message box: runs an action on the next
// message box once it is up, from inside the box's own event loop (the caller itself is
// blocked in the call that shows the box). Call on the user-interface thread.
#pragma once
#include <functional>

namespace vt {

class MessageBoxDialog;

void OnNextMessageBox(std::function<void(MessageBoxDialog& box)> act);

}  // namespace vt
