// Window records and frame placements: field by field in both directions.
#include "document/ui/WindowEntryPlacement.h"

namespace vt_ui {

SGraphWindowEntry MakeWindowEntry(int viewKind, const vt::WindowPlacement& p) {
  SGraphWindowEntry e;
  e.viewKind = viewKind;
  e.length = p.length;
  e.flags = p.flags;
  e.showCmd = p.showCmd;
  e.minX = p.minPosition.x, e.minY = p.minPosition.y;
  e.maxX = p.maxPosition.x, e.maxY = p.maxPosition.y;
  e.normalLeft = p.normal.left, e.normalTop = p.normal.top;
  e.normalRight = p.normal.right, e.normalBottom = p.normal.bottom;
  return e;
}

vt::WindowPlacement PlacementOf(const SGraphWindowEntry& e) {
  vt::WindowPlacement p;
  p.length = e.length;
  p.flags = e.flags;
  p.showCmd = e.showCmd;
  p.minPosition = {e.minX, e.minY};
  p.maxPosition = {e.maxX, e.maxY};
  p.normal = {e.normalLeft, e.normalTop, e.normalRight, e.normalBottom};
  return p;
}

}  // namespace vt_ui
