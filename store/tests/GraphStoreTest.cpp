// The saved-graph store: the blob's byte layout and size, the older layout's conversion, damaged
// and truncated blobs, the copy without empty groups; and graph.db: save with its side rows,
// overwrite prompt, rename, delete, load, and the catalogue's listing and searches over it.
#include <gtest/gtest.h>

#include <cstring>

#include "CatalogueFixture.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Guid.h"
#include "store/CatalogueLookups.h"
#include "store/GraphConfiguration.h"
#include "store/StoreClock.h"

namespace {

using catalogue_test::PlantTest;
using Strings = std::vector<std::string>;

int32_t Le32(const std::string& b, std::size_t at) {
  return int32_t(vt::LoadLe32(reinterpret_cast<const uint8_t*>(b.data() + at)));
}
int64_t Le64(const std::string& b, std::size_t at) {
  return int64_t(vt::LoadLe64(reinterpret_cast<const uint8_t*>(b.data() + at)));
}

void PutText(uint8_t* field, const std::string& text) { std::memcpy(field, text.data(), text.size()); }

SGraphTag Tag(int channel, const std::string& guid, const std::string& name) {
  SGraphTag t;
  for (std::size_t i = 0; i < t.bytes.size(); ++i) t.bytes[i] = uint8_t(i * 7 + 1);  // every byte kept
  vt::StoreLe16(t.bytes.data() + 2, 0);  // the index in its group, not the channel
  vt::StoreLe32(t.bytes.data() + 52, uint32_t(channel));
  vt::Guid g;
  EXPECT_TRUE(vt::Guid::Parse(guid, g));
  g.ToBytes(t.bytes.data() + 144);
  std::memset(t.bytes.data() + 160, 0, 40);
  PutText(t.bytes.data() + 160, name);
  return t;
}

SGraphMark Mark(const std::string& title, const std::string& comment) {
  SGraphMark m;
  for (std::size_t i = 0; i < m.bytes.size(); ++i) m.bytes[i] = uint8_t(i * 3 + 2);
  std::memset(m.bytes.data() + 80, 0, 72 + 264);
  PutText(m.bytes.data() + 80, title);
  PutText(m.bytes.data() + 152, comment);
  return m;
}

// One group with one tag and one mark, one graph-wide mark, two windows.
GraphConfigurationHolder Sample() {
  GraphConfigurationHolder h;
  AllocateGraphConfigurationArrays(2, h, 1, 1);
  AllocateGraphGroupArrays(0, 1, h, 1);
  SGraphConfiguration& c = *h;
  c.documentSwitch = 1;
  c.reserved1 = {1, 2, 3, 4, 5, 6, 7, 8};
  c.currentGroup = 0;
  SGraphGroup& g = c.groups[0];
  g.SetName("Temperatures");
  g.groupValue = 5;
  g.tags[0] = Tag(12, "A0000000-0000-0000-0000-00000000000A", "Inlet");
  g.times[0] = {1700000000, 0.25};
  g.times[1] = {1700003600, 0.5};
  g.groupSetting = 7;
  g.marks[0] = Mark("Start", "heating on");
  c.cursors[0] = {-1, 0.0};
  c.cursors[1] = {1700001000, 0.125};
  c.marks[0] = Mark("Batch", "O'Brien's note");
  for (std::size_t i = 0; i < c.settings.size(); ++i) c.settings[i] = uint8_t(100 + i);
  for (std::size_t i = 0; i < c.display.size(); ++i) c.display[i] = uint8_t(i);
  c.windows[0] = {1, 0, 44, 2, 3, -10, -20, 30, 40, 50, 60, 700, 800};
  c.windows[1] = {3, 0, 44, 0, 1, 0, 0, 0, 0, 5, 6, 7, 8};
  c.nameMode = 2;
  return h;
}

TEST(GraphConfiguration, BlobHasEveryFieldAtItsOffset) {
  GraphConfigurationHolder h = Sample();
  const std::string b = SerializeGraphConfiguration(*h);
  ASSERT_EQ(int64_t(b.size()), GetGraphConfigurationSize(h));
  ASSERT_EQ(b.size(), 24u + (120 + 248 + 504) + (40 + 504) + 384 + 2 * 52 + 8);

  EXPECT_EQ(b.substr(0, 4), std::string("\x01\x02\x01\x00", 4));
  EXPECT_EQ(Le32(b, 4), 1);
  EXPECT_EQ(b.substr(8, 8), "\x01\x02\x03\x04\x05\x06\x07\x08");
  EXPECT_EQ(Le32(b, 16), 0);  // current group
  EXPECT_EQ(Le32(b, 20), 1);  // group count
  EXPECT_EQ(std::string(b.data() + 24), "Temperatures");
  EXPECT_EQ(Le32(b, 96), 5);
  EXPECT_EQ(Le32(b, 100), 1);
  EXPECT_EQ(b.substr(104, 248),
            std::string(reinterpret_cast<const char*>(h->groups[0].tags[0].bytes.data()), 248));
  EXPECT_EQ(Le64(b, 352), 1700000000);
  double fraction;
  std::memcpy(&fraction, b.data() + 360, 8);  // IEEE double, little-endian on this machine
  EXPECT_EQ(fraction, 0.25);
  EXPECT_EQ(Le64(b, 368), 1700003600);
  EXPECT_EQ(Le32(b, 384), 7);
  EXPECT_EQ(Le32(b, 388), 1);
  EXPECT_EQ(std::string(b.data() + 392 + 80), "Start");
  EXPECT_EQ(Le64(b, 896), -1);          // cursor A
  EXPECT_EQ(Le64(b, 912), 1700001000);  // cursor B
  EXPECT_EQ(Le32(b, 932), 1);           // graph-wide marks
  EXPECT_EQ(std::string(b.data() + 936 + 152), "O'Brien's note");
  EXPECT_EQ(uint8_t(b[1440]), 100);              // settings block
  EXPECT_EQ(uint8_t(b[1480 + 335]), 335 % 256);  // display block
  EXPECT_EQ(Le32(b, 1816), 2);                   // window count
  const std::size_t w = 1824;
  EXPECT_EQ(Le32(b, w), 1);
  EXPECT_EQ(Le32(b, w + 8), 44);  // WINDOWPLACEMENT.length
  EXPECT_EQ(Le32(b, w + 12), 2);  // flags
  EXPECT_EQ(Le32(b, w + 16), 3);  // showCmd
  EXPECT_EQ(Le32(b, w + 20), -10);
  EXPECT_EQ(Le32(b, w + 32), 40);
  EXPECT_EQ(Le32(b, w + 36), 50);
  EXPECT_EQ(Le32(b, w + 48), 800);  // rcNormalPosition.bottom
  EXPECT_EQ(Le32(b, w + 52), 3);    // second window's kind
  EXPECT_EQ(Le32(b, 1932), 2);      // name mode

  // Read back, it gives the same bytes.
  GraphConfigurationHolder back = DeserializeGraphConfiguration(b);
  EXPECT_EQ(SerializeGraphConfiguration(*back), b);
  EXPECT_EQ(back->groups[0].tags[0].ChannelNumber(), 12);
  EXPECT_EQ(back->groups[0].tags[0].BatchGuidText(), "A0000000-0000-0000-0000-00000000000A");
  EXPECT_EQ(back->groups[0].tags[0].TagName(), "Inlet");
  EXPECT_EQ(back->marks[0].Comment(), "O'Brien's note");

  // The same bytes through a file; a file that cannot be read loads as an empty record.
  vt_test::TempFolder folder;
  ASSERT_TRUE(WriteGraphConfiguration(h, folder / "graphtmp"));
  EXPECT_EQ(vt_test::ReadFileBytes(folder / "graphtmp"), b);
  LoadGraphConfiguration(back, folder / "graphtmp");
  EXPECT_EQ(SerializeGraphConfiguration(*back), b);
  LoadGraphConfiguration(back, folder / "missing");
  EXPECT_TRUE(back->groups.empty());
  EXPECT_FALSE(WriteGraphConfiguration(nullptr, folder / "none"));
}

TEST(GraphConfiguration, EmptyRecordSizeAndUnknownBlobs) {
  GraphConfigurationHolder h;
  AllocateGraphConfigurationArrays(1, h, 0, 0);
  EXPECT_EQ(GetGraphConfigurationSize(h), 24 + 40 + 384 + 52 + 8);
  EXPECT_EQ(GetGraphConfigurationSize(nullptr), 0);
  // A blob without windows (count 0) loads with one.
  h->windows.clear();
  GraphConfigurationHolder noWindows = DeserializeGraphConfiguration(SerializeGraphConfiguration(*h));
  EXPECT_EQ(noWindows->windows.size(), 1u);

  for (const std::string& blob :
       {std::string(), std::string("\x05\x00\x00\x00 and more", 13), std::string("\x01\x02")}) {
    GraphConfigurationHolder r = DeserializeGraphConfiguration(blob);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->version, kGraphVersion);
    EXPECT_TRUE(r->groups.empty());
    EXPECT_TRUE(r->windows.empty());
    EXPECT_EQ(r->documentSwitch, 0);
  }
}

TEST(GraphConfiguration, OlderLayoutIsConverted) {
  std::string b;
  auto i32 = [&](int32_t v) {
    uint8_t x[4];
    vt::StoreLe32(x, uint32_t(v));
    b.append(reinterpret_cast<char*>(x), 4);
  };
  i32(kGraphVersionOld);
  i32(1);                   // document switch
  b.append(8, '\0');        // reserved
  i32(0);                   // current group
  i32(0);                   // groups
  b.append(32, '\0');       // cursors
  i32(0);                   // reserved
  i32(0);                   // marks
  std::string v(24, '\0');  // settings
  vt::StoreLe32(reinterpret_cast<uint8_t*>(v.data()), 0x02FFFFFF);
  vt::StoreLe32(reinterpret_cast<uint8_t*>(v.data() + 4), 0x025E5E5E);
  v[8] = 1;
  v[9] = 1;
  vt::StoreLe16(reinterpret_cast<uint8_t*>(v.data() + 10), 2);
  vt::StoreLe32(reinterpret_cast<uint8_t*>(v.data() + 12), 2);
  vt::StoreLe32(reinterpret_cast<uint8_t*>(v.data() + 16), uint32_t(-5000));
  vt::StoreLe32(reinterpret_cast<uint8_t*>(v.data() + 20), 3);
  b += v;
  std::string w(328, '\x7f');  // display
  std::memcpy(w.data() + 64, "printed\0", 8);
  b += w;
  i32(1);  // window count
  i32(0);
  i32(2);  // view kind
  b.append(48, '\0');
  i32(0);
  i32(1);  // name mode

  GraphConfigurationHolder r = DeserializeGraphConfiguration(b);
  const uint8_t* s = r->settings.data();
  EXPECT_EQ(r->version, kGraphVersion);
  EXPECT_EQ(r->documentSwitch, 1);
  EXPECT_EQ(vt::LoadLe32(s), 0x02FFFFFFu);
  EXPECT_EQ(vt::LoadLe32(s + 4), 0x025E5E5Eu);
  EXPECT_EQ(s[8], 1);
  EXPECT_EQ(s[9], 1);
  EXPECT_EQ(vt::LoadLe16(s + 10), 2);
  EXPECT_EQ(vt::LoadLe32(s + 12), 2u);
  EXPECT_EQ(int64_t(vt::LoadLe64(s + 16)), -5000);  // sign-extended
  EXPECT_EQ(vt::LoadLe32(s + 24), 3u);
  EXPECT_EQ(vt::LoadLe32(s + 28), 1u);
  EXPECT_EQ(s[32], 1);
  EXPECT_EQ(s[33], 1);
  EXPECT_EQ(vt::LoadLe32(s + 36), 1u);
  const uint8_t* d = r->display.data();
  EXPECT_EQ(d[0], 0x7f);
  EXPECT_EQ(d[57], 0x7f);
  EXPECT_EQ(d[58], 0);  // not kept
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d + 64)), "printed");
  EXPECT_EQ(d[320], 0);
  EXPECT_EQ(vt::LoadLe32(d + 328), 1u);
  ASSERT_EQ(r->windows.size(), 1u);
  EXPECT_EQ(r->windows[0].viewKind, 2);
  EXPECT_EQ(r->nameMode, 1);
}

TEST(GraphConfiguration, DamagedAndTruncatedBlobsLoadWhatTheyHold) {
  GraphConfigurationHolder h = Sample();
  AllocateGraphConfigurationArrays(1, h, 2, 0);
  AllocateGraphGroupArrays(0, 2, h, 0);
  AllocateGraphGroupArrays(1, 1, h, 0);
  h->groups[0].SetName("first");
  h->groups[0].tags[1] = Tag(7, "B0000000-0000-0000-0000-00000000000B", "Flow");
  h->groups[1].SetName("second");
  h->nameMode = 2;
  const std::string full = SerializeGraphConfiguration(*h);

  // Cut inside the second group's tag: the first group is whole, the rest stays zero.
  const std::size_t secondTag = 24 + 120 + 2 * 248 + 72 + 8;
  GraphConfigurationHolder r =
      DeserializeGraphConfiguration(std::string_view(full).substr(0, secondTag + 100));
  ASSERT_EQ(r->groups.size(), 2u);
  EXPECT_EQ(r->groups[0].Name(), "first");
  ASSERT_EQ(r->groups[0].tags.size(), 2u);
  EXPECT_EQ(r->groups[0].tags[1].TagName(), "Flow");
  EXPECT_EQ(r->groups[1].Name(), "second");
  EXPECT_TRUE(r->groups[1].tags.empty());  // one tag announced, 100 bytes left
  EXPECT_EQ(r->nameMode, 0);
  EXPECT_EQ(r->version, kGraphVersion);

  // Every cut of the blob loads without reading past its end.
  for (std::size_t n = 0; n <= full.size(); n += 37)
    DeserializeGraphConfiguration(std::string_view(full).substr(0, n));

  // Absurd counts are cut to what the bytes left can hold.
  struct Patch {
    const char* what;
    std::size_t offset;
  } patches[] = {{"group count", 20}, {"tag count", 24 + 72 + 4}, {"mark count", 24 + 116 + 2 * 248}};
  for (const Patch& p : patches) {
    std::string bad = full;
    vt::StoreLe32(reinterpret_cast<uint8_t*>(bad.data() + p.offset), 0x7FFFFFFF);
    GraphConfigurationHolder d = DeserializeGraphConfiguration(bad);
    std::size_t bytes = d->groups.size() * 120;
    for (const SGraphGroup& g : d->groups) bytes += g.tags.size() * 248 + g.marks.size() * 504;
    EXPECT_LE(bytes, 2 * bad.size()) << p.what;
    vt::StoreLe32(reinterpret_cast<uint8_t*>(bad.data() + p.offset), uint32_t(-3));
    d = DeserializeGraphConfiguration(bad);  // a negative count reads as none
    EXPECT_LE(d->groups.size(), 2u) << p.what;
  }
  std::string bad = full;
  vt::StoreLe32(reinterpret_cast<uint8_t*>(bad.data() + full.size() - 8 - 52 - 8),
                0x40000000);  // window count
  GraphConfigurationHolder d = DeserializeGraphConfiguration(bad);
  EXPECT_EQ(d->windows.size(), 1u);
  EXPECT_EQ(d->groups.size(), 2u);
}

TEST(GraphConfiguration, CopyLeavesOutGroupsWithoutTags) {
  GraphConfigurationHolder h;
  AllocateGraphConfigurationArrays(1, h, 3, 0);
  AllocateGraphGroupArrays(0, 1, h, 0);
  AllocateGraphGroupArrays(2, 2, h, 1);
  h->groups[0].SetName("one");
  h->groups[1].SetName("empty");
  h->groups[2].SetName("three");
  h->currentGroup = 2;
  GraphConfigurationHolder copy;
  AllocateGraphConfigurationArrays(1, copy, 5, 0);
  CopyGraphConfiguration(copy, h);
  ASSERT_EQ(copy->groups.size(), 2u);
  EXPECT_EQ(copy->groups[0].Name(), "one");
  EXPECT_EQ(copy->groups[1].Name(), "three");
  EXPECT_EQ(copy->groups[1].marks.size(), 1u);
  EXPECT_EQ(copy->currentGroup, 2);  // kept; the document clamps it
  EXPECT_EQ(h->groups.size(), 3u);
  FreeGraphConfiguration(copy);
  EXPECT_EQ(copy, nullptr);

  GraphConfigurationHolder name;
  AllocateGraphConfigurationArrays(0, name, 1, 0);
  name->groups[0].SetName(std::string(100, 'x'));
  EXPECT_EQ(name->groups[0].Name(), std::string(71, 'x'));
}

class GraphStoreTest : public PlantTest {
 protected:
  CVTGraphDataStorage& Graphs() { return *graphs_.GetGraphStorage(); }
  // One column of a statement on graph.db, row by row.
  Strings Column(const std::string& sql) {
    auto st = Graphs().GetConnection()->CreateStatement();
    Strings out;
    EXPECT_EQ(st->Prepare(sql), RDB_OK) << sql;
    st->Execute();
    std::string text;
    while (st->Fetch() == RDB_ROW) {
      st->GetText(0, text);
      out.push_back(text);
    }
    return out;
  }
  Strings Listed(int sort, int direction, std::optional<int64_t> begin = std::nullopt,
                 std::optional<int64_t> end = std::nullopt, int target = 0,
                 std::optional<std::string> text = std::nullopt) {
    CatalogueCursor cursor;
    Strings names;
    if (!OpenListQuery(sources_, text, cursor, LIST_GRAPHS, "ignored", sort, direction, begin, end, target,
                       0))
      return {"(failed)"};
    while (FetchGraphRow(cursor)) names.push_back(GetCatalogueRow().graphName);
    return names;
  }
};

TEST_F(GraphStoreTest, SaveWritesTheBlobAndTheSideRows) {
  EXPECT_EQ(vt_test::ReadHead(graphs_.GetPath(), 16), std::string("_MRVN_DATA_FILE\0", 16));
  EXPECT_EQ(
      Column("SELECT sql FROM sqlite_master WHERE type = 'table' AND name LIKE '%_table' ORDER BY rowid;"),
      (Strings{
          "CREATE TABLE graph_table (graph_name TEXT NOT NULL UNIQUE, edit_time INTEGER NOT NULL, graph_data BLOB NOT NULL, graph_id INTEGER PRIMARY KEY AUTOINCREMENT)",
          "CREATE TABLE group_table (graph_id INTEGER, group_name TEXT)",
          "CREATE TABLE tag_table (graph_id INTEGER, tag_name TEXT, channel_no INTEGER NOT NULL, guid TEXT NOT NULL)",
          "CREATE TABLE message_table (graph_id INTEGER, message_title TEXT, message_comment TEXT, type INTERGER NOT NULL)"}));

  GraphConfigurationHolder h = Sample();
  const int64_t before = CurrentTickTime().ticks;
  ASSERT_TRUE(graphs_.SaveGraph("Boiler O'Brien", h));
  const int64_t id = Graphs().FindGraphId("Boiler O'Brien");
  EXPECT_GT(id, 0);
  EXPECT_EQ(Graphs().FindGraphId("other"), -1);
  EXPECT_EQ(Column("SELECT length(graph_data) FROM graph_table;"),
            (Strings{std::to_string(GetGraphConfigurationSize(h))}));
  int64_t edit = std::stoll(Column("SELECT edit_time FROM graph_table;")[0]);
  EXPECT_GE(edit, before);
  EXPECT_LE(edit, CurrentTickTime().ticks);
  EXPECT_EQ(Column("SELECT graph_id || ' ' || group_name FROM group_table;"),
            (Strings{std::to_string(id) + " Temperatures"}));
  // The channel number is the tag's 32-bit one, not the 16-bit value at its start.
  EXPECT_EQ(Column("SELECT tag_name || ' ' || channel_no || ' ' || guid FROM tag_table;"),
            (Strings{"Inlet 12 A0000000-0000-0000-0000-00000000000A"}));
  EXPECT_EQ(
      Column(
          "SELECT message_title || '|' || message_comment || '|' || type FROM message_table ORDER BY type;"),
      (Strings{"Batch|O'Brien's note|0", "Start|heating on|1"}));

  GraphConfigurationHolder loaded;
  EXPECT_EQ(Graphs().LoadGraph("Boiler O'Brien", loaded), 0);
  EXPECT_EQ(SerializeGraphConfiguration(*loaded), SerializeGraphConfiguration(*h));
  EXPECT_EQ(Graphs().LoadGraph("nothing of that name", loaded), 0);
  EXPECT_EQ(loaded->version, kGraphVersion);
  EXPECT_TRUE(loaded->groups.empty());

  EXPECT_TRUE(IsBatchInSavedGraph(sources_, "A0000000-0000-0000-0000-00000000000A"));
  EXPECT_FALSE(IsBatchInSavedGraph(sources_, "B0000000-0000-0000-0000-00000000000B"));
  EXPECT_EQ(GraphNameExists(sources_, "Boiler O'Brien"), 1);
  EXPECT_EQ(GraphNameExists(sources_, "Boiler"), 0);
}

TEST_F(GraphStoreTest, OverwriteAsksAndKeepsTheIdAndName) {
  GraphConfigurationHolder first = Sample();
  ASSERT_TRUE(graphs_.SaveGraph("G", first));
  const int64_t id = Graphs().FindGraphId("G");

  GraphConfigurationHolder second;
  AllocateGraphConfigurationArrays(1, second, 2, 0);
  AllocateGraphGroupArrays(0, 1, second, 0);
  second->groups[0].SetName("Other");
  second->groups[0].tags[0] = Tag(3, "C0000000-0000-0000-0000-00000000000C", "Speed");
  second->groups[1].SetName("Empty");

  // Without a prompt, and when the prompt says Cancel, nothing changes.
  EXPECT_FALSE(graphs_.SaveGraph("G", second));
  std::vector<std::string> asked;
  graphs_.SetOverwritePrompt([&](const std::string& name) {
    asked.push_back(name);
    return false;
  });
  EXPECT_FALSE(graphs_.SaveGraph("G", second));
  EXPECT_EQ(asked, (Strings{"G"}));
  EXPECT_EQ(Column("SELECT tag_name FROM tag_table;"), (Strings{"Inlet"}));

  graphs_.SetOverwritePrompt([&](const std::string&) { return true; });
  ASSERT_TRUE(graphs_.SaveGraph("G", second));
  EXPECT_EQ(Graphs().FindGraphId("G"), id);
  EXPECT_EQ(Column("SELECT count(*) FROM graph_table;"), (Strings{"1"}));
  EXPECT_EQ(Column("SELECT group_name FROM group_table ORDER BY group_name;"), (Strings{"Empty", "Other"}));
  EXPECT_EQ(Column("SELECT tag_name FROM tag_table;"), (Strings{"Speed"}));
  EXPECT_TRUE(Column("SELECT * FROM message_table;").empty());
  GraphConfigurationHolder loaded;
  Graphs().LoadGraph("G", loaded);
  EXPECT_EQ(SerializeGraphConfiguration(*loaded), SerializeGraphConfiguration(*second));
}

TEST_F(GraphStoreTest, RenameDeleteAndListing) {
  GraphConfigurationHolder h = Sample();
  ASSERT_TRUE(graphs_.SaveGraph("alpha", h));
  h->groups[0].SetName("Flows 50%");
  h->groups[0].tags[0] = Tag(2, "B0000000-0000-0000-0000-00000000000B", "F_1");
  h->marks[0] = Mark("Check", "C:\\DATA\\log");
  ASSERT_TRUE(graphs_.SaveGraph("beta 50%_x", h));
  h->groups[0].tags[0] = Tag(1, "C0000000-0000-0000-0000-00000000000C", "Speed");
  h->marks[0] = Mark("O'Hara", "");
  ASSERT_TRUE(graphs_.SaveGraph("gamma's", h));

  EXPECT_EQ(Listed(30, 1), (Strings{"alpha", "beta 50%_x", "gamma's"}));
  EXPECT_EQ(Listed(30, 2), (Strings{"gamma's", "beta 50%_x", "alpha"}));
  EXPECT_EQ(Listed(31, 2).size(), 3u);
  EXPECT_EQ(Listed(0, 0, 0, 1), Strings{});  // long before any save
  EXPECT_EQ(Listed(30, 1, 0, CurrentTickTime().ticks + 1).size(), 3u);

  struct Search {
    int target;
    const char* text;
    Strings names;  // {"(failed)"} when nothing is found
  } searches[] = {
      {1, "Inlet", {"alpha"}},
      {1, "F_", {"beta 50%_x"}},
      {1, "nothing", {"(failed)"}},
      {1, "", {"alpha", "beta 50%_x", "gamma's"}},
      {9, "50%", {"beta 50%_x", "gamma's"}},
      {9, "Temperatures", {"alpha"}},
      {10, "heating", {"alpha", "beta 50%_x", "gamma's"}},  // every group mark says so
      {10, "C:\\DATA", {"beta 50%_x"}},
      {10, "O'Hara", {"gamma's"}},
      {11, "50%_", {"beta 50%_x"}},
      {11, "'s", {"gamma's"}},
  };
  for (const Search& s : searches)
    EXPECT_EQ(Listed(30, 1, std::nullopt, std::nullopt, s.target, s.text), s.names)
        << s.target << " " << s.text;

  const int64_t alpha = Graphs().FindGraphId("alpha");
  EXPECT_FALSE(Graphs().RenameGraph(alpha, "gamma's"));  // taken
  EXPECT_EQ(Graphs().FindGraphId("alpha"), alpha);
  EXPECT_TRUE(Graphs().RenameGraph(alpha, "delta"));
  EXPECT_EQ(Graphs().FindGraphId("delta"), alpha);
  EXPECT_EQ(Listed(30, 1), (Strings{"beta 50%_x", "delta", "gamma's"}));

  EXPECT_TRUE(Graphs().DeleteGraph(alpha));
  EXPECT_EQ(Listed(30, 1), (Strings{"beta 50%_x", "gamma's"}));
  const std::string id = std::to_string(alpha);
  for (const char* table : {"group_table", "tag_table", "message_table"})
    EXPECT_EQ(Column(std::string("SELECT count(*) FROM ") + table + " WHERE graph_id = " + id + ";"),
              (Strings{"0"}))
        << table;
  EXPECT_FALSE(IsBatchInSavedGraph(sources_, "A0000000-0000-0000-0000-00000000000A"));
}

TEST_F(GraphStoreTest, DatabaseWithoutTheGraphTable) {
  graphs_.Close();
  const std::string path = Path("broken-graph.db");
  {
    auto db = NewRDBConnection(kDbmsSQLite);
    ASSERT_EQ(db->Create(path), RDB_OK);
    ASSERT_EQ(db->Execute("CREATE TABLE other (x INTEGER);"), RDB_OK);
  }
  CVTGraphDataStorage storage;
  EXPECT_EQ(storage.CreateDatabase(path), 0);  // exists already
  EXPECT_EQ(storage.OpenDatabase(path), 1);
  EXPECT_EQ(graphs_.OpenDatabase(path), 0);
  ASSERT_NE(graphs_.GetGraphStorage(), nullptr);
  EXPECT_FALSE(graphs_.SaveGraph("x", Sample()));
  EXPECT_EQ(graphs_.GetGraphStorage()->FindGraphId("x"), -1);
  EXPECT_EQ(GraphNameExists(sources_, "x"), 0);

  graphs_.Close();
  EXPECT_FALSE(graphs_.SaveGraph("x", Sample()));
  EXPECT_EQ(graphs_.OpenDatabase(Path("no/such/folder/graph.db")), 1);
  EXPECT_EQ(graphs_.GetGraphStorage(), nullptr);
}

TEST_F(GraphStoreTest, AChangeWhoseBeginFailsWritesNothing) {
  GraphConfigurationHolder h = Sample();
  ASSERT_TRUE(graphs_.SaveGraph("kept", h));
  const int64_t id = Graphs().FindGraphId("kept");
  // A transaction left open on the connection: every BEGIN of the store fails.
  CRDBConnection* connection = Graphs().GetConnection();
  ASSERT_EQ(connection->BeginTransaction(), RDB_OK);
  ASSERT_EQ(connection->Execute("INSERT INTO group_table VALUES(999, 'theirs');"), RDB_OK);
  EXPECT_FALSE(Graphs().InsertGraph("new", h));
  EXPECT_FALSE(Graphs().OverwriteGraph(id, h));
  EXPECT_FALSE(Graphs().RenameGraph(id, "renamed"));
  EXPECT_FALSE(Graphs().DeleteGraph(id));
  // The open transaction is still its owner's, holding its own change and nothing else.
  EXPECT_EQ(Column("SELECT group_name FROM group_table WHERE graph_id = 999;"), (Strings{"theirs"}));
  EXPECT_EQ(Column("SELECT graph_name FROM graph_table;"), (Strings{"kept"}));
  ASSERT_EQ(connection->Rollback(), RDB_OK);
  EXPECT_EQ(Column("SELECT graph_name FROM graph_table;"), (Strings{"kept"}));
  EXPECT_EQ(Column("SELECT group_name FROM group_table;"), (Strings{"Temperatures"}));
  ASSERT_TRUE(graphs_.SaveGraph("new", h));
}

}  // namespace
