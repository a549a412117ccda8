// The input gate after a long refill: queued key, mouse and wheel events stamped before its
// cut-off are dropped, the first button release passes (once, though Qt hands it on to the
// parent as well), and what comes later passes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "platform/gui/InputGate.h"

namespace vt {
namespace {

class InputSink : public QWidget {
 public:
  std::vector<std::pair<QEvent::Type, uint64_t>> seen;

 protected:
  bool event(QEvent* e) override {
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::Wheel:
        seen.push_back({e->type(), static_cast<QInputEvent*>(e)->timestamp()});
        return true;
      default:
        return QWidget::event(e);
    }
  }
};

void PostKey(QWidget* w, uint64_t t) {
  auto* e = new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  e->setTimestamp(t);
  QApplication::postEvent(w, e);
}

void PostButton(QWidget* w, QEvent::Type type, uint64_t t) {
  auto* e = new QMouseEvent(type, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  e->setTimestamp(t);
  QApplication::postEvent(w, e);
}

void PostWheel(QWidget* w, uint64_t t) {
  auto* e = new QWheelEvent(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false);
  e->setTimestamp(t);
  QApplication::postEvent(w, e);
}

TEST(InputGateTest, DropsStaleInputAndPassesTheFirstRelease) {
  InputGate::Install();
  InputSink sink;
  const uint64_t base = InputGate::Now() + 100000;
  PostKey(&sink, base + 1);
  PostButton(&sink, QEvent::MouseButtonPress, base + 2);
  PostWheel(&sink, base + 3);
  PostButton(&sink, QEvent::MouseButtonRelease, base + 4);
  PostButton(&sink, QEvent::MouseButtonPress, base + 5);
  PostButton(&sink, QEvent::MouseButtonRelease, base + 6);
  PostKey(&sink, base + 50);
  PostButton(&sink, QEvent::MouseButtonRelease, base + 51);
  InputGate::DropInputStampedUpTo(base + 10);
  QApplication::processEvents();
  const std::vector<std::pair<QEvent::Type, uint64_t>> expected{{QEvent::MouseButtonRelease, base + 4},
                                                                {QEvent::KeyPress, base + 50},
                                                                {QEvent::MouseButtonRelease, base + 51}};
  EXPECT_EQ(sink.seen, expected);

  // The gate's clock follows the stamps it saw.
  EXPECT_GE(InputGate::Now(), base + 51);
  sink.seen.clear();
  PostKey(&sink, base + 51);
  InputGate::DropQueuedInput();
  PostKey(&sink, InputGate::Now() + 1000);
  QApplication::processEvents();
  ASSERT_EQ(sink.seen.size(), 1u);
  EXPECT_GT(sink.seen[0].second, base + 51);
}

}  // namespace
}  // namespace vt
