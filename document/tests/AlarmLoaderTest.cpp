// Alarm items over imported batches: the loader's increments (new channels only; all again when a
// channel went away; alarms without a channel once per batch), the item texts and the sorting of
// the list, and the selection between two times.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/CGVantrelAlarmData.h"
#include "document/testing/DocumentFixture.h"
#include "testing/ScopedEnvironment.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

recgen::NewerAlarm Alarm(int channel, int64_t ms, int type) {
  recgen::NewerAlarm a;
  a.channel = int16_t(channel);
  a.time = recgen::NewerTime::At(int32_t(ms / 1000), int(ms % 1000));
  a.dataNo = 1 + (ms - T) / 1000;
  a.type = int16_t(type);
  return a;
}

class AlarmLoaderTest : public DocumentTest {
 protected:
  std::vector<std::string> Labels() {
    std::vector<std::string> out;
    for (CGCore* c = manager_.GetFirstChild(); c; c = manager_.NextChild(c))
      out.push_back(
          static_cast<CGVantrelAlarmData*>(c)->GetChannelLabel() + "@" +
          std::to_string(static_cast<CGVantrelAlarmData*>(c)->GetTime().DiffMilliseconds(MsTime(T))));
    return out;
  }
  CGVantrelAlarmDataManager manager_{nullptr};
};

TEST_F(AlarmLoaderTest, LoadsOnlyNewChannelsAndEverythingAgainWhenOneGoes) {
  recgen::NewerFile m = RecordingFile(1, 1, 10, T, 1000);
  m.alarms = {Alarm(1, T + 1000, 1), Alarm(2, T + 2000, 2), Alarm(-1, T + 3000, 3), Alarm(1, T + 4000, 4)};
  Store(m, "A.DAE");
  const vt::Guid batch = RecordingGuid(1);
  VTAlarmLoader::ChannelNames names(&VTAlarmLoader::KeyLess);
  names[{batch, 1}] = {"CH001", "T-1", "TEMP"};
  names[{batch, 2}] = {"CH002", "F-2", "FLOW"};
  VTAlarmLoader loader(&manager_);

  loader.LoadAlarms({{batch, {1}}}, names);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"CH001@1000", "@3000", "CH001@4000"}));
  // A channel added: only its alarms, and no second copy of those without a channel.
  loader.LoadAlarms({{batch, {1, 2}}}, names);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"CH001@1000", "@3000", "CH001@4000", "CH002@2000"}));
  // A channel gone: everything shown is loaded again.
  loader.LoadAlarms({{batch, {2}}}, names);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"CH002@2000", "@3000"}));
  // A batch that cannot be had brings nothing but counts as loaded.
  loader.LoadAlarms({{batch, {2}}, {RecordingGuid(9), {1}}}, names);
  EXPECT_EQ(manager_.CountChildren(), 2);
  EXPECT_EQ(loader.GetLoaded().size(), 2u);
  loader.ClearAll();
  EXPECT_EQ(manager_.CountChildren(), 0);
}

TEST_F(AlarmLoaderTest, TextsSortingAndSelection) {
  vt_test::ScopedTimeZone zone("UTC0");
  struct Item {
    int channel, status, level, type;
    int64_t ms;
    const char* name;
  } items[] = {{1, 1, 0, 1, 5000, "CH001"}, {2, 2, 3, 8, 1000, "CH002"}, {-1, 3, 1, 9, 3000, "CH009"}};
  for (const Item& i : items) {
    auto* a = new CGVantrelAlarmData(&manager_);
    a->m_channel = i.channel, a->m_status = i.status, a->m_level = i.level, a->m_type = i.type;
    a->m_time = MsTime(T + i.ms);
    a->m_channelText = i.name;
  }
  auto* first = static_cast<CGVantrelAlarmData*>(manager_.GetFirstChild());
  EXPECT_EQ(first->GetLevelText(), "ALL");
  EXPECT_EQ(first->GetStatusText(), "ON");
  EXPECT_EQ(first->GetTypeText(), "High");
  // The hour follows the display zone; minutes, seconds and milliseconds are the time's own.
  const std::string text = first->GetTimeText();
  ASSERT_EQ(text.size(), 23u);
  EXPECT_EQ(text.substr(0, 9), "2023/11/1");
  EXPECT_EQ(text.substr(13), ":13:25.000");
  auto* third = static_cast<CGVantrelAlarmData*>(first->GetNext()->GetNext());
  EXPECT_EQ(third->GetTypeText(), "");           // type 9 has no text
  EXPECT_EQ(third->GetChannelNumberText(), "");  // an alarm without a channel shows no names
  EXPECT_EQ(static_cast<CGVantrelAlarmData*>(first->GetNext())->GetLevelText(), "L3");

  manager_.Sort(-5);  // newest first
  EXPECT_EQ(Labels(), (std::vector<std::string>{"CH001@5000", "@3000", "CH002@1000"}));
  manager_.Sort(1);  // by channel label, the empty one first
  EXPECT_EQ(Labels(), (std::vector<std::string>{"@3000", "CH001@5000", "CH002@1000"}));
  EXPECT_EQ(manager_.SelectRange(MsTime(T + 1000), MsTime(T + 3000)), 2);
  EXPECT_EQ(manager_.GetSelection()[0]->GetTime(), MsTime(T + 3000));
}

}  // namespace
}  // namespace document_test

namespace document_test {
namespace {

TEST_F(AlarmLoaderTest, ASelectionOfSeventyThousandAlarmsFillsTwoSheets) {
  for (int i = 0; i < 70000; ++i) {
    auto* a = new CGVantrelAlarmData(&manager_);
    a->m_channel = 1, a->m_status = 1, a->m_level = 2, a->m_type = 1;
    a->m_time = MsTime(T + i * 10);
    a->m_channelText = "CH001", a->m_tagName = "TEMP", a->m_tagNo = "T-1";
  }
  ASSERT_EQ(manager_.SelectRange(MsTime(T), MsTime(T + 700000)), 70000);
  CFileConverter converter;
  const std::string path = Path("alarms.txt");
  ASSERT_EQ(converter.Open(FILE_FORMAT_TEXT, path.c_str(), false), FCONV_OK);
  for (int sheet = 0; sheet < 2; ++sheet) {
    ASSERT_EQ(converter.AddSheet(sheet == 0 ? "A" : "B"), FCONV_OK);
    ASSERT_EQ(manager_.ExportAlarmList(sheet, &converter), FCONV_OK);
  }
  ASSERT_EQ(converter.Close(), FCONV_OK);
  ASSERT_EQ(converter.GetConvertedFileNum(), 2u);
  std::vector<size_t> lines;
  for (unsigned i = 0; i < 2; ++i) {
    const std::string text = vt_test::ReadFileBytes(converter.GetCovnertedFilePath(i));
    lines.push_back(size_t(std::count(text.begin(), text.end(), '\n')));
    if (i == 0) {
      EXPECT_EQ(text.substr(0, 6), "Status");
    }
  }
  EXPECT_EQ(lines, (std::vector<size_t>{65536, 4466}));
}

}  // namespace
}  // namespace document_test
