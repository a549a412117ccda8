// The provider switch and the dialog provider (see MessageBoxProvider.h).
#include "platform/gui/MessageBoxProvider.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <atomic>

#include "platform/gui/qt/MessageBoxButtons.h"
#include "platform/gui/qt/MessageBoxDialog.h"

namespace vt {

namespace {

std::atomic<MessageBoxProvider*> g_provider{nullptr};

// The top-level window of the widget the owner handle was registered with; null for no
// owner, a closed one, or a handle that names no widget.
QWidget* OwnerWindow(WindowHandle owner) {
  if (owner == 0) return nullptr;
  auto* widget = static_cast<QWidget*>(WindowNative(owner));
  return widget ? widget->window() : nullptr;
}

}  // namespace

int DialogMessageBoxProvider::Show(const MessageBoxRequest& request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return kIdNone;
  if (MessageBoxButtonIds(request.type).empty()) return kIdNone;
  // On the heap and watched: if the owner window goes away while the box is up, it takes
  // the box with it.
  QPointer<MessageBoxDialog> dialog = new MessageBoxDialog(request, OwnerWindow(request.owner));
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  int result = dialog->exec();
  if (!dialog) return kIdNone;
  delete dialog.data();
  return result;
}

MessageBoxProvider* SetMessageBoxProvider(MessageBoxProvider* provider) {
  return g_provider.exchange(provider);
}

MessageBoxProvider& CurrentMessageBoxProvider() {
  static DialogMessageBoxProvider dialog;
  MessageBoxProvider* provider = g_provider.load();
  return provider ? *provider : dialog;
}

}  // namespace vt
