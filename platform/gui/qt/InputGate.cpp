// InputGate over Qt: an application event filter that watches the stamps of input events. The
// window system's clock is not readable directly, so "now" is the last stamp seen plus the time
// elapsed since. A closed gate drops input events stamped at or before its cut-off; the first
// button release passes (the same release reaches the window and then the widget as two event
// objects with one stamp, so the stamp, not the object, is let through).
#include "platform/gui/InputGate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QInputEvent>
#include <QObject>
#include <optional>

namespace vt {
namespace {

bool IsGatedInput(QEvent::Type t) {
  switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

class GateFilter : public QObject {
 public:
  GateFilter() : QObject(QCoreApplication::instance()) {
    sinceLast_.start();
    QCoreApplication::instance()->installEventFilter(this);
  }

  static GateFilter& Instance() {
    static GateFilter* filter = nullptr;
    if (!filter) filter = new GateFilter;  // owned by the application object
    return *filter;
  }

  uint64_t Now() const { return lastStamp_ + uint64_t(sinceLast_.elapsed()); }

  void Close(uint64_t stamp) {
    cutoff_ = stamp;
    passedRelease_.reset();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!IsGatedInput(e->type())) return QObject::eventFilter(watched, e);
    const uint64_t stamp = static_cast<QInputEvent*>(e)->timestamp();
    if (cutoff_ && stamp <= *cutoff_) {
      if (e->type() != QEvent::MouseButtonRelease) return true;
      if (!passedRelease_) passedRelease_ = stamp;
      return *passedRelease_ != stamp;
    }
    if (stamp > lastStamp_) {
      lastStamp_ = stamp;
      sinceLast_.restart();
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  uint64_t lastStamp_ = 0;
  QElapsedTimer sinceLast_;
  std::optional<uint64_t> cutoff_;
  std::optional<uint64_t> passedRelease_;
};

}  // namespace

void InputGate::Install() {
  if (QCoreApplication::instance()) GateFilter::Instance();
}

void InputGate::DropQueuedInput() { DropInputStampedUpTo(Now()); }

void InputGate::DropInputStampedUpTo(uint64_t stamp) {
  if (!QCoreApplication::instance()) return;
  GateFilter::Instance().Close(stamp);
}

uint64_t InputGate::Now() { return QCoreApplication::instance() ? GateFilter::Instance().Now() : 0; }

}  // namespace vt
