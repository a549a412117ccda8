// The automatic-import indicator (see CAutoImportProgress.h).
#include "app/qt/CAutoImportProgress.h"

#include <QPainter>

#include "platform/gui/StringTable.h"

CAutoImportProgress::CAutoImportProgress(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("importIndicator"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  timer_.setInterval(kStepMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
  hide();
}

void CAutoImportProgress::ShowIndicator() {
  show();
  raise();
  timer_.start();  // a second start only restarts the one timer
}

void CAutoImportProgress::HideIndicator() {
  timer_.stop();
  hide();
}

void CAutoImportProgress::Step() {
  // Past the end the bar starts again from the beginning.
  position_ = position_ >= kRange ? 1 : position_ + 1;
  update();
}

void CAutoImportProgress::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const int filled = inner.width() * position_ / kRange;
  painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), QColor::fromRgb(kBarColor));
  painter.setPen(QColor::fromRgb(kTextColor));
  painter.drawText(inner, Qt::AlignCenter, QString::fromStdString(vt::LoadString(kTextId)));
}
