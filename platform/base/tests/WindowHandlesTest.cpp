// Window handles: posting from workers through the delivery hook, dropping messages for gone
// windows, synchronous sends, and handles that are never reused.
#include "platform/base/WindowHandles.h"

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/base/Thread.h"

namespace {

struct Received {
  uint32_t message;
  vt::WParam wParam;
  vt::LParam lParam;
  uint64_t thread;
};

// Stands in for the user-interface layer: the hook queues, Drain delivers on this thread.
class WindowHandlesTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = vt::SetDeliveryHook([this](const vt::PostedMessage& message) {
      std::lock_guard lock(mutex_);
      queue_.push_back(message);
    });
  }
  void TearDown() override { vt::SetDeliveryHook(previous_); }

  // Delivers everything queued; returns how many messages reached a window.
  int Drain() {
    int delivered = 0;
    for (;;) {
      vt::PostedMessage message;
      {
        std::lock_guard lock(mutex_);
        if (queue_.empty()) return delivered;
        message = queue_.front();
        queue_.pop_front();
      }
      if (vt::DeliverPostedMessage(message)) ++delivered;
    }
  }

  vt::MessageHandler Recorder(std::vector<Received>* into, vt::LResult result = 0) {
    return [into, result](uint32_t message, vt::WParam w, vt::LParam l) {
      into->push_back({message, w, l, vt::CurrentThreadId()});
      return result;
    };
  }

  vt::DeliveryHook previous_;
  std::mutex mutex_;
  std::deque<vt::PostedMessage> queue_;
};

TEST_F(WindowHandlesTest, PostFromWorkerIsDeliveredOnTheDrainingThread) {
  std::vector<Received> received;
  vt::WindowHandle window = vt::RegisterWindow(Recorder(&received));
  ASSERT_NE(window, 0u);

  vt::Thread worker;
  bool posted = false;
  ASSERT_TRUE(worker.Start([&] { posted = vt::PostMessage(window, vt::kWmUser + 5, 7, -3); }));
  ASSERT_TRUE(worker.Join(10000));
  EXPECT_TRUE(posted);
  EXPECT_TRUE(received.empty()) << "posting only queues";

  EXPECT_EQ(Drain(), 1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, vt::kWmUser + 5);
  EXPECT_EQ(received[0].wParam, 7u);
  EXPECT_EQ(received[0].lParam, -3);
  EXPECT_EQ(received[0].thread, vt::CurrentThreadId());
  vt::UnregisterWindow(window);
}

TEST_F(WindowHandlesTest, MessagesForGoneWindowsAreDropped) {
  std::vector<Received> received;
  vt::WindowHandle window = vt::RegisterWindow(Recorder(&received));
  ASSERT_TRUE(vt::PostMessage(window, vt::kWmUser, 1, 2));
  vt::UnregisterWindow(window);
  EXPECT_EQ(Drain(), 0);
  EXPECT_TRUE(received.empty());

  EXPECT_FALSE(vt::PostMessage(window, vt::kWmUser, 1, 2)) << "unknown window";
  EXPECT_FALSE(vt::PostMessage(0, vt::kWmUser, 1, 2));
  EXPECT_EQ(vt::SendMessage(window, vt::kWmUser, 1, 2), 0);

  vt::WindowHandle live = vt::RegisterWindow(Recorder(&received));
  vt::DeliveryHook ours = vt::SetDeliveryHook(nullptr);
  EXPECT_FALSE(vt::PostMessage(live, vt::kWmUser, 1, 2)) << "no hook installed";
  vt::SetDeliveryHook(ours);
  EXPECT_TRUE(vt::PostMessage(live, vt::kWmUser, 1, 2));
  EXPECT_EQ(Drain(), 1);
  vt::UnregisterWindow(live);
}

TEST_F(WindowHandlesTest, HandlesAreNeverReused) {
  int native = 0;
  std::set<vt::WindowHandle> seen;
  for (int i = 0; i < 100; ++i) {
    vt::WindowHandle window = vt::RegisterWindow(nullptr, &native);
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(seen.insert(window).second);
    EXPECT_TRUE(vt::IsWindow(window));
    EXPECT_EQ(vt::WindowNative(window), &native);
    vt::UnregisterWindow(window);
    EXPECT_FALSE(vt::IsWindow(window));
    EXPECT_EQ(vt::WindowNative(window), nullptr);
  }
}

TEST_F(WindowHandlesTest, SendCallsTheHandlerAtOnceWhichMayChangeTheRegistry) {
  std::vector<Received> received;
  vt::WindowHandle other = 0;
  vt::WindowHandle window = 0;
  window = vt::RegisterWindow([&](uint32_t message, vt::WParam w, vt::LParam l) -> vt::LResult {
    // A handler that closes itself and opens and posts to another window must not deadlock.
    vt::UnregisterWindow(window);
    other = vt::RegisterWindow(Recorder(&received));
    vt::PostMessage(other, message + 1, w, l);
    return 42;
  });
  EXPECT_EQ(vt::SendMessage(window, vt::kWmUser, 3, 4), 42);
  EXPECT_FALSE(vt::IsWindow(window));
  ASSERT_TRUE(vt::IsWindow(other));
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(Drain(), 1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, vt::kWmUser + 1);
  vt::UnregisterWindow(other);
}

}  // namespace
