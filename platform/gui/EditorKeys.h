// Key handling shared by the in-place controls: Tab and Shift+Tab are taken out of Qt's focus
// chain, and a key press is offered to the control's hook before the control sees it.
#pragma once
#include <QEvent>
#include <QKeyEvent>
#include <functional>

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

}  // namespace vt
