// Input handling shared by the in-place controls: Tab and Shift+Tab are taken out of Qt's focus
// chain, a key press is offered to the control's hook before the control sees it, and mouse
// moves over a control are reported in its host's client coordinates.
#pragma once
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <functional>

#include "platform/gui/Geometry.h"
#include "platform/gui/VirtualKeys.h"

namespace vt {

// A Tab or Shift+Tab press, which Qt would spend on moving the focus.
inline QKeyEvent* TabKeyPress(QEvent* e) {
  if (e->type() != QEvent::KeyPress) return nullptr;
  auto* key = static_cast<QKeyEvent*>(e);
  return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ? key : nullptr;
}

// True (and the event accepted) when the hook handled the key.
inline bool HookTakesKey(QKeyEvent* e, const std::function<bool(uint32_t)>& hook) {
  const uint32_t vk = VirtualKeyFromQt(e->key());
  if (vk == 0 || !hook || !hook(vk)) return false;
  e->accept();
  return true;
}

inline uint32_t EditorMouseFlags(const QMouseEvent* e) {
  return MouseFlagsFromQt(int(e->buttons()), int(e->modifiers()));
}

// The control is a direct child of the host.
inline Point EditorPointInHost(const QWidget* control, const QMouseEvent* e) {
  const QPoint p = control->mapToParent(e->position().toPoint());
  return Point{p.x(), p.y()};
}

}  // namespace vt
