// One running instance per user: the named mutex "<title>_MUTEX" tells whether another instance
// runs, and a local socket named after the main window class lets a second start ask the first
// one to bring its main window to the front.
//
// The first instance keeps the mutex and listens for the rest of its run; a later start finds
// the name taken, connects (retrying while the first one is still starting up), sends its
// request and gives up. When the mutex cannot be made at all the start is refused without
// asking anybody.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vt {

class SingleInstance {
 public:
  enum class Outcome {
    First,    // this process is the instance; it holds the mutex and listens
    Another,  // another instance runs; it was asked to come to the front
    Failed,   // the mutex could not be made
  };

  SingleInstance();
  // Stops listening and closes the mutex.
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // onActivate runs on the user-interface thread when a later start asks (First only).
  Outcome Claim(std::string_view mutexName, std::string_view windowClass, std::function<void()> onActivate);

  // The local socket's path for a window class (in the per-user runtime folder).
  static std::string ServerPath(std::string_view windowClass);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vt
