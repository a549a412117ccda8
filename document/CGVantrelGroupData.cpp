// One group of a graph document (see CGVantrelGroupData.h).
#include "document/CGVantrelGroupData.h"

#include <algorithm>
#include <cassert>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "document/CGVantrelDoc.h"
#include "document/CGVantrelMarkData.h"
#include "document/GraphTimeTexts.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/Numbers.h"
#include "platform/gui/MessageBox.h"

GADGET_DEFINE_RECORD(CGVantrelGroupData, CGCore)

namespace {

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

// The smallest table entry not below ms; values up to 50 stay, values above the largest entry
// become the next multiple of it.
int64_t RoundUpOnTable(int64_t ms) {
  if (ms <= TIME_SCALE_TABLE[0].ms) return ms;
  const int64_t largest = TIME_SCALE_TABLE[TIME_SCALE_COUNT - 1].ms;
  if (ms > largest) return (ms / largest + 1) * largest;
  for (const vt::STimeScale& s : TIME_SCALE_TABLE)
    if (s.ms >= ms) return s.ms;
  return largest;
}

}  // namespace

CGVantrelGroupData::CGVantrelGroupData(CGCore* container) : CGCore(0, container) { Reset(); }

CGVantrelGroupData::~CGVantrelGroupData() { m_rowTime.Clear(); }

void CGVantrelGroupData::SetNumber(int n) {
  m_number = n;
  m_name = vt::FormatC("Group %02d", n);
}

std::string CGVantrelGroupData::GetDisplayName() const {
  const int position = GetParent() ? GetSiblingIndex() + 1 : 0;
  return m_name + vt::FormatC("(%02d)", position);
}

void CGVantrelGroupData::Reset() {
  m_selectedChannel = 0;
  ClearRecords();
  m_smallestInterval = DBL_MAX;
  m_largestInterval = 0.0;
  m_number = 0;
  m_printLow = m_printHigh = TickTime();
  m_pageSpan = 0;
  m_name.clear();
  while (CGCore* c = GetFirstChild()) c->Release();
  ChannelSetChanged();
}

void CGVantrelGroupData::ClearRecords() {
  m_axisCount = 0;
  m_selectedAxis = 0;
  m_axisStripWidth = 200;
  m_channels.fill(nullptr);
  m_channelRecords.fill(SNgChannelSetting{});
  m_axisRecords.fill(SNgAxisSetting{});
  m_shownStart = m_shownEnd = PreciseTime{-1, 0.0};
  m_dataBegin = m_dataEnd = TickTime();
}

CGVantrelNgChannel* CGVantrelGroupData::GetChannel(int slot) const {
  return slot >= 0 && slot < GROUP_CHANNEL_LIMIT ? m_channels[std::size_t(slot)] : nullptr;
}

CGVantrelNgChannel* CGVantrelGroupData::GetSelectedChannel() const { return GetChannel(m_selectedChannel); }

PreciseTime CGVantrelGroupData::GetDataBeginTime() const { return ToPrecise(m_dataBegin); }
PreciseTime CGVantrelGroupData::GetDataEndTime() const { return ToPrecise(m_dataEnd); }

void CGVantrelGroupData::ChannelSetChanged() {
  m_rowTime.Clear();
  sheetAllowed_.reset();
}

CGVantrelNgChannel* CGVantrelGroupData::NewChannel() {
  if (CGCore* pooled = TakeFromStocker(GCLASS(CGVantrelNgChannel), this))
    return static_cast<CGVantrelNgChannel*>(pooled);
  return new CGVantrelNgChannel(this);
}

bool CGVantrelGroupData::AddChannel(int slot, const vt::SVantrelChannelKey& key, int segment) {
  assert(slot >= 0 && slot < GROUP_CHANNEL_LIMIT);
  CGVantrelNgChannel* channel = NewChannel();
  channel->SetOwner(owner_);
  channel->SetSegment(segment, CGVantrelNgChannel::GetKeySegmentCount(key));
  if (!channel->BindToKey(key)) {
    // Nothing would read it, and a child outside the channel table would count as a channel.
    channel->Release();
    return false;
  }
  RegisterChannel(channel, slot);
  return true;
}

void CGVantrelGroupData::RegisterChannel(CGVantrelNgChannel* channel, int slot) {
  channel->SetIndexInGroup(slot);
  channel->SetAxisIndex(slot);
  const double interval = channel->GetSampleInterval();
  m_largestInterval = std::max(m_largestInterval, interval);
  m_smallestInterval = std::min(m_smallestInterval, interval);
  if (m_dataBegin.ticks == 0 || channel->GetStartTicks() < m_dataBegin)
    m_dataBegin = channel->GetStartTicks();
  if (m_dataEnd < channel->GetEndTicks()) m_dataEnd = channel->GetEndTicks();
  m_channels[std::size_t(slot)] = channel;
  channel->GetChannelSetting(&m_channelRecords[std::size_t(slot)]);
  channel->GetAxisSetting(&m_axisRecords[std::size_t(slot)]);
  ChannelSetChanged();
}

int CGVantrelGroupData::CountEntryChannels(const vt::SVantrelGroupEntry& entry) {
  int total = 0;
  for (const vt::SVantrelChannelKey& key : entry.keys) total += CGVantrelNgChannel::GetKeySegmentCount(key);
  return total;
}

bool CGVantrelGroupData::LoadEntry(const vt::SVantrelGroupEntry& entry, vt::WindowHandle owner) {
  int total = CountEntryChannels(entry);
  if (total > GROUP_CHANNEL_LIMIT) {
    if (DisplayMessage(owner, 10105, vt::kMbOkCancel) != vt::kIdOk) return true;
    total = GROUP_CHANNEL_LIMIT;
  }
  int slot = 0;
  for (const vt::SVantrelChannelKey& key : entry.keys) {
    const int n = CGVantrelNgChannel::GetKeySegmentCount(key);
    if (n == 0) return false;
    for (int s = 0; s < n && slot < total; ++s) {
      if (!AddChannel(slot, key, s)) return false;
      ++slot;
    }
    if (slot >= total) break;
  }
  for (const auto& [batch, group] : entry.messageGroups) SetMessageGroupMask(batch, group);
  return true;
}

bool CGVantrelGroupData::AddChannels(const std::vector<vt::SVantrelChannelKey>& keys,
                                     vt::WindowHandle owner) {
  const int have = GetChannelCount();
  if (have >= GROUP_CHANNEL_LIMIT) {
    DisplayMessage(owner, 10118, vt::kMbOk);
    return false;
  }
  if (keys.empty()) {
    ChannelSetChanged();
    return true;
  }
  int add = 0;
  for (const vt::SVantrelChannelKey& key : keys) {
    const int n = CGVantrelNgChannel::GetKeySegmentCount(key);
    if (n == 0) {
      DisplayMessage(owner, 10212, vt::kMbOk);
      return false;
    }
    add += n;
  }
  if (have + add > GROUP_CHANNEL_LIMIT) {
    if (DisplayMessage(owner, 10105, vt::kMbOkCancel) != vt::kIdOk) return false;
    add = GROUP_CHANNEL_LIMIT - have;
  }
  int slot = have;
  for (const vt::SVantrelChannelKey& key : keys) {
    const int n = CGVantrelNgChannel::GetKeySegmentCount(key);
    for (int s = 0; s < n && slot < have + add; ++s) {
      if (!AddChannel(slot, key, s)) {
        DisplayMessage(owner, 10212, vt::kMbOk);
        return false;
      }
      if (m_selectedChannel == -1) m_selectedChannel = slot;
      ++slot;
    }
  }
  ChannelSetChanged();
  return true;
}

void CGVantrelGroupData::SetMessageGroupMask(const std::string& batchGuid, int displayGroup) {
  const uint64_t mask = CGVantrelMarkDataManager::GetBatchMessageGroupMask(batchGuid, displayGroup);
  vt::Guid guid;
  if (!vt::Guid::Parse(batchGuid, guid)) return;
  for (CGVantrelNgChannel* c : m_channels)
    if (c && c->GetBatchGuid() == guid) c->SetMarkGroupMask(mask);
}

void CGVantrelGroupData::ClearMessageGroupBits(uint64_t bits, const vt::Guid& batch) {
  for (CGVantrelNgChannel* c : m_channels)
    if (c && c->GetBatchGuid() == batch) c->SetMarkGroupMask(c->GetMarkGroupMask() & ~bits);
}

void CGVantrelGroupData::BuildTraceRecords(int grouping, const SNgChannelSetting** channels,
                                           const SNgAxisSetting** axes, int* axisCount, int* channelCount) {
  *channels = m_channelRecords.data();
  *axes = m_axisRecords.data();
  if (grouping < 0 || grouping > 2) return;
  m_channelRecords.fill(SNgChannelSetting{});
  m_axisRecords.fill(SNgAxisSetting{});
  int nAxes = 0, nChannels = 0;
  for (int slot = 0; slot < GROUP_CHANNEL_LIMIT; ++slot) {
    CGVantrelNgChannel* c = m_channels[std::size_t(slot)];
    if (!c) continue;
    ++nChannels;
    c->GetChannelSetting(&m_channelRecords[std::size_t(slot)]);
    SNgAxisSetting candidate;
    c->GetAxisSetting(&candidate);
    if (grouping == 0) {
      m_axisRecords[std::size_t(slot)] = candidate;
      c->SetAxisIndex(slot);
      nAxes = nChannels;
      continue;
    }
    int found = -1;
    for (int k = nAxes - 1; k >= 0 && found < 0; --k) {
      const SNgAxisSetting& a = m_axisRecords[std::size_t(k)];
      const bool same =
          strncmp(a.unit, candidate.unit, sizeof a.unit) == 0 && a.scaleType == candidate.scaleType &&
          (grouping == 1 || (a.spanLower == candidate.spanLower && a.spanUpper == candidate.spanUpper));
      if (same) found = k;
    }
    if (found >= 0) {
      SNgAxisSetting& a = m_axisRecords[std::size_t(found)];
      a.shown = uint8_t(a.shown | candidate.shown);
      a.lowerPosition = std::min(a.lowerPosition, candidate.lowerPosition);
      a.upperPosition = std::max(a.upperPosition, candidate.upperPosition);
      if (grouping == 1) {
        a.scaleMinimum = std::min(a.scaleMinimum, candidate.scaleMinimum);
        a.scaleMaximum = std::max(a.scaleMaximum, candidate.scaleMaximum);
      }
      c->SetAxisIndex(found);
    } else {
      candidate.labelMode = 2;
      m_axisRecords[std::size_t(nAxes)] = candidate;
      c->SetAxisIndex(nAxes++);
    }
    m_channelRecords[std::size_t(slot)].axisIndex = int16_t(c->GetAxisIndex());
  }
  m_axisCount = nAxes;
  *axisCount = nAxes;
  *channelCount = nChannels;
}

const SNgAxisSetting* CGVantrelGroupData::GetAxisRecord(int axis, int grouping) {
  if (axis < 0 || axis >= GROUP_CHANNEL_LIMIT) return nullptr;
  SNgAxisSetting& stored = m_axisRecords[std::size_t(axis)];
  for (CGVantrelNgChannel* c : m_channels) {
    if (!c || c->GetAxisIndex() != axis) continue;
    c->ResetScale();
    SNgAxisSetting r;
    c->GetAxisSetting(&r);
    if (grouping == 0) {
      stored = r;
    } else if (grouping == 2) {
      const uint32_t colour = stored.colour;
      stored = r;
      stored.colour = colour;
    } else if (grouping == 1) {
      stored.labelMode = r.labelMode, stored.scaleType = r.scaleType, stored.exponent = r.exponent;
      stored.zoom = r.zoom, stored.gridLevel = r.gridLevel, stored.legendFlag = r.legendFlag;
      stored.lowerPosition = r.lowerPosition, stored.upperPosition = r.upperPosition;
      stored.scaleMinimum = std::min(stored.scaleMinimum, r.scaleMinimum);
      stored.scaleMaximum = std::max(stored.scaleMaximum, r.scaleMaximum);
    }
  }
  return &stored;
}

bool CGVantrelGroupData::ApplyChannelRecords(int count, const SNgChannelSetting* channels, int axisCount,
                                             const SNgAxisSetting* axes) {
  bool shownChanged = false;
  for (int i = 0; i < count && i < GROUP_CHANNEL_LIMIT; ++i) {
    CGVantrelNgChannel* c = m_channels[std::size_t(i)];
    if (!c || c->GetIndexInGroup() != channels[i].channelIndex) continue;
    if (c->SetChannelSetting(channels[i])) shownChanged = true;
    if (c->GetAxisIndex() < axisCount) c->SetAxisSetting(axes[c->GetAxisIndex()]);
  }
  if (shownChanged) ChannelSetChanged();
  return shownChanged;
}

std::vector<CGVantrelNgChannel*> CGVantrelGroupData::CollectShownChannels() const {
  std::vector<CGVantrelNgChannel*> out;
  for (CGVantrelNgChannel* c : m_channels) {
    if (!c || !c->IsShown()) continue;
    const bool sameGrid = std::any_of(out.begin(), out.end(), [c](CGVantrelNgChannel* o) {
      return o->GetIntervalMs() == c->GetIntervalMs() && o->GetStartTicks() == c->GetStartTicks() &&
             o->GetEndTicks() == c->GetEndTicks();
    });
    if (!sameGrid) out.push_back(c);
  }
  return out;
}

CGVantrelNgTime& CGVantrelGroupData::EnsureRowTime() {
  const std::vector<CGVantrelNgChannel*> shown = CollectShownChannels();
  if (m_rowTime.IsBuilt() && m_rowTime.GetChannelCount() == int(shown.size())) return m_rowTime;
  m_rowTime.Clear();
  m_rowTime.Build(int(shown.size()), shown.data(), m_dataBegin, m_dataEnd);
  return m_rowTime;
}

void CGVantrelGroupData::SetRowMarks(CGVantrelMarkDataManager* marks) {
  const int index = GetParent() ? GetSiblingIndex() : 255;
  int count = 0;
  const SNgMarkData* records = nullptr;
  marks->GetNgMarks(index, &count, &records);
  m_rowTime.SetMarks(count, records);
}

bool CGVantrelGroupData::CanShowSheet() {
  if (sheetAllowed_) return *sheetAllowed_;
  const std::vector<CGVantrelNgChannel*> shown = CollectShownChannels();
  bool allowed = true;
  if (shown.size() == 1) {
    allowed = shown[0]->GetSampleCount(ToPrecise(shown[0]->GetStartTicks()),
                                       ToPrecise(shown[0]->GetEndTicks())) <= SHEET_ROW_LIMIT;
  } else if (shown.size() > 1) {
    // Counting stops past the limit: the enabler never builds a table of 10^8 rows.
    allowed = CGVantrelNgTime::CountRows(int(shown.size()), shown.data(), m_dataBegin, m_dataEnd,
                                         SHEET_ROW_LIMIT) <= SHEET_ROW_LIMIT;
  }
  sheetAllowed_ = allowed;
  return allowed;
}

void CGVantrelGroupData::ReleaseChannelData() {
  for (CGVantrelNgChannel* c : m_channels)
    if (c && c->GetCache()) c->GetCache()->ReleaseChildren();
}

TickTime CGVantrelGroupData::GetSelectedChannelStart() const {
  const CGVantrelNgChannel* c = GetSelectedChannel();
  return c ? c->GetStartTicks() : TickTime();
}

TickTime CGVantrelGroupData::GetSelectedChannelEnd() const {
  const CGVantrelNgChannel* c = GetSelectedChannel();
  return c ? c->GetEndTicks() : TickTime();
}

void CGVantrelGroupData::SetPrintRange(TickTime t1, TickTime t2) {
  m_printLow = std::min(t1, t2);
  m_printHigh = std::max(t1, t2);
}

void CGVantrelGroupData::SetPageSpan(int mode, int hours) {
  m_pageSpanMode = mode;
  switch (mode) {
    case 0:
      m_pageSpan = GetPrintSpan();
      break;
    case 1:
      m_pageSpan = 3600000;
      break;
    case 2:
      m_pageSpan = 28800000;
      break;
    case 3:
      m_pageSpan = 43200000;
      break;
    case 4:
      m_pageSpan = 86400000;
      break;
    case 5:
      m_pageSpan = int64_t(hours) * 3600000;
      break;
    default:
      break;
  }
}

int64_t CGVantrelGroupData::GetPrintSpan() {
  int64_t d = m_printHigh.DiffMilliseconds(m_printLow);
  while (d == 0) {
    const CGVantrelNgChannel* c = GetSelectedChannel();
    const int64_t widen = c && c->GetIntervalMs() > 0 ? c->GetIntervalMs() : 1000;
    m_printLow = m_printLow.MinusMilliseconds(widen);
    m_printHigh = m_printHigh.PlusMilliseconds(widen);
    d = m_printHigh.DiffMilliseconds(m_printLow);
  }
  return d;
}

int CGVantrelGroupData::GetPrintPageCount() {
  if (m_pageSpan <= 0) return 0;
  const int64_t span = GetPrintSpan();
  return int((span + m_pageSpan - 1) / m_pageSpan);
}

void CGVantrelGroupData::GetPrintPageRange(int page, PreciseTime* start, PreciseTime* end) const {
  const TickTime s = m_printLow.PlusMilliseconds(int64_t(page) * m_pageSpan);
  *start = ToPrecise(s);
  *end = ToPrecise(s.PlusMilliseconds(m_pageSpan));
}

double CGVantrelGroupData::GetPrintSecondsPerDivision(int divisions) const {
  if (m_pageSpanMode > 5) return 600.0;
  const int n = std::max(divisions, 2);
  const int64_t ms = int64_t(double(m_pageSpan) / (n * 1000.0) * 1000.0);
  return double(RoundUpOnTable(ms)) * 0.001;
}

std::string CGVantrelGroupData::FormatPrintRange() const {
  return vt::FormatDateTimeMs(m_printLow) + " - " + vt::FormatDateTimeMs(m_printHigh);
}

int64_t CGVantrelGroupData::CountRows(TickTime t0, TickTime t1) {
  CGVantrelNgTime& rows = EnsureRowTime();
  const int b = rows.FindRow(ToPrecise(t0)), c = rows.FindRow(ToPrecise(t1));
  if (b < 0 || c < b) return -1;
  return int64_t(c) - b + 1;
}

int CGVantrelGroupData::CountShownColumns() const {
  int columns = 0;
  for (CGVantrelNgChannel* c : m_channels)
    if (c && c->IsShown()) columns += c->GetDataKind() == DATA_PAIRS ? 2 : 1;
  return columns;
}

std::string CGVantrelGroupData::FormatRows(TickTime t0, TickTime t1) {
  CGVantrelNgTime& rows = EnsureRowTime();
  const int b = rows.FindRow(ToPrecise(t0)), c = rows.FindRow(ToPrecise(t1));
  std::string text;
  if (b < 0 || c < b) return text;
  text.reserve(std::size_t(CountShownColumns() * 13 + 38) * std::size_t(c - b + 1));
  for (int i = b; i <= c; ++i) {
    PreciseTime rowTime;
    rows.GetRowTime(&rowTime, i);
    const TickTime t = TickTime::FromPreciseTime(rowTime);
    text += "\"" + vt::FormatDate(t) + "\"";
    text += "\t\"" + vt::FormatTime(t) + "\"";
    text += "\t" + vt::FormatFraction(t);
    for (CGVantrelNgChannel* ch : m_channels)
      if (ch && ch->IsShown()) ch->FormatRowText(rowTime, &text);
    text += "\r\n";
  }
  return text;
}
