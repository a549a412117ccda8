// File-access facade and conversion formatters: code texts, scaling, and the cells of the main
// table, alarm list and mark list of generated files in both layouts.
#include <gtest/gtest.h>

#include <cmath>

#include "export/FileConversionFormatterFactory.h"
#include "export/testing/ExportFixtures.h"

namespace {

TEST(FileAccessFacade, CodeTexts) {
  struct Case {
    std::string (*text)(int);
    int code;
    const char* expected;
  } cases[] = {
      {VTFileAccessFacade::FactorText, 0, "UnKnown"},  {VTFileAccessFacade::FactorText, 1, "Manual"},
      {VTFileAccessFacade::FactorText, 5, "Sampling"}, {VTFileAccessFacade::FactorText, 7, "UnKnown"},
      {VTFileAccessFacade::StatusToText, 1, ""},       {VTFileAccessFacade::StatusToText, 2, ""},
      {VTFileAccessFacade::StatusToText, 3, ""},       {VTFileAccessFacade::StatusToText, 4, ""},
      {VTFileAccessFacade::StatusToText, 5, ""},       {VTFileAccessFacade::StatusToText, 6, "+OVER"},
      {VTFileAccessFacade::StatusToText, 7, "-OVER"},  {VTFileAccessFacade::StatusToText, 9, "BURNOUT"},
      {VTFileAccessFacade::StatusToText, 10, "SKIP"},  {VTFileAccessFacade::StatusToText, 13, "INVALID"},
      {VTFileAccessFacade::StatusToText, 99, ""},      {VTFileAccessFacade::AlarmLevelText, 0, "ALL"},
      {VTFileAccessFacade::AlarmLevelText, -1, "ALL"}, {VTFileAccessFacade::AlarmLevelText, 3, "L3"},
      {VTFileAccessFacade::AlarmStateText, 3, "ACK"},  {VTFileAccessFacade::AlarmStateText, 4, ""},
      {VTFileAccessFacade::AlarmTypeText, 0, "OFF"},   {VTFileAccessFacade::AlarmTypeText, 8, "Delay Low"},
      {VTFileAccessFacade::AlarmTypeText, -1, ""},     {VTFileAccessFacade::AlarmTypeText, 9, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text(c.code), c.expected) << c.code;
}

TEST(FileAccessFacade, Scaling) {
  vt::SChannelInfo log;
  log.scaleCode = 3;
  log.logExpLow = 0;
  log.logExpHigh = 2;
  log.spanLow = 0.0;
  log.spanHigh = 100.0;
  const auto logScale = VTFileAccessFacade::MakeScale(log);
  EXPECT_NEAR(VTFileAccessFacade::ScaleRawValue(logScale, 50), 10.0, 1e-9);
  EXPECT_NEAR(VTFileAccessFacade::ScaleRawValue(logScale, 0), 1.0, 1e-12);
  EXPECT_NEAR(VTFileAccessFacade::ScaleRawValue(logScale, -50), 0.1, 1e-12);
  // Far outside the span the integer power overflows: not a finite number.
  EXPECT_FALSE(std::isfinite(VTFileAccessFacade::ScaleRawValue(logScale, 2000000)));

  vt::SChannelInfo flat = log;  // equal span limits: scaled as a linear channel
  flat.spanHigh = flat.spanLow = 5.0;
  flat.decimals = 1;
  const auto flatScale = VTFileAccessFacade::MakeScale(flat);
  EXPECT_FALSE(flatScale.logarithmic);
  EXPECT_DOUBLE_EQ(VTFileAccessFacade::ScaleRawValue(flatScale, 123), 12.3);

  vt::SChannelInfo linear;
  linear.decimals = 2;
  EXPECT_DOUBLE_EQ(VTFileAccessFacade::ScaleRawValue(VTFileAccessFacade::MakeScale(linear), -1234), -12.34);
}

TEST(FileAccessFacade, AnswersOfAGeneratedFile) {
  vt_test::TempFolder folder;
  VTFileAccessFacade facade(export_test::SampleFile(folder, false));
  ASSERT_TRUE(facade.IsOpen());
  EXPECT_EQ(facade.GetBatchNameText(), "BATCH-7 00042");
  EXPECT_EQ(facade.GetTimeCorrectionText(), "No");
  EXPECT_EQ(facade.RecordCount(), 20);
  EXPECT_EQ(facade.GetBatchTextTitle(3), "Title 3");
  EXPECT_EQ(facade.GetBatchCommentUser(2), "dave");
  EXPECT_EQ(facade.GetBatchCommentMilliseconds(0), 125);
  EXPECT_EQ(facade.GetBatchCommentTime(0), 1700000001);

  int32_t s1, ms1, s2, ms2;
  std::string comment, user, groups;
  facade.GetMessage(0, &s1, &ms1, &s2, &ms2, &comment, &user, &groups);
  EXPECT_EQ(groups, "01,03");
  EXPECT_EQ(user, "operator");
  EXPECT_EQ(s2, 1700000100);
  EXPECT_EQ(ms2, 5);

  // Alarms: a channel's texts come from the channel; an alarm of no channel has none.
  bool sawChannel = false, sawAll = false;
  for (int i = 0; i < facade.Reader()->GetAlarmCount(); ++i) {
    std::string tag, tagNo, channel, state, level, type;
    int32_t s, ms;
    facade.GetAlarm(i, &tag, &tagNo, &channel, &state, &level, &type, &s, &ms);
    if (channel == "CH101") {
      sawChannel = true;
      EXPECT_FALSE(tag.empty());
    }
    if (channel.empty()) {
      sawAll = true;
      EXPECT_EQ(tag, "");
      EXPECT_EQ(level, "ALL");
    }
  }
  EXPECT_TRUE(sawChannel);
  EXPECT_TRUE(sawAll);

  VTFileAccessFacade missing(folder / "none.DAE");
  EXPECT_FALSE(missing.IsOpen());
  VTFileAccessFacade other(folder.Write("x.csv", "a,b"));
  EXPECT_FALSE(other.IsOpen());
}

TEST(FileAccessFacade, HeaderCountBeyondTheRecordsIsClamped) {
  vt_test::TempFolder folder;
  recgen::SizedOptions o;
  o.channels = 2;
  o.records = 30;
  recgen::NewerFile model = recgen::SizedNewerFile(o, 1);
  model.endDataNoOverride = model.startDataNo + 1000000;
  VTFileAccessFacade facade(folder.Write("big.DAE", recgen::WriteNewerFile(model).bytes));
  // The reader takes such a file (its records are all there); a refusal would leave nothing to clamp.
  ASSERT_TRUE(facade.IsOpen()) << "the reader refused the file under test";
  EXPECT_LE(facade.RecordCount(), 30);
  std::vector<int32_t> s, ms;
  facade.GetRecordTimes(&s, &ms);
  EXPECT_EQ(int(s.size()), facade.RecordCount());
}

// The entries of every step-th record, taken in one call, are those the sample sink is handed, for
// event and display data of both layouts, whole and in part.
TEST(FileAccessFacade, EntriesOfEveryStepthRecordAreThoseTheSinkIsHanded) {
  vt_test::TempFolder folder;
  const std::string sources[] = {
      export_test::SampleFile(folder, false, "e"), export_test::SampleFile(folder, true, "d"),
      export_test::OlderFile(folder, false, "oe"), export_test::OlderFile(folder, true, "od")};
  for (const std::string& source : sources) {
    VTFileAccessFacade facade(source);
    ASSERT_TRUE(facade.IsOpen()) << source;
    const int records = facade.RecordCount();
    ASSERT_GT(records, 6) << source;
    for (int channel = 0; channel < facade.Reader()->GetChannelCount(); ++channel)
      for (const auto& [first, count, step] :
           {std::tuple{0, records, 1}, std::tuple{0, records, 3}, std::tuple{3, 4, 1},
            std::tuple{3, records, 2}, std::tuple{records - 1, 5, 1}}) {
        const std::string what = source + " channel " + std::to_string(channel) + " from " +
                                 std::to_string(first) + " step " + std::to_string(step);
        std::vector<SSampleValue> want[2];
        int wantLists = 0;
        facade.GetChannelSamples(
            channel, first, count, nullptr, nullptr, nullptr, nullptr, nullptr,
            [&](int lists, int list, int record, const SSampleValue& entry) {
              wantLists = lists;
              if ((record - first) % step != 0) return true;
              auto& into = want[list];
              into.resize(size_t((record - first) / step), SSampleValue{0.0, nullptr, false});
              into.push_back(entry);
              return true;
            });
        std::vector<SSampleValue> got[2];
        const int lists = facade.GetChannelEntries(channel, first, count, step, got);
        EXPECT_EQ(lists, wantLists) << what;
        for (int list = 0; list < 2; ++list) {
          ASSERT_EQ(got[list].size(), list < lists ? want[0].size() : 0u) << what;
          for (size_t k = 0; k < want[list].size(); ++k) {
            EXPECT_EQ(got[list][k].isNumber, want[list][k].isNumber) << what << " entry " << k;
            EXPECT_EQ(got[list][k].value, want[list][k].value) << what << " entry " << k;
            EXPECT_STREQ(got[list][k].text, want[list][k].text) << what << " entry " << k;
          }
        }
      }
  }
}

using Cells = std::vector<std::tuple<int, int, int, std::string>>;  // row, column, kind, value ("*": any)

std::string ValueText(const MultiTypeDataEntry& e) {
  char buffer[64];
  switch (e.kind) {
    case MTD_TEXT:
      return e.text;
    case MTD_NUMBER:
      std::snprintf(buffer, sizeof buffer, "%.*f", int(e.decimals), e.doubleValue);
      return buffer;
    case MTD_LARGE_INTEGER:
      return std::to_string(e.largeValue);
    default:
      return std::to_string(e.intValue);
  }
}

// kind -1: no cell there.
void ExpectCells(const DataTable& table, const Cells& cells, const std::string& what) {
  for (const auto& [row, column, kind, value] : cells) {
    MultiTypeDataEntry e;
    const bool has = table.GetCell(row, column, &e);
    if (kind < 0) {
      EXPECT_FALSE(has) << what << " (" << row << "," << column << ")";
      continue;
    }
    ASSERT_TRUE(has) << what << " (" << row << "," << column << ")";
    EXPECT_EQ(e.kind, kind) << what << " (" << row << "," << column << ")";
    if (value != "*") {
      EXPECT_EQ(ValueText(e), value) << what << " (" << row << "," << column << ")";
    }
  }
}

std::shared_ptr<IFileConversionFormatter> Formatter(const std::string& path) {
  return CreateFormatterForPath(GetFormatterRegistry(), path);
}

TEST(ConversionFormatter, RegistryChoosesByTheWholePathsExtension) {
  struct Case {
    const char* path;
    bool older;
  } cases[] = {{"/data/FILE.DDS", true},     {"/data/file.dev", true}, {"/data/FILE.DAD", false},
               {"/data/noextension", false}, {"/dir.dds/file", false}, {"/data/x.Dev", true}};
  for (const Case& c : cases) {
    auto f = Formatter(c.path);
    ASSERT_TRUE(f) << c.path;
    EXPECT_EQ(dynamic_cast<VTQRFileConversionFormatter*>(f.get()) != nullptr, c.older) << c.path;
  }
}

TEST(ConversionFormatter, MainTableWithBatchInformation) {
  vt_test::TempFolder folder;
  for (bool display : {false, true}) {
    const std::string what = display ? "display" : "event";
    CaptionableDividableTable t;
    ASSERT_TRUE(Formatter(export_test::SampleFile(folder, display))->BuildMainTable(t, 1));
    ExpectCells(t,
                {{0, 0, MTD_TEXT, "Vantrel R2.02.01"},
                 {1, 0, -1, ""},
                 {2, 0, MTD_TEXT, "Batch Name"},
                 {2, 1, MTD_TEXT, "BATCH-7 00042"},
                 {7, 1, MTD_TEXT, "No"},
                 {8, 1, MTD_DATE, "*"},
                 {8, 2, MTD_TIME, "*"},
                 {8, 3, MTD_MILLISECONDS, "*"},
                 {12, 0, MTD_TEXT, "Number of tags"},
                 {12, 1, MTD_INTEGER, "4"},
                 {13, 1, MTD_LARGE_INTEGER, "20"},
                 {14, 1, MTD_MILLISECONDS, "500"},
                 {14, 2, MTD_TEXT, "Sec."},
                 {15, 0, -1, ""},
                 {16, 0, MTD_TEXT, "Batch text1"},
                 {16, 1, MTD_TEXT, "Title 0"},
                 {16, 2, MTD_TEXT, "Row text 0"},
                 {39, 0, MTD_TEXT, "Batch text24"},
                 {40, 0, MTD_TEXT, "Batch Comment1"},
                 {40, 1, MTD_TEXT, "Started \u00b0 warm"},
                 {40, 2, MTD_DATE, "1700000001"},
                 {40, 4, MTD_MILLISECONDS, "125"},
                 {40, 5, MTD_TEXT, "carol"},
                 {41, 1, -1, ""},
                 {42, 0, MTD_TEXT, "Batch Comment3"},
                 {43, 0, -1, ""},
                 {44, 2, MTD_TEXT, "Channel number"},
                 {44, 3, MTD_TEXT, "CH001"},
                 {47, 2, MTD_TEXT, "Unit"},
                 {48, 0, MTD_TEXT, "Date"},
                 {48, 2, MTD_TEXT, "Sec."},
                 {49, 0, MTD_DATE, "*"},
                 {49, 2, MTD_MILLISECONDS, "*"},
                 {49, 3, MTD_NUMBER, "*"},
                 {49 + 3, 3, MTD_TEXT, "+OVER"},
                 {49 + 20, 0, -1, ""}},
                what);
    EXPECT_EQ(t.captionRow, 44) << what;
    EXPECT_EQ(t.captionColumn, 0) << what;
    EXPECT_EQ(t.firstDataRow, 49) << what;
    EXPECT_EQ(t.firstDataColumn, 3) << what;
    if (display) {
      ExpectCells(
          t,
          {{48, 3, MTD_TEXT, "Min"}, {48, 4, MTD_TEXT, "Max"}, {44, 4, -1, ""}, {44, 5, MTD_TEXT, "CH002"}},
          what);
      EXPECT_EQ(t.keepColumns, (std::set<int>{4, 6, 8, 10}));
      EXPECT_EQ(t.GetLastColumn(), 10);
    } else {
      ExpectCells(t, {{48, 3, -1, ""}, {44, 4, MTD_TEXT, "CH002"}}, what);
      EXPECT_TRUE(t.keepColumns.empty());
      EXPECT_EQ(t.GetLastColumn(), 6);
    }
    EXPECT_EQ(t.columnCaptions.begin()->second, "CH001");
    EXPECT_EQ(t.columnCaptions.size(), 4u);
  }
}

TEST(ConversionFormatter, MainTableWithoutBatchInformationAndWithAStep) {
  vt_test::TempFolder folder;
  const std::string path = export_test::SizedFile(folder, 2, 10, false);
  CaptionableDividableTable t;
  ASSERT_TRUE(Formatter(path)->BuildMainTable(t, 1));
  ExpectCells(t,
              {{15, 0, -1, ""},
               {16, 2, MTD_TEXT, "Channel number"},
               {20, 0, MTD_TEXT, "Date"},
               {21, 3, MTD_NUMBER, "*"},
               {30, 3, MTD_NUMBER, "*"},
               {31, 3, -1, ""}},
              "step 1");
  EXPECT_EQ(t.firstDataRow, 21);

  CaptionableDividableTable stepped;
  ASSERT_TRUE(Formatter(path)->BuildMainTable(stepped, 3));
  // Records 0, 3, 6 and 9 on rows 21 to 24.
  for (int k = 0; k < 4; ++k) {
    MultiTypeDataEntry a, b;
    ASSERT_TRUE(stepped.GetCell(21 + k, 4, &a));
    ASSERT_TRUE(t.GetCell(21 + 3 * k, 4, &b));
    EXPECT_EQ(a, b) << k;
    ASSERT_TRUE(stepped.GetCell(21 + k, 1, &a));
    ASSERT_TRUE(t.GetCell(21 + 3 * k, 1, &b));
    EXPECT_EQ(a, b) << k;
  }
  EXPECT_FALSE(stepped.HasCell(25, 3));
  EXPECT_FALSE(stepped.HasCell(25, 0));
}

TEST(ConversionFormatter, AlarmAndMarkLists) {
  vt_test::TempFolder folder;
  const std::string path = export_test::SampleFile(folder, false);
  auto f = Formatter(path);
  CaptionableDividableTable alarms, marks;
  ASSERT_TRUE(f->BuildAlarmList(alarms));
  ASSERT_TRUE(f->BuildMarkList(marks));
  EXPECT_EQ(alarms.name, "Alarm list");
  EXPECT_EQ(marks.name, "Mark list");
  ExpectCells(
      alarms,
      {{0, 0, MTD_TEXT, "Status"}, {0, 8, MTD_TEXT, "Sec."}, {1, 0, MTD_TEXT, "*"}, {1, 6, MTD_DATE, "*"}},
      "alarms");
  ExpectCells(marks,
              {{0, 7, MTD_TEXT, "Operation Time"},
               {0, 8, -1, ""},
               {1, 3, MTD_TEXT, ""},
               {1, 4, MTD_TEXT, "*"},
               {1, 5, MTD_TEXT, "operator"},
               {1, 6, MTD_TEXT, "01,03"},
               {1, 7, MTD_DATE, "1700000100"},
               {1, 9, MTD_MILLISECONDS, "5"},
               {3, 0, -1, ""}},
              "marks");

  // A file without alarms or messages: the header rows only.
  auto plain = Formatter(export_test::SizedFile(folder, 1, 3, true));
  CaptionableDividableTable a2, m2;
  ASSERT_TRUE(plain->BuildAlarmList(a2));
  ASSERT_TRUE(plain->BuildMarkList(m2));
  EXPECT_EQ(a2.GetLastRow(), 0);
  EXPECT_EQ(m2.GetLastRow(), 0);

  // An unreadable file builds nothing.
  auto bad = Formatter(folder / "missing.DAD");
  CaptionableDividableTable t;
  EXPECT_FALSE(bad->BuildMainTable(t, 1));
  EXPECT_FALSE(bad->BuildAlarmList(t));
  EXPECT_EQ(t.CellCount(), 0u);
}

TEST(ConversionFormatter, OlderFilesBuildTheSameLayout) {
  vt_test::TempFolder folder;
  for (bool display : {false, true}) {
    CaptionableDividableTable t;
    ASSERT_TRUE(Formatter(export_test::OlderFile(folder, display))->BuildMainTable(t, 1)) << display;
    EXPECT_EQ(t.firstDataColumn, 3);
    EXPECT_TRUE(t.firstDataRow == 21 || t.firstDataRow == 49) << t.firstDataRow;
    MultiTypeDataEntry e;
    ASSERT_TRUE(t.GetCell(t.captionRow + 4, 0, &e));
    EXPECT_EQ(e.text, "Date");
    EXPECT_EQ(!t.keepColumns.empty(), display);
  }
}

}  // namespace
