// The end-of-session signals (SIGTERM, SIGHUP) as bytes on a pipe.
//
// A signal handler may do almost nothing, so the handler only writes the signal's number to a
// pipe; the user-interface loop watches the pipe's read end and takes the end-of-session road
// there, outside the handler. The pipe and the handlers are process-wide and made once.
#pragma once

namespace vt {

// Installs the handlers (once) and returns the pipe's read end, non-blocking; -1 when the pipe
// cannot be made. Later calls return the same descriptor.
int InstallSessionSignalPipe();
// Reads every byte waiting on the pipe; the number of the last signal read, 0 when none.
int DrainSessionSignalPipe();
// Puts the signals' default actions back (the pipe stays).
void RestoreSessionSignals();

}  // namespace vt
