// Progress bar range, clamping and the segment fill.
#include "gadget/GProgressBar.h"

#include <algorithm>
#include <cmath>

#include "gadget/GDraw.h"
#include "gadget/GSkin.h"
#include "platform/gui/DeviceContext.h"

CGSkProgressBar::CGSkProgressBar(CGCore* parent, double minimum, double maximum, double value)
    : CGPrimitive(parent, 0, 0, 1076, GSTYLE_ACTIVE, 302, 20),
      m_low(std::min(minimum, maximum)),
      m_high(std::max(minimum, maximum)),
      m_value(value) {}

const SGClassInfo* CGSkProgressBar::GetClassInfo() const { return GCLASS(CGSkProgressBar); }

void CGSkProgressBar::SetRange(double a, double b) {
  m_low = std::min(a, b);
  m_high = std::max(a, b);
}

void CGSkProgressBar::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::ProgressBar);
  vt::Rect r;
  GetAbsoluteRect(&r);
  if (const vt::Bitmap* trough = skin.Image(0))
    DrawNineSliceCell(dc, trough, skin.Image(1), 0, skin.Int(8), skin.Int(12), skin.Int(16), skin.Int(20),
                      skin.Int(24), skin.Int(28), r);
  const int s = skin.Int(40);
  if (!(m_high > m_low) || s < 1) return;
  const int inner = r.Width() - 6;
  const double f = std::trunc((m_value - m_low) * inner / (m_high - m_low));
  const int filled = int(std::clamp(f, double(-inner), double(inner)));
  const int n = (filled + s - 1) / s;
  if (n < 1) return;
  const vt::Bitmap* segment = skin.Image(2);
  const int end = r.left + 3 + filled;
  vt::Rect seg{r.left + 3, r.top + 3, r.left + 3 + std::min(s, filled), r.bottom - 3};
  for (int i = 0; i < n; ++i) {
    if (seg.right >= end) seg.right = end;
    if (segment) StretchBlendBitmap(dc, segment, skin.Image(3), vt::Rect{0, 0, s, skin.Int(44)}, seg);
    seg.left += s;
    seg.right = seg.left + s;
  }
}
