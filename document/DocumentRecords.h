// The class records of the document's gadget-tree classes (kind tests and the object pool key
// on them).
#pragma once
#include "gadget/ClassRecords.h"

#define DOCUMENT_RECORDS(X)                     \
  X(CGVantrelNgChannel, CGChannel)              \
  X(CGVantrelNgChannelDataCache, CGDataManager) \
  X(CGVantrelNgChannelData, CGCore)             \
  X(CGVantrelNgTime, CGNgTime)                  \
  X(CGVantrelAlarmData, CGSortCore)             \
  X(CGVantrelAlarmDataManager, CGSortCore)      \
  X(CGVantrelMarkData, CGSortCore)              \
  X(CGVantrelMarkDataManager, CGSortCore)

#define DOCUMENT_DECLARE_RECORD_X(name, base) GADGET_DECLARE_RECORD(name)
DOCUMENT_RECORDS(DOCUMENT_DECLARE_RECORD_X)
#undef DOCUMENT_DECLARE_RECORD_X
