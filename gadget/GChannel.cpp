// The channel interface's class record (see GChannel.h).
#include "gadget/GChannel.h"

#include "gadget/ClassRecords.h"

const SGClassInfo* CGChannel::GetClassInfo() const { return GCLASS(CGChannel); }
