// The framework's class records (see ClassRecords.h).
#include "gadget/ClassRecords.h"

const SGClassInfo classCGCore{"CGCore", nullptr};

GADGET_FRAMEWORK_RECORDS(GADGET_DEFINE_RECORD)
