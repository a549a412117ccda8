// Worker threads and thread identities (see Thread.h).
//
// The state a running body reports to (running flag, id) is shared with the thread itself, so
// a Thread object destroyed from its own body (it detaches then) leaves nothing dangling.
// Join waits on a condition variable for the body to end, so a time-out never spins.
#include "platform/base/Thread.h"

#include <atomic>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/base/NamedMutex.h"

namespace vt {

uint64_t CurrentThreadId() {
  static std::atomic<uint64_t> next{1};
  thread_local const uint64_t id = next.fetch_add(1, std::memory_order_relaxed);
  assert(id != 0);
  return id;
}

namespace {

struct ThreadState {
  std::mutex mutex;
  std::condition_variable changed;
  bool running = false;
  uint64_t id = 0;
};

}  // namespace

struct Thread::Impl {
  std::shared_ptr<ThreadState> state = std::make_shared<ThreadState>();
  std::mutex joinMutex;  // one caller at a time joins the std::thread
  std::thread thread;
};

Thread::Thread() : impl_(std::make_unique<Impl>()) {}

Thread::~Thread() {
  if (!impl_->thread.joinable()) return;
  if (impl_->thread.get_id() == std::this_thread::get_id()) {
    impl_->thread.detach();  // destroyed from its own body: the shared state outlives us
    return;
  }
  impl_->thread.join();
}

bool Thread::Start(std::function<void()> body) {
  if (!body) return false;
  std::lock_guard join(impl_->joinMutex);
  std::shared_ptr<ThreadState> state = impl_->state;
  {
    std::lock_guard lock(state->mutex);
    if (state->running) return false;
  }
  if (impl_->thread.joinable()) {
    if (impl_->thread.get_id() == std::this_thread::get_id()) return false;
    impl_->thread.join();  // the previous body has ended; reap it
  }
  {
    std::lock_guard lock(state->mutex);
    state->running = true;
    state->id = 0;
  }
  try {
    impl_->thread = std::thread([state, body = std::move(body)]() {
      {
        std::lock_guard lock(state->mutex);
        state->id = CurrentThreadId();
      }
      state->changed.notify_all();
      body();
      {
        std::lock_guard lock(state->mutex);
        state->running = false;
      }
      state->changed.notify_all();
    });
  } catch (const std::system_error&) {
    std::lock_guard lock(state->mutex);
    state->running = false;
    return false;
  }
  // Id() is valid as soon as Start returns.
  std::unique_lock lock(state->mutex);
  state->changed.wait(lock, [&] { return state->id != 0 || !state->running; });
  return true;
}

bool Thread::Join(uint32_t timeoutMs) {
  std::shared_ptr<ThreadState> state = impl_->state;
  {
    std::unique_lock lock(state->mutex);
    if (state->running && state->id == CurrentThreadId()) return false;  // would wait forever
    if (timeoutMs == kInfiniteTimeout) {
      state->changed.wait(lock, [&] { return !state->running; });
    } else if (!state->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [&] { return !state->running; })) {
      return false;
    }
  }
  std::lock_guard join(impl_->joinMutex);
  if (impl_->thread.joinable()) impl_->thread.join();
  return true;
}

bool Thread::IsRunning() const {
  std::lock_guard lock(impl_->state->mutex);
  return impl_->state->running;
}

uint64_t Thread::Id() const {
  std::lock_guard lock(impl_->state->mutex);
  return impl_->state->id;
}

}  // namespace vt
