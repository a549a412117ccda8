// Mark notes: word wrap, layout from the mark's anchor, the balloon drawing with its rounded
// translucent outline, the toggle, the vertical drag and printing.
#include "trend/MarkNotes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/base/Text.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Path.h"
#include "trend/GraphBody.h"
#include "trend/Marks.h"
#include "trend/NgDrawing.h"

int g_ngNoteWidth = 100;
uint32_t g_ngNoteColours[3] = {0x50FAA050, 0x50FAA050, 0x50FAA050};

namespace {

constexpr int kNoteFontHeight = 14;
constexpr int kTitleBand = 16;
SGNgMarkNoteSkin g_noteSkin;

const vt::Bitmap* SkinBitmap(int id) {
  const CGBitmap* b = id ? GetSharedBitmap(id) : nullptr;
  return b ? b->GetBitmap() : nullptr;
}

const vt::Font* FontOf(const CGFont* font) { return font ? font->GetFont() : nullptr; }

}  // namespace

void SetNgMarkNoteSkin(const SGNgMarkNoteSkin& skin) { g_noteSkin = skin; }
const SGNgMarkNoteSkin& GetNgMarkNoteSkin() { return g_noteSkin; }

void RegisterNgMarkNoteArt() {
  constexpr int n = 9;
  auto button = vt::Bitmap::Create(n, n, 24);
  auto icon = vt::Bitmap::Create(n, n, 24);
  auto mask = vt::Bitmap::Create(n, n, 24);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const bool edge = x == 0 || y == 0 || x == n - 1 || y == n - 1;
      const bool minus = y == 4 && x >= 2 && x <= 6;
      button->SetPixel(x, y, edge ? 0x00606060 : minus ? 0x00000000 : 0x00D8D8D8);
      const int dx = x - 4, dy = y - 4, d = dx * dx + dy * dy;
      const bool plus = (y == 4 && x >= 2 && x <= 6) || (x == 4 && y >= 2 && y <= 6);
      icon->SetPixel(x, y, plus ? 0x00000000 : d >= 12 ? 0x00505050 : 0x00F0F0F0);
      mask->SetPixel(x, y, d <= 20 ? 0x00000000 : 0x00FFFFFF);
    }
  }
  vt::RegisterBitmap(12199, std::move(button));
  vt::RegisterBitmap(12200, std::move(mask));
  vt::RegisterBitmap(12201, std::move(icon));
}

namespace vt {

void NgWrapText(vt::DeviceContext* dc, const vt::Font* font, int width, const std::string& text,
                std::vector<std::string>* lines) {
  const vt::Font* old = font ? dc->SelectFont(font) : nullptr;
  std::string_view rest = text;
  while (!rest.empty()) {
    if (dc->GetTextExtent(rest).cx < width) {
      lines->emplace_back(rest);
      break;
    }
    size_t cut = rest.size();
    int before = 0;
    for (size_t i = 0; i < rest.size();) {
      const size_t next = vt::Utf8Next(rest, i);
      const int w = dc->GetTextExtent(rest.substr(0, next)).cx;
      if (w >= width) {
        // A character of several bytes whose first half already reaches the width starts the
        // next line, unless it would leave this one empty.
        const bool wide = next - i > 1 && i > 0 && (before + w) / 2 >= width;
        cut = wide ? i : next;
        break;
      }
      before = w;
      i = next;
    }
    // A line that has a blank breaks after its last word that fits: the line ends before the
    // blank (the blank at the cut counts, the word before it fits whole); only a word wider
    // than the note on its own is cut inside.
    constexpr auto npos = std::string_view::npos;
    const size_t blank = rest.find_last_of(' ', cut < rest.size() ? cut : cut - 1);
    const size_t last = blank == npos ? npos : rest.find_last_not_of(' ', blank);
    if (last != npos) {
      lines->emplace_back(rest.substr(0, last + 1));
      const size_t next = rest.find_first_not_of(' ', blank);
      rest.remove_prefix(next == npos ? rest.size() : next);
      continue;
    }
    lines->emplace_back(rest.substr(0, cut));
    rest.remove_prefix(cut);
  }
  if (font) dc->SelectFont(old);
}

void NgAddRoundedPath(int d, vt::Path* path, int s, int x, int y, int w, int h) {
  d = std::min({d, w, h});
  *path = vt::Path();
  path->AddArc(float(x), float(y), float(d), float(d), 180, 90);
  const bool twenty = d == 20;
  const int e = twenty ? 21 : d, w2 = twenty ? w - 1 : w, h2 = twenty ? h - 1 : h;
  path->AddArc(float(x + w2 - d - 1), float(y), float(e), float(e), 270, 90);
  path->AddArc(float(x + w2 - d - 1), float(y + h2 - d - 1), float(e), float(e), 0, 90);
  path->AddArc(float(x), float(y + h2 - d - 1), float(e), float(e), 90, 90);
  path->CloseFigure();
  path->StartFigure();
  path->AddLine(float(x + 4 * s), float(y + 14 * s + 2), float(x + w2 - 5 * s), float(y + 14 * s + 2));
}

void NgDrawRoundedFrame(int radius, vt::DeviceContext* dc, int scale, uint32_t argb, int frames, int x, int y,
                        int w, int h) {
  vt::Path path;
  NgAddRoundedPath(2 * radius, &path, scale, x, y, w, h);
  dc->DrawPath(path, argb, 1.0f);
  for (int i = 1; i < frames; ++i) {
    x += 1, w -= 2;
    NgAddRoundedPath(2 * radius, &path, scale, x, y, w, h);
    dc->DrawPath(path, argb, 1.0f);
    y += 1, h -= 2;
    NgAddRoundedPath(2 * radius, &path, scale, x, y, w, h);
    dc->DrawPath(path, argb, 1.0f);
  }
}

void NgFillRoundedGradient(vt::DeviceContext* dc, int scale, uint32_t top, uint32_t bottom, int radius, int x,
                           int y, int w, int h) {
  vt::Path path;
  NgAddRoundedPath(2 * radius, &path, scale, x, y, w, h);
  dc->FillPathGradient(path, vt::Point{x, y}, top, vt::Point{x, y + h}, bottom);
}

}  // namespace vt

// ---- note ----

CGNgMarkNote::CGNgMarkNote(CGCore* mark, int id) : CGPrimitive(mark, 0, 0, id, 3, 0, 0) {
  m_font = GetSharedFont(kNoteFontHeight, 0, 0);
}

void CGNgMarkNote::Release() {
  // A pooled note keeps its double-click handler; one that is deleted frees it.
  SGEventCallback* keep = m_callbacks;
  const bool pooled = g_rootMaster && g_rootMaster->GetStocker();
  if (pooled) m_callbacks = nullptr;
  CGPrimitive::Release();
  if (pooled) m_callbacks = keep;
}

CGNgMark* CGNgMarkNote::Mark() const {
  return IsKindOfClass(GetParent(), GCLASS(CGNgMark)) ? static_cast<CGNgMark*>(GetParent()) : nullptr;
}

namespace {

// The plot area: the first scrolling body of the scroll manager above the note's group.
const CGPrimitive* PlotOf(const CGCore* note) {
  const CGCore* group = note->FindAncestorOfClass(GCLASS(CGGroup));
  const CGCore* manager = group ? group->FindAncestorOfClass(GCLASS(CGScrollManager)) : nullptr;
  const CGCore* plot = manager ? manager->GetFirstChildOfClass(GCLASS(CGScroll)) : nullptr;
  return IsPrimitive(plot) ? static_cast<const CGPrimitive*>(plot) : nullptr;
}

}  // namespace

bool CGNgMarkNote::GetPlotRect(vt::Rect* out, bool print) const {
  const CGPrimitive* plot = PlotOf(this);
  if (!plot) return false;
  *out = print ? plot->PrintRect() : plot->Rect();
  return true;
}

bool CGNgMarkNote::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* plot = PlotOf(this);
  return plot ? plot->GetVisibleRect(out) : CGPrimitive::GetVisibleRect(out);
}

bool CGNgMarkNote::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* plot = PlotOf(this);
  return plot ? plot->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

void CGNgMarkNote::GetOrigin(vt::Point* out) const {
  if (const CGNgMark* mark = Mark(); mark && vt::NgGraphTimeAxis(mark)) {
    mark->GetAnchor(out);
    return;
  }
  CGPrimitive::GetOrigin(out);
}

void CGNgMarkNote::GetPrintOrigin(vt::Point* out) const {
  if (const CGNgMark* mark = Mark(); mark && vt::NgGraphTimeAxis(mark)) {
    mark->GetPrintAnchor(out);
    return;
  }
  CGPrimitive::GetPrintOrigin(out);
}

void CGNgMarkNote::SetRecord(const SNgMarkNote& r) {
  m_state = r.kind;
  m_position = r.position > 0 ? r.position : r.position - g_ngNoteWidth;
  m_value = m_dragStartValue = r.value;
  m_title.assign(r.title, strnlen(r.title, sizeof r.title));
  m_comment.assign(r.comment, strnlen(r.comment, sizeof r.comment));
}

void CGNgMarkNote::SetBackColor(vt::ColorRef c) { m_textColour = vt::NgContrastText(c); }

void CGNgMarkNote::Layout() {
  vt::Rect plot;
  if (!GetPlotRect(&plot, false)) return;
  const int centre = plot.top + int((1 - m_value) * plot.Height());
  if (m_state != 0)
    SetBounds(m_position, centre - m_expandedHeight / 2, g_ngNoteWidth, m_expandedHeight);
  else
    SetBounds(-(g_noteSkin.iconWidth / 2), centre - g_noteSkin.iconHeight / 2, g_noteSkin.iconWidth,
              g_noteSkin.iconHeight);
}

void CGNgMarkNote::ScalePrintRects(int scale) {
  m_printFont = GetSharedFont(12 * scale, 0, 0);
  vt::Rect plot;
  if (m_state == 0 || !GetPlotRect(&plot, true)) return;
  MovePrintRect(scale * m_position, plot.top + int((1 - m_value) * plot.Height()) - m_expandedHeight / 2);
}

void CGNgMarkNote::Wrap(vt::DeviceContext* dc, const vt::Font* font, int width) {
  if (font == wrapFont_ && width == wrapWidth_ && m_comment == wrapText_) return;
  m_lines.clear();
  vt::NgWrapText(dc, font, width, m_comment, &m_lines);
  wrapFont_ = font, wrapWidth_ = width, wrapText_ = m_comment;
}

void CGNgMarkNote::DrawTexts(vt::DeviceContext* dc, const vt::Font* font, int fontHeight, const vt::Rect& r,
                             int margin, int band, int titleRight) {
  const vt::Size title = vt::NgTextExtent(dc, font, m_title);
  if (title.cx > titleRight - (r.left + margin))
    DrawTextWithEllipsis(dc, vt::Rect{r.left + margin, r.top, titleRight - 6 * title.cy / 14, r.top + band},
                         font, m_textColour, m_title);
  else
    DrawTextAt(font, dc, r.left + margin, (r.top + r.top + band) / 2 - title.cy / 2, vt::kTaLeft | vt::kTaTop,
               m_textColour, m_title);
  for (size_t k = 0; k < m_lines.size(); ++k)
    DrawTextAt(font, dc, r.left + margin, r.top + band + int(k) * fontHeight, vt::kTaLeft | vt::kTaTop,
               m_textColour, m_lines[k]);
}

void CGNgMarkNote::DrawConnector(vt::DeviceContext* dc, vt::Point a, const vt::Rect& r) {
  if (!(r.right < a.x || a.x < r.left)) return;  // the mark line crosses the note
  const int middle = (r.top + r.bottom) / 2;
  const vt::Pen old = dc->SelectPen(vt::SolidPen(m_textColour, 1));
  dc->MoveTo(a.x, middle);
  dc->LineTo(r.right < a.x ? r.right : r.left, middle);
  dc->SelectPen(old);
}

void CGNgMarkNote::Draw(vt::DeviceContext* dc) {
  const CGNgMark* mark = Mark();
  vt::Point a;
  if (!mark || !mark->GetAnchor(&a)) return;
  const vt::Font* font = FontOf(m_font);
  Wrap(dc, font, g_ngNoteWidth - 10);
  m_expandedHeight = int((double(m_lines.size()) + 1.5) * kNoteFontHeight);
  Layout();
  vt::Rect r;
  GetAbsoluteRect(&r);
  const SGNgMarkNoteSkin& skin = g_noteSkin;
  if (m_state == 0) {
    StretchBlendBitmap(dc, SkinBitmap(skin.iconImage), SkinBitmap(skin.iconMask),
                       vt::Rect{0, 0, skin.iconWidth, skin.iconHeight}, r);
    return;
  }
  DrawTexts(dc, font, kNoteFontHeight, r, 5, kTitleBand, r.right - skin.buttonWidth - 5);
  vt::NgDrawRoundedFrame(4, dc, 1, g_ngNoteColours[0], 1, r.left, r.top, r.Width(), r.Height());
  vt::NgFillRoundedGradient(dc, 1, g_ngNoteColours[1], g_ngNoteColours[2], 4, r.left, r.top, r.Width(),
                            r.Height());
  DrawConnector(dc, a, r);
  StretchBlendBitmap(
      dc, SkinBitmap(skin.buttonImage), SkinBitmap(skin.buttonMask),
      vt::Rect{0, 0, skin.buttonWidth, skin.buttonHeight},
      vt::Rect{r.right - skin.buttonWidth - 5, r.top + 3, r.right - 5, r.top + skin.buttonHeight + 3});
}

void CGNgMarkNote::Paint(vt::DeviceContext* dc) {
  // The note lies outside its mark's flag, so the plot area's visible part decides.
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
}

void CGNgMarkNote::PrintSelf(vt::DeviceContext* dc, int) {
  const CGNgMark* mark = Mark();
  vt::Point a;
  if (m_state == 0 || !mark || !mark->GetPrintAnchor(&a)) return;
  const int s = GetPrintScale();
  const vt::Font* font = FontOf(m_printFont);
  Wrap(dc, font, (g_ngNoteWidth - 10) * s);
  const int fontHeight = 12 * s;
  m_expandedHeight = int((double(m_lines.size()) + 1.5) * fontHeight);
  SetPrintSize(g_ngNoteWidth * s, m_expandedHeight);
  vt::Rect visible;
  if (!GetVisiblePrintRect(&visible) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  vt::NgDrawRoundedFrame(4 * s, dc, s, 0xFF000000, 3, r.left, r.top, r.Width(), r.Height());
  vt::NgFillRoundedGradient(dc, s, 0x00FFFFFF, 0x00FFFFFF, 4 * s, r.left, r.top, r.Width(), r.Height());
  DrawTexts(dc, font, fontHeight, r, 5 * s, kTitleBand * s, r.right - 5 * s);
  DrawConnector(dc, a, r);
}

void CGNgMarkNote::Relayout() {
  if (auto* graph = static_cast<CGNgGraph*>(FindAncestorOfClass(GCLASS(CGNgGraph)))) {
    graph->LayoutTree();
    graph->Redraw();
    graph->Flush();
  }
}

void CGNgMarkNote::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  const SGNgMarkNoteSkin& skin = g_noteSkin;
  bool toggle = false;
  if (m_rect.Height() > skin.iconHeight) {
    const vt::Rect& r = m_rect;
    toggle = x >= r.right - skin.buttonWidth - 8 && x <= r.right && y >= r.top &&
             y <= r.top + skin.buttonHeight + 4;
  } else {
    toggle = true;
  }
  if (toggle) {
    m_state = m_state ? 0 : 1;
    Relayout();
  }
  m_dragStartY = y;
}

void CGNgMarkNote::OnMouseMove(uint32_t, int32_t, int32_t y) {
  vt::Rect plot;
  if (m_state == 0 || !GetPlotRect(&plot, false) || plot.Height() <= 0) return;
  const double H = plot.Height();
  double v = m_dragStartValue - double(y - m_dragStartY) / H;
  v = std::max(std::min(v, 1.0), 45.0 / H);
  if (v == m_value) return;
  m_value = v;
  Relayout();
}

void CGNgMarkNote::OnLButtonUp(uint32_t, int32_t, int32_t) { m_dragStartValue = m_value; }

void CGNgMarkNote::OnLButtonDblClk(uint32_t, int32_t, int32_t) { FireEvent(GEVENT_ITEM_CHOSEN); }
