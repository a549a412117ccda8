// Alarm and mark items put straight into a real graph document's managers, for the list tests,
// the list gallery and the list benchmark: the lists read only the items, so these need no
// stored recording.
#pragma once
#include <cstdint>
#include <string>

#include "document/CGVantrelDoc.h"

namespace document_test {

// A time of whole seconds since 1970.
TickTime Tick(int64_t seconds);

struct AlarmItem {
  int64_t seconds = 0;
  int type = 1;    // 0 OFF, 1 High, ... 8 Delay Low
  int status = 1;  // 1 ON, 2 OFF, 3 ACK
  int level = 1;
  int channel = 1;
  std::string channelText, tagName, tagNo;
};

struct MarkItem {
  int64_t seconds = 0;
  std::string title, comment, user;
  uint64_t groups = 1;
  int64_t operationSeconds = 0;
};

// Linked as the last item of the manager (alarms take the document's tag mode).
CGVantrelAlarmData* AddAlarm(CGVantrelDoc* doc, const AlarmItem& item);
// A user mark with the manager's next id.
CGVantrelMarkData* AddMark(CGVantrelDoc* doc, const MarkItem& item);

}  // namespace document_test
