// Marks and their manager (see CGVantrelMarkData.h).
#include "document/CGVantrelMarkData.h"

#include <bit>
#include <cstring>
#include <memory>

#include "document/DocumentTexts.h"
#include "platform/base/Numbers.h"
#include "recorder/CVTMessageList.h"
#include "store/CVTBatchCache.h"

namespace {

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

bool ParseGuid(const std::string& text, vt::Guid* out) {
  return text.size() <= 40 && vt::Guid::Parse(text, *out);
}

// The write-group mask of a message: bit w - 1 per listed group w, bit 60 for all groups.
uint64_t WriteGroupMask(int groupCount, const int* groups) {
  if (groupCount == -1) return kWrittenToAllGroups;
  uint64_t mask = 0;
  for (int i = 0; i < groupCount && i < 63; ++i)
    // Bit 60 stands for every group: a write group above 60 sets no bit.
    if (groups[i] >= 1 && groups[i] <= 60) mask |= uint64_t(1) << (groups[i] - 1);
  return mask;
}

}  // namespace

// --- one mark ---------------------------------------------------------------------------------

void CGVantrelMarkData::ResetFields() {
  m_groupMask = 0;
  m_label.clear();
  m_colour = 0x0200B4FF;
  m_markKind = 3;
  m_time = TickTime();
  m_noteKind = 1;
  m_notePosition = 50;
  m_noteValue = 0.5;
  m_title.clear(), m_comment.clear(), m_userName.clear();
  m_operationTime = TickTime();
  m_messageNo = 0;
  m_writeGroupMask = 0;
  m_batchGuid = vt::Guid();
  m_source = 0;
}

void CGVantrelMarkData::Release() {
  ResetFields();
  CGCore::Release();
}

std::string CGVantrelMarkData::GetTimeText() const {
  return m_time.ticks == 0 ? "" : vt::EventTimeText(m_time);
}

std::string CGVantrelMarkData::GetOperationTimeText() const {
  return m_operationTime.ticks == 0 ? "" : vt::EventTimeText(m_operationTime);
}

std::string CGVantrelMarkData::GetGroupText() const {
  if (m_groupMask & kMarkAllGroups) return "ALL";
  std::string text;
  for (int i = 0; i < 50; ++i)
    if (m_groupMask & (uint64_t(1) << i)) text += (text.empty() ? "" : ",") + vt::FormatC("%02d", i + 1);
  return text;
}

int CGVantrelMarkData::Compare(CGSortCore* other, int column) {
  auto* o = static_cast<CGVantrelMarkData*>(other);
  const int sign = column < 0 ? -1 : 1;
  switch (column < 0 ? -column : column) {
    case 1:
      return sign * vt::CompareListText(GetTimeText(), o->GetTimeText());
    case 2:
      return sign * vt::CompareListText(m_title, o->m_title);
    case 3:
      return sign * vt::CompareListText(m_comment, o->m_comment);
    case 4:
      return sign * vt::CompareListText(m_userName, o->m_userName);
    case 5:
      return sign * vt::CompareListText(GetGroupText(), o->GetGroupText());
    case 6:
      return sign * vt::CompareListText(GetOperationTimeText(), o->GetOperationTimeText());
    default:
      return 0;
  }
}

bool CGVantrelMarkData::Equals(const CGVantrelMarkData& o) const {
  return m_source == o.m_source && m_batchGuid == o.m_batchGuid && m_time == o.m_time &&
         m_writeGroupMask == o.m_writeGroupMask && m_comment == o.m_comment;
}

void CGVantrelMarkData::ToNgMarkData(SNgMarkData* r) const {
  *r = SNgMarkData{};
  r->id = GetId();
  r->markKind = m_markKind;
  r->groupMask = m_groupMask;
  r->time = ToPrecise(m_time);
  vt::CopyTextField(r->label, sizeof r->label, m_label);
  r->colour = m_colour;
  r->noteCount = 1;
  r->note.kind = m_noteKind;
  r->note.position = m_notePosition;
  r->note.value = m_noteValue;
  vt::CopyTextField(r->note.title, sizeof r->note.title, m_title);
  vt::CopyTextField(r->note.comment, sizeof r->note.comment, m_comment);
}

void CGVantrelMarkData::FromNgMarkData(const SNgMarkData& r) {
  SetId(r.id);
  m_markKind = r.markKind;
  m_groupMask = r.groupMask;
  m_time = TickTime::FromPreciseTime(r.time);
  m_label = std::string(r.label, strnlen(r.label, sizeof r.label));
  m_colour = r.colour;
  m_noteKind = r.note.kind;
  m_notePosition = r.note.position;
  m_noteValue = r.note.value;
  m_title = std::string(r.note.title, strnlen(r.note.title, sizeof r.note.title));
  m_comment = std::string(r.note.comment, strnlen(r.note.comment, sizeof r.note.comment));
}

void CGVantrelMarkData::ToSavedRecord(uint8_t* b) const {
  using namespace vt;
  std::memset(b, 0, kSavedMarkBytes);
  const PreciseTime time = ToPrecise(m_time), operation = ToPrecise(m_operationTime);
  PutI64(b, 0, int64_t(m_groupMask));
  PutI32(b, 8, m_markKind);
  PutU32(b, 12, m_colour);
  PutI64(b, 16, time.seconds);
  PutF64(b, 24, time.fraction);
  PutText(b, 32, 24, m_label);
  PutI32(b, 56, 0);
  PutI32(b, 60, 1);
  PutI16(b, 64, m_noteKind);
  PutI32(b, 68, m_notePosition);
  PutF64(b, 72, m_noteValue);
  PutText(b, 80, 72, m_title);
  PutText(b, 152, 264, m_comment);
  m_batchGuid.ToBytes(b + 416);
  PutI64(b, 432, int64_t(m_writeGroupMask));
  PutText(b, 440, 40, m_userName);
  PutI32(b, 480, m_messageNo);
  PutI64(b, 488, operation.seconds);
  PutF64(b, 496, operation.fraction);
}

void CGVantrelMarkData::FromSavedRecord(const uint8_t* b) {
  using namespace vt;
  m_groupMask = uint64_t(GetI64(b, 0));
  m_colour = GetU32(b, 12);
  m_label = GetText(b, 32, 24);
  m_markKind = GetI32(b, 8);
  m_time = TickTime::FromPreciseTime(PreciseTime{GetI64(b, 16), GetF64(b, 24)});
  m_noteKind = GetI16(b, 64);
  m_notePosition = GetI32(b, 68);
  m_noteValue = GetF64(b, 72);
  m_title = GetText(b, 80, 72);
  m_comment = GetText(b, 152, 264);
  m_batchGuid = vt::Guid();
}

// --- the manager ------------------------------------------------------------------------------

CGVantrelMarkDataManager::Key CGVantrelMarkDataManager::KeyOf(const CGVantrelMarkData& m) {
  return {m.m_source, m.m_batchGuid.ToBytes(), m.m_time.ticks, m.m_writeGroupMask, m.m_comment};
}

CGVantrelMarkData* CGVantrelMarkDataManager::NewMark() {
  CGCore* pooled = TakeFromStocker(GCLASS(CGVantrelMarkData), nullptr);
  return pooled ? static_cast<CGVantrelMarkData*>(pooled) : new CGVantrelMarkData(nullptr);
}

bool CGVantrelMarkDataManager::AddMark(CGVantrelMarkData* mark) {
  if (keyMapOn_) {
    const Key key = KeyOf(*mark);
    if (auto it = keyMap_.find(key); it != keyMap_.end()) {
      if (auto* held = static_cast<CGVantrelMarkData*>(FindById(it->second))) {
        held->m_groupMask |= mark->m_groupMask;
        return false;
      }
    }
    mark->LinkAsLastChild(this);
    mark->SetId(++counter_);
    keyMap_[key] = counter_;
    return true;
  }
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* held = static_cast<CGVantrelMarkData*>(c);
    if (held->Equals(*mark)) {
      held->m_groupMask |= mark->m_groupMask;
      return false;
    }
  }
  mark->LinkAsLastChild(this);
  mark->SetId(++counter_);
  return true;
}

void CGVantrelMarkDataManager::RebuildKeyMap() {
  keyMap_.clear();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    keyMap_[KeyOf(*static_cast<CGVantrelMarkData*>(c))] = c->GetId();
}

void CGVantrelMarkDataManager::LoadMarks(int groupIndex, const std::string& batchGuid, int displayGroup) {
  vt::Guid guid;
  if (!ParseGuid(batchGuid, &guid)) return;
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(guid);
  if (!batch) return;
  CVTMessageList list;
  batch->GetGroupMessages(displayGroup, &list, WHOLE_RECORDING_BLOCK);
  CVTBatchCache::Instance().Release(batch);
  for (int i = 0; i < list.GetCount(); ++i) {
    CGVantrelMarkData* mark = NewMark();
    int groups[63] = {};
    int groupCount = 0;
    list.GetMessage(i, &mark->m_userName, &mark->m_comment, &mark->m_messageNo, &mark->m_time,
                    &mark->m_operationTime, &groupCount, groups);
    mark->m_groupMask = uint64_t(1) << groupIndex;
    mark->m_batchGuid = guid;
    mark->m_source = MARK_SOURCE_RECORDER;
    mark->m_label = mark->m_title = "Message";
    mark->m_writeGroupMask = WriteGroupMask(groupCount, groups);
    if (!AddMark(mark)) mark->Release();
  }
}

void CGVantrelMarkDataManager::LoadMarksForTags(int groupIndex,
                                                const std::vector<std::pair<std::string, int>>& tags) {
  for (const auto& [batch, group] : tags) LoadMarks(groupIndex, batch, group);
}

void CGVantrelMarkDataManager::LoadMarksForGroupMask(int groupIndex, uint64_t mask, const vt::Guid& batch) {
  for (int i = 0; i < 64; ++i)
    if (mask & (uint64_t(1) << i)) LoadMarks(groupIndex, batch.ToText(), i == 60 ? -1 : i + 1);
}

uint64_t CGVantrelMarkDataManager::GetBatchMessageGroupMask(const std::string& batchGuid, int displayGroup) {
  vt::Guid guid;
  if (!ParseGuid(batchGuid, &guid)) return 0;
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(guid);
  if (!batch) return 0;
  CVTMessageList list;
  batch->GetGroupMessages(displayGroup, &list, WHOLE_RECORDING_BLOCK);
  CVTBatchCache::Instance().Release(batch);
  uint64_t mask = 0;
  for (int i = 0; i < list.GetCount(); ++i) {
    int groups[63] = {}, groupCount = 0, number = 0;
    std::string user, text;
    TickTime a, b;
    list.GetMessage(i, &user, &text, &number, &a, &b, &groupCount, groups);
    mask |= WriteGroupMask(groupCount, groups);
  }
  return mask;
}

void CGVantrelMarkDataManager::AddRecorderMarkFromRecord(int groupIndex, const uint8_t* record) {
  CGVantrelMarkData* mark = NewMark();
  mark->FromSavedRecord(record);
  mark->m_groupMask = uint64_t(1) << groupIndex;
  mark->m_batchGuid = vt::Guid::FromBytes(record + 416);
  mark->m_source = MARK_SOURCE_RECORDER;
  mark->m_userName = vt::GetText(record, 440, 40);
  mark->m_writeGroupMask = uint64_t(vt::GetI64(record, 432));
  mark->m_operationTime =
      TickTime::FromPreciseTime(PreciseTime{vt::GetI64(record, 488), vt::GetF64(record, 496)});
  mark->m_messageNo = vt::GetI32(record, 480);
  if (!AddMark(mark)) mark->Release();
}

void CGVantrelMarkDataManager::AddUserMarkFromRecord(const uint8_t* record) {
  CGVantrelMarkData* mark = NewMark();
  mark->FromSavedRecord(record);
  mark->m_source = MARK_SOURCE_USER;
  AdoptMark(mark);
}

void CGVantrelMarkDataManager::AdoptMark(CGVantrelMarkData* mark) {
  mark->LinkAsLastChild(this);
  mark->SetId(++counter_);
}

int CGVantrelMarkDataManager::CountMarks(int groupIndex, int source) const {
  int n = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if ((m->m_groupMask & (uint64_t(1) << groupIndex)) && (source == 0 || m->m_source == source)) ++n;
  }
  return n;
}

void CGVantrelMarkDataManager::GetNgMarks(int groupIndex, int* count, const SNgMarkData** array) {
  *count = CountMarks(groupIndex, 0);
  if (*count == 0) {
    *array = nullptr;
    return;
  }
  ngMarks_.clear();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (!(m->m_groupMask & (uint64_t(1) << groupIndex))) continue;
    ngMarks_.emplace_back();
    m->ToNgMarkData(&ngMarks_.back());
  }
  *array = ngMarks_.data();
}

std::vector<std::array<uint8_t, kSavedMarkBytes>> CGVantrelMarkDataManager::GetUserMarkRecords() const {
  std::vector<std::array<uint8_t, kSavedMarkBytes>> out;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (m->m_source != MARK_SOURCE_USER) continue;
    out.emplace_back();
    m->ToSavedRecord(out.back().data());
  }
  return out;
}

std::vector<std::array<uint8_t, kSavedMarkBytes>> CGVantrelMarkDataManager::GetRecorderMarkRecords(
    int groupIndex) const {
  std::vector<std::array<uint8_t, kSavedMarkBytes>> out;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (m->m_source != MARK_SOURCE_RECORDER || !(m->m_groupMask & (uint64_t(1) << groupIndex))) continue;
    out.emplace_back();
    m->ToSavedRecord(out.back().data());
  }
  return out;
}

void CGVantrelMarkDataManager::DetachMarkById(CGCore* destination, int id) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (c->GetId() == id) {
      c->Reattach(destination);
      return;
    }
}

void CGVantrelMarkDataManager::DetachUserMarksInRange(int groupIndex, TickTime t0, TickTime t1,
                                                      CGCore* destination) {
  const uint64_t bit = uint64_t(1) << groupIndex;
  for (CGCore* c = GetFirstChild(); c;) {
    CGCore* next = NextChild(c);
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (m->m_source != MARK_SOURCE_RECORDER && !(m->m_time < t0) && !(t1 < m->m_time) &&
        (m->m_groupMask == bit || (m->m_groupMask & kMarkAllGroups)))
      c->Reattach(destination);
    c = next;
  }
}

void CGVantrelMarkDataManager::DeleteRecorderMarks() {
  for (CGCore* c = GetFirstChild(); c;) {
    CGCore* next = NextChild(c);
    if (static_cast<CGVantrelMarkData*>(c)->m_source == MARK_SOURCE_RECORDER) c->Release();
    c = next;
  }
}

void CGVantrelMarkDataManager::RemoveAllMarks() {
  while (CGCore* c = GetFirstChild()) c->Release();
  keyMap_.clear();
  selection_.clear();
  counter_ = 1193;
}

void CGVantrelMarkDataManager::RemoveGroups(uint64_t removed, bool includeRecorderMarks) {
  for (CGCore* c = GetFirstChild(); c;) {
    CGCore* next = NextChild(c);
    auto* m = static_cast<CGVantrelMarkData*>(c);
    c = next;
    if (m->m_source == MARK_SOURCE_RECORDER && !includeRecorderMarks) continue;
    // Marks of no group stay as they are.
    if (m->m_groupMask == 0 || (m->m_groupMask & kMarkAllGroups)) continue;
    if ((m->m_groupMask & ~removed) == 0) {
      m->Release();
      continue;
    }
    uint64_t renumbered = 0;
    for (int b = 0; b < 63; ++b)
      if ((m->m_groupMask & (uint64_t(1) << b)) && !(removed & (uint64_t(1) << b)))
        renumbered |= uint64_t(1) << (b - std::popcount(removed & ((uint64_t(1) << b) - 1)));
    m->m_groupMask = renumbered;
  }
}

CGVantrelMarkData* CGVantrelMarkDataManager::FindMarkByWriteGroups(uint64_t writeGroups,
                                                                   const vt::Guid& batch) const {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if ((m->m_writeGroupMask & writeGroups) && m->m_batchGuid == batch) return m;
  }
  return nullptr;
}

bool CGVantrelMarkDataManager::FindPreviousMarkTime(int groupIndex, TickTime t, TickTime fallback,
                                                    TickTime* out) const {
  bool found = false;
  *out = fallback;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (!(m->m_groupMask & (uint64_t(1) << groupIndex)) || !(m->m_time < t) || m->m_time < fallback) continue;
    if (!found || *out < m->m_time) *out = m->m_time;
    found = true;
  }
  return found;
}

bool CGVantrelMarkDataManager::FindNextMarkTime(int groupIndex, TickTime t, TickTime fallback,
                                                TickTime* out) const {
  bool found = false;
  *out = fallback;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (!(m->m_groupMask & (uint64_t(1) << groupIndex)) || !(t < m->m_time) || fallback < m->m_time) continue;
    if (!found || m->m_time < *out) *out = m->m_time;
    found = true;
  }
  return found;
}

int CGVantrelMarkDataManager::SelectRange(TickTime t0, TickTime t1) {
  selection_.clear();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    if (!(m->m_time < t0) && !(t1 < m->m_time)) selection_.push_back(m);
  }
  return int(selection_.size());
}

FCONV_ECODE CGVantrelMarkDataManager::ExportMarkList(int sheet, CFileConverter* converter) const {
  static const char* const kCaptions[] = {
      "Date", "Time", "Sec.", "Title", "Comment", "Input user name", "Group", "Operation Time"};
  for (int col = 0; col < 8; ++col)
    if (FCONV_ECODE r = converter->WriteString(0, col, kCaptions[col]); r != FCONV_OK) return r;
  auto writeTime = [&](int row, int col, TickTime t) {
    int32_t seconds = 0, ms = 0;
    t.SplitTime(&seconds, &ms);
    FCONV_ECODE r = converter->WriteDate(row, col, seconds);
    if (r == FCONV_OK) r = converter->WriteTime(row, col + 1, seconds);
    if (r == FCONV_OK) r = converter->WriteDouble(row, col + 2, ms / 1000.0, 3);
    return r;
  };
  const size_t first = size_t(sheet) * 65535;
  for (size_t i = first; i < selection_.size() && i < first + 65535; ++i) {
    const CGVantrelMarkData& m = *selection_[i];
    const int row = int(i - first) + 1;
    if (FCONV_ECODE r = writeTime(row, 0, m.m_time); r != FCONV_OK) return r;
    const std::string texts[] = {m.m_title, m.m_comment, m.m_userName, m.GetGroupText()};
    for (int col = 0; col < 4; ++col)
      if (FCONV_ECODE r = converter->WriteString(row, 3 + col, texts[col].c_str()); r != FCONV_OK) return r;
    if (FCONV_ECODE r = writeTime(row, 7, m.m_operationTime); r != FCONV_OK) return r;
  }
  return FCONV_OK;
}
