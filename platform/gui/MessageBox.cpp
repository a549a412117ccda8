// Message-box entry points (see MessageBox.h): bring the request to the user-interface thread
// and hand it to the installed provider there.
//
// A worker waits on a blocking queued call. That call runs when the user-interface thread next
// processes events, so a user-interface thread that waits for this worker must keep
// processing events while it waits (it then shows the box from inside its wait). If the
// application object goes away before the call ran, the worker is released with kIdNone.
#include "platform/gui/MessageBox.h"

#include <QCoreApplication>
#include <QThread>

#include "platform/base/Text.h"
#include "platform/gui/MessageBoxProvider.h"

namespace vt {

int MessageBoxEx(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type,
                 uint16_t language) {
  MessageBoxRequest request;
  request.owner = owner;
  request.text.assign(text);
  request.caption.assign(caption);
  request.type = type;
  request.language = language;

  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() != app->thread()) {
    int result = kIdNone;
    QMetaObject::invokeMethod(
        app, [&request, &result] { result = CurrentMessageBoxProvider().Show(request); },
        Qt::BlockingQueuedConnection);
    return result;
  }
  return CurrentMessageBoxProvider().Show(request);
}

int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type) {
  return MessageBoxEx(owner, text, caption, type, kLangNeutral);
}

}  // namespace vt
