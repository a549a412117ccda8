// The sunken bevel around a framed part (see SunkenBevel.h).
#include "trend/SunkenBevel.h"

#include "gadget/GDraw.h"

void DrawSunkenBevelAround(vt::DeviceContext* dc, vt::ColorRef background, const vt::Rect& inner) {
  BevelColors bevel = GetBevelColors(background);
  const vt::ColorRef back = background & 0x00FFFFFF;
  if ((bevel.highlight & 0x00FFFFFF) == back)
    bevel.highlight = bevel.shadow;
  else if ((bevel.shadow & 0x00FFFFFF) == back)
    bevel.shadow = bevel.highlight;
  DrawBevelLines(dc, 1, bevel.shadow, bevel.highlight, inner.left - 1, inner.top - 1, inner.right + 1,
                 inner.bottom + 1);
}
