// The window-less timer over QTimer (see Timer.h).
#include "platform/gui/Timer.h"

#include <QTimer>
#include <utility>

namespace vt {

struct Timer::Impl {
  QTimer timer;
  std::function<void()> tick;
  uint32_t interval = 0;
};

Timer::Timer(std::function<void()> tick) : impl_(std::make_unique<Impl>()) {
  impl_->tick = std::move(tick);
  QObject::connect(&impl_->timer, &QTimer::timeout, [impl = impl_.get()] {
    if (impl->tick) impl->tick();
  });
}

Timer::~Timer() { impl_->timer.stop(); }

void Timer::Start(uint32_t intervalMs) {
  impl_->interval = intervalMs;
  impl_->timer.setSingleShot(false);
  // A day is 86,400,000 ms, inside QTimer's int range; longer intervals are held at its limit.
  impl_->timer.start(int(std::min<uint32_t>(intervalMs, 0x7FFFFFFF)));
}

void Timer::StartOnce(uint32_t delayMs) {
  impl_->interval = delayMs;
  impl_->timer.setSingleShot(true);
  impl_->timer.start(int(std::min<uint32_t>(delayMs, 0x7FFFFFFF)));
}

void Timer::Stop() { impl_->timer.stop(); }

bool Timer::IsActive() const { return impl_->timer.isActive(); }

uint32_t Timer::Interval() const { return impl_->interval; }

}  // namespace vt
