// Refilling the trend display buffers: the mode rule, the three fills, progress reports, and
// the manager's binding through the object pool.
//
// A buffer stores as many entries as its fill mode can produce for the plot width (at least
// NG_BUFFER_SIZE), so a wide plot in the every-sample mode is not cut off; the arrays grow only
// when a wider plot needs more and are kept afterwards, so a steady refill allocates nothing.
#include "trend/NgDataBuff.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <new>

NgModeChoice ChooseNgFillMode(int width, PreciseTime start, PreciseTime end, CGNgChannel* channel) {
  NgModeChoice c;
  if (width < 2) width = 2;
  const double span = vt::SpanSeconds(start, end);
  c.secondsPerPixel = span / double(width - 1);
  c.interval = channel ? channel->GetSampleInterval() : 1.0;
  if (!(c.interval > 0) || !std::isfinite(c.interval)) c.interval = 1.0;
  const double samplesPerPixel = c.secondsPerPixel / c.interval;
  const int kind = channel ? channel->GetDataKind() : 0;
  c.start = PreciseTime::ToSeconds(start) > c.interval ? PreciseTime::AddSeconds(start, -c.interval)
                                                       : PreciseTime{};
  c.end = PreciseTime::AddSeconds(end, c.interval);
  if (kind == DATA_PAIRS && samplesPerPixel <= 1)
    c.mode = NgFillMode::kPairs;
  else if (kind != DATA_PAIRS && samplesPerPixel <= 4)
    c.mode = NgFillMode::kSamples;
  else
    c.mode = NgFillMode::kColumns;
  return c;
}

CGNgDataBuff::CGNgDataBuff(CGCore* manager) : CGCore(0, manager) {
  m_min.assign(NG_BUFFER_SIZE, 0.0);
  m_max.assign(NG_BUFFER_SIZE, 0.0);
  m_status.assign(NG_BUFFER_SIZE, 0);
}

void CGNgDataBuff::Clear() {
  // A fill writes only the entries it counts, and entries past them are zero (made so, or
  // cleared before): the entries of the last fill are all there is to clear.
  const auto n = std::ptrdiff_t(std::max<int64_t>(StoredCount(), 0));
  std::fill(m_min.begin(), m_min.begin() + n, 0.0);
  std::fill(m_max.begin(), m_max.begin() + n, 0.0);
  std::fill(m_status.begin(), m_status.begin() + n, uint16_t(0));
  m_keyStart = m_keyEnd = m_firstSampleTime = PreciseTime{};
  m_entryCount = 0;
  m_fillMode = NgFillMode::kNone;
  m_fillWidth = 0;
}

int64_t CGNgDataBuff::GetSampleCount(PreciseTime start, PreciseTime end) {
  return m_channel ? m_channel->GetSampleCount(start, end) : 0;
}

void CGNgDataBuff::ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) {
  if (m_channel) m_channel->ReadMinMaxAt(t, min, max, status);
}

CGNgDataManager* CGNgDataBuff::Manager() const {
  return IsKindOfClass(GetParent(), GCLASS(CGNgDataManager)) ? static_cast<CGNgDataManager*>(GetParent())
                                                             : nullptr;
}

void CGNgDataBuff::Refill(int width, PreciseTime start, PreciseTime end) {
  if (start == m_keyStart && end == m_keyEnd) return;
  Clear();
  m_keyStart = start;
  m_keyEnd = end;
  if (width < 2) width = 2;
  const NgModeChoice c = ChooseNgFillMode(width, start, end, m_channel);
  m_fillWidth = width;
  m_fillMode = c.mode;
  if (c.mode == NgFillMode::kColumns)
    FillColumns(width, c);
  else
    FillSamples(c, c.mode == NgFillMode::kPairs);
}

void CGNgDataBuff::EnsureCapacity(int64_t entries, int64_t modeBound) {
  const int64_t want = std::min(entries, modeBound);
  if (want <= Capacity()) return;
  try {
    m_min.resize(size_t(want), 0.0);
    m_max.resize(size_t(want), 0.0);
    m_status.resize(size_t(want), 0);
  } catch (const std::bad_alloc&) {
    // Keep what fits; the entries past the arrays are read and dropped.
    const size_t n = std::min({m_min.size(), m_max.size(), m_status.size()});
    m_min.resize(n), m_max.resize(n), m_status.resize(n);
  }
}

void CGNgDataBuff::Report(double channelPercent) {
  CGNgDataManager* manager = Manager();
  if (!manager || !manager->m_progress) return;
  const int buffers = std::max(manager->GetBufferCount(), 1);
  manager->m_progress->SetPercents(channelPercent, channelPercent / buffers + manager->m_basePercent);
  manager->PaintProgressNow();
}

namespace {

int64_t ProgressStep(int64_t count, int64_t divisor) { return std::clamp<int64_t>(count / divisor, 1, 100); }

}  // namespace

void CGNgDataBuff::FillSamples(const NgModeChoice& c, bool pairs) {
  const int64_t count = m_channel ? m_channel->GetSampleCount(c.start, c.end) : 0;
  m_entryCount = count + 1;
  // A sample mode holds at most four samples per pixel, widened by one interval each side.
  EnsureCapacity(m_entryCount, int64_t(m_fillWidth) * 4 + 8);
  const int64_t stored = Capacity();
  if (!m_channel) {
    // Without a channel there is nothing to read; the entries stay "no data" zeros.
    m_entryCount = 0;
    Report(100);
    return;
  }
  double v = 0, w = 0;
  uint16_t s = 0;
  if (pairs)
    m_channel->ReadMinMaxFrom(c.start, &m_firstSampleTime, &v, &w, &s);
  else
    m_channel->ReadValueFrom(c.start, &m_firstSampleTime, &v, &s);
  const int64_t step = ProgressStep(count, 50);
  const double first = PreciseTime::ToSeconds(m_firstSampleTime);
  for (int64_t i = 0; i <= count; ++i) {
    const PreciseTime t = vt::TimeFromSeconds(first + double(i) * c.interval);
    if (pairs)
      m_channel->ReadMinMaxAt(t, &v, &w, &s);
    else
      m_channel->ReadValueAt(t, &v, &s), w = 0;
    if (i < stored) m_min[i] = v, m_max[i] = w, m_status[i] = s;
    if (i % step == 0) Report(count > 0 ? double(i) / double(count) * 100.0 : 0.0);
  }
  Report(100);
}

void CGNgDataBuff::FillColumns(int width, const NgModeChoice& c) {
  m_entryCount = int64_t(width) + 1;
  EnsureCapacity(m_entryCount, m_entryCount);
  const int64_t stored = Capacity();
  const int64_t step = ProgressStep(width, 25);
  const double first = PreciseTime::ToSeconds(c.start);
  // Runs of columns from one progress step to the next, each read in one call; columns past the
  // room the buffer has are not read.
  for (int64_t i = 0; i <= width;) {
    const int64_t next = std::min<int64_t>(width, (i / step + 1) * step - (i % step == 0 ? step : 0));
    const int64_t end = std::min(next, stored - 1);
    if (i <= end) {
      if (m_channel) {
        m_channel->ReadMinMaxColumns(first, c.secondsPerPixel, i, end - i + 1, &m_min[i], &m_max[i],
                                     &m_status[i]);
      } else {
        std::fill(&m_min[i], &m_min[end] + 1, 0.0), std::fill(&m_max[i], &m_max[end] + 1, 0.0);
        std::fill(&m_status[i], &m_status[end] + 1, kNgNoDataPair);
      }
    }
    if (next % step == 0) Report(double(next) / double(width) * 100.0);
    i = next + 1;
  }
  Report(100);
}

// ---- manager ----

CGNgDataBuff* CGNgDataManager::GetBuffer(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgDataBuff*>(GetChildOfClassAt(GCLASS(CGNgDataBuff), index));
}

void CGNgDataManager::SetChannels(int count, CGNgChannel** channels) {
  while (CGCore* child = GetFirstChild()) child->Release();
  for (int i = 0; i < count; ++i) {
    CGNgDataBuff* buffer = static_cast<CGNgDataBuff*>(TakeFromStocker(GCLASS(CGNgDataBuff), this));
    if (!buffer) {
      try {
        buffer = new CGNgDataBuff(this);
      } catch (const std::bad_alloc&) {
        ShowOutOfMemoryMessage("");
        continue;
      }
    }
    buffer->Clear();
    buffer->Bind(channels ? channels[i] : nullptr);
  }
}

int CGNgDataManager::RefillBuffer(int width, PreciseTime start, PreciseTime end, int index) {
  CGNgDataBuff* buffer = GetBuffer(index);
  if (!buffer) return 0;
  buffer->Refill(width, start, end);
  return 1;
}

void CGNgDataManager::SetProgress(int done, int index) {
  const int n = GetBufferCount();
  m_basePercent = n > 0 ? double(done) * 100.0 / n : 0.0;
  SetProgressText(index);
  if (m_progress) m_progress->SetPercents(0, 0);
}

void CGNgDataManager::SetProgressText(int index) {
  if (!m_progress) return;
  std::string text;
  CGNgDataBuff* buffer = GetBuffer(index);
  if (buffer && buffer->m_channel && buffer->m_nameKind >= 0 && buffer->m_nameKind <= 2)
    buffer->m_channel->GetName(&text, buffer->m_nameKind);
  m_progress->SetChannelText(text);
}

void CGNgDataManager::ShowProgressNow() {
  if (m_progress) m_progress->ShowNow();
}

void CGNgDataManager::PaintProgressNow() {
  if (m_progress) m_progress->PaintNow();
}
