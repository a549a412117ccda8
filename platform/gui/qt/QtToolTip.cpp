// Tooltip window: white face, black border, black text at (2, 2); never activated or focused.
#include "platform/gui/qt/QtToolTip.h"
#include "platform/gui/qt/Raster.h"

#include <QPainter>

#include "platform/gui/Font.h"
#include "platform/gui/MemoryDc.h"

namespace vt {

QtToolTip::QtToolTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void QtToolTip::SetText(std::string_view utf8, const Font* font) {
  text_ = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  font_ = font;
  update();
}

void QtToolTip::ShowAt(const Rect& r) {
  setGeometry(r.left, r.top, r.Width(), r.Height());
  show();
  raise();
}

Rect QtToolTip::ScreenRect() const {
  const QRect g = geometry();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtToolTip::paintEvent(QPaintEvent*) {
  QImage face(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  auto bitmap = Bitmap::FromImage(face, 24);
  if (!bitmap) return;
  MemoryDc dc;
  dc.SelectBitmap(bitmap.get());
  dc.SelectPen(SolidPen(Rgb(0, 0, 0)));
  dc.SelectBrush(SolidBrush(Rgb(255, 255, 255)));
  dc.Rectangle(Rect{0, 0, width(), height()});
  dc.SelectFont(font_);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(Rgb(0, 0, 0));
  const QByteArray utf8 = text_.toUtf8();
  dc.TextOut(2, 2, std::string_view(utf8.constData(), std::size_t(utf8.size())));
  QPainter(this).drawImage(0, 0, bitmap->Image());
}

}  // namespace vt
