// The child-ring merge sort (see GSortCore.h). The first half of the children moves to a
// holder, both halves are sorted, then the holder's entries are merged back in front of the
// first entry of the second half that they do not belong after, which keeps equal entries in
// their earlier order.
#include "gadget/GSortCore.h"

#include "gadget/ClassRecords.h"

const SGClassInfo* CGSortCore::GetClassInfo() const { return GCLASS(CGSortCore); }

void CGSortCore::MergeSortChildren(int column) {
  const int n = CountChildren();
  if (n < 2) return;
  if (n == 2) {
    auto* first = static_cast<CGSortCore*>(GetFirstChild());
    auto* second = static_cast<CGSortCore*>(first->GetNext());
    if (first->Compare(second, column) > 0) {
      first->Detach();
      first->LinkAsLastChild(this);
    }
    return;
  }
  CGSortCore holder(0, nullptr);
  for (int i = 0; i < n / 2; ++i) {
    CGCore* c = GetFirstChild();
    c->Detach();
    c->LinkAsLastChild(&holder);
  }
  holder.MergeSortChildren(column);
  MergeSortChildren(column);

  auto* a = static_cast<CGSortCore*>(holder.GetFirstChild());
  CGCore* b = GetFirstChild();
  bool wrapped = false;
  while (a && !wrapped) {
    if (a->Compare(static_cast<CGSortCore*>(b), column) > 0) {
      b = b->GetNext();
      wrapped = b == GetFirstChild();
    } else {
      a->Detach();
      a->LinkBefore(b);
      a = static_cast<CGSortCore*>(holder.GetFirstChild());
    }
  }
  while (CGCore* rest = holder.GetFirstChild()) {
    rest->Detach();
    rest->LinkAsLastChild(this);
  }
}
