// The base reader's own answers: what a reader that overrides nothing but Open hands out, and
// the lookups by index and number over the tables a reader fills.
#include <gtest/gtest.h>

#include "recorder/CVTDataFileAccess.h"

namespace {

class TableReader : public CVTDataFileAccess {
 public:
  int Open(const std::string& path) override {
    m_filePath = path;
    m_groups = {{3, 2, {7, -1}}, {9, 1, {7}}, {3, 1, {8}}};
    m_usedGroups = {0, 2};
    m_channelNos = {7, 8};
    m_channelTypes = {3, 7};
    m_batchComments[2] = SBatchComment(TickTime(20), "two", "b");
    m_batchComments[0] = SBatchComment(TickTime(10), "zero", "a");
    m_batchTexts[1] = SBatchText("t", "x");
    vt::SFileMessage m;
    m.groups = {1, 3};
    m.groupCount = 2;
    m_messages = {m};
    return 0;
  }
};

TEST(CVTDataFileAccess, BaseAnswers) {
  TableReader r;
  ASSERT_EQ(r.Open("/x.DAE"), 0);
  std::string s = "unchanged";
  r.GetHostName(&s);
  EXPECT_EQ(s, "");
  r.GetOpenedPath(nullptr);  // a null output is skipped
  EXPECT_EQ(r.GetDataKind(), -1);
  EXPECT_EQ(r.GetLoggingNo(), 0);
  EXPECT_EQ(r.GetTriggerTime(nullptr), 1);
  std::vector<int64_t> blocks;
  EXPECT_EQ(r.GetTimeBlockStarts(&blocks), 0);
  vt::SChannelInfo ci;
  EXPECT_EQ(r.GetChannelInfo(0, &ci), 1);
  vt::SGroupChannelInfo gc;
  EXPECT_EQ(r.GetGroupChannel(0, 0, &gc), 1);
  CVTData d;
  EXPECT_EQ(r.ReadRecords(0, 0, 1, &d, true), 1);
  int a, b, c, e, f;
  int64_t n;
  TickTime t;
  EXPECT_EQ(r.GetAlarm(0, &a, &n, &t, &b, &c, &e, &f), 1);
  EXPECT_EQ(r.GetGroupInfo(0, &s, &a, &b, &c), 1);

  EXPECT_EQ(r.GetGroupNo(-1), -1);
  EXPECT_EQ(r.GetGroupNo(3), -1);
  EXPECT_EQ(r.FindGroup(3), 0);  // the first group of that number
  EXPECT_EQ(r.FindGroup(4), -1);
  EXPECT_EQ(r.GetUsedGroupNo(1), 3);
  EXPECT_EQ(r.GetUsedGroupNo(2), -1);
  EXPECT_EQ(r.FindChannelInGroup(7, 3), 0);
  EXPECT_EQ(r.FindChannelInGroup(8, 3), -1);
  EXPECT_EQ(r.GetChannelNo(2), -1);
  EXPECT_EQ(r.FindChannel(8), 1);
  EXPECT_EQ(r.GetChannelDataType(1), 7);
  EXPECT_EQ(r.GetChannelDataType(5), 0);

  std::string user, text;
  EXPECT_EQ(r.GetBatchCommentCount(), 2);
  ASSERT_EQ(r.GetBatchCommentAt(1, &t, &user, &text), 0);  // ascending by number
  EXPECT_EQ(text, "two");
  EXPECT_EQ(r.GetBatchCommentAt(2, &t, &user, &text), 1);
  EXPECT_EQ(r.GetBatchCommentAt(0, nullptr, &user, &text), 1);
  EXPECT_EQ(r.GetBatchComment(1, &t, &user, &text), 1);
  EXPECT_TRUE(r.HasBatchText(1));
  EXPECT_FALSE(r.HasBatchText(0));
  EXPECT_EQ(r.GetBatchText(0, &user, &text), 1);

  EXPECT_EQ(r.GetMessageGroup(0, 1, &a), 0);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(r.GetMessageGroup(0, 2, &a), 1);
  EXPECT_EQ(r.GetMessageGroup(1, 0, &a), 1);
  EXPECT_EQ(r.GetMessage(1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr),
            1);
}

}  // namespace
