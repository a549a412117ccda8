// What answers a message box: the real dialog by default; tests install their own provider to
// see each request and choose the answer without showing anything.
//
// Show runs on the user-interface thread whenever an application object exists (a worker's
// request is brought there first), and on the calling thread otherwise.
#pragma once
#include "platform/gui/MessageBox.h"

namespace vt {

class MessageBoxProvider {
 public:
  virtual ~MessageBoxProvider() = default;
  // The id of the button that closed the box, kIdNone when none could be shown.
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// Shows the real dialog, modal over the owner's window (or application-modal without one).
// Without an application object, or for an unknown button set, it shows nothing.
class DialogMessageBoxProvider : public MessageBoxProvider {
 public:
  int Show(const MessageBoxRequest& request) override;
};

// Installs a provider (null: the dialog again) and returns the previous one (null when it was
// the dialog). The caller keeps ownership and keeps it alive while installed.
MessageBoxProvider* SetMessageBoxProvider(MessageBoxProvider* provider);
MessageBoxProvider& CurrentMessageBoxProvider();

}  // namespace vt
