// The self-pipe of the end-of-session signals (see SignalPipe.h).
#include "platform/base/SignalPipe.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace vt {

namespace {

int g_readEnd = -1;
int g_writeEnd = -1;
std::mutex g_lock;

void OnSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  // A full pipe already holds a wake-up; the byte may then be lost without harm.
  [[maybe_unused]] ssize_t n = ::write(g_writeEnd, &byte, 1);
  errno = saved;
}

void SetHandler(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

int InstallSessionSignalPipe() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_readEnd < 0) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    g_readEnd = ends[0];
    g_writeEnd = ends[1];
  }
  SetHandler(SIGTERM, OnSignal);
  SetHandler(SIGHUP, OnSignal);
  return g_readEnd;
}

int DrainSessionSignalPipe() {
  int last = 0;
  if (g_readEnd < 0) return 0;
  unsigned char buffer[64];
  for (;;) {
    const ssize_t n = ::read(g_readEnd, buffer, sizeof buffer);
    if (n > 0) {
      last = buffer[n - 1];
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return last;
  }
}

void RestoreSessionSignals() {
  SetHandler(SIGTERM, SIG_DFL);
  SetHandler(SIGHUP, SIG_DFL);
}

}  // namespace vt
