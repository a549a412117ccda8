// The graph document over imported recordings: its defaults, the hint each change broadcasts,
// loading groups within the group and channel limits, the time scale, unit grouping of axes,
// the from-to range, the cursor searches, the copied sheet rows and the byte forms of the
// print and display settings.
#include <gtest/gtest.h>

#include <functional>

#include "document/CGVantrelDoc.h"
#include "document/GraphTimeTexts.h"
#include "document/testing/DocumentFixture.h"
#include "document/testing/RecordingGraphWindowHost.h"
#include "gadget/GPrimitive.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/MessageBoxCapture.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

// A root under the document that records what reaches it, with the hint item at that moment.
class SpyRoot : public CGPrimitive {
 public:
  SpyRoot(CGCore* doc, int id) : CGPrimitive(doc, 0, 0, id, 0, 10, 10) {}
  void OnUpdate(int hint, void* data) override {
    hints.push_back({hint, data});
    auto* doc = static_cast<CGVantrelDoc*>(data);
    items.push_back(doc && hint != HINT_REPEATERS ? doc->GetHintItem() : nullptr);
    // The container of deleted marks lives only while its hint is broadcast.
    if (hint == HINT_MARKS_DELETED) deleted = static_cast<CGCore*>(doc->GetHintItem())->CountChildren();
  }
  int deleted = -1;
  std::vector<std::pair<int, void*>> hints;
  std::vector<void*> items;
};

class Owner : public vt::GraphDocumentOwner {
 public:
  void SetPathName(const std::string& p, bool) override { path = p; }
  std::string GetPathName() const override { return path; }
  void SetModifiedFlag(bool m) override { modified = m; }
  std::string path;
  bool modified = false;
};

// The graph view as the document sees it: a panel showing a fixed range.
class ViewLink : public vt::GraphViewLink {
 public:
  void StoreGraphState() override { ++stored; }
  bool GetVisibleRange(PreciseTime* s, PreciseTime* e) override { return *s = start, *e = end, true; }
  void ShowTimeRange(PreciseTime s, PreciseTime e) override { shown = {s, e}; }
  // The view's window is only compared with the other roots' windows, never used.
  vt::HostWindow* GetHostWindow() override { return reinterpret_cast<vt::HostWindow*>(this); }
  PreciseTime start, end;
  std::pair<PreciseTime, PreciseTime> shown;
  int stored = 0;
};

PreciseTime Precise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

vt::SVantrelChannelKey Key(uint32_t recording, int channel) {
  return {RecordingGuid(recording).ToText(), channel, -1};
}

vt::SVantrelGroupEntry Entry(std::vector<vt::SVantrelChannelKey> keys,
                             std::optional<std::string> name = std::nullopt) {
  vt::SVantrelGroupEntry e;
  e.keys = std::move(keys);
  e.name = std::move(name);
  return e;
}

std::vector<int> BoxNumbers(const vt::MessageBoxCapture& capture) {
  std::vector<int> out;
  for (const auto& b : capture.Boxes())
    for (int n : {10010, 10021, 10105, 10116, 10118, 10212, 10220})
      if (b.request.text.find(std::to_string(n)) != std::string::npos) out.push_back(n);
  return out;
}

class GraphDocumentTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc = std::make_unique<CGVantrelDoc>(nullptr, &owner);
    spy = new SpyRoot(doc.get(), 0);
  }
  void TearDown() override {
    doc.reset();
    DocumentTest::TearDown();
  }
  // Loads recording 1 (100 records at 1 s, two channels) into group 0.
  void LoadOneGroup(int records = 100, int intervalMs = 1000) {
    Store(RecordingFile(1, 1, records, T, intervalMs), "A.DAE");
    ASSERT_TRUE(doc->AddGroups({Entry({Key(1, 1), Key(1, 2)})}, std::nullopt, std::nullopt));
    spy->hints.clear(), spy->items.clear();
    owner.modified = false;
  }
  std::vector<int> Hints() const {
    std::vector<int> out;
    for (const auto& h : spy->hints) out.push_back(h.first);
    return out;
  }
  Owner owner;
  std::unique_ptr<CGVantrelDoc> doc;
  SpyRoot* spy = nullptr;
};

TEST_F(GraphDocumentTest, ANewDocumentTakesItsDefaultsAndTheSettingsDisplayDefaults) {
  EXPECT_EQ(doc->GetCurrentGroupIndex(), 0);
  EXPECT_FALSE(doc->HasCursor());
  PreciseTime a, b;
  EXPECT_EQ(doc->GetCursorTimes(&a, &b), -1);
  EXPECT_EQ(a, (PreciseTime{-1, 0.0}));
  EXPECT_EQ(doc->GetTimeScale(), 10000);
  EXPECT_TRUE(doc->AreAlarmsShown());
  EXPECT_TRUE(doc->IsLegendShown());
  EXPECT_EQ(doc->GetPrintSettings().pageSpan, 1);
  EXPECT_EQ(doc->GetPrintSettings().printedGroups[0], 1);
  EXPECT_EQ(doc->GetPrintSettings().printedGroups[1], 0);
  EXPECT_EQ(doc->GetGroup(49)->GetName(), "Group 50");
  EXPECT_EQ(doc->GetGroup(50), nullptr);
  EXPECT_EQ(doc->GetGroup(3)->GetDisplayName(), "Group 04(04)");
  EXPECT_EQ(std::make_tuple(doc->m_tagMode, doc->m_cursorValuesShown, doc->m_cursorTransparency,
                            doc->m_sheetPadding),
            std::make_tuple(0, uint8_t(1), 70, uint8_t(1)));

  RecordingGraphWindowHost host;
  host.defaults = vt::GraphDisplayDefaults{0x02010203, 0x02040506, 2, 1, 1, 3, 1};
  CGVantrelDoc withSettings(nullptr, nullptr);
  EXPECT_EQ(std::make_tuple(withSettings.m_gridColour, withSettings.m_backColour, withSettings.m_tagMode,
                            withSettings.m_cursorValuesShown, withSettings.m_cursorTransparency,
                            withSettings.m_traceThickness, withSettings.m_sheetPadding),
            std::make_tuple(0x02010203u, 0x02040506u, 2, uint8_t(0), 0, 3, uint8_t(0)));
  host.defaults->tagDisplay = 7;  // not a tag mode: the document keeps its own
  EXPECT_EQ(CGVantrelDoc(nullptr, nullptr).m_tagMode, 0);

  // A single time sets both cursors.
  doc->SetCursors(std::nullopt, MsTime(T));
  EXPECT_EQ(doc->GetCursorATime(), MsTime(T));
  EXPECT_EQ(doc->GetCursorBTime(), MsTime(T));
  doc->SetCursors(std::nullopt, std::nullopt);
  EXPECT_EQ(doc->GetCursorATime(), MsTime(T));
}

TEST_F(GraphDocumentTest, EachChangeBroadcastsItsHint) {
  LoadOneGroup();
  SNgMarkData record;
  record.groupMask = 1;
  record.time = At(T + 5000);
  CGVantrelMarkData* added = nullptr;
  struct Case {
    const char* what;
    std::function<void()> act;
    std::vector<int> hints;
    bool modified;
  } cases[] = {
      {"erase cursors", [&] { doc->EraseCursors(); }, {HINT_CURSORS}, true},
      {"tag mode", [&] { doc->SetTagMode(NAME_TAG); }, {HINT_TAG_MODE}, true},
      {"alarms", [&] { doc->SetAlarmsShown(false); }, {HINT_ALARMS_SHOWN}, true},
      {"legend", [&] { doc->SetLegendShown(false); }, {HINT_LEGEND_SHOWN}, true},
      {"colours", [&] { doc->SetGraphColours(1, 2); }, {HINT_COLOURS}, true},
      {"data start A", [&] { doc->SearchDataStart(false); }, {HINT_CURSOR_A}, true},
      {"data end B", [&] { doc->SearchDataEnd(true); }, {HINT_CURSOR_B}, true},
      {"append mark", [&] { added = doc->AppendMark(record); }, {HINT_MARK_ADDED}, true},
      {"update mark", [&] { doc->UpdateMark(record); }, {HINT_MARK_CHANGED}, true},
      {"delete mark", [&] { doc->DeleteMark(added->GetId()); }, {HINT_MARKS_DELETED}, true},
      {"print settings", [&] { doc->SetPrintSettings(vt::SPrintSettings{}); }, {}, false},
      {"add with a time position",
       [&] { doc->AddToCurrentGroup({Key(1, 1)}, MsTime(T + 9000), std::nullopt, std::nullopt); },
       {HINT_TIME_POSITION},
       true},
      {"add groups with a cursor",
       [&] { doc->AddGroups({Entry({Key(1, 2)})}, MsTime(T + 1000), std::nullopt); },
       {HINT_RELOADED, HINT_CURSOR_B},
       true},
  };
  for (Case& c : cases) {
    spy->hints.clear(), spy->items.clear();
    owner.modified = false;
    c.act();
    EXPECT_EQ(Hints(), c.hints) << c.what;
    EXPECT_EQ(owner.modified, c.modified) << c.what;
    for (const auto& h : spy->hints) EXPECT_EQ(h.second, doc.get()) << c.what;
    if (c.hints == std::vector<int>{HINT_MARK_ADDED}) {
      EXPECT_EQ(spy->items.at(0), added);
      EXPECT_EQ(added->GetId(), 1194);
      EXPECT_EQ(added->m_source, MARK_SOURCE_USER);
    }
    if (c.hints == std::vector<int>{HINT_MARK_CHANGED}) {
      EXPECT_EQ(spy->items.at(0), &record);
    }
    if (c.hints == std::vector<int>{HINT_MARKS_DELETED}) {
      EXPECT_EQ(spy->deleted, 1);
      EXPECT_EQ(doc->GetMarkDataManager()->CountChildren(), 0);
    }
  }
  EXPECT_EQ(doc->GetHintItem(), nullptr);
  EXPECT_EQ(doc->GetTimePosition(), MsTime(T + 9000));
  EXPECT_EQ(doc->GetGroup(1)->GetChannelCount(), 1);

  // The repeaters alone hear of attaching and detaching, and of the document's end.
  auto* cursorRepeater = new SpyRoot(doc.get(), CURSOR_REPEATER_ID);
  auto* statisticsRepeater = new SpyRoot(doc.get(), STATISTICS_REPEATER_ID);
  spy->hints.clear();
  doc->AttachRepeaters();
  doc->DetachRepeaters();
  const std::vector<std::pair<int, void*>> both = {{HINT_REPEATERS, doc.get()}, {HINT_REPEATERS, nullptr}};
  EXPECT_EQ(cursorRepeater->hints, both);
  EXPECT_EQ(statisticsRepeater->hints, both);
  EXPECT_TRUE(spy->hints.empty());
}

TEST_F(GraphDocumentTest, MoreEntriesThanFreeGroupsAskAndLoadOnlyTheFreeOnes) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  std::vector<vt::SVantrelGroupEntry> first(48, Entry({Key(1, 1)}));
  ASSERT_TRUE(doc->AddGroups(first, std::nullopt, std::nullopt));
  ASSERT_EQ(doc->CountGroupsWithData(), 48);
  EXPECT_EQ(doc->FirstEmptyGroup(), 48);
  std::vector<vt::SVantrelGroupEntry> five;
  for (int i = 0; i < 5; ++i) five.push_back(Entry({Key(1, 2)}, "E" + std::to_string(i)));
  {
    vt::MessageBoxCapture capture(vt::kIdCancel);
    EXPECT_FALSE(doc->AddGroups(five, std::nullopt, std::nullopt));
    EXPECT_EQ(BoxNumbers(capture), std::vector<int>{10116});
    EXPECT_EQ(doc->CountGroupsWithData(), 48);
  }
  vt::MessageBoxCapture capture(vt::kIdOk);
  EXPECT_TRUE(doc->AddGroups(five, std::nullopt, std::nullopt));
  EXPECT_EQ(BoxNumbers(capture), std::vector<int>{10116});
  EXPECT_EQ(doc->CountGroupsWithData(), 50);
  EXPECT_EQ(doc->GetGroup(48)->GetName(), "E0");
  EXPECT_EQ(doc->GetGroup(49)->GetName(), "E1");
  EXPECT_EQ(doc->GetGroup(49)->GetChannel(0)->GetChannelNumber(), 2);
  EXPECT_EQ(doc->FirstEmptyGroup(), 0);
}

TEST_F(GraphDocumentTest, AnEntryRefusedForTooManyChannelsLeavesNoHoleBehind) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  vt::MessageBoxCapture capture(vt::kIdCancel);
  ASSERT_TRUE(doc->AddGroups(
      {Entry({Key(1, 1)}, "first"), Entry(std::vector<vt::SVantrelChannelKey>(101, Key(1, 2)), "big"),
       Entry({Key(1, 2)}, "third")},
      std::nullopt, std::nullopt));
  EXPECT_EQ(BoxNumbers(capture), std::vector<int>{10105});
  // A save keeps the first CountGroupsWithData groups: every loaded group is among them.
  ASSERT_EQ(doc->CountGroupsWithData(), 2);
  EXPECT_EQ(doc->GetGroup(0)->GetName(), "first");
  EXPECT_EQ(doc->GetGroup(1)->GetName(), "third");
  EXPECT_EQ(doc->GetGroup(2)->GetName(), "Group 03");
  // The next load goes after them and leaves them alone.
  ASSERT_TRUE(doc->AddGroups({Entry({Key(1, 1), Key(1, 2)})}, std::nullopt, std::nullopt));
  EXPECT_EQ(doc->GetGroup(1)->GetChannelCount(), 1);
  EXPECT_EQ(doc->GetGroup(2)->GetChannelCount(), 2);
  // OK takes the first 100 channels; a key of no batch stops the load with 10212 and keeps what
  // was loaded; a group of 100 refuses more.
  capture.Clear();
  capture.QueueAnswers({vt::kIdOk});
  ASSERT_TRUE(doc->AddGroups({Entry(std::vector<vt::SVantrelChannelKey>(101, Key(1, 2)))}, std::nullopt,
                             std::nullopt));
  EXPECT_EQ(doc->GetGroup(3)->GetChannelCount(), 100);
  EXPECT_FALSE(doc->AddGroups({Entry({Key(1, 1)}), Entry({Key(99, 1)})}, std::nullopt, std::nullopt));
  EXPECT_EQ(doc->GetGroup(4)->GetChannelCount(), 1);
  EXPECT_EQ(doc->GetGroup(5)->GetChannelCount(), 0);
  doc->SetCurrentGroup(3);
  EXPECT_FALSE(doc->AddToCurrentGroup({Key(1, 1)}, std::nullopt, std::nullopt, std::nullopt));
  EXPECT_EQ(BoxNumbers(capture), (std::vector<int>{10105, 10212, 10118}));
}

TEST_F(GraphDocumentTest, TheTimeScaleStaysWithinTheCompressionLimit) {
  struct Width {
    int64_t ms;
    double width;
  } widths[] = {{50, 90.0}, {1800000, 90.0}, {3600000, 108.0}, {604800000, 75.6}, {12345, 108.0}};
  for (const Width& w : widths) EXPECT_EQ(CGVantrelDoc::GetScaleWidth(w.ms), w.width) << w.ms;

  LoadOneGroup(60000, 1);  // one sample a millisecond
  EXPECT_FALSE(doc->IsTooCompressed());
  EXPECT_FALSE(doc->AdjustTimeScale());
  // From the coarsest entry down to the coarsest with at most 10,000 samples a pixel.
  struct Case {
    int64_t from;
    bool adjusted;
    int64_t to;
    bool coarsest;
  } cases[] = {
      {7776000000, true, 600000, true}, {600000, false, 600000, true}, {300000, false, 300000, false}};
  for (const Case& c : cases) {
    doc->SetTimeScale(c.from);
    EXPECT_EQ(doc->AdjustTimeScale(), c.adjusted) << c.from;
    EXPECT_EQ(doc->GetTimeScale(), c.to) << c.from;
    EXPECT_EQ(doc->IsCoarsestScale(), c.coarsest) << c.from;
  }
  doc->StepTimeScale(-1);
  EXPECT_EQ(doc->GetTimeScale(), 60000);
  EXPECT_DOUBLE_EQ(doc->GetSpanForWidth(90), 60.0);
  // 59,999 intervals are a long range; a cursor range of 10 s is not.
  EXPECT_TRUE(doc->IsLongRange());
  doc->SetCursors(MsTime(T), MsTime(T + 10000));
  EXPECT_FALSE(doc->IsLongRange());

  // A load that has to make the scale finer says so.
  vt::MessageBoxCapture capture;
  doc->SetTimeScale(7776000000);
  ASSERT_TRUE(doc->AddToCurrentGroup({Key(1, 2)}, std::nullopt, std::nullopt, std::nullopt));
  EXPECT_EQ(doc->GetTimeScale(), 600000);
  EXPECT_EQ(BoxNumbers(capture), std::vector<int>{10021});
}

TEST_F(GraphDocumentTest, UnitGroupingSharesAnAxisPerUnitAndScale) {
  recgen::OlderModel m = recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 0, 0);
  m.channels[1].unit = m.channels[0].unit;
  m.channels[1].decimals = m.channels[0].decimals;
  m.channels[1].scaleUpper = 3000;
  m.channels[1].spanUpper = 3000;
  for (int k = 0; k < 10; ++k) m.records.push_back({k, k, k});
  const vt::Guid guid = StoreOlder(m, "OLD.DEV");
  ASSERT_TRUE(
      doc->AddGroups({Entry({{guid.ToText(), 1, -1}, {guid.ToText(), 5, -1}, {guid.ToText(), 8, -1}})},
                     std::nullopt, std::nullopt));
  CGVantrelGroupData* g = doc->GetGroup(0);
  SNgAxisSetting a1, a5;
  g->GetChannel(0)->GetAxisSetting(&a1);
  g->GetChannel(1)->GetAxisSetting(&a5);
  ASSERT_STREQ(a1.unit, a5.unit);
  ASSERT_NE(a1.spanUpper, a5.spanUpper);
  struct Case {
    int grouping, axes;
    std::vector<int> axisOf;
  } cases[] = {{0, 3, {0, 1, 2}}, {1, 2, {0, 0, 1}}, {2, 3, {0, 1, 2}}};
  for (const Case& c : cases) {
    const SNgChannelSetting* channels = nullptr;
    const SNgAxisSetting* axes = nullptr;
    int axisCount = 0, channelCount = 0;
    g->BuildTraceRecords(c.grouping, &channels, &axes, &axisCount, &channelCount);
    EXPECT_EQ(axisCount, c.axes) << c.grouping;
    EXPECT_EQ(channelCount, 3) << c.grouping;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(g->GetChannel(i)->GetAxisIndex(), c.axisOf[std::size_t(i)]) << c.grouping;
    if (c.grouping == 1) {
      // The shared axis covers both scales.
      EXPECT_EQ(axes[0].scaleMinimum, std::min(a1.scaleMinimum, a5.scaleMinimum));
      EXPECT_EQ(axes[0].scaleMaximum, std::max(a1.scaleMaximum, a5.scaleMaximum));
      EXPECT_EQ(axes[1].labelMode, 2);
    }
  }
}

TEST_F(GraphDocumentTest, TheFromToRangeIsKeptInsideTheData) {
  LoadOneGroup();  // data T .. T + 99 s
  ViewLink view;
  doc->SetGraphView(&view);
  view.start = At(T + 40000), view.end = At(T + 60000);  // 20 s shown
  const int64_t s = T / 1000;
  struct Case {
    int64_t from, to;
    int64_t start, end;  // seconds after T / 1000
  } cases[] = {
      {s - 500, s - 400, 0, 20},  // before the data: its first 20 s
      {s - 10, s + 30, 0, 30},    {s + 10, s + 30, 10, 30},
      {s + 30, s + 10, 10, 30},   {s + 80, s + 200, 80, 99},
      {s + 200, s + 300, 79, 99}, {s - 10, s + 200, 0, 99},  // all the data, the cursors at its ends
  };
  for (const Case& c : cases) {
    doc->EraseCursors();
    spy->hints.clear();
    doc->ShowTimeRange(c.from, c.to);
    EXPECT_EQ(view.shown.first, At(T + c.start * 1000)) << c.from;
    EXPECT_EQ(view.shown.second, At(T + c.end * 1000)) << c.from;
    EXPECT_EQ(doc->GetCursorATime(), MsTime(T + c.start * 1000)) << c.from;
    EXPECT_EQ(doc->GetCursorBTime(), MsTime(T + c.end * 1000)) << c.from;
    EXPECT_EQ(Hints(), std::vector<int>{HINT_RANGE_SHOWN}) << c.from;
  }
  // Showing a width: centred on cursor B, kept in the data.
  doc->SetCursors(MsTime(T + 50000), MsTime(T + 50000));
  doc->SetTimeScale(10000);
  PreciseTime from, to;
  doc->GetRangeToShow(&from, 180, &to);
  EXPECT_EQ(std::make_pair(from, to), std::make_pair(At(T + 40000), At(T + 60000)));
  doc->SetCursors(MsTime(T + 98000), MsTime(T + 98000));
  doc->GetRangeToShow(&from, 180, &to);
  EXPECT_EQ(std::make_pair(from, to), std::make_pair(At(T + 79000), At(T + 99000)));
  doc->SetGraphView(nullptr);
}

TEST_F(GraphDocumentTest, SearchesMoveTheCursorToMarksAlarmEdgesAndDataEnds) {
  recgen::OlderModel m = recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 0, 0);
  for (int k = 0; k < 20; ++k) m.records.push_back({k, k, k});
  recgen::OlderAlarm alarm;
  alarm.channel = 0;
  alarm.level = 0;
  alarm.onDataNo = 1006;
  alarm.offDataNo = 1011;
  m.alarms = {alarm};
  const vt::Guid guid = StoreOlder(m, "ALARM.DEV");
  ASSERT_TRUE(doc->AddGroups({Entry({{guid.ToText(), 1, -1}})}, std::nullopt, std::nullopt));
  CGVantrelNgChannel* c = doc->GetGroup(0)->GetChannel(0);
  const TickTime t0 = c->GetStartTicks();
  auto at = [&](int k) { return t0.PlusMilliseconds(int64_t(k) * c->GetIntervalMs()); };
  // Samples 5 to 9 carry the alarm.
  for (int k = 0; k < 20; ++k) {
    TickTime t;
    EXPECT_EQ(c->ReadNearestSampleTime(Precise(at(k)), &t) != 0, k >= 5 && k <= 9) << k;
  }
  for (int64_t k : {2, 14}) {
    SNgMarkData mark;
    mark.groupMask = 1;
    mark.time = Precise(at(int(k)));
    doc->AppendMark(mark);
  }
  struct Case {
    const char* what;
    int cursorAt;  // sample of both cursors before; -1 none
    void (CGVantrelDoc::*search)(bool);
    bool cursorB;
    int expected;  // sample, -1 unchanged, -2 unset
    int hint;
  } cases[] = {
      {"alarm forward from before", 0, &CGVantrelDoc::SearchAlarmForward, false, 5, HINT_CURSOR_A},
      {"alarm forward from inside", 6, &CGVantrelDoc::SearchAlarmForward, true, 9, HINT_CURSOR_B},
      {"alarm forward from its end", 9, &CGVantrelDoc::SearchAlarmForward, false, -1, 0},
      {"alarm backward from after", 15, &CGVantrelDoc::SearchAlarmBackward, false, 9, HINT_CURSOR_A},
      {"alarm backward from inside", 7, &CGVantrelDoc::SearchAlarmBackward, true, 5, HINT_CURSOR_B},
      {"alarm forward without cursor", -1, &CGVantrelDoc::SearchAlarmForward, false, 5, HINT_CURSOR_A},
      {"mark backward", 10, &CGVantrelDoc::SearchMarkBackward, false, 2, HINT_CURSOR_A},
      {"mark forward", 10, &CGVantrelDoc::SearchMarkForward, true, 14, HINT_CURSOR_B},
      {"no mark after", 15, &CGVantrelDoc::SearchMarkForward, true, -1, 0},
      {"data start", 10, &CGVantrelDoc::SearchDataStart, false, 0, HINT_CURSOR_A},
      {"data end", 10, &CGVantrelDoc::SearchDataEnd, true, 19, HINT_CURSOR_B},
  };
  for (int selected : {0, -1}) {
    doc->GetGroup(0)->SetSelectedChannelIndex(selected);
    for (const Case& k : cases) {
      const TickTime before = k.cursorAt < 0 ? TickTime() : at(k.cursorAt);
      doc->SetCursors(before, before);
      spy->hints.clear();
      (doc.get()->*k.search)(k.cursorB);
      const TickTime now = k.cursorB ? doc->GetCursorBTime() : doc->GetCursorATime();
      const bool needsChannel =
          k.search != &CGVantrelDoc::SearchMarkBackward && k.search != &CGVantrelDoc::SearchMarkForward;
      if (selected == -1 && needsChannel) {
        // Without a selected channel the alarm searches do nothing and the data searches unset.
        const bool data =
            k.search == &CGVantrelDoc::SearchDataStart || k.search == &CGVantrelDoc::SearchDataEnd;
        EXPECT_EQ(now, data ? TickTime() : before) << k.what;
        EXPECT_EQ(Hints().size(), data ? 1u : 0u) << k.what;
        continue;
      }
      EXPECT_EQ(now, k.expected == -1 ? before : at(k.expected)) << k.what;
      EXPECT_EQ(Hints(), k.hint ? std::vector<int>{k.hint} : std::vector<int>{}) << k.what;
    }
  }
}

TEST_F(GraphDocumentTest, CopiedRowsAreTabSeparatedBetweenTheCursors) {
  LoadOneGroup(10, 1000);
  CGVantrelGroupData* g = doc->GetGroup(0);
  auto line = [&](int second) {
    const TickTime t = MsTime(T + second * 1000);
    std::string cells;
    for (int slot : {0, 1}) g->GetChannel(slot)->FormatRowText(Precise(t), &cells);
    return "\"2023/11/14\"\t\"22:13:" + std::to_string(20 + second) + "\"\t       0.000" + cells + "\r\n";
  };
  EXPECT_FALSE(doc->CanCopySheetRows());  // no cursor
  doc->SetCursors(MsTime(T + 3000), MsTime(T + 1000));
  EXPECT_TRUE(doc->CanCopySheetRows());
  EXPECT_EQ(doc->GetCursorRangeText(), line(1) + line(2) + line(3));
  doc->SetCursors(MsTime(T + 2000), std::nullopt);
  EXPECT_EQ(doc->GetCursorRangeText(), line(2));
  auto desktop = std::make_shared<vt::FakeDesktop>();
  auto previous = vt::InstallDesktop(desktop);
  doc->CopyCursorRangeToClipboard();
  vt::InstallDesktop(previous);
  EXPECT_EQ(desktop->clipboardText, line(2));
  // A conversion under way disables the copy.
  doc->SetCursors(MsTime(T + 2000), MsTime(T + 2000));
  doc->m_converting = true;
  EXPECT_FALSE(doc->CanCopySheetRows());
  // Time fields.
  EXPECT_EQ(vt::FormatFraction(MsTime(T + 5)), "       0.005");
  EXPECT_EQ(vt::FormatDateTimeMs(MsTime(T + 5)), "2023/11/14 22:13:20.005");
  g->SetPrintRange(MsTime(T + 7200000), MsTime(T));
  EXPECT_EQ(g->FormatPrintRange(), "2023/11/14 22:13:20.000 - 2023/11/15 00:13:20.000");
}

TEST_F(GraphDocumentTest, PrintPagesAndSmallTexts) {
  CGVantrelGroupData* g = doc->GetGroup(0);
  struct Pages {
    int64_t spanMs;
    int mode, hours, pages;
  } pages[] = {{7200000, 1, 0, 2}, {7200001, 1, 0, 3}, {7200000, 5, 3, 1}, {7200000, 0, 0, 1}};
  for (const Pages& p : pages) {
    g->SetPrintRange(MsTime(T), MsTime(T + p.spanMs));
    g->SetPageSpan(p.mode, p.hours);
    EXPECT_EQ(g->GetPrintPageCount(), p.pages) << p.spanMs << " " << p.mode;
  }
  struct Interval {
    int32_t ms;
    const char* text;
  } intervals[] = {{999, "999 mSec"}, {1000, "1 Sec"}, {59999, "59 Sec"}, {60000, "1 Min"}};
  for (const Interval& i : intervals) EXPECT_EQ(FormatInterval(i.ms), i.text);
  const double thickness[] = {0.088197, 0.176394, 0.352788, 0.529182, 1.058364, 0.176394};
  for (int i = 0; i < 6; ++i) {
    vt::SPrintSettings s;
    s.thickness = int16_t(i);
    doc->SetPrintSettings(s);
    EXPECT_EQ(doc->GetPrintTraceThickness(), thickness[i]) << i;
  }
}

// The expected bytes: zero but for the given runs of hex at their offsets.
template <std::size_t N>
std::array<uint8_t, N> Golden(std::initializer_list<std::pair<std::size_t, const char*>> runs) {
  std::array<uint8_t, N> b{};
  for (const auto& [at, hex] : runs)
    for (std::size_t i = 0; hex[2 * i]; ++i)
      b[at + i] = uint8_t(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
  return b;
}

TEST_F(GraphDocumentTest, SettingsBlocksHaveTheirByteLayouts) {
  vt::SGraphSettings s;
  s.backColour = 0x02123456;
  s.gridColour = 0x02ABCDEF;
  s.legendShown = 1;
  s.axisClip = 0;
  s.axisGrouping = 2;
  s.legendMode = 2;
  s.timeScale = 604800000;
  s.axisLayout = 3;
  s.traceThickness = 5;
  s.sheetPadding = 0;
  s.cursorValuesShown = 1;
  s.cursorTransparency = 70;
  const auto settings = Golden<kGraphSettingsBytes>(
      {{0, "56341202efcdab02010002000200000000840c240000000003000000050000000001000046000000"}});
  EXPECT_EQ(s.ToBytes(), settings);
  EXPECT_EQ(vt::SGraphSettings::FromBytes(settings.data()).ToBytes(), settings);
  EXPECT_EQ(vt::SGraphSettings::FromBytes(settings.data()).timeScale, 604800000);

  vt::SPrintSettings p;
  p.range = 1;
  p.pageSpan = 5;
  p.thickness = 4;
  p.printedGroups[0] = p.printedGroups[49] = 1;
  p.comment = "Line 7";
  p.hoursPerPage = 1000;
  const auto print = Golden<kPrintSettingsBytes>(
      {{0, "0100000005000400"}, {8, "01"}, {57, "01"}, {64, "4c696e652037"}, {328, "e8030000"}});
  EXPECT_EQ(p.ToBytes(), print);
  const vt::SPrintSettings back = vt::SPrintSettings::FromBytes(print.data());
  EXPECT_EQ(back.ToBytes(), print);
  EXPECT_EQ(back.comment, "Line 7");
  // A comment keeps 255 bytes and its terminator.
  p.comment = std::string(300, 'c');
  const auto longer = p.ToBytes();
  EXPECT_EQ(longer[64 + 254], 'c');
  EXPECT_EQ(longer[64 + 255], 0);
  EXPECT_EQ(vt::SPrintSettings::FromBytes(longer.data()).comment.size(), 255u);
}

}  // namespace
}  // namespace document_test
