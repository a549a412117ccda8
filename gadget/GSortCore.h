// A node whose children can be put in order by a comparison the children define: a stable
// merge sort done by relinking the sibling ring, without copying entries or allocating arrays
// (one holder node per level of recursion).
#pragma once
#include "gadget/GCore.h"

class CGSortCore : public CGCore {
 public:
  CGSortCore(int id, CGCore* parent) : CGCore(id, parent) {}
  const SGClassInfo* GetClassInfo() const override;
  virtual void Sort(int column) { MergeSortChildren(column); }
  virtual void MergeSortChildren(int column);
  // Greater than 0 when this entry belongs after other for the column; the base finds all equal.
  virtual int Compare(CGSortCore* other, int column) {
    (void)other, (void)column;
    return 0;
  }
};
