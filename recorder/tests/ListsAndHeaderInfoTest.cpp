// Message list, alarm list and header information containers.
#include <gtest/gtest.h>

#include <vector>

#include "recorder/CVTAlarmList.h"
#include "recorder/CVTDataHeaderInfo.h"
#include "recorder/CVTMessageList.h"
#include "recorder/StoreResult.h"

namespace {

TEST(CVTMessageList, GroupCountsAndErrors) {
  CVTMessageList list;
  std::vector<int> seventy(70);
  for (int i = 0; i < 70; ++i) seventy[size_t(i)] = i + 1;
  EXPECT_EQ(list.AddMessage(0, nullptr, "u", "t", 1, TickTime(1), TickTime(2)), STORE_FAILED);
  EXPECT_EQ(list.GetCount(), 0);
  ASSERT_EQ(list.AddMessage(-1, seventy.data(), "all", "to all", 5, TickTime(10), TickTime(11)), 0);
  ASSERT_EQ(list.AddMessage(70, seventy.data(), "many", "x", 6, TickTime(12), TickTime(13)), 0);
  ASSERT_EQ(list.GetCount(), 2);

  std::string user, text;
  int number, count, groups[63];
  TickTime mt, it;
  ASSERT_EQ(list.GetMessage(0, &user, &text, &number, &mt, &it, &count, groups), 0);
  EXPECT_EQ(count, -1);
  EXPECT_EQ(user, "all");
  EXPECT_EQ(number, 5);
  EXPECT_EQ(mt, TickTime(10));
  EXPECT_EQ(it, TickTime(11));
  ASSERT_EQ(list.GetMessage(1, &user, &text, &number, &mt, &it, &count, groups), 0);
  EXPECT_EQ(count, 63);
  EXPECT_EQ(groups[62], 63);
  EXPECT_EQ(list.GetMessage(2, &user, &text, &number, &mt, &it, &count, groups), STORE_FAILED);
  EXPECT_EQ(list.GetMessage(0, &user, nullptr, &number, &mt, &it, &count, groups), STORE_FAILED);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(CVTAlarmList, KeepsOrderOfAddition) {
  CVTAlarmList list;
  list.AddAlarm(1, 3, 2, 4, 99, TickTime(500));
  list.AddAlarm(2, -1, -1, -1, 0, TickTime(100));
  TickTime t;
  int ch, action, level, type, extra;
  ASSERT_EQ(list.GetAlarm(0, &t, &ch, &action, &level, &type, &extra), 0);
  EXPECT_EQ(t, TickTime(500));
  EXPECT_EQ(ch, 3);
  EXPECT_EQ(action, 1);
  EXPECT_EQ(level, 2);
  EXPECT_EQ(type, 4);
  EXPECT_EQ(extra, 99);
  ASSERT_EQ(list.GetAlarm(1, &t, &ch, &action, &level, &type, &extra), 0);
  EXPECT_EQ(t, TickTime(100));
  EXPECT_EQ(ch, -1);
  EXPECT_EQ(list.GetAlarm(2, &t, &ch, &action, &level, &type, &extra), STORE_FAILED);
  EXPECT_EQ(list.GetAlarm(0, nullptr, &ch, &action, &level, &type, &extra), STORE_FAILED);
}

TEST(CVTDataHeaderInfo, MapsLookupsAndDeepCopy) {
  CVTDataHeaderInfo h;
  h.headerText = "line 1";
  h.dataCount = 1LL << 40;
  h.SetBatchComment(2, SBatchComment(TickTime(77), "comment", "anna"));
  h.SetBatchText(0, SBatchText("t1", "first"));
  h.SetBatchText(0, SBatchText("t2", "second"));
  EXPECT_EQ(h.GetBatchTextTitle(0), "t2");
  EXPECT_EQ(h.GetBatchTextBody(0), "second");
  EXPECT_EQ(h.GetBatchCommentTime(1), TickTime(0));
  EXPECT_EQ(h.GetBatchCommentText(1), "");
  EXPECT_EQ(h.BatchComments().size(), 1u);  // lookups add nothing

  CVTDataHeaderInfo& self = h;
  h = self;
  EXPECT_EQ(h.GetBatchCommentUser(2), "anna");
  EXPECT_EQ(h.BatchTexts().size(), 1u);

  CVTDataHeaderInfo copy;
  copy.SetBatchText(5, SBatchText("old", "old"));
  copy = h;
  h.SetBatchComment(2, SBatchComment(TickTime(1), "changed", "bob"));
  EXPECT_EQ(copy.GetBatchCommentText(2), "comment");
  EXPECT_EQ(copy.GetBatchCommentTime(2), TickTime(77));
  EXPECT_EQ(copy.GetBatchTextTitle(5), "");  // the target's own entries are replaced
  EXPECT_EQ(copy.headerText, "line 1");
  EXPECT_EQ(copy.dataCount, 1LL << 40);
}

}  // namespace
