// Marks: recorder marks loaded from imported messages and merged by key across document groups,
// the 392-byte and 504-byte records against golden bytes, group renumbering when groups go, and
// the searches for the previous and next mark.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/CGVantrelMarkData.h"
#include "document/testing/DocumentFixture.h"
#include "testing/TempFolder.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

class MarkManagerTest : public DocumentTest {
 protected:
  CGVantrelMarkData* UserMark(uint64_t groups, int64_t ms) {
    CGVantrelMarkData* m = manager_.NewMark();
    m->m_source = MARK_SOURCE_USER;
    m->m_groupMask = groups;
    m->m_time = MsTime(T + ms);
    m->m_comment = std::to_string(ms);
    EXPECT_TRUE(manager_.AddMark(m));
    return m;
  }
  CGVantrelMarkDataManager manager_{nullptr};
};

TEST_F(MarkManagerTest, AMessageInSeveralGroupsIsOneMark) {
  recgen::NewerFile a = RecordingFile(1, 1, 10, T, 1000);
  recgen::NewerGroup g1, g2, g3;
  g1.number = 1, g1.places[0] = 1;
  g2.number = 2, g2.places[0] = 2;
  g3.number = 3, g3.places[0] = 1;
  a.groups = {g1, g2, g3};
  recgen::NewerMessage both, every;
  both.dataNo = 4, both.groupMask = 0x5, both.text = "groups 1 and 3", both.user = "op";
  every.dataNo = 6, every.groupMask = ~uint64_t(0), every.text = "every group", every.user = "op";
  a.messages = {both, every};
  Store(a, "A.DAE");
  const std::string guid = RecordingGuid(1).ToText();
  EXPECT_EQ(CGVantrelMarkDataManager::GetBatchMessageGroupMask(guid, 1), 0x5u | kWrittenToAllGroups);
  for (bool keyMap : {false, true}) {
    CGVantrelMarkDataManager manager(nullptr);
    manager.SetKeyMapSwitch(keyMap);
    manager.RebuildKeyMap();
    manager.LoadMarks(0, guid, 1);
    manager.LoadMarks(2, guid, 3);
    ASSERT_EQ(manager.CountChildren(), 2) << keyMap;
    auto* first = static_cast<CGVantrelMarkData*>(manager.GetFirstChild());
    EXPECT_EQ(first->GetId(), 1194);
    EXPECT_EQ(first->m_comment, "groups 1 and 3");
    EXPECT_EQ(first->GetGroupText(), "01,03");
    EXPECT_EQ(first->m_writeGroupMask, 0x5u);
    auto* second = static_cast<CGVantrelMarkData*>(first->GetNext());
    EXPECT_EQ(second->m_writeGroupMask, kWrittenToAllGroups);
    EXPECT_EQ(second->m_title, "Message");
    EXPECT_EQ(manager.CountMarks(2, MARK_SOURCE_RECORDER), 2);
    EXPECT_EQ(manager.FindMarkByWriteGroups(0x4, RecordingGuid(1)), first);
  }
}

TEST_F(MarkManagerTest, RecordsMatchTheirGoldenBytes) {
  CGVantrelMarkData* m = manager_.NewMark();
  m->m_source = MARK_SOURCE_RECORDER;
  m->m_groupMask = 0x5;
  m->m_label = "A label of 20 chars.";
  m->m_time = TickTime::FromPreciseTime(PreciseTime{1700000000, 0.25});
  m->m_title = "Message";
  m->m_comment = "Pump started";
  m->m_userName = "op";
  m->m_operationTime = TickTime::FromPreciseTime(PreciseTime{1700000100, 0.5});
  m->m_messageNo = 7;
  m->m_writeGroupMask = kWrittenToAllGroups;
  m->m_batchGuid = RecordingGuid(1);
  ASSERT_TRUE(manager_.AddMark(m));

  std::array<uint8_t, kSavedMarkBytes> saved{};
  m->ToSavedRecord(saved.data());
  std::vector<uint8_t> golden(kSavedMarkBytes, 0);
  auto put = [&](size_t at, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), golden.begin() + long(at));
  };
  put(0, {5, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xB4, 0, 2, 0, 0xF1, 0x53, 0x65, 0, 0, 0, 0});
  put(24, {0, 0, 0, 0, 0, 0, 0xD0, 0x3F});
  put(32, std::vector<uint8_t>(m->m_label.begin(), m->m_label.end()));  // all 20 characters
  put(60, {1, 0, 0, 0, 1, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F});
  put(80, {'M', 'e', 's', 's', 'a', 'g', 'e'});
  put(152, {'P', 'u', 'm', 'p', ' ', 's', 't', 'a', 'r', 't', 'e', 'd'});
  put(416, {1, 0, 0, 0, 0xBC, 0x9A, 0xF0, 0xDE, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0x10});
  put(440, {'o', 'p'});
  put(480, {7, 0, 0, 0, 0, 0, 0, 0, 0x64, 0xF1, 0x53, 0x65, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F});
  EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.end()), golden);

  // The trend record carries the label cut to 15 characters.
  int count = 0;
  const SNgMarkData* marks = nullptr;
  manager_.GetNgMarks(2, &count, &marks);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(std::string(marks[0].label), "A label of 20 c");
  const auto bytes = vt::MarkDataBytes(marks[0]);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16),
            (std::vector<uint8_t>{0xAA, 4, 0, 0, 3, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0}));
  manager_.GetNgMarks(1, &count, &marks);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(marks, nullptr);

  // Saved again as a recorder mark of group 1: the same record with that group's bit.
  CGVantrelMarkDataManager other(nullptr);
  other.AddRecorderMarkFromRecord(1, saved.data());
  const auto records = other.GetRecorderMarkRecords(1);
  ASSERT_EQ(records.size(), 1u);
  golden[0] = 2;
  EXPECT_EQ(std::vector<uint8_t>(records[0].begin(), records[0].end()), golden);
}

TEST_F(MarkManagerTest, RemovingGroupsRenumbersOrDeletesUserMarks) {
  CGVantrelMarkData* kept = UserMark(0x5, 1000);  // groups 1 and 3
  UserMark(0x2, 2000);                            // group 2 only: goes
  CGVantrelMarkData* all = UserMark(kMarkAllGroups, 3000);
  CGVantrelMarkData* none = UserMark(0, 4000);
  manager_.RemoveGroups(0x2, false);
  EXPECT_EQ(manager_.CountChildren(), 3);
  EXPECT_EQ(kept->m_groupMask, 0x3u);
  EXPECT_EQ(all->m_groupMask, kMarkAllGroups);
  EXPECT_EQ(all->GetGroupText(), "ALL");
  EXPECT_EQ(none->m_groupMask, 0u);
}

TEST_F(MarkManagerTest, PreviousAndNextMarkTimes) {
  UserMark(0x1, 1000);
  UserMark(0x1, 5000);
  UserMark(0x2, 3000);  // another group
  TickTime out;
  EXPECT_TRUE(manager_.FindNextMarkTime(0, MsTime(T + 1000), MsTime(T + 9000), &out));
  EXPECT_EQ(out, MsTime(T + 5000));
  EXPECT_FALSE(manager_.FindNextMarkTime(0, MsTime(T + 5000), MsTime(T + 9000), &out));
  EXPECT_EQ(out, MsTime(T + 9000));
  EXPECT_TRUE(manager_.FindPreviousMarkTime(0, MsTime(T + 5000), MsTime(T), &out));
  EXPECT_EQ(out, MsTime(T + 1000));
  EXPECT_EQ(manager_.SelectRange(MsTime(T + 1000), MsTime(T + 3000)), 2);
  // User marks of exactly one group (or of all groups) within the range leave.
  CGVantrelMarkDataManager bin(nullptr);
  manager_.DetachUserMarksInRange(0, MsTime(T), MsTime(T + 4000), &bin);
  EXPECT_EQ(bin.CountChildren(), 1);
  EXPECT_EQ(manager_.CountChildren(), 2);
}

}  // namespace
}  // namespace document_test

namespace document_test {
namespace {

TEST_F(MarkManagerTest, AMarkSheetHoldsAtMost65535Marks) {
  for (int i = 0; i < 65536; ++i) {
    CGVantrelMarkData* m = manager_.NewMark();
    m->m_source = MARK_SOURCE_USER;
    m->m_groupMask = kMarkAllGroups;
    m->m_time = MsTime(T + i);
    m->m_title = "t";
    m->LinkAsLastChild(&manager_);  // no merging needed here
  }
  ASSERT_EQ(manager_.SelectRange(MsTime(T), MsTime(T + 70000)), 65536);
  CFileConverter converter;
  const std::string path = Path("marks.txt");
  ASSERT_EQ(converter.Open(FILE_FORMAT_TEXT, path.c_str(), false), FCONV_OK);
  for (int sheet = 0; sheet < 2; ++sheet) {
    ASSERT_EQ(converter.AddSheet(sheet == 0 ? "A" : "B"), FCONV_OK);
    ASSERT_EQ(manager_.ExportMarkList(sheet, &converter), FCONV_OK);
  }
  ASSERT_EQ(converter.Close(), FCONV_OK);
  ASSERT_EQ(converter.GetConvertedFileNum(), 2u);
  const std::string second = vt_test::ReadFileBytes(converter.GetCovnertedFilePath(1));
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 2);  // captions and one mark
  EXPECT_EQ(second.substr(0, 5), "Date\t");
  const std::string first = vt_test::ReadFileBytes(converter.GetCovnertedFilePath(0));
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 65536);
}

}  // namespace
}  // namespace document_test
