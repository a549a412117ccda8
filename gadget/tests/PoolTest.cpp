// Tests of the root master's pools and object pool, and of the gadget document's broadcasts.
#include <gtest/gtest.h>

#include "gadget/GDocument.h"
#include "gadget/GSortCore.h"
#include "gadget/GStocker.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"

namespace gadget_test {
namespace {

using PoolTest = GadgetEnv;

TEST_F(PoolTest, FontsAreKeyedOnSizeAndStyleButNotOnTheFace) {
  CGFont* arial = master->GetFont(14, 0, 0);
  ASSERT_NE(arial, nullptr);
  EXPECT_EQ(master->GetFont("Courier New", 14, 0, 0), arial);  // the first font answers every face
  EXPECT_EQ(GetSharedFont(14, 0, 0), arial);
  EXPECT_NE(master->GetFont(14, 1, 0), arial);
  EXPECT_NE(master->GetFont(14, 0, 900), arial);
  const vt::LogFont& bold = master->GetFont(14, 1, 0)->GetLogFont();
  EXPECT_EQ(bold.weight, 700);
  EXPECT_EQ(bold.height, 14);
  EXPECT_EQ(bold.FaceName(), "Arial");
  EXPECT_EQ(bold.pitchAndFamily, 0x30);
  const vt::LogFont& styled = master->GetFont(12, 6, 0)->GetLogFont();
  EXPECT_EQ(styled.weight, 400);
  EXPECT_EQ(styled.italic, 2);
  EXPECT_EQ(styled.underline, 4);
  ASSERT_NE(arial->GetFont(), nullptr);
  EXPECT_EQ(arial->GetFont()->Metrics().height, 14);
  EXPECT_EQ(master->GetFontManager()->CountChildren(), 4);
}

TEST_F(PoolTest, BitmapsAreLoadedOnceAndAMissingOneIsKeptOnceWithoutImage) {
  vt::RegisterBitmap(64001, vt::Bitmap::Create(8, 4, 24));
  vt::RegisterBitmap(64002, vt::Bitmap::Create(8, 4, 1));
  EXPECT_EQ(master->GetBitmap(0), nullptr);
  EXPECT_EQ(master->GetBitmap(-3), nullptr);
  EXPECT_EQ(master->GetBitmapManager()->CountChildren(), 0);
  CGBitmap* image = GetSharedBitmap(64001);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(master->GetBitmap(64001), image);
  EXPECT_EQ(image->GetWidth(), 8);
  EXPECT_EQ(image->GetBitmap()->BitsPerPixel(), 24);
  EXPECT_TRUE(master->GetBitmap(64002)->GetBitmap()->IsMonochrome());  // masks stay one bit deep
  CGBitmap* missing = master->GetBitmap(64999);
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->GetBitmap(), nullptr);
  EXPECT_EQ(missing->GetWidth(), 0);
  EXPECT_EQ(master->GetBitmap(64999), missing);
  EXPECT_EQ(master->GetBitmapManager()->CountChildren(), 3);
  EXPECT_EQ(master->GetPicture("/no/such/file.bmp"), nullptr);
  EXPECT_EQ(master->GetPictureManager()->CountChildren(), 0);
  vt::RegisterBitmap(64001, nullptr);
  vt::RegisterBitmap(64002, nullptr);
}

TEST_F(PoolTest, LookupsWithoutManagersAnswerNothing) {
  delete master;
  master = new CGRootMaster;
  EXPECT_EQ(g_rootMaster, master);
  EXPECT_EQ(master->GetFont(14, 0, 0), nullptr);
  EXPECT_EQ(master->GetBitmap(5), nullptr);
  auto* p = new CGPrimitive(master, 0, 0, 0, 3, 1, 1);
  p->Release();  // no pool: deleted
  EXPECT_EQ(master->GetFirstChild(), nullptr);
}

TEST_F(PoolTest, ThePoolGivesGadgetsBackFirstInFirstOutAndReusesEmptiedSubPools) {
  CGStocker* stocker = master->GetStocker();
  ASSERT_NE(stocker, nullptr);
  auto* a = new CGPrimitive(master, 0, 0, 1, 3, 1, 1);
  auto* b = new CGPrimitive(master, 0, 0, 2, 3, 1, 1);
  auto* g = new CGGroup(master, 0, 0, 3, 3, 1, 1);
  a->Release();
  b->Release();
  g->Release();
  EXPECT_EQ(stocker->CountChildren(), 2);
  EXPECT_EQ(TakeFromStocker(GCLASS(CGPrimitive), master), a);
  EXPECT_EQ(stocker->GetFirstChild()->GetFirstChild(), b);  // the used sub-pool moved to the front
  EXPECT_EQ(TakeFromStocker(GCLASS(CGPrimitive), nullptr), b);
  EXPECT_EQ(b->GetNext(), b);  // taken without a parent: left detached
  EXPECT_EQ(TakeFromStocker(GCLASS(CGPrimitive), master), nullptr);
  EXPECT_EQ(TakeFromStocker(GCLASS(CGRoot), master), nullptr);  // never pooled
  // The emptied sub-pool takes the next class that has none.
  CGCore* emptied = stocker->GetFirstChild();
  auto* r = new CGSortCore(4, master);
  r->Release();
  EXPECT_EQ(stocker->CountChildren(), 2);
  EXPECT_EQ(r->GetParent(), emptied);
  EXPECT_EQ(static_cast<CGSubStocker*>(emptied)->GetPooledClass(), GCLASS(CGSortCore));
  b->LinkAsLastChild(master);
}

class Owner : public vt::GadgetDocumentOwner {
 public:
  void SetPathName(const std::string& p, bool recent) override {
    path = p;
    addedToRecent = recent;
  }
  std::string GetPathName() const override { return path; }
  std::string path;
  bool addedToRecent = false;
};

TEST_F(PoolTest, DocumentsBroadcastFromTheNewestRootAndLeaveOutWhatTheyAreTold) {
  Log log;
  Owner owner;
  auto* doc = new CGDocument(master, &owner);
  auto hosted = std::make_unique<vt::FakeHostWindow>(10, 10);
  CGRoot* roots[3];
  for (int i = 0; i < 3; ++i) {
    roots[i] = new CGRoot(doc, i, 0);
    new Probe(roots[i], "root" + std::to_string(i), &log, {0, 0, 1, 1});
  }
  roots[1]->Attach(hosted.get());
  doc->UpdateAll(7, nullptr);
  EXPECT_EQ(log, (Log{"root2 update 7", "root1 update 7", "root0 update 7"}));
  log.clear();
  doc->UpdateAllExceptWindow(hosted.get(), 8, nullptr);  // the print layouts without host are updated
  EXPECT_EQ(log, (Log{"root2 update 8", "root0 update 8"}));
  log.clear();
  doc->UpdateAllExcept(roots[2], 9, nullptr);
  EXPECT_EQ(log, (Log{"root1 update 9", "root0 update 9"}));
  log.clear();
  doc->UpdateAllOfClass(GCLASS(CGGroup), 1, nullptr);  // a base class reaches every root
  EXPECT_EQ(log.size(), 3u);
  log.clear();
  doc->UpdateAllOfClassExcept(GCLASS(CGRoot), roots[0], 2, nullptr);
  EXPECT_EQ(log, (Log{"root2 update 2", "root1 update 2"}));
  log.clear();
  doc->UpdateAllOfClass(GCLASS(CGSkRoot), 3, nullptr);
  EXPECT_TRUE(log.empty());

  doc->SetPathName("/data/graphs/run 12.vgr", true);
  EXPECT_TRUE(owner.addedToRecent);
  std::string title = "unchanged";
  doc->GetFileTitle(&title);
  EXPECT_EQ(title, "run 12");
  owner.path.clear();
  doc->GetFileTitle(&title);
  EXPECT_EQ(title, "run 12");  // an empty path leaves the output alone
  delete doc;
}

}  // namespace
}  // namespace gadget_test
