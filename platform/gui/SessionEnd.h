// The end of the user's session: SIGTERM and SIGHUP (through a self-pipe) and the session
// manager's request to save (on a desktop session) reach the user-interface loop as one call of
// the installed handler, which ends the program without asking the user anything.
#pragma once
#include <functional>

namespace vt {

// Installs the handler (replacing an earlier one); false when the signals cannot be watched.
// Needs the Application's loop.
bool InstallSessionEnd(std::function<void()> handler);
// Removes the handler and gives the signals their default actions back.
void RemoveSessionEnd();

}  // namespace vt
