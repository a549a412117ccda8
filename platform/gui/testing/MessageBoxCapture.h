// A message-box provider for tests: installed for its lifetime, it records every request
// (with the thread that answered it) and answers from a queue of button ids, or with a fixed
// id once the queue is empty. Nothing is shown.
#pragma once
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/gui/MessageBoxProvider.h"

namespace vt {

class MessageBoxCapture : public MessageBoxProvider {
 public:
  struct Shown {
    MessageBoxRequest request;
    uint64_t threadId = 0;  // CurrentThreadId() of the thread the box was answered on
  };

  explicit MessageBoxCapture(int answer = kIdOk);
  ~MessageBoxCapture() override;  // puts the previous provider back
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  // The next boxes answer these ids in order, then the fixed answer again.
  void QueueAnswers(std::vector<int> ids);
  std::vector<Shown> Boxes() const;
  void Clear();

  int Show(const MessageBoxRequest& request) override;

 private:
  mutable std::mutex mutex_;
  int answer_;
  std::deque<int> queued_;
  std::vector<Shown> boxes_;
  MessageBoxProvider* previous_;
};

}  // namespace vt
