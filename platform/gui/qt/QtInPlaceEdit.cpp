// In-place editors: key hooks before the control, custom paste, swallowed wheel.
#include "platform/gui/qt/QtInPlaceEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "platform/gui/Font.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/EditorInput.h"
#include "platform/gui/qt/HostWidget.h"
#include "platform/gui/qt/QtFont.h"

namespace vt {

class EditorLineEdit final : public QLineEdit {
 public:
  EditorLineEdit(QWidget* parent, QtInPlaceEdit& owner) : QLineEdit(parent), owner_(owner) {}

 protected:
  bool event(QEvent* e) override {
    if (QKeyEvent* tab = TabKeyPress(e)) {
      keyPressEvent(tab);
      return true;
    }
    return QLineEdit::event(e);
  }

  void keyPressEvent(QKeyEvent* e) override {
    if (HookTakesKey(e, owner_.onKeyDown)) return;
    if (e->matches(QKeySequence::Paste)) {
      owner_.Paste();
      e->accept();
      return;
    }
    const QString text = e->text();
    if (!text.isEmpty() && owner_.onChar && owner_.onChar(uint32_t(text.at(0).unicode()))) {
      e->accept();
      return;
    }
    // Characters a one-line editor would only beep at never reach it.
    const uint32_t vk = VirtualKeyFromQt(e->key());
    if (vk == kVkTab || vk == kVkReturn || vk == kVkEscape) {
      e->accept();
      return;
    }
    QLineEdit::keyPressEvent(e);
  }

  // Swallowed, unless the host asks for the wheel: then it goes on to the host as if the
  // pointer were over the host itself.
  void wheelEvent(QWheelEvent* e) override {
    e->accept();
    auto* host = qobject_cast<HostWidget*>(parentWidget());
    if (host && host->EditorWheelToHost()) QCoreApplication::sendEvent(host, e);
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    if (owner_.onMouseMove) owner_.onMouseMove(EditorMouseFlags(e), EditorPointInHost(this, e));
    QLineEdit::mouseMoveEvent(e);
  }

  void paintEvent(QPaintEvent* e) override {
    QLineEdit::paintEvent(e);
    if (!owner_.onSkinFrame) return;
    const std::optional<std::array<ColorRef, 4>> frame = owner_.onSkinFrame();
    if (!frame) return;
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(0, 0, 1, h, QColor::fromRgb(ToPixel((*frame)[0])));
    p.fillRect(0, 0, w, 1, QColor::fromRgb(ToPixel((*frame)[1])));
    p.fillRect(w - 1, 0, 1, h, QColor::fromRgb(ToPixel((*frame)[2])));
    p.fillRect(0, h - 1, w, 1, QColor::fromRgb(ToPixel((*frame)[3])));
  }

 private:
  QtInPlaceEdit& owner_;
};

QtInPlaceEdit::QtInPlaceEdit(QWidget* host, bool password, int id, const Rect& r)
    : edit_(new EditorLineEdit(host, *this)), id_(id), password_(password) {
  edit_->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  edit_->setContextMenuPolicy(Qt::NoContextMenu);
  edit_->setFrame(false);
  edit_->setMouseTracking(true);
  edit_->setGeometry(r.left, r.top, r.Width(), r.Height());
  edit_->hide();
}

QtInPlaceEdit::~QtInPlaceEdit() { delete edit_.data(); }

QWidget* QtInPlaceEdit::Widget() const { return edit_.data(); }

void QtInPlaceEdit::Move(const Rect& r, bool repaint) {
  if (!edit_) return;
  edit_->setGeometry(r.left, r.top, r.Width(), r.Height());
  if (repaint) edit_->update();
}

Rect QtInPlaceEdit::Bounds() const {
  if (!edit_) return {};
  const QRect g = edit_->geometry();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtInPlaceEdit::SetFont(const Font* font) {
  if (edit_) edit_->setFont(font ? QtFontOf(*font) : QFont());
}

void QtInPlaceEdit::SetMargins(int32_t left, int32_t right) {
  if (edit_) edit_->setTextMargins(left, 0, right, 0);
}

void QtInPlaceEdit::SetText(std::string_view utf8) {
  if (edit_) edit_->setText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string QtInPlaceEdit::Text() const {
  return edit_ ? edit_->text().toUtf8().toStdString() : std::string();
}

void QtInPlaceEdit::SetSelection(int from, int to) {
  if (!edit_) return;
  const int length = int(edit_->text().size());
  from = std::clamp(from, 0, length);
  to = to < 0 ? length : std::clamp(to, 0, length);
  edit_->setSelection(from, to - from);
}

std::pair<int, int> QtInPlaceEdit::Selection() const {
  if (!edit_ || !edit_->hasSelectedText()) {
    const int at = edit_ ? edit_->cursorPosition() : 0;
    return {at, at};
  }
  return {edit_->selectionStart(), edit_->selectionEnd()};
}

void QtInPlaceEdit::ReplaceSelection(std::string_view utf8) {
  if (edit_) edit_->insert(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void QtInPlaceEdit::Show(bool show) {
  if (edit_) edit_->setVisible(show);
}

bool QtInPlaceEdit::IsVisible() const { return edit_ && edit_->isVisible(); }

void QtInPlaceEdit::Focus() {
  if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

bool QtInPlaceEdit::HasFocus() const { return edit_ && edit_->hasFocus(); }

void QtInPlaceEdit::Invalidate() {
  if (edit_) edit_->update();
}

void QtInPlaceEdit::Cut() {
  if (edit_) edit_->cut();
}

void QtInPlaceEdit::Copy() {
  if (edit_) edit_->copy();
}

void QtInPlaceEdit::Paste() {
  if (onPaste) {
    onPaste();
  } else if (edit_) {
    edit_->paste();
  }
}

}  // namespace vt
