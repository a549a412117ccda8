// The one-pixel sunken bevel that the graph body draws around its plot area and a legend
// around its tree: shadow on top and left, highlight on bottom and right, both derived from
// the background; a side whose colour would vanish in the background takes the other one.
#pragma once
#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {
class DeviceContext;
}

void DrawSunkenBevelAround(vt::DeviceContext* dc, vt::ColorRef background, const vt::Rect& inner);
