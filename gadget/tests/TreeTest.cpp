// Tests of the object tree: ring order and linking, kind tests and searches, deletion of
// subtrees, the data manager and the channel defaults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget/ClassRecords.h"
#include "gadget/GChannel.h"
#include "gadget/GDataManager.h"
#include "gadget/GGroup.h"
#include "gadget/GSortCore.h"

namespace {

// A node that notes its id when it is deleted.
class Noted : public CGCore {
 public:
  Noted(int id, CGCore* parent, std::vector<int>* deleted) : CGCore(id, parent), deleted_(deleted) {}
  ~Noted() override { deleted_->push_back(GetId()); }

 private:
  std::vector<int>* deleted_;
};

std::vector<int> Ids(const CGCore& parent) {
  std::vector<int> ids;
  for (CGCore* c = parent.GetFirstChild(); c; c = parent.NextChild(c)) ids.push_back(c->GetId());
  return ids;
}

// Checks both directions of the ring and the parent pointers.
void ExpectRing(const CGCore& parent, const std::vector<int>& ids) {
  EXPECT_EQ(Ids(parent), ids);
  std::vector<int> backwards;
  for (CGCore* c = parent.GetLastChild(); c; c = parent.PrevChild(c)) {
    backwards.insert(backwards.begin(), c->GetId());
    EXPECT_EQ(c->GetParent(), &parent);
    EXPECT_EQ(c->GetNext()->GetPrev(), c);
  }
  EXPECT_EQ(backwards, ids);
}

TEST(GadgetTree, ChildrenFormARingInCreationOrder) {
  CGCore parent(0, nullptr);
  EXPECT_EQ(parent.GetNext(), &parent);
  EXPECT_EQ(parent.GetPrev(), &parent);
  new CGCore(1, &parent);
  new CGCore(2, &parent);
  auto* three = new CGCore(3, &parent);
  ExpectRing(parent, {1, 2, 3});
  EXPECT_EQ(parent.GetFirstChild()->GetPrev(), three);
  EXPECT_EQ(three->GetSiblingIndex(), 2);
  EXPECT_EQ(parent.GetSiblingIndex(), -1);
  EXPECT_EQ(parent.GetChildAt(1)->GetId(), 2);
  EXPECT_EQ(parent.GetChildAt(3), nullptr);
  EXPECT_EQ(parent.GetChildAt(-1), nullptr);
}

TEST(GadgetTree, LinkOperationsKeepTheRingWhole) {
  CGCore parent(0, nullptr);
  auto* a = new CGCore(1, &parent);
  auto* b = new CGCore(2, &parent);
  auto* x = new CGCore(10, nullptr);
  x->LinkBefore(a);  // before the first: becomes the first
  ExpectRing(parent, {10, 1, 2});
  auto* y = new CGCore(11, nullptr);
  y->LinkAfter(b);  // after the last: becomes the last
  ExpectRing(parent, {10, 1, 2, 11});
  a->Detach();
  a->LinkAsFirstChild(&parent);
  ExpectRing(parent, {1, 10, 2, 11});
  x->Detach();
  EXPECT_EQ(x->GetParent(), &parent);  // kept until it is linked again
  x->LinkAfter(a);
  ExpectRing(parent, {1, 10, 2, 11});
  b->Reattach(x);
  ExpectRing(parent, {1, 10, 11});
  ExpectRing(*x, {2});
  auto* lone = new CGCore(20, nullptr);
  lone->LinkAfter(nullptr);  // a ring of one, no parent touched
  EXPECT_EQ(lone->GetNext(), lone);
  delete lone;
}

TEST(GadgetTree, DetachingTheOnlyChildEmptiesTheParent) {
  CGCore parent(0, nullptr);
  auto* only = new CGCore(1, &parent);
  only->Detach();
  EXPECT_EQ(parent.GetFirstChild(), nullptr);
  EXPECT_EQ(only->GetNext(), only);
  delete only;
}

TEST(GadgetTree, DeletingANodeDeletesItsChildrenFirstToLastThenRepairsItsParent) {
  std::vector<int> deleted;
  auto* parent = new Noted(0, nullptr, &deleted);
  auto* first = new Noted(1, parent, &deleted);
  new Noted(11, first, &deleted);
  new Noted(12, first, &deleted);
  new Noted(13, first, &deleted);
  new Noted(2, parent, &deleted);
  delete first;
  // A node's own destructor body runs first; the children then go in ring order.
  EXPECT_EQ(deleted, (std::vector<int>{1, 11, 12, 13}));
  ExpectRing(*parent, {2});
  deleted.clear();
  delete parent;
  EXPECT_EQ(deleted, (std::vector<int>{0, 2}));
}

TEST(GadgetTree, KindTestsFollowTheRecordChain) {
  CGGroup group(nullptr, 0, 0, 0, 3, 10, 10);
  EXPECT_TRUE(IsKindOfClass(&group, GCLASS(CGGroup)));
  EXPECT_TRUE(IsKindOfClass(&group, GCLASS(CGPrimitive)));
  EXPECT_TRUE(IsKindOfClass(&group, GCLASS(CGCore)));
  EXPECT_FALSE(IsKindOfClass(&group, GCLASS(CGRoot)));
  EXPECT_FALSE(IsKindOfClass(nullptr, GCLASS(CGCore)));
  EXPECT_STREQ(group.GetClassInfo()->name, "CGGroup");
  // Chains of records of classes built elsewhere are complete.
  EXPECT_EQ(classCGSkRadioIconButton.parent, &classCGRadioIconButton);
  EXPECT_EQ(classCGColorButton.parent, &classCGButton);
  EXPECT_EQ(classCGSkVThinScrollBar.parent, &classCGVScrollBar);
  EXPECT_EQ(classCGSubStocker.parent, &classCGDataManager);
}

TEST(GadgetTree, SearchesByIdAndClassGoDepthFirstSelfFirst) {
  CGGroup top(nullptr, 0, 0, 7, 3, 10, 10);
  auto* inner = new CGGroup(&top, 0, 0, 1, 3, 5, 5);
  auto* deep = new CGPrimitive(inner, 0, 0, 7, 3, 1, 1);
  auto* p1 = new CGPrimitive(&top, 0, 0, 2, 3, 1, 1);
  auto* sort = new CGSortCore(3, &top);
  auto* p2 = new CGPrimitive(&top, 0, 0, 4, 3, 1, 1);
  EXPECT_EQ(top.FindById(7), &top);  // the node itself before a child with the same id
  EXPECT_EQ(inner->FindById(7), deep);
  EXPECT_EQ(top.FindById(4), p2);
  EXPECT_EQ(top.FindById(99), nullptr);
  EXPECT_EQ(top.FindByClass(GCLASS(CGSortCore)), sort);
  EXPECT_EQ(inner->FindByClass(GCLASS(CGPrimitive)), inner);
  EXPECT_EQ(top.CountChildrenOfClass(GCLASS(CGPrimitive)), 3);
  EXPECT_EQ(top.GetFirstChildOfClass(GCLASS(CGSortCore)), sort);
  EXPECT_EQ(top.GetChildOfClassAt(GCLASS(CGPrimitive), 2), p2);
  EXPECT_EQ(top.GetChildOfClassAt(GCLASS(CGPrimitive), 3), nullptr);
  EXPECT_EQ(p1->GetSiblingIndexOfClass(GCLASS(CGGroup)), 0);  // a node not of the class
  EXPECT_EQ(p2->GetSiblingIndexOfClass(GCLASS(CGPrimitive)), 2);
  EXPECT_EQ(deep->FindAncestorOfClass(GCLASS(CGGroup)), inner);
  EXPECT_EQ(deep->GetTopAncestor(), &top);
  EXPECT_EQ(deep->GetRoot(), nullptr);
  EXPECT_TRUE(top.IsInSubtree(deep));
  EXPECT_FALSE(inner->IsInSubtree(p1));
}

TEST(GadgetTree, DataManagerDropsEverythingAndChannelAnswersNoData) {
  CGDataManager manager(nullptr);
  std::vector<int> deleted;
  new Noted(1, &manager, &deleted);
  new Noted(2, &manager, &deleted);
  EXPECT_FALSE(manager.IsEmpty());
  manager.DeleteAll();
  EXPECT_TRUE(manager.IsEmpty());
  EXPECT_EQ(deleted, (std::vector<int>{1, 2}));

  CGChannel channel(&manager);
  EXPECT_EQ(channel.GetDecimals(), 0);
  EXPECT_EQ(channel.GetChannelNumber(), -1);
  EXPECT_EQ(channel.IsShown(), 0);
  EXPECT_EQ(channel.GetColour(), 0u);
  EXPECT_EQ(channel.GetSelf(), &channel);
  std::string name = "unchanged";
  channel.GetName(&name, 0);
  EXPECT_EQ(name, "unchanged");
  channel.Detach();
}

}  // namespace
