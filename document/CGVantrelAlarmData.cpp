// Alarm items, their manager and the alarm loader (see CGVantrelAlarmData.h).
#include "document/CGVantrelAlarmData.h"

#include "document/DocumentTexts.h"
#include "platform/base/Numbers.h"
#include "recorder/CVTAlarmList.h"
#include "store/CVTBatchCache.h"

void CGVantrelAlarmData::Release() {
  m_time = TickTime();
  m_status = m_level = m_type = m_extra = m_channel = m_nameKind = 0;
  m_tagName.clear(), m_tagNo.clear(), m_channelText.clear();
  CGCore::Release();
}

std::string CGVantrelAlarmData::GetStatusText() const {
  switch (m_status) {
    case 1:
      return "ON";
    case 2:
      return "OFF";
    case 3:
      return "ACK";
    default:
      return {};
  }
}

std::string CGVantrelAlarmData::GetLevelText() const {
  return m_level <= 0 ? std::string("ALL") : vt::FormatC("L%d", m_level);
}

std::string CGVantrelAlarmData::GetTypeText() const {
  static const char* const kTypes[] = {"OFF",       "High",     "Low",        "Delta High", "Delta Low",
                                       "Rate High", "Rate Low", "Delay High", "Delay Low"};
  return m_type >= 0 && m_type <= 8 ? kTypes[m_type] : "";
}

std::string CGVantrelAlarmData::GetChannelLabel() const {
  switch (m_nameKind) {
    case 1:
      return GetTagName();
    case 2:
      return GetTagNo();
    default:
      return GetChannelNumberText();
  }
}

std::string CGVantrelAlarmData::GetTimeText() const { return vt::EventTimeText(m_time); }

int CGVantrelAlarmData::Compare(CGSortCore* other, int column) {
  auto* o = static_cast<CGVantrelAlarmData*>(other);
  const int sign = column < 0 ? -1 : 1;
  switch (column < 0 ? -column : column) {
    case 1:
      return sign * vt::CompareListText(GetChannelLabel(), o->GetChannelLabel());
    case 2:
      return sign * vt::CompareListText(GetLevelText(), o->GetLevelText());
    case 3:
      return sign * vt::CompareListText(GetTypeText(), o->GetTypeText());
    case 4:
      return sign * vt::CompareListText(GetStatusText(), o->GetStatusText());
    case 5:
      return sign * vt::CompareListText(GetTimeText(), o->GetTimeText());
    default:
      return 0;
  }
}

int CGVantrelAlarmDataManager::SelectRange(TickTime t0, TickTime t1) {
  selection_.clear();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* item = static_cast<CGVantrelAlarmData*>(c);
    if (!(item->m_time < t0) && !(t1 < item->m_time)) selection_.push_back(item);
  }
  return int(selection_.size());
}

void CGVantrelAlarmDataManager::SetNameKind(int kind) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    static_cast<CGVantrelAlarmData*>(c)->m_nameKind = kind;
}

void CGVantrelAlarmDataManager::ReleaseItems() {
  selection_.clear();
  ReleaseChildren();
}

FCONV_ECODE CGVantrelAlarmDataManager::ExportAlarmList(int sheet, CFileConverter* converter) const {
  static const char* const kCaptions[] = {"Status", "Tag name", "Tag No.", "Channel number", "Level", "Type",
                                          "Date",   "Time",     "Sec."};
  for (int col = 0; col < 9; ++col)
    if (FCONV_ECODE r = converter->WriteString(0, col, kCaptions[col]); r != FCONV_OK) return r;
  const size_t first = size_t(sheet) * LIST_SHEET_ROWS;
  for (size_t i = first; i < selection_.size() && i < first + LIST_SHEET_ROWS; ++i) {
    const CGVantrelAlarmData& a = *selection_[i];
    const int row = int(i - first) + 1;
    int32_t seconds = 0, ms = 0;
    a.m_time.SplitTime(&seconds, &ms);
    const std::string texts[] = {a.GetStatusText(),        a.GetTagName(),   a.GetTagNo(),
                                 a.GetChannelNumberText(), a.GetLevelText(), a.GetTypeText()};
    for (int col = 0; col < 6; ++col)
      if (FCONV_ECODE r = converter->WriteString(row, col, texts[col].c_str()); r != FCONV_OK) return r;
    if (FCONV_ECODE r = converter->WriteDate(row, 6, seconds); r != FCONV_OK) return r;
    if (FCONV_ECODE r = converter->WriteTime(row, 7, seconds); r != FCONV_OK) return r;
    if (FCONV_ECODE r = converter->WriteDouble(row, 8, ms / 1000.0, 3); r != FCONV_OK) return r;
  }
  return FCONV_OK;
}

bool VTAlarmLoader::KeyLess(const std::pair<vt::Guid, int>& a, const std::pair<vt::Guid, int>& b) {
  if (IsGuidLess(a.first, b.first)) return true;
  if (IsGuidLess(b.first, a.first)) return false;
  return a.second < b.second;
}

void VTAlarmLoader::ClearAll() {
  if (manager_) manager_->ReleaseItems();
  loaded_.clear();
}

void VTAlarmLoader::LoadAlarms(const ChannelSets& shown, const ChannelNames& names) {
  if (!manager_) return;
  // Loaded channels that are no longer shown: everything is loaded again.
  bool keeps = true;
  for (const auto& [batch, channels] : loaded_) {
    auto it = shown.find(batch);
    for (int c : channels)
      if (it == shown.end() || !it->second.count(c)) keeps = false;
  }
  if (!keeps) ClearAll();
  for (const auto& [batch, channels] : shown) {
    auto loaded = loaded_.find(batch);
    std::vector<int> wanted;
    for (int c : channels)
      if (loaded == loaded_.end() || !loaded->second.count(c)) wanted.push_back(c);
    if (wanted.empty()) continue;
    CVTAlarmList list;
    if (CVTBatch* b = CVTBatchCache::Instance().Acquire(batch)) {
      // Alarms without a channel come with the batch's first load only.
      b->GetAlarmsForChannels(wanted, &list, -1, loaded == loaded_.end());
      CVTBatchCache::Instance().Release(b);
    }
    for (int i = 0; i < list.GetCount(); ++i) {
      auto* item = new CGVantrelAlarmData(manager_);
      list.GetAlarm(i, &item->m_time, &item->m_channel, &item->m_status, &item->m_level, &item->m_type,
                    &item->m_extra);
      if (auto n = names.find({batch, item->m_channel}); n != names.end())
        item->m_channelText = n->second.channelText, item->m_tagNo = n->second.tagNo,
        item->m_tagName = n->second.tagName;
    }
  }
  loaded_ = shown;
}
