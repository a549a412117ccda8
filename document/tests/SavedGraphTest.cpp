// Saved graphs through a real graph.db: a document saved, closed and opened again is the same
// document field by field, with its views where they were; the side tables the catalogue
// searches hold the channel numbers; the window layout counts as a change only when a view
// moved; a batch that gained a segment opens with one more channel; the save roads, names and
// list refreshes; the display settings dialog's record taken back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "document/CGVantrelDoc.h"
#include "document/testing/DocumentFixture.h"
#include "document/testing/DocumentItems.h"
#include "document/testing/RecordingGraphWindowHost.h"
#include "platform/base/Numbers.h"
#include "platform/base/Paths.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/CVTBatchCache.h"
#include "store/VTGraphManager.h"
#include "store/testing/StoreTestSupport.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

SGraphWindowEntry Window(int kind, int left, int top, int right, int bottom, uint32_t show = 1) {
  SGraphWindowEntry e;
  e.viewKind = kind;
  e.length = 44;
  e.showCmd = show;
  e.minX = e.minY = e.maxX = e.maxY = -1;
  e.normalLeft = left, e.normalTop = top, e.normalRight = right, e.normalBottom = bottom;
  return e;
}

// The frame side as the document sees it: views by kind, front to back, placed as asked, and the
// saved-graph store of the test's storage.
class FrameHost : public RecordingGraphWindowHost {
 public:
  void ShowDocumentWindow(CGVantrelDoc*, const SGraphWindowEntry& entry) override {
    shown.push_back(entry.viewKind);
    std::erase_if(open, [&](const SGraphWindowEntry& e) { return e.viewKind == entry.viewKind; });
    open.insert(open.begin(), entry);
  }
  std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc*) override { return open; }
  void NotifyListDocument(int code) override { notified.push_back(code); }
  CVTGraphManager* GetGraphStore() override { return &graphs; }
  void Move(int kind, int dx) {
    for (SGraphWindowEntry& e : open)
      if (e.viewKind == kind) e.normalLeft += dx, e.normalRight += dx;
  }

  std::vector<SGraphWindowEntry> open;
  std::vector<int> shown;
  std::vector<int> notified;
  CVTGraphManager graphs;
};

class Owner : public vt::GraphDocumentOwner {
 public:
  explicit Owner(FrameHost& host) : host_(host) {}
  void SetPathName(const std::string& p, bool) override { path = p; }
  std::string GetPathName() const override { return path; }
  void SetModifiedFlag(bool m) override { modified = m; }
  void CloseViewsExcept(const std::vector<int>& kinds) override {
    auto& open = host_.open;
    for (auto it = open.begin(); it != open.end() && open.size() > 1;)
      it = std::find(kinds.begin(), kinds.end(), it->viewKind) == kinds.end() ? open.erase(it) : it + 1;
  }
  std::string path;
  bool modified = false;

 private:
  FrameHost& host_;
};

vt::SVantrelChannelKey Key(uint32_t recording, int channel) {
  return {RecordingGuid(recording).ToText(), channel, -1};
}

std::string Text(const PreciseTime& t) { return vt::FormatC("%lld+%.6f", (long long)t.seconds, t.fraction); }

// Everything a saved graph carries, one line per field, so a difference names its field.
std::vector<std::string> Describe(CGVantrelDoc& d) {
  std::vector<std::string> out;
  auto add = [&](const std::string& what, const std::string& value) { out.push_back(what + "=" + value); };
  add("groups", std::to_string(d.CountGroupsWithData()));
  add("current", std::to_string(d.GetCurrentGroupIndex()));
  for (int i = 0; i < d.CountGroupsWithData(); ++i) {
    CGVantrelGroupData* g = d.GetGroup(i);
    const std::string p = "group" + std::to_string(i) + ".";
    add(p + "name", g->GetName());
    add(p + "selected", std::to_string(g->GetSelectedChannelIndex()));
    add(p + "shown", Text(g->m_shownStart) + " " + Text(g->m_shownEnd));
    add(p + "strip", std::to_string(g->m_axisStripWidth));
    for (int j = 0; j < g->GetChannelCount(); ++j) {
      CGVantrelNgChannel* c = g->GetChannel(j);
      std::string name;
      c->GetName(&name, NAME_TAG);
      add(p + "ch" + std::to_string(j),
          vt::FormatC(
              "%s/%d seg %d of %d shown %d colour %08X scale %g..%g kind %d zone %g..%g trip %d %g mask %llx "
              "%s",
              c->GetBatchGuid().ToText().c_str(), c->GetChannelNumber(), c->GetSegmentIndex(),
              c->GetSegmentCount(), c->IsShown(), c->GetColour(), c->GetScaleMinimum(), c->GetScaleMaximum(),
              c->GetScaleKind(), c->GetPositionLower(), c->GetPositionUpper(), c->IsTripShown(0),
              c->GetTripValue(0), (unsigned long long)c->GetMarkGroupMask(), name.c_str()));
    }
  }
  PreciseTime a, b;
  d.GetCursorTimes(&a, &b);
  add("cursors", Text(a) + " " + Text(b));
  for (CGCore* c = d.GetMarkDataManager()->GetFirstChild(); c; c = d.GetMarkDataManager()->NextChild(c)) {
    auto* m = static_cast<CGVantrelMarkData*>(c);
    add("mark", vt::FormatC("source %d groups %llx at %lld '%s' '%s' '%s'", m->m_source,
                            (unsigned long long)m->m_groupMask, (long long)m->m_time.ticks,
                            m->m_title.c_str(), m->m_comment.c_str(), m->m_userName.c_str()));
  }
  // Recorder marks come back before the user marks: the marks compare as a set.
  std::sort(std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.starts_with("mark="); }),
            out.end());
  add("display",
      vt::FormatC("alarms %d legend %d clip %d grouping %d mode %d back %08X grid %08X scale %lld layout "
                  "%d thick %d pad %d values %d transparency %d tags %d",
                  d.m_alarmsShown, d.m_legendShown, d.m_axisClip, d.m_axisGrouping, d.m_legendMode,
                  d.m_backColour, d.m_gridColour, (long long)d.GetTimeScale(), d.m_axisLayout,
                  d.m_traceThickness, d.m_sheetPadding, d.m_cursorValuesShown, d.m_cursorTransparency,
                  d.m_tagMode));
  const vt::SPrintSettings& p = d.GetPrintSettings();
  add("print",
      vt::FormatC("range %d span %d thick %d hours %d comment '%s' doc comment '%s'", p.range, p.pageSpan,
                  p.thickness, p.hoursPerPage, p.comment.c_str(), d.m_printComment.c_str()));
  for (int i = 0; i < d.m_windowCount; ++i) {
    const SGraphWindowEntry& w = d.m_windows[std::size_t(i)];
    add("window", vt::FormatC("kind %d show %u flags %u (%d,%d)-(%d,%d)", w.viewKind, w.showCmd, w.flags,
                              w.normalLeft, w.normalTop, w.normalRight, w.normalBottom));
  }
  return out;
}

class SavedGraphTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    previousDesktop_ = vt::InstallDesktop(desktop_);
    ASSERT_EQ(host_.graphs.OpenDatabase(vt::JoinPath(root_, "graph.db")), 0);
    host_.graphs.SetOverwritePrompt([this](const std::string& name) {
      prompted_.push_back(name);
      return overwrite_;
    });
  }
  void TearDown() override {
    doc_.reset();
    host_.graphs.Close();
    vt::InstallDesktop(previousDesktop_);
    DocumentTest::TearDown();
  }
  CGVantrelDoc& NewDocument() {
    doc_.reset();
    doc_ = std::make_unique<CGVantrelDoc>(nullptr, &owner_);
    return *doc_;
  }
  // A new document with the saved graph applied, as opening it from the catalogue does.
  bool Reopen(const std::string& name) {
    CGVantrelDoc& d = NewDocument();
    host_.open = {Window(1, 0, 0, 300, 200)};  // the view the new window came with
    host_.shown.clear();
    GraphConfigurationHolder holder;
    host_.graphs.GetGraphStorage()->LoadGraph(name, holder);
    const bool ok = d.ApplyGraphConfiguration(*holder);
    FreeGraphConfiguration(holder);
    owner_.modified = false;
    return ok;
  }
  static CGVantrelDoc::GraphNameAsker Answers(std::vector<std::string> names) {
    return [names = std::move(names), i = std::size_t(0)](std::string* name) mutable {
      if (i == names.size()) return false;
      *name = names[i++];
      return true;
    };
  }

  std::shared_ptr<vt::FakeDesktop> desktop_ = std::make_shared<vt::FakeDesktop>();
  std::shared_ptr<vt::Desktop> previousDesktop_;
  FrameHost host_;
  Owner owner_{host_};
  std::unique_ptr<CGVantrelDoc> doc_;
  std::vector<std::string> prompted_;
  bool overwrite_ = true;
};

TEST_F(SavedGraphTest, SavedClosedAndReopenedIsTheSameDocument) {
  Store(RecordingFile(1, 1, 100, T, 1000), "A.DAE");
  Store(RecordingFile(2, 1, 50, T + 5000, 500), "B.DAE");
  CGVantrelDoc& d = NewDocument();
  vt::SVantrelGroupEntry first{std::string("Boiler"), {Key(1, 1), Key(1, 2)}, {}};
  vt::SVantrelGroupEntry second{std::nullopt, {Key(2, 2)}, {}};
  ASSERT_TRUE(d.AddGroups({first, second}, MsTime(T + 10000), MsTime(T + 20000)));
  // Every kind of field away from its default.
  CGVantrelGroupData* g0 = d.GetGroup(0);
  g0->SetSelectedChannelIndex(1);
  g0->m_shownStart = At(T + 1000, 0.25), g0->m_shownEnd = At(T + 61000);
  g0->m_axisStripWidth = 260;
  CGVantrelNgChannel* c = g0->GetChannel(1);
  c->SetColour(0x020000FF);
  c->SetScale(0, -5.5, 123.25);
  c->SetPositions(10, 90);
  c->SetTrip(0, 1, 42.5);
  c->SetMarkGroupMask(0x5);
  d.GetGroup(1)->GetChannel(0)->SetShown(0);
  AddMark(&d, {T / 1000 + 30, "valve", "opened by hand", "", 1, T / 1000 + 31});
  AddMark(&d, {T / 1000 + 40, "sensor", "", "", 2, 0});
  // A recorder mark of group 1, as the message loading makes it.
  const auto recorderRecord = d.GetMarkDataManager()->GetUserMarkRecords().back();
  d.GetMarkDataManager()->AddRecorderMarkFromRecord(1, recorderRecord.data());
  d.SetCurrentGroup(1);
  d.m_alarmsShown = 0, d.m_legendShown = 0, d.m_axisClip = 1, d.m_axisGrouping = 2, d.m_legendMode = 2;
  d.m_backColour = 0x02102030, d.m_gridColour = 0x02405060, d.m_axisLayout = 2, d.m_traceThickness = 3;
  d.m_sheetPadding = 0, d.m_cursorValuesShown = 0, d.m_cursorTransparency = 0, d.m_tagMode = 1;
  d.SetTimeScale(60000);
  vt::SPrintSettings print = d.GetPrintSettings();
  print.range = 1, print.pageSpan = 5, print.hoursPerPage = 36, print.thickness = 4,
  print.comment = "night shift";
  d.SetPrintSettings(print);
  host_.open = {Window(2, 40, 30, 640, 430), Window(1, 0, 0, 800, 600, 3)};

  owner_.modified = true;
  ASSERT_TRUE(d.SaveGraphAs(Answers({"Line 3"})));
  EXPECT_FALSE(owner_.modified);
  EXPECT_EQ(owner_.path, "Line 3");
  EXPECT_EQ(d.m_graphName, "Line 3");
  const std::vector<std::string> before = Describe(d);
  ASSERT_GE(before.size(), 12u);

  // What the catalogue's search reads beside the blob, through the system's own shell.
  host_.graphs.Close();
  const std::string db = vt::JoinPath(root_, "graph.db");
  const std::filesystem::path artefacts = std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "app";
  std::filesystem::create_directories(artefacts);
  // Left for a look with other tools: as written, and with the engine's standard header.
  const auto replace = std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy_file(db, artefacts / "graph.db", replace);
  const std::string copy = store_test::StandardCopy(db);
  std::filesystem::copy_file(copy, artefacts / "graph-standard-header.db", replace);
  EXPECT_EQ(store_test::Shell(copy, "SELECT graph_name FROM graph_table;"), "Line 3\n");
  EXPECT_EQ(store_test::Shell(copy, "SELECT group_name FROM group_table ORDER BY rowid;"),
            "Boiler\nGroup 02\n");
  EXPECT_EQ(store_test::Shell(copy, "SELECT channel_no, guid FROM tag_table ORDER BY rowid;"),
            "1|" + RecordingGuid(1).ToText() + "\n2|" + RecordingGuid(1).ToText() + "\n2|" +
                RecordingGuid(2).ToText() + "\n");
  EXPECT_EQ(store_test::Shell(copy, "SELECT message_title, type FROM message_table ORDER BY message_title;"),
            "sensor|0\nsensor|1\nvalve|0\n");
  ASSERT_EQ(host_.graphs.OpenDatabase(db), 0);

  ASSERT_TRUE(Reopen("Line 3"));
  EXPECT_EQ(Describe(*doc_), before);
  // The views came back front to back as saved, so the window records match.
  EXPECT_EQ(host_.shown, (std::vector<int>{1, 2}));
  ASSERT_EQ(host_.open.size(), 2u);
  EXPECT_EQ(host_.open[0].viewKind, 2);
  EXPECT_FALSE(owner_.modified);
}

TEST_F(SavedGraphTest, TheWindowLayoutIsAChangeOnlyWhenAViewMoved) {
  Store(RecordingFile(1, 1, 20, T, 1000), "A.DAE");
  CGVantrelDoc& d = NewDocument();
  ASSERT_TRUE(d.AddGroups({{std::nullopt, {Key(1, 1)}, {}}}, std::nullopt, std::nullopt));
  // A list view saved partly off the screen of a larger display, a sheet view larger than this one.
  desktop_->workArea = {0, 0, 1000, 700};
  host_.open = {Window(2, 900, 650, 1300, 950), Window(3, -50, 10, 1450, 810)};
  ASSERT_TRUE(d.SaveGraphAs(Answers({"Layout"})));

  ASSERT_TRUE(Reopen("Layout"));
  // Applying the graph closed the graph view the new window came with, and kept both others on
  // the screen.
  ASSERT_EQ(host_.open.size(), 2u);
  EXPECT_EQ(host_.open[0].viewKind, 2);
  EXPECT_EQ(host_.open[0].normalLeft, 600);
  EXPECT_EQ(host_.open[0].normalTop, 400);
  EXPECT_EQ(host_.open[1].normalLeft, 0);
  EXPECT_EQ(host_.open[1].normalRight, 1000);
  doc_->CheckWindowLayout();
  EXPECT_FALSE(owner_.modified) << "nothing changed since it was opened";
  host_.Move(3, 15);
  doc_->CheckWindowLayout();
  EXPECT_TRUE(owner_.modified) << "a moved view";

  // A saved graph without any view record never closes the window's last view.
  SGraphConfiguration record;
  NewDocument();
  host_.open = {Window(1, 0, 0, 300, 200)};
  ASSERT_TRUE(doc_->ApplyGraphConfiguration(record));
  EXPECT_EQ(host_.open.size(), 1u);
}

TEST_F(SavedGraphTest, ABatchThatGainedASegmentOpensWithOneMoreChannel) {
  Store(RecordingFile(3, 1, 10, T, 1000), "C1.DAE");
  CGVantrelDoc& d = NewDocument();
  ASSERT_TRUE(d.AddGroups({{std::nullopt, {Key(3, 1), Key(3, 2)}, {}}}, std::nullopt, std::nullopt));
  ASSERT_EQ(d.GetGroup(0)->GetChannelCount(), 2);
  ASSERT_TRUE(d.SaveGraphAs(Answers({"Growing"})));
  NewDocument();

  // The recording goes on off its time grid: its batch now has two segments.
  Store(RecordingFile(3, 11, 5, T + 10500, 1000), "C2.DAE");
  CVTBatchCache::Instance().Clear();
  ASSERT_EQ(CGVantrelNgChannel::GetBatchSegmentCount(RecordingGuid(3)), 2);

  ASSERT_TRUE(Reopen("Growing"));
  CGVantrelGroupData* g = doc_->GetGroup(0);
  ASSERT_EQ(g->GetChannelCount(), 4);
  std::vector<std::pair<int, int>> channels;
  for (int j = 0; j < 4; ++j)
    channels.push_back({g->GetChannel(j)->GetChannelNumber(), g->GetChannel(j)->GetSegmentIndex()});
  EXPECT_EQ(channels, (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {1, 1}, {2, 1}}));
  EXPECT_EQ(g->GetChannel(0)->GetSegmentCount(), 2);
}

TEST_F(SavedGraphTest, SaveRoadsNamesAndListRefreshes) {
  Store(RecordingFile(1, 1, 20, T, 1000), "A.DAE");
  CGVantrelDoc& d = NewDocument();
  ASSERT_TRUE(d.AddGroups({{std::nullopt, {Key(1, 1)}, {}}}, std::nullopt, std::nullopt));
  owner_.path = "Graph 4";

  // A plain save of a new window: under its title, and the lists learn of the new name.
  owner_.modified = true;
  ASSERT_TRUE(d.SaveGraph());
  EXPECT_FALSE(owner_.modified);
  EXPECT_GE(host_.graphs.GetGraphStorage()->FindGraphId("Graph 4"), 0);
  EXPECT_EQ(host_.notified, (std::vector<int>{vt::kListNotifySavedGraphs}));
  // Saving it again overwrites after the prompt, and adds no name.
  owner_.modified = true;
  ASSERT_TRUE(d.SaveGraph());
  EXPECT_EQ(prompted_, (std::vector<std::string>{"Graph 4"}));
  EXPECT_EQ(host_.notified.size(), 1u);
  // Refused: nothing saved, still modified.
  overwrite_ = false, owner_.modified = true;
  EXPECT_FALSE(d.SaveGraph());
  EXPECT_TRUE(owner_.modified);

  // Save as onto a taken name that the user refuses asks for a name again; Cancel saves nothing.
  int asked = 0;
  std::vector<std::string> presets;
  auto ask = [&](std::string* name) {
    presets.push_back(*name);
    if (++asked == 1) return *name = "Graph 4", true;
    if (asked == 2) return *name = "Graph 5", true;
    return false;
  };
  ASSERT_TRUE(d.SaveGraphAs(ask));
  EXPECT_EQ(presets, (std::vector<std::string>{"Graph 4", "Graph 4"}));
  EXPECT_EQ(owner_.path, "Graph 5");
  EXPECT_FALSE(owner_.modified);
  owner_.modified = true;
  EXPECT_FALSE(d.SaveGraphAs(Answers({})));
  EXPECT_TRUE(owner_.modified);
  EXPECT_EQ(owner_.path, "Graph 5");
}

TEST_F(SavedGraphTest, TransparencyAndCurrentGroupAreTakenAsTheyCanBeShown) {
  Store(RecordingFile(1, 1, 20, T, 1000), "A.DAE");
  CGVantrelDoc& d = NewDocument();
  ASSERT_TRUE(d.AddGroups({{std::nullopt, {Key(1, 1)}, {}}, {std::nullopt, {Key(1, 2)}, {}}}, std::nullopt,
                          std::nullopt));
  GraphConfigurationHolder holder = std::make_unique<SGraphConfiguration>();
  d.FillGraphConfiguration(*holder);
  struct Case {
    int32_t transparency;
    int32_t currentGroup;
    int32_t shownTransparency;
    int shownGroup;
  } cases[] = {{0, 1, 0, 1}, {1, 7, 70, 0}, {70, 0, 70, 0}, {255, -3, 70, 0}};
  for (const Case& c : cases) {
    vt::SGraphSettings s = vt::SGraphSettings::FromBytes(holder->settings.data());
    s.cursorTransparency = c.transparency;
    holder->settings = s.ToBytes();
    holder->currentGroup = c.currentGroup;
    ASSERT_TRUE(host_.graphs.SaveGraph("Case", holder));
    ASSERT_TRUE(Reopen("Case"));
    EXPECT_EQ(doc_->m_cursorTransparency, c.shownTransparency) << c.transparency;
    EXPECT_EQ(doc_->GetCurrentGroupIndex(), c.shownGroup) << c.currentGroup;
    EXPECT_FALSE(doc_->HasCursor()) << "saved without cursors";
  }
  // The stored byte stays what it was.
  GraphConfigurationHolder loaded;
  host_.graphs.GetGraphStorage()->LoadGraph("Case", loaded);
  EXPECT_EQ(vt::SGraphSettings::FromBytes(loaded->settings.data()).cursorTransparency, 255);
}

TEST_F(SavedGraphTest, DisplaySettingsRecordRestoresGroupsFromGroupZero) {
  Store(RecordingFile(1, 1, 20, T, 1000), "A.DAE");
  CGVantrelDoc& d = NewDocument();
  ASSERT_TRUE(d.AddGroups({{std::nullopt, {Key(1, 1)}, {}},
                           {std::nullopt, {Key(1, 2)}, {}},
                           {std::nullopt, {Key(1, 1), Key(1, 2)}, {}}},
                          std::nullopt, std::nullopt));
  AddMark(&d, {T / 1000 + 5, "in group 3", "", "", 1 << 2, 0});
  AddMark(&d, {T / 1000 + 6, "in group 2", "", "", 1 << 1, 0});
  d.SetCurrentGroup(2);
  SGraphConfiguration record;
  d.FillGroupEntries(record);
  ASSERT_EQ(record.groups.size(), 3u);
  // The dialog removed group 2 (no tags left: the copy drops it) and renamed group 3.
  record.groups[2].SetName("Renamed");
  record.groups.erase(record.groups.begin() + 1);
  owner_.modified = false;
  ASSERT_TRUE(d.ApplyDisplaySettings(record, false, uint64_t(1) << 1));
  EXPECT_TRUE(owner_.modified);
  EXPECT_EQ(d.GetCurrentGroupIndex(), 0);
  EXPECT_EQ(d.CountGroupsWithData(), 2);
  EXPECT_EQ(d.GetGroup(1)->GetName(), "Renamed");
  EXPECT_EQ(d.GetGroup(1)->GetChannelCount(), 2);
  EXPECT_EQ(d.GetGroup(2)->GetName(), "Group 03");
  // The mark of the removed group is gone; the one of group 3 follows it to group 2.
  std::vector<std::pair<std::string, uint64_t>> marks;
  for (CGCore* c = d.GetMarkDataManager()->GetFirstChild(); c; c = d.GetMarkDataManager()->NextChild(c))
    marks.push_back(
        {static_cast<CGVantrelMarkData*>(c)->m_title, static_cast<CGVantrelMarkData*>(c)->m_groupMask});
  EXPECT_EQ(marks, (std::vector<std::pair<std::string, uint64_t>>{{"in group 3", 2}}));
}

}  // namespace
}  // namespace document_test
