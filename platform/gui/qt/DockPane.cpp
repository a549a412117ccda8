// The docking pane (see DockPane.h).
#include "platform/gui/qt/DockPane.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QPalette>
#include <QPixmap>
#include <QVBoxLayout>
#include <memory>

#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

DockPane::DockPane() : holder_(new QWidget) {
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  setAllowedAreas(Qt::AllDockWidgetAreas);
  holder_->setObjectName(QStringLiteral("paneHolder"));
  holder_->setAutoFillBackground(true);
  QPalette palette = holder_->palette();
  palette.setColor(QPalette::Window, Qt::white);
  holder_->setPalette(palette);
  auto* layout = new QVBoxLayout(holder_);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->setSpacing(0);
  setWidget(holder_);
}

DockPane::~DockPane() = default;

void DockPane::SetContent(QWidget* content) {
  if (content_ == content) return;
  delete content_.data();
  content_ = content;
  if (content) holder_->layout()->addWidget(content);
}

bool DockPane::Create(const QString& caption, QMainWindow* frame, int controlId, int iconId, int side) {
  Qt::DockWidgetArea area = Qt::NoDockWidgetArea;
  switch (side) {
    case kSideLeft:
      area = Qt::LeftDockWidgetArea;
      break;
    case kSideTop:
      area = Qt::TopDockWidgetArea;
      break;
    case kSideRight:
      area = Qt::RightDockWidgetArea;
      break;
    case kSideBottom:
      area = Qt::BottomDockWidgetArea;
      break;
    default:
      return false;
  }
  setWindowTitle(caption);
  setObjectName(QStringLiteral("pane.%1").arg(controlId));
  if (std::unique_ptr<Bitmap> icon = LoadBitmap(iconId))
    setWindowIcon(QIcon(QPixmap::fromImage(icon->Image())));
  setFont(QApplication::font());
  frame->addDockWidget(area, this);
  return true;
}

}  // namespace vt
