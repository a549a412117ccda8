// The tooltip (see ToolTip.h).
#include "gadget/ToolTip.h"

#include "gadget/GPools.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/TextMeasurer.h"
#include "platform/gui/ToolTipWindow.h"

CToolTip::CToolTip(CGFont* font) : m_font(font), m_window(vt::CurrentDesktop().CreateToolTip()) {}

CToolTip::~CToolTip() = default;

vt::Rect CToolTip::Placement(vt::Point cursor, vt::Size text, const vt::Rect& work) {
  const int32_t w = text.cx + 7;
  const int32_t h = text.cy + 6;
  vt::Rect r{cursor.x - 3, cursor.y + 20, cursor.x - 3 + w, cursor.y + 20 + h};
  if (r.right > work.right) r = vt::OffsetRect(r, work.right - r.right, 0);
  if (r.bottom > work.bottom) r = vt::OffsetRect(r, 0, -(h + 23));
  return r;
}

void CToolTip::Show(int show) {
  if (!m_window) return;
  if (!show || m_text.empty()) {
    m_window->Hide();
    return;
  }
  vt::Font* font = m_font ? m_font->GetFont() : nullptr;
  vt::Size size{0, 14};
  if (font) size = vt::Size{vt::CurrentTextMeasurer().TextWidth(*font, m_text), font->Metrics().height};
  vt::Desktop& desktop = vt::CurrentDesktop();
  m_window->SetText(m_text, font);
  m_window->ShowAt(Placement(desktop.CursorPos(), size, desktop.WorkArea()));
}

bool CToolTip::IsVisible() const { return m_window && m_window->IsVisible(); }
