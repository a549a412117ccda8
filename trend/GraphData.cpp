// Drawing and printing of the trend traces.
//
// The screen drawing reads only the buffer and only the entries its last fill stored, in the
// mode and for the width that fill used, so a width change without a refill never draws column
// entries as samples, and no entry past the buffer is read. Points of a polyline are collected
// in a fixed array of 256 and flushed in batches that share their end points.
#include "trend/GraphData.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/DeviceContext.h"
#include "trend/TimeAxis.h"
#include "trend/YAxis.h"
#include "trend/YAxisStrip.h"

namespace {

constexpr int kBatch = 256;

}  // namespace

struct CGNgGraphData::Target {
  bool print = false;
  vt::Point origin;
  int penWidth = 1;
  int axisLeft = 0;   // absolute left of the time axis (columns)
  int axisWidth = 0;  // width of the time axis (columns)
};

CGGraphData::CGGraphData(CGCore* parent) : CGPrimitive(parent, 0, 0, 0, 0, 0, 0) {}

bool CGGraphData::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisibleRect(out) : CGPrimitive::GetVisibleRect(out);
}

bool CGGraphData::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

void CGNgGraphData::Layout() {
  const CGPrimitive* p = ParentPrimitive();
  if (p) SetRect(0, 0, p->Rect().Width(), p->Rect().Height());
}

void CGNgGraphData::ScalePrintRects(int) {
  const CGPrimitive* p = ParentPrimitive();
  if (p) SetPrintBounds(0, 0, p->PrintRect().Width(), p->PrintRect().Height());
}

void CGNgGraphData::GetShownRange(PreciseTime* start, PreciseTime* end) const {
  if (m_timeAxis) m_timeAxis->GetShownRange(start, end);
}

void CGNgGraphData::GetPrintRange(PreciseTime* start, PreciseTime* end) const {
  if (m_timeAxis) m_timeAxis->GetPrintRange(start, end);
}

void CGNgGraphData::ApplyChannelSetting(const SNgChannelSetting& record) {
  SetForeColor(record.colour);
  SetStyle(record.shown ? 3 : 0);
  const CGNgYAxisManager* manager = FindNgYAxisManager(this);
  m_yAxis = manager ? manager->GetAxis(record.axisIndex) : nullptr;
}

int64_t CGNgGraphData::GetSampleCount(PreciseTime start, PreciseTime end) const {
  return m_buffer ? m_buffer->GetSampleCount(start, end) : 0;
}

void CGNgGraphData::ReadValueAt(PreciseTime t, double* value, uint16_t* status) const {
  if (CGNgChannel* ch = Channel()) ch->ReadValueAt(t, value, status);
}

void CGNgGraphData::ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) const {
  if (CGNgChannel* ch = Channel()) ch->ReadMinMaxAt(t, min, max, status);
}

void CGNgGraphData::Draw(vt::DeviceContext* dc) {
  PreciseTime start, end;
  GetShownRange(&start, &end);
  DrawRange(dc, start, end);
}

void CGNgGraphData::DrawRange(vt::DeviceContext* dc, PreciseTime, PreciseTime) {
  if (!m_buffer || !m_yAxis || !m_timeAxis) return;
  Target target;
  const CGPrimitive* p = ParentPrimitive();
  if (p) p->GetOrigin(&target.origin);
  target.penWidth = m_penWidth;
  vt::Rect a;
  m_timeAxis->GetAbsoluteRect(&a);
  target.axisLeft = a.left;
  target.axisWidth = a.Width();
  DrawBuffer(dc, *m_buffer, target);
}

void CGNgGraphData::PrintSelf(vt::DeviceContext* dc, int) {
  PreciseTime start, end;
  GetPrintRange(&start, &end);
  PrintRange(dc, start, end);
}

void CGNgGraphData::PrintRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end) {
  CGNgChannel* channel = Channel();
  if (!channel || !m_yAxis || !m_timeAxis) return;
  // A printout reads the channel at the printer's width: a private buffer filled the same way
  // as the display buffers, without their capacity limit and without progress reports.
  const int width = std::max(PrintRect().Width(), 2);
  CGNgDataBuff printBuffer(nullptr);
  printBuffer.Bind(channel);
  printBuffer.Refill(width, start, end);
  Target target;
  target.print = true;
  const CGPrimitive* p = ParentPrimitive();
  if (p) p->GetPrintOrigin(&target.origin);
  target.penWidth = m_printPenWidth;
  vt::Rect a;
  m_timeAxis->GetAbsolutePrintRect(&a);
  target.axisLeft = a.left;
  target.axisWidth = a.Width();
  DrawBuffer(dc, printBuffer, target);
}

void CGNgGraphData::DrawBuffer(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target) {
  switch (buffer.m_fillMode) {
    case NgFillMode::kSamples:
      DrawSamples(dc, buffer, target);
      break;
    case NgFillMode::kPairs:
      DrawPairs(dc, buffer, target);
      break;
    case NgFillMode::kColumns:
      DrawColumns(dc, buffer, target);
      break;
    case NgFillMode::kNone:
      break;
  }
}

void CGNgGraphData::DrawSamples(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target) {
  const vt::ColorRef colour = m_colour;
  const vt::Pen oldPen = dc->SelectPen(vt::SolidPen(colour, target.penWidth));
  vt::Point points[kBatch];
  int k = 0;
  auto flush = [&] {
    if (k >= 2) {
      dc->Polyline(points, k);
      points[0] = points[k - 1];
    }
    if (k >= 1) {
      dc->MoveTo(points[0].x, points[0].y);
      dc->LineTo(points[0].x, points[0].y + 1);
    }
    k = k == kBatch ? 1 : 0;
  };
  const double interval = buffer.m_channel ? buffer.m_channel->GetSampleInterval() : 1.0;
  const double first = PreciseTime::ToSeconds(buffer.m_firstSampleTime);
  const int64_t n = buffer.StoredCount() - 1;
  for (int64_t i = 0; i <= n; ++i) {
    int state = NgFirstState(buffer.m_status[i]);
    if (state != 0 && state != 6 && state != 7) {
      flush();
      continue;
    }
    const PreciseTime t = vt::TimeFromSeconds(first + double(i) * interval);
    const int x = (target.print ? m_timeAxis->TimeToPrintX(t) : m_timeAxis->TimeToX(t)) + target.origin.x;
    int y = target.print ? m_yAxis->ValueToPrintPixel(buffer.m_min[i], &state)
                         : m_yAxis->ValueToPixel(buffer.m_min[i], &state);
    if (state != 0) {
      flush();
      continue;
    }
    y = std::clamp(y + target.origin.y, -32767, 32766);
    const vt::Point p{x, y};
    if (k == 0 || !(points[k - 1] == p)) points[k++] = p;
    if (k == kBatch || i == n) flush();
  }
  flush();
  dc->SelectPen(oldPen);
}

void CGNgGraphData::DrawPairs(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target) {
  const int half = (target.penWidth + 1) / 2;
  const double interval = buffer.m_channel ? buffer.m_channel->GetSampleInterval() : 1.0;
  const double first = PreciseTime::ToSeconds(buffer.m_firstSampleTime);
  const int64_t n = buffer.StoredCount() - 1;
  for (int64_t i = 0; i <= n; ++i) {
    const uint16_t status = buffer.m_status[i];
    int y1 = 0, y2 = 0, skip = 3;
    if (target.print)
      m_yAxis->ValuePairToPrintPixels(buffer.m_min[i], NgFirstState(status), buffer.m_max[i],
                                      NgSecondState(status), &y1, &y2, &skip);
    else
      m_yAxis->ValuePairToPixels(buffer.m_min[i], NgFirstState(status), buffer.m_max[i],
                                 NgSecondState(status), &y1, &y2, &skip);
    if (skip) continue;
    const double ts = first + double(i) * interval;
    const PreciseTime t = vt::TimeFromSeconds(ts);
    const PreciseTime previous = ts > interval ? vt::TimeFromSeconds(ts - interval) : PreciseTime{};
    auto xOf = [&](PreciseTime u) {
      return target.print ? m_timeAxis->TimeToPrintX(u) : m_timeAxis->TimeToX(u);
    };
    int left = xOf(previous) + target.origin.x - half;
    const int right = xOf(t) + target.origin.x + half;
    if (right == left) --left;
    y1 = std::clamp(y1 + target.origin.y, -6553, 6553);
    y2 = std::clamp(y2 + target.origin.y, -6553, 6553);
    dc->FillSolidRect(vt::Rect{left, std::min(y1, y2) - half, right, std::max(y1, y2) + half + 1}, m_colour);
  }
}

void CGNgGraphData::DrawColumns(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target) {
  const int half = (target.penWidth + 1) / 2;
  const int L = target.axisLeft, N = target.axisWidth;
  if (N < 0) return;
  const int64_t last = std::min<int64_t>(N, buffer.StoredCount() - 1);
  for (int64_t i = 0; i <= last; ++i) {
    const uint16_t status = buffer.m_status[i];
    int y1 = 0, y2 = 0, skip = 3;
    if (target.print)
      m_yAxis->ValuePairToPrintPixels(buffer.m_min[i], NgFirstState(status), buffer.m_max[i],
                                      NgSecondState(status), &y1, &y2, &skip);
    else
      m_yAxis->ValuePairToPixels(buffer.m_min[i], NgFirstState(status), buffer.m_max[i],
                                 NgSecondState(status), &y1, &y2, &skip);
    if (skip) continue;
    y1 = std::clamp(y1 + target.origin.y, -6553, 6553);
    y2 = std::clamp(y2 + target.origin.y, -6553, 6553);
    if (y1 > y2) std::swap(y1, y2);
    const int x = L + int(i);
    const int right = target.print ? x + half : x;
    dc->FillSolidRect(vt::Rect{x - half, y1 - half, right, y2 + half + 1}, m_colour);
  }
}
