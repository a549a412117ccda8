// Items put into a document's managers (see DocumentItems.h).
#include "DocumentItems.h"

namespace document_test {

TickTime Tick(int64_t seconds) { return TickTime::FromPreciseTime(PreciseTime{seconds, 0.0}); }

CGVantrelAlarmData* AddAlarm(CGVantrelDoc* doc, const AlarmItem& item) {
  auto* a = new CGVantrelAlarmData(doc->GetAlarmDataManager());
  a->m_time = Tick(item.seconds);
  a->m_type = item.type;
  a->m_status = item.status;
  a->m_level = item.level;
  a->m_channel = item.channel;
  a->m_channelText = item.channelText;
  a->m_tagName = item.tagName;
  a->m_tagNo = item.tagNo;
  a->m_nameKind = doc->GetTagMode();
  return a;
}

CGVantrelMarkData* AddMark(CGVantrelDoc* doc, const MarkItem& item) {
  CGVantrelMarkDataManager* marks = doc->GetMarkDataManager();
  CGVantrelMarkData* m = marks->NewMark();
  m->m_time = Tick(item.seconds);
  m->m_title = item.title;
  m->m_comment = item.comment;
  m->m_userName = item.user;
  m->m_groupMask = item.groups;
  m->m_operationTime = item.operationSeconds ? Tick(item.operationSeconds) : TickTime();
  m->m_source = MARK_SOURCE_USER;
  marks->AdoptMark(m);
  return m;
}

}  // namespace document_test
