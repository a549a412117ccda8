// The data manager base (see GDataManager.h).
#include "gadget/GDataManager.h"

#include "gadget/ClassRecords.h"

const SGClassInfo* CGDataManager::GetClassInfo() const { return GCLASS(CGDataManager); }

void CGDataManager::DeleteAll() {
  while (CGCore* child = GetFirstChild()) delete child;
}
