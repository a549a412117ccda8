// Opening and closing painters on device contexts.
#include "platform/gui/qt/DcPainter.h"
#include "platform/gui/qt/Raster.h"

#include "platform/gui/DeviceContext.h"

namespace vt {

DcPainter::DcPainter(DeviceContext& dc) : dc_(dc) {
  if (QPainter* p = dc.PersistentPainter()) {
    persistent_ = true;
    painter_ = p;
    painter_->save();
  } else if (QImage* surface = dc.Surface(); surface && !surface->isNull()) {
    if (surface->format() == QImage::Format_Mono) {
      monoCopy_ = surface->convertToFormat(QImage::Format_RGB32);
      own_.emplace(&monoCopy_);
    } else {
      own_.emplace(surface);
    }
    painter_ = &*own_;
  } else {
    return;
  }
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  if (auto clip = dc.ClipRect()) {
    painter_->setClipRect(QRect(clip->left, clip->top, clip->Width(), clip->Height()), Qt::ReplaceClip);
  } else {
    painter_->setClipping(false);
  }
}

DcPainter::~DcPainter() {
  if (!painter_) return;
  if (persistent_) {
    painter_->restore();
    return;
  }
  own_->end();
  if (!monoCopy_.isNull()) {
    QImage* surface = dc_.Surface();
    for (int y = 0; y < monoCopy_.height(); ++y) {
      const uint32_t* row = reinterpret_cast<const uint32_t*>(monoCopy_.constScanLine(y));
      for (int x = 0; x < monoCopy_.width(); ++x) surface->setPixel(x, y, qGray(row[x]) >= 128 ? 1 : 0);
    }
  }
}

}  // namespace vt
