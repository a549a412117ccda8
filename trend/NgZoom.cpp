// The zoom gadget (see NgZoom.h).
#include "trend/NgZoom.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GIconButton.h"
#include "gadget/GLabel.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "trend/NgWaveform.h"

const int g_zoomCodes[9] = {20, 10, 5, 2, 1, -2, -5, -10, -20};
vt::SGZoomButtonSkin g_zoomButtonSkin[2] = {{12208, 0, 16, 8}, {12209, 0, 16, 8}};

namespace {
constexpr double kLinearLimit = 1e16;
constexpr double kLogLimit = 16;

double Scale(int z) { return z > 0 ? double(z) : 1.0 / std::abs(z); }

CGNgZoom* ZoomOf(CGPrimitive* button) {
  return static_cast<CGNgZoom*>(button ? button->FindAncestorOfClass(GCLASS(CGNgZoom)) : nullptr);
}
}  // namespace

CGNgZoom::CGNgZoom(CGCore* axis) : CGPrimitive(axis, 0, 0, 0, 0, 24, 64), m_font(GetSharedFont(13, 0, 0)) {}

void CGNgZoom::CreateButtons() {
  const vt::SGZoomButtonSkin& in = g_zoomButtonSkin[0];
  const vt::SGZoomButtonSkin& out = g_zoomButtonSkin[1];
  m_zoomIn = new (std::nothrow) CGIconButton(this, 2, 3, in.width - 1, in.height, 3, in.imageId, 0);
  CheckAllocation("zoom", m_zoomIn);
  m_zoomOut = new (std::nothrow) CGIconButton(this, 2, 28, out.width - 1, out.height, 3, out.imageId, 0);
  CheckAllocation("zoom", m_zoomOut);
  m_label = new (std::nothrow) CGVLabel(this);
  CheckAllocation("zoom", m_label);
  if (m_zoomIn) m_zoomIn->AddEventCallback(GEVENT_CLICKED, OnNgZoomInClick, nullptr, 0);
  if (m_zoomOut) m_zoomOut->AddEventCallback(GEVENT_CLICKED, OnNgZoomOutClick, nullptr, 0);
}

void CGNgZoom::UpdateText(int code) {
  m_text = code >= 2 ? vt::FormatC("x1/%d", code) : vt::FormatC("x%d", std::abs(code));
  if (CGCore* label = GetFirstChildOfClass(GCLASS(CGLabel)))
    static_cast<CGPrimitive*>(label)->SetText(m_text);
}

void CGNgZoom::SetValue(int code) {
  m_code = code;
  UpdateText(code);
}

void CGNgZoom::PlaceAt(int x, int, int y) {
  vt::Point o;
  GetOrigin(&o);
  MoveTo(x - m_rect.Width(), y - m_rect.Height() / 2 - o.y + 1);
}

double CGNgZoom::SpanFactor(int n, double B) const {
  // A code of 0 names no span: no finite answer.
  if (n == 0 || m_referenceCode == 0) return std::nan("");
  return B * Scale(n) / Scale(m_referenceCode);
}

int CGNgZoom::NextInCode() const {
  for (int z : g_zoomCodes)
    if (z < m_code) return z;
  return m_code;
}

int CGNgZoom::NextOutCode() const {
  for (int i = 8; i >= 0; --i)
    if (g_zoomCodes[i] > m_code) return g_zoomCodes[i];
  return m_code;
}

bool CGNgZoom::ApplyZoom(int n) {
  auto* axis = static_cast<CGNgYAxis*>(FindAncestorOfClass(GCLASS(CGNgYAxis)));
  if (!axis) return false;
  const bool log = axis->m_scaleType == SCALE_LOG;
  auto f = [&](double v) { return log ? std::log10(v) : v; };
  const double lo = f(axis->m_minimum), hi = f(axis->m_maximum), c = f(m_centre);
  const double h = SpanFactor(n, axis->m_referenceSpan);
  const double g = std::fabs(hi - lo);
  const double newLo = c - h * (c - lo) / g, newHi = c + h * (hi - c) / g;
  // Comparisons with NaN are false: a zero span, a bad centre or a bad code are refused here.
  const double limit = log ? kLogLimit : kLinearLimit;
  if (!(newLo >= -limit && newLo <= limit && newHi >= -limit && newHi <= limit)) return false;
  if (log)
    axis->SetRange(std::pow(10.0, newLo), std::pow(10.0, newHi));
  else
    axis->SetRange(newLo, newHi);
  return true;
}

void CGNgZoom::Step(bool in) {
  const int next = in ? NextInCode() : NextOutCode();
  if (!ApplyZoom(next)) return;
  SetValue(next);
  if (CGCore* panel = FindAncestorOfClass(GCLASS(CGNgWaveform))) {
    static_cast<CGPrimitive*>(panel)->LayoutTree();
    static_cast<CGPrimitive*>(panel)->Update();
  }
}

void OnNgZoomInClick(CGPrimitive* button, int, void*) {
  if (CGNgZoom* zoom = ZoomOf(button)) zoom->Step(true);
}

void OnNgZoomOutClick(CGPrimitive* button, int, void*) {
  if (CGNgZoom* zoom = ZoomOf(button)) zoom->Step(false);
}

int CGNgZoom::MeasureText() const {
  const vt::Font* font = m_font ? m_font->GetFont() : nullptr;
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* dc = root ? root->GetWindowDC() : nullptr;
  if (dc && font) {
    const vt::Font* old = dc->SelectFont(font);
    const int w = dc->GetTextExtent(m_text).cx;
    dc->SelectFont(old);
    return w;
  }
  const int fontHeight = m_font ? std::abs(m_font->GetLogFont().height) : 13;
  return int(m_text.size()) * (fontHeight / 2) + 2;
}

void CGNgZoom::Layout() {
  const CGPrimitive* axis = ParentPrimitive();
  const int wA = axis ? axis->Rect().Width() : 0;
  const int w = m_rect.Width(), h = m_rect.Height();
  const int H = MeasureText() + g_zoomButtonSkin[0].height + g_zoomButtonSkin[1].height + 12;
  MoveTo(wA - w, m_rect.top + h / 2 - H / 2);
  SetHeight(H);
  if (m_zoomOut) m_zoomOut->MoveTo(m_zoomOut->Rect().left, H - 13);
}

void CGNgZoom::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  const int L = a.left, T = a.top, R = a.right, B = a.bottom, h = a.Height(), M = T + h / 2;
  dc->FillSolidRect(vt::Rect{L + 10, T, R - 5, B - 2}, 0x02E1E1E1);
  const int Bp = M + h / 2;
  const vt::Point points[11] = {{L, T + 3},      {L, Bp - 6},    {L + 3, Bp - 3}, {R - 9, Bp - 3},
                                {R - 6, Bp - 6}, {R - 6, M + 3}, {R, M},          {R - 6, M - 3},
                                {R - 6, T + 3},  {R - 9, T},     {L + 3, T}};
  DrawFilledPolygon(dc, points, 11, 0x02FFFFFF, m_textColour);
}

void CGNgZoom::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (CGRoot* root = GetRootGadget()) root->SetWheelTarget(this);
  CGPrimitive::OnLButtonDown(flags, x, y);
}

void CGNgZoom::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  CGPrimitive::OnLButtonUp(flags, x, y);
  FireEvent(GEVENT_CLICKED);
}

bool CGNgZoom::OnMouseWheel(uint32_t, int32_t delta, int32_t, int32_t) {
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return true;
  Step(int16_t(delta) > 0);
  return true;
}
