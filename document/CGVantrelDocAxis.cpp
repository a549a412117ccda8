// The time axis, the cursor searches and the mark commands of the graph document (see
// CGVantrelDoc.h).
#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <memory>

#include "document/CGVantrelDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"

const vt::STimeScale TIME_SCALE_TABLE[TIME_SCALE_COUNT] = {
    {50, 90.0},         {100, 90.0},        {500, 90.0},       {1000, 90.0},      {5000, 90.0},
    {10000, 90.0},      {30000, 90.0},      {60000, 90.0},     {300000, 90.0},    {600000, 90.0},
    {1800000, 90.0},    {3600000, 108.0},   {7200000, 108.0},  {10800000, 108.0}, {14400000, 108.0},
    {21600000, 108.0},  {28800000, 108.0},  {43200000, 108.0}, {86400000, 108.0}, {604800000, 75.6},
    {2592000000, 75.6}, {7776000000, 75.6},
};

namespace {

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

int ScaleIndex(int64_t ms) {
  for (int i = 0; i < TIME_SCALE_COUNT; ++i)
    if (TIME_SCALE_TABLE[i].ms == ms) return i;
  return -1;
}

double Seconds(const PreciseTime& a, const PreciseTime& b) { return PreciseTime::ToSeconds(b - a); }

// t - seconds, or the zero time when that is not positive.
PreciseTime BackBy(const PreciseTime& t, double seconds) {
  const PreciseTime s = PreciseTime::AddSeconds(t, -seconds);
  return s.seconds < 0 || (s.seconds == 0 && s.fraction == 0.0) ? PreciseTime{0, 0.0} : s;
}

TickTime NowTicks() {
  const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
  return TickTime((ms + vt::kEpochDifferenceSeconds * 1000) * vt::kTicksPerMillisecond);
}

}  // namespace

double CGVantrelDoc::GetScaleWidth(int64_t ms) {
  const int i = ScaleIndex(ms);
  return i < 0 ? 108.0 : TIME_SCALE_TABLE[i].width;
}

double CGVantrelDoc::GetCurrentInterval() const {
  const CGVantrelGroupData* g = GetCurrentGroup();
  return g ? g->GetSmallestInterval() : DBL_MAX;
}

double CGVantrelDoc::SamplesPerPixel(int64_t ms) const {
  return double(ms) * 0.001 / (GetCurrentInterval() * GetScaleWidth(ms));
}

bool CGVantrelDoc::IsTooCompressed() const { return SamplesPerPixel(m_timeScale) > SAMPLES_PER_PIXEL_LIMIT; }

bool CGVantrelDoc::AdjustTimeScale() {
  if (!IsTooCompressed()) return false;
  for (int i = TIME_SCALE_COUNT - 1; i >= 0; --i) {
    const int64_t ms = TIME_SCALE_TABLE[i].ms;
    if (ms < m_timeScale && SamplesPerPixel(ms) <= SAMPLES_PER_PIXEL_LIMIT) {
      m_timeScale = ms;
      return true;
    }
  }
  return false;
}

bool CGVantrelDoc::IsCoarsestScale() const {
  const int i = ScaleIndex(m_timeScale);
  if (i < 0 || i == TIME_SCALE_COUNT - 1) return true;
  return SamplesPerPixel(TIME_SCALE_TABLE[i + 1].ms) > SAMPLES_PER_PIXEL_LIMIT;
}

void CGVantrelDoc::StepTimeScale(int step) {
  const int i = std::clamp(ScaleIndex(m_timeScale) + step, 0, TIME_SCALE_COUNT - 1);
  m_timeScale = TIME_SCALE_TABLE[i].ms;
}

double CGVantrelDoc::GetSpanForWidth(int pixels) const {
  return pixels * (double(m_timeScale) * 0.001) / GetScaleWidth(m_timeScale);
}

void CGVantrelDoc::KeepInData(PreciseTime* start, PreciseTime* end, double span) const {
  PreciseTime b, e;
  GetCurrentGroupRange(&b, &e);
  if (*start < b) *start = b, *end = PreciseTime::AddSeconds(b, span);
  if (*end > e) {
    *end = e;
    *start = BackBy(e, span);
    if (*start < b) *start = b, *end = PreciseTime::AddSeconds(b, span);
  }
}

void CGVantrelDoc::FitRangeToWidth(PreciseTime* start, int width, PreciseTime* end) {
  const double wanted = Seconds(*start, *end) / (GetCurrentInterval() * width);
  int chosen = TIME_SCALE_COUNT - 1;
  for (int i = 0; i < TIME_SCALE_COUNT; ++i) {
    const double spp = SamplesPerPixel(TIME_SCALE_TABLE[i].ms);
    if (spp > SAMPLES_PER_PIXEL_LIMIT) {
      chosen = std::max(i - 1, 0);
      break;
    }
    if (spp >= wanted) {
      chosen = i;
      break;
    }
  }
  m_timeScale = TIME_SCALE_TABLE[chosen].ms;
  const double span = width * (double(m_timeScale) * 0.001) / TIME_SCALE_TABLE[chosen].width;
  *start = BackBy(*end, span);
  KeepInData(start, end, span);
}

void CGVantrelDoc::GetRangeToShow(PreciseTime* start, int width, PreciseTime* end) {
  const double span = GetSpanForWidth(width);
  const CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return;
  const PreciseTime shown = g->m_shownStart;
  const bool shownSet =
      !(shown.seconds == 0 && shown.fraction == 0.0) && !(shown.seconds == -1 && shown.fraction == 0.0);
  if (shownSet) {
    *start = shown;
    *end = PreciseTime::AddSeconds(shown, span);
  } else if (m_cursorB.ticks != 0 || m_cursorA.ticks != 0) {
    // Centred on the cursor.
    const TickTime cursor = m_cursorB.ticks != 0 ? m_cursorB : m_cursorA;
    *end = PreciseTime::AddSeconds(ToPrecise(cursor), span / 2);
    *start = BackBy(*end, span);
  } else {
    *end = g->GetDataEndTime();
    *start = BackBy(*end, span);
  }
  KeepInData(start, end, span);
}

void CGVantrelDoc::GetCurrentGroupRange(PreciseTime* start, PreciseTime* end) const {
  const CGVantrelGroupData* g = GetCurrentGroup();
  *start = g ? g->GetDataBeginTime() : PreciseTime{};
  *end = g ? g->GetDataEndTime() : PreciseTime{};
}

void CGVantrelDoc::GetShownRange(PreciseTime* start, PreciseTime* end) {
  if (!graphView_ || !graphView_->GetVisibleRange(start, end)) *start = *end = PreciseTime{0, 0.0};
}

void CGVantrelDoc::ShowRange(PreciseTime start, PreciseTime end) {
  if (!graphView_) return;
  graphView_->ShowTimeRange(start, end);
  UpdateAllExceptWindow(graphView_->GetHostWindow(), HINT_RANGE_SHOWN, this);
}

void CGVantrelDoc::ShowTimeRange(int64_t from, int64_t to) {
  PreciseTime shownStart, shownEnd;
  GetShownRange(&shownStart, &shownEnd);
  const double d = Seconds(shownStart, shownEnd);
  PreciseTime f{from, 0.0}, t{to, 0.0};
  if (t < f) std::swap(f, t);
  PreciseTime b, e;
  GetCurrentGroupRange(&b, &e);
  PreciseTime start, end;
  if (t < b) {
    start = b, end = PreciseTime::AddSeconds(b, d);
  } else if (f > e) {
    start = BackBy(e, d), end = e;
  } else {
    // The range overlaps the data: its part inside the data.
    start = f < b ? b : f;
    end = t > e ? e : t;
  }
  if (SetCursorsFromTimes(start, end)) SetModified();
  ShowRange(start, end);
}

bool CGVantrelDoc::IsLongRange(const CGVantrelGroupData* group) const {
  const CGVantrelGroupData* g = group ? group : GetCurrentGroup();
  if (!g) return false;
  const double span = HasCursor()
                          ? std::fabs(double(m_cursorB.DiffMilliseconds(m_cursorA)) * 0.001)
                          : std::fabs(double(g->GetDataEnd().DiffMilliseconds(g->GetDataBegin())) * 0.001);
  return std::trunc(span / g->GetSmallestInterval()) > double(LONG_RANGE_SAMPLES);
}

// --- searches ---------------------------------------------------------------------------------

namespace {

// The alarm edge next to t in one direction on the channel's grid; false when the walk leaves
// the data first.
bool FindAlarmEdge(CGVantrelNgChannel* channel, TickTime t, bool forward, TickTime* out) {
  // The walk starts inside the data: from an unset cursor (1601) it would step through centuries.
  if (t < channel->GetStartTicks()) t = channel->GetStartTicks();
  if (channel->GetEndTicks() < t) t = channel->GetEndTicks();
  TickTime at;
  int flags = channel->ReadNearestSampleTime(ToPrecise(t), &at);
  const TickTime origin = at;
  const int64_t step = channel->GetIntervalMs();
  if (step < 1) return false;
  for (;;) {
    const TickTime next = forward ? at.PlusMilliseconds(step) : at.MinusMilliseconds(step);
    if (forward ? channel->GetEndTicks() < next : next < channel->GetStartTicks()) return false;
    TickTime here;
    const int hereFlags = channel->ReadNearestSampleTime(ToPrecise(next), &here);
    if (forward ? !(at < here) : !(here < at)) return false;  // no later (earlier) sample
    // Backward, the walk's previous sample is the later one; forward, the earlier one.
    if ((flags & ~hereFlags) != 0) {
      if (!(at == origin)) {
        *out = at;
        return true;
      }
    } else if ((hereFlags & ~flags) != 0) {
      *out = here;
      return true;
    }
    at = here;
    flags = hereFlags;
  }
}

}  // namespace

void CGVantrelDoc::SearchAlarmBackward(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  CGVantrelNgChannel* c = g ? g->GetSelectedChannel() : nullptr;
  if (!c) return;
  const TickTime t = HasCursor() ? (cursorB ? m_cursorB : m_cursorA) : TickTime();
  TickTime found;
  if (!FindAlarmEdge(c, t, false, &found) || found == t) return;
  SetCursor(cursorB, found);
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

void CGVantrelDoc::SearchAlarmForward(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  CGVantrelNgChannel* c = g ? g->GetSelectedChannel() : nullptr;
  if (!c) return;
  const TickTime t = HasCursor() ? (cursorB ? m_cursorB : m_cursorA) : TickTime();
  TickTime found;
  if (!FindAlarmEdge(c, t, true, &found) || found == t) return;
  SetCursor(cursorB, found);
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

void CGVantrelDoc::SearchMarkBackward(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return;
  TickTime found;
  if (!m_marks->FindPreviousMarkTime(m_currentGroup, cursorB ? m_cursorB : m_cursorA, g->GetDataBegin(),
                                     &found))
    return;
  SetCursor(cursorB, found);
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

void CGVantrelDoc::SearchMarkForward(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return;
  TickTime found;
  if (!m_marks->FindNextMarkTime(m_currentGroup, cursorB ? m_cursorB : m_cursorA, g->GetDataEnd(), &found))
    return;
  SetCursor(cursorB, found);
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

// Without a selected channel the cursor is unset (the start and end of no data are 0).
void CGVantrelDoc::SearchDataStart(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return;
  SetCursor(cursorB, g->GetSelectedChannelStart());
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

void CGVantrelDoc::SearchDataEnd(bool cursorB) {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return;
  SetCursor(cursorB, g->GetSelectedChannelEnd());
  SetModified();
  UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, this);
}

// --- marks ------------------------------------------------------------------------------------

CGVantrelMarkData* CGVantrelDoc::AppendMark(const SNgMarkData& record) {
  CGVantrelMarkData* mark = m_marks->NewMark();
  mark->FromNgMarkData(record);
  mark->m_source = MARK_SOURCE_USER;
  mark->m_operationTime = NowTicks();
  m_marks->AdoptMark(mark);
  SetModified();
  BroadcastItemHint(HINT_MARK_ADDED, mark);
  return mark;
}

void CGVantrelDoc::CleanWriteGroups(CGCore* moved) {
  CGVantrelGroupData* g = GetCurrentGroup();
  for (CGCore* c = moved->GetFirstChild(); c && g; c = moved->NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (m->m_source != MARK_SOURCE_RECORDER) continue;
    if (!m_marks->FindMarkByWriteGroups(m->m_writeGroupMask, m->m_batchGuid))
      g->ClearMessageGroupBits(m->m_writeGroupMask, m->m_batchGuid);
  }
}

void CGVantrelDoc::DeleteMarksInCursorRange() {
  if (DisplayMessage(MainWindow(), 10010, vt::kMbOkCancel) != vt::kIdOk) return;
  CGCore moved(0, nullptr);
  m_marks->DetachUserMarksInRange(m_currentGroup, std::min(m_cursorA, m_cursorB),
                                  std::max(m_cursorA, m_cursorB), &moved);
  CleanWriteGroups(&moved);
  SetModified();
  BroadcastItemHint(HINT_MARKS_DELETED, &moved);
  moved.ReleaseChildren();
}

void CGVantrelDoc::DeleteMark(int id) {
  CGCore moved(0, nullptr);
  m_marks->DetachMarkById(&moved, id);
  CleanWriteGroups(&moved);
  SetModified();
  BroadcastItemHint(HINT_MARKS_DELETED, &moved);
  moved.ReleaseChildren();
}

void CGVantrelDoc::UpdateMark(const SNgMarkData& record) {
  for (CGCore* c = m_marks->GetFirstChild(); c; c = m_marks->NextChild(c))
    if (c->GetId() == record.id) {
      static_cast<CGVantrelMarkData*>(c)->FromNgMarkData(record);
      break;
    }
  SetModified();
  BroadcastItemHint(HINT_MARK_CHANGED, const_cast<SNgMarkData*>(&record));
}
