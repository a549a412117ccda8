// The capturing message-box provider (see MessageBoxCapture.h).
#include "platform/gui/testing/MessageBoxCapture.h"

#include "platform/base/Thread.h"

namespace vt {

MessageBoxCapture::MessageBoxCapture(int answer) : answer_(answer), previous_(SetMessageBoxProvider(this)) {}

MessageBoxCapture::~MessageBoxCapture() { SetMessageBoxProvider(previous_); }

void MessageBoxCapture::QueueAnswers(std::vector<int> ids) {
  std::lock_guard lock(mutex_);
  queued_.insert(queued_.end(), ids.begin(), ids.end());
}

std::vector<MessageBoxCapture::Shown> MessageBoxCapture::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

void MessageBoxCapture::Clear() {
  std::lock_guard lock(mutex_);
  boxes_.clear();
  queued_.clear();
}

int MessageBoxCapture::Show(const MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  boxes_.push_back({request, CurrentThreadId()});
  if (queued_.empty()) return answer_;
  int id = queued_.front();
  queued_.pop_front();
  return id;
}

}  // namespace vt
