// Waits of the user-interface thread that keep the program alive.
//
// A worker may wait for the user-interface thread (a message box it asked for, a posted call),
// so the user-interface thread never sleeps while it waits for a worker: it processes its
// events, sleeping in the event loop between them rather than spinning. Handlers may therefore
// run again inside such a wait.
#pragma once
#include <functional>

namespace vt {

// Processes events until done() holds (true) or timeoutMs has passed (false; a negative
// timeout waits without limit). done() is tested first and after every short wait.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = -1);
// One short wait of at most sliceMs milliseconds that processes the events arriving meanwhile:
// the wait hook of the workers' Stop.
void PumpBriefly(int sliceMs = 10);

}  // namespace vt
