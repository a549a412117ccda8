// Scoped changes of the environment for tests: a variable set (or removed) for the life of an
// object, and the time zone pinned the same way. Every test that depends on the computer's zone
// pins it itself, so the suite gives the same results whatever zone the machine runs in.
#pragma once
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

namespace vt_test {

class ScopedEnv {
 public:
  // value nullopt removes the variable for the object's life.
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = getenv(name_.c_str())) old_ = old;
    if (value)
      setenv(name_.c_str(), value->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// TZ set to a POSIX rule or zone name (and the runtime told) for the object's life.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const std::string& tz) : env_("TZ", tz) { tzset(); }

 private:
  // Members end in reverse order: env_ puts TZ back first, then retell_ tells the runtime.
  struct Retell {
    ~Retell() { tzset(); }
  };
  Retell retell_;
  ScopedEnv env_;
};

}  // namespace vt_test
