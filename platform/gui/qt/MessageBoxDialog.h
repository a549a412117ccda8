// The dialog that shows one message box: icon, plain text, and the buttons of the type's set
// in their fixed order with their labels in the request's language.
//
// exec() returns the id of the button that closed it. Esc and the close box answer the set's
// escape button, and do nothing where the set has none (Yes/No, Abort/Retry/Ignore), so such
// a box can only be closed by choosing. Enter presses the default button. Lines wider than
// five eighths of the screen are broken (inside a word when they must), so a long path never
// pushes the buttons off the screen.
#pragma once
#include <QDialog>
#include <QList>

#include "platform/gui/MessageBox.h"

class QLabel;
class QPushButton;

namespace vt {

class MessageBoxDialog : public QDialog {
  Q_OBJECT
 public:
  // parent is the owner's top-level window, or null for an ownerless box.
  MessageBoxDialog(const MessageBoxRequest& request, QWidget* parent = nullptr);

  const QList<QPushButton*>& Buttons() const { return buttons_; }
  int ButtonId(int index) const { return ids_.at(index); }
  int EscapeId() const { return escapeId_; }
  const QLabel* TextLabel() const { return text_; }
  const QLabel* IconLabel() const { return icon_; }  // null when the type names no icon

 public slots:
  void reject() override;

 private:
  QList<QPushButton*> buttons_;
  QList<int> ids_;
  int escapeId_ = kIdNone;
  QLabel* text_ = nullptr;
  QLabel* icon_ = nullptr;
};

}  // namespace vt
