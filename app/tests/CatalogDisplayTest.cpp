// The display commands on the catalogue's rows, in the program's frame over two stored
// recordings (each with the display groups "Boiler" and "Flow"): Display opens "Graph 1", a
// second Display "Graph 2"; duplicates are shown once; Add to active window adds the groups; the
// entire files open a window per batch; the file of a file-open import is shown.
#include <algorithm>
#include <cctype>

#include "GraphFrameFixture.h"
#include "app/AppMessages.h"
#include "app/CListDoc.h"
#include "app/CatalogDisplay.h"
#include "app/qt/CListReportWnd.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/qt/ReportView.h"

namespace graph_frame_test {
namespace {

constexpr int ID_VIEW_DISPLAY = 32814;
constexpr int ID_VIEW_DISPLAY_ENTIRE_FILE = 32827;
constexpr int ID_VIEW_ADD_TO_ACTIVE = 32818;

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

class CatalogDisplayTest : public GraphFrameFixture<> {
 protected:
  void SetUp() override {
    GraphFrameFixture::SetUp();
    paths_[0] = StoreRecording(TwoTraceRecording(1), "A.DAE");
    paths_[1] = StoreRecording(TwoTraceRecording(2), "B.DAE");
  }
  CListDoc& List() { return Frame().ListDoc(); }
  // Shows the list kind and selects the rows of these recordings (listed again: duplicates).
  void Select(int kind, std::vector<uint32_t> recordings) {
    CListDoc& list = List();
    list.m_listKind = kind;
    ASSERT_TRUE(list.PrepareQuery());
    while (list.FetchRows() == CListDoc::FETCH_ROW) {
    }
    list.m_selection.clear();
    for (uint32_t r : recordings)
      for (int row = 0; row < list.GetItemCount(); ++row)
        if (Upper(list.GetItemBatchGuid(row)) == Upper(store_test::RecordingGuid(r).ToText()))
          list.m_selection.push_back(row);
    list.m_selectedCount = int(list.m_selection.size());
    ASSERT_GT(list.m_selectedCount, 0);
  }
  bool Run(int id) { return Frame().Router().Execute(id); }
  CGVantrelDoc* Active() {
    CVantrelDoc* doc = Frame().GetActiveGraphDocument();
    return doc ? doc->GetGadgetDocument() : nullptr;
  }
  static std::vector<std::string> GroupNames(CGVantrelDoc* d) {
    std::vector<std::string> names;
    for (int i = 0; i < GROUP_COUNT; ++i)
      if (CGVantrelGroupData* g = d->GetGroup(i); g && g->GetChannelCount() > 0)
        names.push_back(g->GetName());
    return names;
  }
  std::string paths_[2];
};

TEST_F(CatalogDisplayTest, DisplayOpensNumberedWindowsAndAddsToTheActiveOne) {
  // Nothing selected: the display commands are disabled.
  for (int id : {ID_VIEW_DISPLAY, ID_VIEW_DISPLAY_ENTIRE_FILE, ID_VIEW_ADD_TO_ACTIVE})
    EXPECT_FALSE(Frame().Router().Update(id).Enabled()) << id;

  // Tag rows of one recording, each listed twice: one unnamed group, each channel once.
  Select(LIST_KIND_TAG, {1, 1});
  EXPECT_FALSE(Frame().Router().Update(ID_VIEW_ADD_TO_ACTIVE).Enabled());
  ASSERT_TRUE(Run(ID_VIEW_DISPLAY));
  ASSERT_NE(Active(), nullptr);
  EXPECT_EQ(Frame().GetActiveGraphDocument()->GetTitle(), "Graph 1");
  EXPECT_EQ(Active()->m_graphName, "Graph 1");
  EXPECT_EQ(Active()->CountGroupsWithData(), 1);
  EXPECT_EQ(Active()->GetCurrentGroup()->GetChannelCount(), 2);
  EXPECT_FALSE(Active()->HasCursor());

  // File rows: a second window with the file's display groups by name, cursors on the file.
  Select(LIST_KIND_FILE, {1});
  ASSERT_TRUE(Run(ID_VIEW_DISPLAY));
  EXPECT_EQ(Frame().GetActiveGraphDocument()->GetTitle(), "Graph 2");
  EXPECT_EQ(GroupNames(Active()), (std::vector<std::string>{"Boiler", "Flow"}));
  EXPECT_TRUE(Active()->HasCursor());
  EXPECT_EQ(Active()->GetCursorATime().ticks, List().GetItemStartTime(List().m_selection[0]));
  EXPECT_EQ(Active()->GetCursorBTime().ticks, List().GetItemStopTime(List().m_selection[0]));

  // Add to active window: the other recording's groups join "Graph 2".
  Select(LIST_KIND_FILE, {2});
  ASSERT_TRUE(Frame().Router().Update(ID_VIEW_ADD_TO_ACTIVE).Enabled());
  ASSERT_TRUE(Run(ID_VIEW_ADD_TO_ACTIVE));
  EXPECT_EQ(Frame().GetActiveGraphDocument()->GetTitle(), "Graph 2");
  EXPECT_EQ(Active()->CountGroupsWithData(), 4);
  EXPECT_EQ(app_->GetGraphDocuments().size(), 2u);

  // The entire files of tag rows of both recordings: a window per batch, counting on.
  Select(LIST_KIND_TAG, {1, 2});
  ASSERT_TRUE(Run(ID_VIEW_DISPLAY_ENTIRE_FILE));
  ASSERT_EQ(app_->GetGraphDocuments().size(), 4u);
  EXPECT_EQ(app_->GetGraphDocuments()[2]->GetTitle(), "Graph 3");
  EXPECT_EQ(app_->GetGraphDocuments()[3]->GetTitle(), "Graph 4");
  for (CVantrelDoc* doc : {app_->GetGraphDocuments()[2], app_->GetGraphDocuments()[3]})
    EXPECT_EQ(GroupNames(doc->GetGadgetDocument()), (std::vector<std::string>{"Boiler", "Flow"}));
}

// A recording with one alarm on channel 1 and one message written to display group 1.
recgen::NewerFile RecordingWithAlarmAndMessage(uint32_t recording) {
  recgen::NewerFile m = TwoTraceRecording(recording);
  const int64_t ms = store_test::kBaseMs + 120 * 1000LL;
  recgen::NewerAlarm a;
  a.channel = 1;
  a.time = recgen::NewerTime::At(int32_t(ms / 1000), 0);
  a.dataNo = 121;
  m.alarms.push_back(a);
  recgen::NewerMessage msg;
  msg.inputTime = recgen::NewerTime::At(int32_t(ms / 1000), 0);
  msg.dataNo = 121, msg.groupMask = 0x1, msg.text = "valve", msg.user = "op";
  m.messages.push_back(msg);
  return m;
}

// Display from the menu and a double click on a row open a window for every list kind that
// shows data, and for saved graphs.
TEST_F(CatalogDisplayTest, DisplayAndDoubleClickOpenAWindowForEveryListKind) {
  StoreRecording(RecordingWithAlarmAndMessage(3), "C.DAE");
  // A saved graph to list.
  Select(LIST_KIND_TAG, {3});
  ASSERT_TRUE(Run(ID_VIEW_DISPLAY));
  ASSERT_TRUE(Active()->SaveGraphAs([](std::string* name) { return *name = "Kiln", true; }));
  auto* view = Frame().Widget()->findChild<vt::ReportView*>(QStringLiteral("reportList"));
  ASSERT_NE(view, nullptr);
  auto* report = static_cast<CListReportWnd*>(view->parentWidget());
  const struct {
    int kind;
    const char* title;  // of the window opened; empty: "Graph n"
  } kinds[] = {{LIST_KIND_TAG, ""},      {LIST_KIND_ALARM, ""}, {LIST_KIND_DISPLAY_GROUP, ""},
               {LIST_KIND_MESSAGE, ""},  {LIST_KIND_FILE, ""},  {LIST_KIND_BATCH, ""},
               {LIST_KIND_GRAPH, "Kiln"}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    const size_t before = app_->GetGraphDocuments().size();
    // The menu's Display over the rows of the recording (or the saved graph).
    if (k.kind == LIST_KIND_GRAPH) {
      List().m_listKind = k.kind;
      List().Notify(LIST_NOTIFY_CHANGED);
      ASSERT_EQ(List().GetItemCount(), 1);
      List().m_selection = {0};
      List().m_selectedCount = 1;
    } else {
      Select(k.kind, {3});
    }
    ASSERT_TRUE(Frame().Router().Update(ID_VIEW_DISPLAY).Enabled());
    ASSERT_TRUE(Run(ID_VIEW_DISPLAY));
    ASSERT_EQ(app_->GetGraphDocuments().size(), before + 1);
    const std::string title = app_->GetGraphDocuments().back()->GetTitle();
    if (*k.title)
      EXPECT_EQ(title, k.title);
    else
      EXPECT_EQ(title.rfind("Graph ", 0), 0u) << title;
    EXPECT_GT(app_->GetGraphDocuments().back()->GetGadgetDocument()->CountGroupsWithData(), 0);

    // A double click on the row in the report list does the same.
    List().m_listKind = k.kind;
    report->FillList(true);
    EXPECT_EQ(List().m_selectedCount, 0);
    EXPECT_FALSE(Frame().Router().Update(ID_VIEW_DISPLAY).Enabled());
    int row = 0;
    while (k.kind != LIST_KIND_GRAPH &&
           Upper(List().GetItemBatchGuid(row)) != Upper(store_test::RecordingGuid(3).ToText()))
      ASSERT_LT(++row, List().GetItemCount());
    const QModelIndex index = view->model()->index(row, 0);
    view->setCurrentIndex(index);
    ASSERT_EQ(List().m_selectedCount, 1);
    emit view->doubleClicked(index);
    ASSERT_TRUE(vt::PumpUntil([&] { return app_->GetGraphDocuments().size() == before + 2; }, 5000));
  }
}

TEST_F(CatalogDisplayTest, TheFileOfAFileOpenImportIsShown) {
  ASSERT_NE(Frame().GetCatalogDisplay(), nullptr);
  EXPECT_FALSE(Frame().GetCatalogDisplay()->ShowImportedFile("FILES/none.DAE"));
  EXPECT_TRUE(app_->GetGraphDocuments().empty());
  ASSERT_TRUE(Frame().GetCatalogDisplay()->ShowImportedFile(paths_[1]));
  ASSERT_EQ(app_->GetGraphDocuments().size(), 1u);
  CVantrelDoc* doc = app_->GetGraphDocuments()[0];
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  EXPECT_EQ(GroupNames(doc->GetGadgetDocument()), (std::vector<std::string>{"Boiler", "Flow"}));
  EXPECT_FALSE(doc->GetGadgetDocument()->HasCursor());
  CGVantrelNgChannel* channel = doc->GetGadgetDocument()->GetCurrentGroup()->GetChannel(0);
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(Upper(channel->GetBatchGuid().ToText()), Upper(store_test::RecordingGuid(2).ToText()));
}

}  // namespace
}  // namespace graph_frame_test
