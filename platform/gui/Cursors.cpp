// Cursor registry: system shapes by id, registered images by resource id (UI thread only).
#include "platform/gui/Cursors.h"

#include "platform/gui/qt/QtCursors.h"
#include "platform/gui/qt/Raster.h"

#include <QPixmap>
#include <map>

namespace vt {

namespace {

struct RegisteredCursor {
  QImage image;
  Point hotSpot;
};

std::map<CursorId, RegisteredCursor>& Registered() {
  static std::map<CursorId, RegisteredCursor> cursors;
  return cursors;
}

bool SystemShape(CursorId id, Qt::CursorShape& shape) {
  switch (id) {
    case kCursorArrow:
      shape = Qt::ArrowCursor;
      return true;
    case kCursorIBeam:
      shape = Qt::IBeamCursor;
      return true;
    case kCursorWait:
      shape = Qt::WaitCursor;
      return true;
    case kCursorCross:
      shape = Qt::CrossCursor;
      return true;
    case kCursorSizeNwse:
      shape = Qt::SizeFDiagCursor;
      return true;
    case kCursorSizeNesw:
      shape = Qt::SizeBDiagCursor;
      return true;
    case kCursorSizeWe:
      shape = Qt::SizeHorCursor;
      return true;
    case kCursorSizeNs:
      shape = Qt::SizeVerCursor;
      return true;
    case kCursorSizeAll:
      shape = Qt::SizeAllCursor;
      return true;
    case kCursorNo:
      shape = Qt::ForbiddenCursor;
      return true;
    case kCursorHand:
      shape = Qt::PointingHandCursor;
      return true;
    default:
      return false;
  }
}

}  // namespace

void RegisterCursor(CursorId id, const Raster& image, Point hotSpot) { Registered()[id] = {image, hotSpot}; }

bool IsCursorKnown(CursorId id) {
  Qt::CursorShape shape;
  return SystemShape(id, shape) || Registered().count(id) != 0;
}

QCursor QtCursorFor(CursorId id) {
  Qt::CursorShape shape;
  if (SystemShape(id, shape)) return QCursor(shape);
  auto it = Registered().find(id);
  if (it == Registered().end()) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(it->second.image), it->second.hotSpot.x, it->second.hotSpot.y);
}

}  // namespace vt
