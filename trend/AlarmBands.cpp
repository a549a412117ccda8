// Run extraction, drawing, layout and printing of the alarm bands.
//
// The screen drawing reads only the entries the buffer's last fill stored, by the mode that fill
// used, so it never reads past the buffer and never takes column entries for samples; a band
// without a buffer draws nothing. A printout fills a private buffer from the channel at the
// printer's width, as the traces do, so it has no such limit.
#include "trend/AlarmBands.h"

#include <algorithm>
#include <new>

#include "gadget/GRootMaster.h"
#include "platform/gui/DeviceContext.h"
#include "trend/GraphBody.h"
#include "trend/NgDataBuff.h"
#include "trend/NgDrawing.h"
#include "trend/TimeAxis.h"

void ExtractNgAlarmRuns(int64_t lastEntry, const std::function<uint16_t(int64_t)>& status,
                        const std::function<void(const NgAlarmRun&)>& emit) {
  bool open[4] = {false, false, false, false};
  int64_t first[4] = {0, 0, 0, 0}, last[4] = {0, 0, 0, 0};
  for (int64_t i = 0; i <= lastEntry; ++i) {
    const uint16_t s = status(i);
    for (int k = 0; k < 4; ++k) {
      const bool set = (s >> k) & 1;
      if (set) {
        if (!open[k]) open[k] = true, first[k] = i;
        last[k] = i;
      }
      if ((!set || i == lastEntry) && open[k]) {
        open[k] = false;
        emit(NgAlarmRun{k, first[k], last[k]});
      }
    }
  }
}

namespace {

CGNgGraphScreen* PlotOf(const CGCore* node) {
  return static_cast<CGNgGraphScreen*>(node->FindAncestorOfClass(GCLASS(CGNgGraphScreen)));
}

bool ParentVisibleRect(const CGPrimitive* self, const CGCore* parent, vt::Rect* out, bool print) {
  if (!IsPrimitive(parent))
    return print ? self->CGPrimitive::GetVisiblePrintRect(out) : self->CGPrimitive::GetVisibleRect(out);
  const auto* p = static_cast<const CGPrimitive*>(parent);
  return print ? p->GetVisiblePrintRect(out) : p->GetVisibleRect(out);
}

}  // namespace

// ---- band group ----

CGAlarmGroup::CGAlarmGroup(CGCore* parent)
    : CGGroup(parent, 0, 0, 0, 0, 0, kNgAlarmBandHeight, 0, 1, 0x025E5E5E) {}

void CGAlarmGroup::SetForeColor(vt::ColorRef c) {
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n))
    if (IsPrimitive(n)) static_cast<CGPrimitive*>(n)->SetForeColor(c);
}

void CGAlarmGroup::SetDataSource(void* source) {
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n))
    if (IsPrimitive(n)) static_cast<CGPrimitive*>(n)->SetDataSource(source);
}

// ---- band ----

bool CGNgAlarms::GetVisibleRect(vt::Rect* out) const {
  return ParentVisibleRect(this, GetParent(), out, false);
}

bool CGNgAlarms::GetVisiblePrintRect(vt::Rect* out) const {
  return ParentVisibleRect(this, GetParent(), out, true);
}

void CGNgAlarms::Layout() {
  const CGNgGraphScreen* plot = PlotOf(this);
  SetRect(0, 0, plot ? plot->Rect().Width() : 0, kNgAlarmBandHeight);
}

void CGNgAlarms::ScalePrintRects(int scale) {
  const CGNgGraphScreen* plot = PlotOf(this);
  SetPrintBounds(0, 0, plot ? plot->PrintRect().Width() : 0, scale * kNgAlarmBandHeight);
}

void CGNgAlarms::Draw(vt::DeviceContext* dc) {
  PreciseTime start, end;
  if (m_timeAxis) m_timeAxis->GetShownRange(&start, &end);
  DrawRange(dc, start, end);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const CGNgGraphScreen* plot = PlotOf(this);
  const int rh = m_rect.Height() / 4;
  for (int i = 0; i < 4; ++i)
    vt::NgFillHalftone(dc, vt::Rect{r.left, r.top + i * rh, r.right, r.top + i * rh + 1},
                       plot ? plot->m_gridColour : 0x00808080, plot ? plot->m_backColour : 0x00606060);
}

CGNgAlarms::Target CGNgAlarms::MakeTarget(bool print) const {
  Target target;
  target.print = print;
  if (const CGPrimitive* plot = PlotOf(this)) {
    vt::Point o;
    print ? plot->GetPrintOrigin(&o) : plot->GetOrigin(&o);
    target.originX = o.x;
  }
  vt::Rect a;
  print ? m_timeAxis->GetAbsolutePrintRect(&a) : m_timeAxis->GetAbsoluteRect(&a);
  target.axisLeft = a.left;
  target.axisWidth = a.Width();
  print ? GetAbsolutePrintRect(&target.band) : GetAbsoluteRect(&target.band);
  return target;
}

void CGNgAlarms::DrawRange(vt::DeviceContext* dc, PreciseTime, PreciseTime) {
  if (!m_timeAxis || !m_buffer) return;
  DrawBuffer(dc, *m_buffer, MakeTarget(false));
}

void CGNgAlarms::PrintSelf(vt::DeviceContext* dc, int) {
  PreciseTime start, end;
  if (m_timeAxis) m_timeAxis->GetPrintRange(&start, &end);
  PrintRange(dc, start, end);
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  const int rh = r.Height() / 4;
  for (int i = 0; i < 4; ++i)
    dc->FillSolidRect(vt::Rect{r.left, r.top + i * rh, r.right, r.top + i * rh + 1}, 0x02000000);
}

void CGNgAlarms::PrintRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end) {
  if (!m_timeAxis || !m_buffer || !m_buffer->m_channel) return;
  const CGNgGraphScreen* plot = PlotOf(this);
  const int width = std::max(plot ? plot->PrintRect().Width() : 0, 2);
  CGNgDataBuff printBuffer(nullptr);
  printBuffer.Bind(m_buffer->m_channel);
  printBuffer.Refill(width, start, end);
  DrawBuffer(dc, printBuffer, MakeTarget(true));
}

void CGNgAlarms::DrawBuffer(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target) {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return;
  const int64_t stored = buffer.StoredCount();
  auto status = [&](int64_t i) { return i < stored ? buffer.m_status[size_t(i)] : uint16_t(0); };
  const vt::Rect& R = target.band;
  const int rh = R.Height() / 4;
  const double interval = buffer.m_channel ? buffer.m_channel->GetSampleInterval() : 1.0;
  const double t0 = PreciseTime::ToSeconds(buffer.m_firstSampleTime);
  auto xOf = [&](double seconds) {
    const PreciseTime t = vt::TimeFromSeconds(seconds);
    return (target.print ? m_timeAxis->TimeToPrintX(t) : m_timeAxis->TimeToX(t)) + target.originX;
  };
  int64_t last = buffer.m_entryCount - 1;
  std::function<void(const NgAlarmRun&)> emit;
  switch (buffer.m_fillMode) {
    case NgFillMode::kSamples:
      emit = [&](const NgAlarmRun& run) {
        const int xa = xOf(t0 + double(run.first) * interval - interval / 2);
        const int xb = xOf(t0 + double(run.last) * interval + interval / 2);
        dc->FillSolidRect(vt::Rect{xa, R.top + run.level * rh + 1, xb + 1, R.top + run.level * rh + rh},
                          m_colour);
      };
      break;
    case NgFillMode::kPairs:
      emit = [&](const NgAlarmRun& run) {
        const int xa = xOf(t0 + double(run.first) * interval - interval);
        const int xb = xOf(t0 + double(run.last) * interval);
        dc->FillSolidRect(vt::Rect{xa, R.top + run.level * rh + 1, xb + 1, R.top + run.level * rh + rh},
                          m_colour);
      };
      break;
    case NgFillMode::kColumns:
      if (target.axisWidth < 0) return;
      last = target.axisWidth;
      emit = [&](const NgAlarmRun& run) {
        const int xa = target.axisLeft + int(run.first), xb = target.axisLeft + int(run.last);
        dc->FillSolidRect(vt::Rect{xa, R.top + run.level * rh + 1, xb + 1, R.top + run.level * rh + rh},
                          m_colour);
      };
      break;
    case NgFillMode::kNone:
      return;
  }
  ExtractNgAlarmRuns(last, status, emit);
}

// ---- managers ----

CGAlarmGroupManager::CGAlarmGroupManager(CGCore* parent)
    : CGGroup(parent, 0, 0, 0, 0, 0, 0, 0, 1, 0x025E5E5E) {}

void CGAlarmGroupManager::SetBandDataSource(int index, void* source) {
  if (index < 0 || index >= CountChildren()) return;
  if (CGCore* band = GetChildAt(index); IsPrimitive(band))
    static_cast<CGPrimitive*>(band)->SetDataSource(source);
}

void CGAlarmGroupManager::SetBandColour(int index, vt::ColorRef colour) {
  if (index < 0 || index >= CountChildren()) return;
  if (CGCore* band = GetChildAt(index); IsPrimitive(band))
    static_cast<CGPrimitive*>(band)->SetForeColor(colour);
}

void CGNgAlarmGroupManager::CreateBands() {
  for (int i = 0; i < kNgAlarmBandCount; ++i) {
    try {
      new CGNgAlarms(this);
    } catch (const std::bad_alloc&) {
      ShowOutOfMemoryMessage("");
      return;
    }
  }
}

CGNgAlarms* CGNgAlarmGroupManager::GetBand(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgAlarms*>(GetChildOfClassAt(GCLASS(CGNgAlarms), index));
}

void CGNgAlarmGroupManager::BindTimeAxis(CGNgTAxis* axis) {
  for (int i = 0; CGNgAlarms* band = GetBand(i); ++i) band->m_timeAxis = axis;
}

template <class F>
void CGNgAlarmGroupManager::ForEachVisibleBand(F f) const {
  CGNgAlarms* selected = nullptr;
  int index = CountChildren() - 1;
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c), --index) {
    if (!IsKindOfClass(c, GCLASS(CGNgAlarms))) continue;
    auto* band = static_cast<CGNgAlarms*>(c);
    if (!(band->GetStyle() & GSTYLE_VISIBLE)) continue;
    if (index == m_selected)
      selected = band;
    else
      f(band);
  }
  if (selected) f(selected);
}

bool CGNgAlarmGroupManager::GetVisibleRect(vt::Rect* out) const {
  return ParentVisibleRect(this, GetParent(), out, false);
}

bool CGNgAlarmGroupManager::GetVisiblePrintRect(vt::Rect* out) const {
  return ParentVisibleRect(this, GetParent(), out, true);
}

void CGNgAlarmGroupManager::Layout() {
  int w = 0, h = 0;
  ForEachVisibleBand([&](CGNgAlarms* band) {
    w = std::max(w, band->Rect().Width());
    h = std::max(h, band->Rect().Height());
  });
  const CGPrimitive* parent = ParentPrimitive();
  SetBounds(0, (parent ? parent->Rect().Height() : 0) - h, w, h);
}

void CGNgAlarmGroupManager::LayoutTree() {
  if (!(m_style & GSTYLE_VISIBLE)) return;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
  Layout();
}

void CGNgAlarmGroupManager::ScalePrintRects(int scale) {
  if (!(m_style & GSTYLE_VISIBLE)) return;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->ScalePrintRects(scale);
  int w = 0, h = 0;
  ForEachVisibleBand([&](CGNgAlarms* band) {
    w = std::max(w, band->PrintRect().Width());
    h = std::max(h, band->PrintRect().Height());
  });
  const CGPrimitive* parent = ParentPrimitive();
  SetPrintBounds(0, (parent ? parent->PrintRect().Height() : 0) - h, w, h);
}

void CGNgAlarmGroupManager::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  ForEachVisibleBand([&](CGNgAlarms* band) { band->Paint(dc); });
}

void CGNgAlarmGroupManager::PrintTree(vt::DeviceContext* dc, int page) {
  vt::Rect r;
  if (!(GetEffectiveStyle() & GSTYLE_VISIBLE) || !GetVisiblePrintRect(&r) || r.IsEmpty()) return;
  dc->SelectClipRect(&r);
  PrintSelf(dc, page);
  ForEachVisibleBand([&](CGNgAlarms* band) { band->PrintTree(dc, page); });
}

void CGNgAlarmGroupManager::DrawBandsForRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end) {
  ForEachVisibleBand([&](CGNgAlarms* band) { band->DrawRange(dc, start, end); });
}

namespace {
vt::SGAlarmGroupSkin g_alarmGroupSkin;
}

void SetAlarmGroupSkin(const int32_t values[kAlarmGroupSkinValues]) {
  vt::SGAlarmGroupSkin skin;
  skin.colours[0] = vt::ColorRef(values[0]);
  skin.colours[1] = vt::ColorRef(values[1]);
  for (int i = 0; i < 12; ++i) skin.values[i] = values[2 + i];
  skin.image = GetSharedBitmap(skin.values[0]);
  skin.mask = GetSharedBitmap(skin.values[1]);
  g_alarmGroupSkin = skin;
}

const vt::SGAlarmGroupSkin& AlarmGroupSkin() { return g_alarmGroupSkin; }
