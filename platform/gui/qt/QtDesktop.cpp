// Desktop services over Qt, and the process-wide slot that tests replace.
#include "platform/gui/qt/QtDesktop.h"
#include "platform/gui/qt/Raster.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "platform/gui/HostWindow.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/QtToolTip.h"

namespace vt {

Point QtDesktop::CursorPos() const {
  const QPoint p = QCursor::pos();
  return Point{p.x(), p.y()};
}

bool QtDesktop::IsCursorOver(const HostWindow& host) const {
  const auto* widget = static_cast<QWidget*>(WindowNative(host.Handle()));
  return widget && QApplication::widgetAt(QCursor::pos()) == widget;
}

Rect QtDesktop::WorkArea() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return Rect{0, 0, 1024, 768};
  const QRect r = screen->availableGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool QtDesktop::IsKeyDown(uint32_t vk) const {
  const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
  const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
  switch (vk) {
    case kVkShift:
      return modifiers & Qt::ShiftModifier;
    case kVkControl:
      return modifiers & Qt::ControlModifier;
    case kVkMenu:
      return modifiers & Qt::AltModifier;
    case 0x01:
      return buttons & Qt::LeftButton;  // left mouse button
    case 0x02:
      return buttons & Qt::RightButton;  // right mouse button
    default:
      return false;  // other keys are not tracked
  }
}

bool QtDesktop::SetClipboardText(std::string_view utf8) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
  return true;
}

std::optional<std::string> QtDesktop::ClipboardText() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return std::nullopt;
  const QString text = clipboard->text();
  if (text.isNull()) return std::nullopt;
  return text.toUtf8().toStdString();
}

bool QtDesktop::SetClipboardBitmap(const Bitmap& bitmap) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setImage(bitmap.Image().convertToFormat(QImage::Format_RGB32));
  return true;
}

std::optional<ColorRef> QtDesktop::ChooseColor(WindowHandle owner, ColorRef initial) {
  // A dialog needs a widget application; without one nothing can be chosen.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return std::nullopt;
  auto* widget = owner ? static_cast<QWidget*>(WindowNative(owner)) : nullptr;
  // On the heap and watched: if the owner window goes away while the dialog is up, it takes
  // the dialog with it, and that counts as a cancel.
  QPointer<QColorDialog> dialog =
      new QColorDialog(QColor::fromRgb(ToPixel(initial)), widget ? widget->window() : nullptr);
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  const int result = dialog->exec();
  if (!dialog) return std::nullopt;
  const QColor chosen = dialog->selectedColor();
  delete dialog.data();
  if (result != QDialog::Accepted || !chosen.isValid()) return std::nullopt;
  // A plain RGB value: the palette flag of the initial colour is not carried over.
  return Rgb(uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue()));
}

std::unique_ptr<ToolTipWindow> QtDesktop::CreateToolTip() { return std::make_unique<QtToolTip>(); }

namespace {

std::shared_ptr<Desktop>& Installed() {
  static std::shared_ptr<Desktop> installed;
  return installed;
}

}  // namespace

Desktop& CurrentDesktop() {
  static QtDesktop qtDesktop;
  auto& installed = Installed();
  return installed ? *installed : static_cast<Desktop&>(qtDesktop);
}

std::shared_ptr<Desktop> InstallDesktop(std::shared_ptr<Desktop> desktop) {
  auto previous = std::move(Installed());
  Installed() = std::move(desktop);
  return previous;
}

}  // namespace vt
