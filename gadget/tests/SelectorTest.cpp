// Tests of the selector group's single choice and of the repeater root passing a document's
// updates and host questions on to its target root.
#include <gtest/gtest.h>

#include "gadget/GDocument.h"
#include "gadget/GRepeater.h"
#include "gadget/GSelector.h"
#include "gadget/testing/GadgetTestEnv.h"

namespace gadget_test {
namespace {

using SelectorTest = RootEnv;

TEST_F(SelectorTest, SelectShowsOneChildAndTakesItsSizeUnlessToldToKeepIts) {
  struct Case {
    int index;
    int shown;  // -1: none
  } cases[] = {{2, 2}, {0, 0}, {3, -1}, {-1, 0}, {1, 1}};
  for (int keep = 0; keep < 2; ++keep) {
    auto* selector = new CGSelector(root, 0, 0, 0, 3, 50, 50, keep);
    Log log;
    Probe* children[3] = {new Probe(selector, "a", &log, {0, 0, 10, 11}),
                          new Probe(selector, "b", &log, {0, 0, 20, 21}),
                          new Probe(selector, "c", &log, {0, 0, 30, 31})};
    AddLogEvent(children[2], GEVENT_LAYOUT, &log);
    int width = 50;
    for (const Case& c : cases) {
      log.clear();
      selector->SetValue(c.index);
      int selected = 99;
      EXPECT_EQ(selector->GetValue(&selected), 0);
      EXPECT_EQ(selected, c.index);
      for (int i = 0; i < 3; ++i) EXPECT_EQ(children[i]->GetStyle(), i == c.shown ? 3 : 0) << c.index;
      if (c.shown == 2) {
        EXPECT_EQ(log, (Log{"event 3"}));  // laid out
      }
      if (c.shown >= 0 && !keep) width = 10 * (c.shown + 1);  // nothing shown: the size stays
      EXPECT_EQ(selector->Rect().Width(), width) << c.index << " keep " << keep;
    }
    delete selector;
  }
}

TEST_F(SelectorTest, TheRepeaterPassesDocumentUpdatesAndHostQuestionsToItsTarget) {
  Log log;
  new Probe(root, "target", &log, {0, 0, 10, 10});
  auto* document = new CGDocument(master, nullptr);
  auto* repeater = new CGRepeater(document, 1123);
  auto* idle = new CGRepeater(document, 1124);
  EXPECT_EQ(repeater->GetHostWindow(), nullptr);
  document->UpdateAll(7, nullptr);
  EXPECT_TRUE(log.empty());  // no target: nothing passed on
  repeater->SetTarget(root);
  EXPECT_EQ(repeater->GetHostWindow(), host.get());
  EXPECT_EQ(idle->GetHostWindow(), nullptr);
  document->UpdateAll(7, nullptr);
  EXPECT_EQ(log, (Log{"target update 7"}));  // exactly once
  EXPECT_TRUE(IsKindOfClass(repeater, GCLASS(CGRoot)));
}

}  // namespace
}  // namespace gadget_test
