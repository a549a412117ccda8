// Marks and the mark manager: anchors on the time axis, flag shapes, records, visibility by the
// shown range, the mark lines of the plot, hit tests through notes, and printing.
#include "trend/Marks.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/base/Text.h"
#include "platform/gui/DeviceContext.h"
#include "trend/GraphBody.h"
#include "trend/MarkNotes.h"
#include "trend/NgDrawing.h"
#include "trend/NgHooks.h"

namespace {

constexpr uint32_t kShiftKey = 4;  // MK_SHIFT in the mouse flags

void CallStoredHook(CGPrimitive* source, int code, void* data) {
  NgHook hook = nullptr;
  if (data) std::memcpy(&hook, data, sizeof hook);
  if (hook) hook(source, code, 0);
}

const vt::Font* FontOf(const CGFont* font) { return font ? font->GetFont() : nullptr; }

// Copies text into a fixed field, cut to size - 1 bytes without splitting a character.
void CopyField(char* field, size_t size, const std::string& text) {
  const std::string_view cut = vt::Utf8Truncate(text, size - 1);
  std::memset(field, 0, size);
  std::memcpy(field, cut.data(), cut.size());
}

std::string FieldText(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

}  // namespace

// The double click (event 13) of a mark or note goes to the hook value it was given when made.
void RegisterNgHookCallback(CGPrimitive* gadget, NgHook hook) {
  gadget->AddEventCallback(GEVENT_ITEM_CHOSEN, CallStoredHook, &hook, int(sizeof hook));
}

namespace vt {

CGNgTAxis* NgGraphTimeAxis(const CGCore* node) {
  const CGCore* graph = node->FindAncestorOfClass(GCLASS(CGGraph));
  return graph ? static_cast<CGNgTAxis*>(graph->GetFirstChildOfClass(GCLASS(CGNgTAxis))) : nullptr;
}

}  // namespace vt

// ---- mark ----

CGNgMark::CGNgMark(CGCore* parent, int id) : CGPrimitive(parent, 0, 0, id, 3, 100, 18) {
  m_font = GetSharedFont(14, 0, 0);
}

void CGNgMark::Release() {
  ReleaseChildren();
  m_noteCount = 0;
  // A pooled mark keeps its double-click handler; one that is deleted frees it.
  SGEventCallback* keep = m_callbacks;
  const bool pooled = g_rootMaster && g_rootMaster->GetStocker();
  if (pooled) m_callbacks = nullptr;
  CGPrimitive::Release();
  if (pooled) m_callbacks = keep;
}

bool CGNgMark::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisibleRect(out) : CGPrimitive::GetVisibleRect(out);
}

bool CGNgMark::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

bool CGNgMark::GetAnchor(vt::Point* out) const {
  const CGNgTAxis* axis = vt::NgGraphTimeAxis(this);
  const CGPrimitive* manager = ParentPrimitive();
  if (!axis || !manager) return false;
  const int x = axis->TimeToX(m_time);
  vt::Point mo, o;
  manager->GetOrigin(&mo);
  GetOrigin(&o);
  *out = vt::Point{x + mo.x, o.y + m_rect.Height() - 1};
  return x >= axis->Rect().left && x <= axis->Rect().right;
}

bool CGNgMark::GetPrintAnchor(vt::Point* out) const {
  const CGNgTAxis* axis = vt::NgGraphTimeAxis(this);
  const CGPrimitive* manager = ParentPrimitive();
  if (!axis || !manager) return false;
  const int x = axis->TimeToPrintX(m_time);
  vt::Point mo, o;
  manager->GetPrintOrigin(&mo);
  GetPrintOrigin(&o);
  *out = vt::Point{x + mo.x, o.y + m_printRect.Height() - 1};
  return x >= axis->PrintRect().left && x <= axis->PrintRect().right;
}

bool CGNgMark::PlaceFor(vt::Point a, vt::Point o, int w, int h, vt::Point* out) const {
  const int y = a.y - h + 1 - o.y;
  switch (m_shape) {
    case MARK_FLAG_LEFT:
      *out = vt::Point{a.x - w + 1 - o.x, y};
      return true;
    case MARK_FLAG_RIGHT:
    case MARK_PENNANT:
      *out = vt::Point{a.x - o.x, y};
      return true;
    case MARK_FLAG_CENTRE:
      *out = vt::Point{a.x - w / 2 - o.x, y};
      return true;
    default:
      return false;
  }
}

void CGNgMark::Layout() {
  vt::Point a, o, p;
  GetAnchor(&a);
  GetOrigin(&o);
  if (vt::NgGraphTimeAxis(this) && PlaceFor(a, o, m_rect.Width(), m_rect.Height(), &p)) MoveTo(p.x, p.y);
}

void CGNgMark::ScalePrintRects(int scale) {
  m_printFont = GetSharedFont(12 * scale, 0, 0);
  vt::Point a, o, p;
  GetPrintAnchor(&a);
  GetPrintOrigin(&o);
  if (vt::NgGraphTimeAxis(this) && PlaceFor(a, o, m_printRect.Width(), m_printRect.Height(), &p))
    MovePrintRect(p.x, p.y);
  ScaleChildrenPrintSize(scale);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->ScalePrintRects(scale);
}

void CGNgMark::DrawShape(vt::DeviceContext* dc, const vt::Font* font, int x, int y, int w, int h, int s) {
  vt::Point points[7];
  int n = 0;
  vt::Point label{x, y - s};
  uint32_t align = vt::kTaBottom;
  switch (m_shape) {
    case MARK_FLAG_LEFT: {
      const vt::Point p[] = {
          {x - w + 1, y - h + 1}, {x - w + 1, y - s}, {x - s, y - s}, {x, y}, {x, y - h + 1}};
      n = 5, std::copy(p, p + n, points), align |= vt::kTaRight;
      break;
    }
    case MARK_FLAG_RIGHT: {
      const vt::Point p[] = {
          {x, y - h + 1}, {x, y}, {x + s, y - s}, {x + w - 1, y - s}, {x + w - 1, y - h + 1}};
      n = 5, std::copy(p, p + n, points), label = vt::Point{x + s, y - s}, align |= vt::kTaLeft;
      break;
    }
    case MARK_FLAG_CENTRE: {
      const vt::Point p[] = {{x - w / 2, y - h + 1}, {x - w / 2, y - s}, {x - s, y - s},        {x, y},
                             {x + s, y - s},         {x + w / 2, y - s}, {x + w / 2, y - h + 1}};
      n = 7, std::copy(p, p + n, points), align |= vt::kTaCenter;
      break;
    }
    case MARK_PENNANT: {
      const vt::Point p[] = {
          {x, y - h + 1}, {x, y}, {x + w / 2, y - h / 2}, {x + w - 1, y - h / 2}, {x + w - 1, y - h + 1}};
      n = 5, std::copy(p, p + n, points);
      break;
    }
    default:
      return;
  }
  DrawFilledPolygon(dc, points, n, GetBackColor(), m_colour);
  if (m_shape != MARK_PENNANT) DrawTextAt(font, dc, label.x, label.y, align, m_colour, m_label);
}

void CGNgMark::Draw(vt::DeviceContext* dc) {
  const vt::Size extent = vt::NgTextExtent(dc, FontOf(m_font), m_label);
  SetSize(extent.cx + 6, extent.cy + 5);
  vt::Point a;
  if (!GetAnchor(&a)) return;
  DrawShape(dc, FontOf(m_font), a.x, a.y, m_rect.Width(), m_rect.Height(), 3);
}

void CGNgMark::Paint(vt::DeviceContext* dc) { vt::NgPaintInVisibleRect(this, dc); }

void CGNgMark::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect visible;
  if (!GetVisiblePrintRect(&visible) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  vt::Point a;
  if (!GetPrintAnchor(&a)) return;
  const int s = GetPrintScale();
  const vt::Font* font = FontOf(m_printFont);
  const vt::Size extent = vt::NgTextExtent(dc, font, m_label);
  SetPrintSize(extent.cx + 6 * s, extent.cy + 5 * s);
  DrawShape(dc, font, a.x, a.y, m_printRect.Width(), m_printRect.Height(), 3 * s);
}

void CGNgMark::GetChildOffset(vt::Point* out) const {
  vt::Point o, a;
  GetOrigin(&o);
  GetAnchor(&a);
  *out = vt::Point{o.x - a.x, o.y - a.y};
}

bool CGNgMark::HitTest(int x, int y, int mask) const {
  const bool style = (m_style & mask) == mask;
  if (m_rect.Contains(vt::Point{x, y})) return style;
  if (m_noteCount <= 0) return false;
  const vt::Point p = ToChild(x, y);
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgMarkNote)) && static_cast<CGPrimitive*>(c)->Rect().Contains(p))
      return style;
  return false;
}

void CGNgMark::SetBackColor(vt::ColorRef c) {
  int n = m_noteCount;
  for (CGCore* child = GetFirstChild(); child && n > 0; child = NextChild(child), --n)
    if (IsPrimitive(child)) static_cast<CGPrimitive*>(child)->SetBackColor(c);
}

void CGNgMark::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (!(flags & kShiftKey)) {
    CGPrimitive::OnLButtonUp(flags, x, y);
    return;
  }
  if (NgMarkFrontHook) NgMarkFrontHook(this, 2, 0);
  // The stacking may have changed: the graph body lays out and redraws whether or not the
  // window took the mark to the front.
  if (auto* graph = static_cast<CGNgGraph*>(FindAncestorOfClass(GCLASS(CGNgGraph)))) {
    graph->LayoutTree();
    graph->Redraw();
    graph->Flush();
  }
}

void CGNgMark::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  if (m_rect.Contains(vt::Point{x, y})) FireEvent(GEVENT_ITEM_CHOSEN);
  CGPrimitive::OnLButtonDblClk(flags, x, y);
}

void CGNgMark::SetData(int id, int shape, uint32_t groupLow, uint32_t groupHigh, PreciseTime time,
                       const char* label, vt::ColorRef colour) {
  SetId(id);
  m_shape = shape;
  m_groupLow = groupLow, m_groupHigh = groupHigh;
  m_time = time;
  m_label = label ? label : "";
  m_colour = colour;
}

void CGNgMark::UpdateFromRecord(const SNgMarkData& r) {
  const std::string label = FieldText(r.label, sizeof r.label);
  SetData(r.id, r.markKind, uint32_t(r.groupMask), uint32_t(r.groupMask >> 32), r.time, label.c_str(),
          r.colour);
  UpdateNotes(r);
}

void CGNgMark::SetNotes(const SNgMarkData& r) {
  ReleaseChildren();
  m_noteCount = 0;
  for (int i = 0; i < std::min(r.noteCount, 1); ++i)
    if (CGNgMarkNote* note = AddNote(i)) note->SetRecord(r.note);
}

void CGNgMark::UpdateNotes(const SNgMarkData& r) {
  if (r.noteCount < 1) return;
  if (CGCore* first = GetFirstChild(); IsKindOfClass(first, GCLASS(CGNgMarkNote)))
    static_cast<CGNgMarkNote*>(first)->SetRecord(r.note);
}

CGNgMarkNote* CGNgMark::AddNote(int id) {
  auto* note = static_cast<CGNgMarkNote*>(TakeFromStocker(GCLASS(CGNgMarkNote), this));
  if (!note) {
    try {
      note = new CGNgMarkNote(this, id);
    } catch (const std::bad_alloc&) {
      ShowOutOfMemoryMessage("");
      return nullptr;
    }
    RegisterNgHookCallback(note, NgMarkNoteEventHook);
  }
  note->SetId(id);
  note->SetBackColor(GetBackColor());
  ++m_noteCount;
  return note;
}

void CGNgMark::DeleteNotes() {
  for (CGCore* c = GetLastChild(); c;) {
    CGCore* previous = PrevChild(c);
    if (IsKindOfClass(c, GCLASS(CGNgMarkNote))) {
      c->Release();
      --m_noteCount;
    }
    c = previous;
  }
}

void CGNgMark::GetRecord(SNgMarkData* r) const {
  *r = SNgMarkData{};
  r->id = GetId();
  r->markKind = m_shape;
  r->groupMask = uint64_t(m_groupLow) | (uint64_t(m_groupHigh) << 32);
  r->time = m_time;
  r->colour = m_colour;
  CopyField(r->label, sizeof r->label, m_label);
  r->noteCount = m_noteCount;
  if (CGCore* first = GetFirstChild(); IsKindOfClass(first, GCLASS(CGNgMarkNote))) {
    const auto* note = static_cast<const CGNgMarkNote*>(first);
    r->note.kind = int16_t(note->m_state);
    r->note.position = note->RecordPosition();
    r->note.value = note->m_value;
    CopyField(r->note.title, sizeof r->note.title, note->m_title);
    CopyField(r->note.comment, sizeof r->note.comment, note->m_comment);
  }
}

// ---- manager ----

CGNgMarkManager::CGNgMarkManager(CGCore* parent) : CGGroup(parent, 1, 1, 0, 3, 100, 18, 0, 1, 0x025E5E5E) {}

CGNgMark* CGNgMarkManager::AddMark(int id, int shape, uint32_t groupLow, uint32_t groupHigh,
                                   const char* label, vt::ColorRef colour, PreciseTime time) {
  auto* mark = static_cast<CGNgMark*>(TakeFromStocker(GCLASS(CGNgMark), this));
  if (!mark) {
    try {
      mark = new CGNgMark(this, id);
    } catch (const std::bad_alloc&) {
      ShowOutOfMemoryMessage("");
      return nullptr;
    }
    RegisterNgHookCallback(mark, NgMarkEventHook);
  }
  mark->SetData(id, shape, groupLow, groupHigh, time, label, colour);
  mark->SetStyle(3);
  ++m_markCount;
  return mark;
}

void CGNgMarkManager::SetMarks(int count, const SNgMarkData* records) {
  ReleaseChildren();
  m_markCount = 0;
  for (int i = 0; i < count; ++i) {
    const SNgMarkData& r = records[i];
    const std::string label = FieldText(r.label, sizeof r.label);
    if (CGNgMark* mark = AddMark(r.id, r.markKind, uint32_t(r.groupMask), uint32_t(r.groupMask >> 32),
                                 label.c_str(), r.colour, r.time))
      mark->SetNotes(r);
  }
}

int CGNgMarkManager::GetMarks(int* count, SNgMarkData* records, int capacity) const {
  *count = m_markCount;
  int written = 0;
  for (CGCore* c = GetFirstChild(); c && written < std::min(m_markCount, capacity); c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgMark))) static_cast<CGNgMark*>(c)->GetRecord(&records[written++]);
  return written;
}

CGNgMark* CGNgMarkManager::FindMark(int id) const {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgMark)) && c->GetId() == id) return static_cast<CGNgMark*>(c);
  return nullptr;
}

void CGNgMarkManager::DeleteMark(int id) {
  CGNgMark* mark = FindMark(id);
  if (!mark) return;
  mark->DeleteNotes();
  mark->Release();
  --m_markCount;
}

void CGNgMarkManager::UpdateMark(int id, const SNgMarkData& record) {
  if (CGNgMark* mark = FindMark(id)) mark->UpdateFromRecord(record);
}

void CGNgMarkManager::Layout() {
  const CGNgTAxis* axis = vt::NgGraphTimeAxis(this);
  if (!GetFirstChild() || !axis) return;
  PreciseTime start, end;
  axis->GetShownRange(&start, &end);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGNgMark))) continue;
    auto* mark = static_cast<CGNgMark*>(c);
    mark->SetStyle(start <= mark->m_time && mark->m_time <= end ? 3 : 0);
  }
}

void CGNgMarkManager::ScalePrintRects(int scale) {
  ScaleChildrenPrintSize(scale);  // the marks' print sizes before they are placed
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->ScalePrintRects(scale);
}

bool CGNgMarkManager::HitTest(int x, int y, int mask) const {
  const vt::Point p = ToChild(x, y);
  const bool style = (m_style & mask) == mask;
  bool answer = false;
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGNgMark))) continue;
    const auto* mark = static_cast<const CGNgMark*>(c);
    if (mark->Rect().Contains(p)) return style;
    if (mark->m_noteCount > 0 && mark->HitTest(p.x, p.y, 0)) answer = style;
  }
  return answer;
}

void CGNgMarkManager::SetBackColor(vt::ColorRef c) {
  CGGroup::SetBackColor(c);
  for (CGCore* child = GetFirstChild(); child; child = NextChild(child))
    if (IsPrimitive(child)) static_cast<CGPrimitive*>(child)->SetBackColor(c);
}

void CGNgMarkManager::DrawMarkLines(vt::DeviceContext* dc, int top, int bottom) {
  DrawLines(dc, top, bottom, false);
}

void CGNgMarkManager::PrintMarkLines(vt::DeviceContext* dc, int top, int bottom) {
  DrawLines(dc, top, bottom, true);
}

void CGNgMarkManager::DrawLines(vt::DeviceContext* dc, int top, int bottom, bool print) {
  const CGNgTAxis* axis = vt::NgGraphTimeAxis(this);
  if (!GetFirstChild() || !axis) return;
  PreciseTime start, end;
  print ? axis->GetPrintRange(&start, &end) : axis->GetShownRange(&start, &end);
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGNgMark))) continue;
    const auto* mark = static_cast<const CGNgMark*>(c);
    vt::Point a;
    if (!(mark->GetStyle() & GSTYLE_VISIBLE) || mark->m_time < start || mark->m_time > end ||
        !(print ? mark->GetPrintAnchor(&a) : mark->GetAnchor(&a)))
      continue;
    const vt::Pen old = dc->SelectPen(vt::SolidPen(mark->m_colour, 1));
    dc->MoveTo(a.x, top);
    dc->LineTo(a.x, bottom);
    dc->SelectPen(old);
  }
}
