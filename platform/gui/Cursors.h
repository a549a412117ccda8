// Mouse cursors by id: the system ones under their old ids, and cursors registered in code
// under resource ids (drawn images with a hot spot).
#pragma once
#include "platform/gui/Geometry.h"
#include "platform/gui/HostWindow.h"

namespace vt {

class Raster;  // the pixels (a QImage, platform/gui/qt/Raster.h)

enum : CursorId {
  kCursorArrow = 32512,
  kCursorIBeam = 32513,
  kCursorWait = 32514,
  kCursorCross = 32515,
  kCursorSizeNwse = 32642,
  kCursorSizeNesw = 32643,
  kCursorSizeWe = 32644,
  kCursorSizeNs = 32645,
  kCursorSizeAll = 32646,
  kCursorNo = 32648,
  kCursorHand = 32649,
};

// Registers (or replaces) a cursor resource; the image is drawn with transparency.
void RegisterCursor(CursorId id, const Raster& image, Point hotSpot);
bool IsCursorKnown(CursorId id);

}  // namespace vt
