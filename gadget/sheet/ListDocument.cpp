// Class records of the graph document's list interface (see ListDocument.h).
#include "gadget/sheet/ListDocument.h"

GADGET_DEFINE_RECORD(CGVantrelAlarmData, CGCore)
GADGET_DEFINE_RECORD(CGVantrelMarkData, CGCore)
GADGET_DEFINE_RECORD(CGVantrelAlarmDataManager, CGDataManager)
GADGET_DEFINE_RECORD(CGVantrelMarkDataManager, CGDataManager)
GADGET_DEFINE_RECORD(CGVantrelDoc, CGDocument)
