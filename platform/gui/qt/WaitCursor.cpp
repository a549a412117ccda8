// The wait cursor over Qt's application-wide override cursor (see WaitCursor.h).
#include "platform/gui/WaitCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace vt {

namespace {
int g_depth = 0;
}

ScopedWaitCursor::ScopedWaitCursor()
    : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
  if (!shown_) return;
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  ++g_depth;
}

ScopedWaitCursor::~ScopedWaitCursor() {
  if (!shown_) return;
  QGuiApplication::restoreOverrideCursor();
  --g_depth;
}

int ScopedWaitCursor::Depth() { return g_depth; }

}  // namespace vt
