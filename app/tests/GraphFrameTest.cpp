// Graph windows in the program's main frame: a row of stored data opens "Graph 1" with a painted
// trend; the Window menu brings up the graph, sheet and alarm/mark views of the same document;
// placements applied through the frame read back unchanged; the frame asks every modified graph
// window before it closes; the host's answers come from the application (display defaults,
// selected channel); the storage dialog is refused while a graph window is open.
#include <QAction>
#include <QMdiSubWindow>

#include "GraphFrameFixture.h"
#include "app/CListDoc.h"
#include "app/CSubject.h"
#include "app/ListKinds.h"
#include "document/CConfigurationFile.h"
#include "document/GraphWindowHost.h"
#include "document/ui/CDlgDstConfig.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/WindowEntryPlacement.h"
#include "gadget/GGroup.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/qt/MdiFrameWindow.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "recorder/SharedTimeZone.h"
#include "store/CVTImportManager.h"

namespace graph_frame_test {
namespace {

constexpr int ID_WINDOW_GRAPH = 32887;
constexpr int ID_WINDOW_SHEET = 32946;
constexpr int ID_WINDOW_ALARM_MARK = 32871;

class GraphFrameTest : public GraphFrameFixture<> {
 protected:
  vt::CmdUI State(int id) { return Frame().Router().Update(id); }
  template <typename ViewClass>
  std::vector<ViewClass*> ViewsOf(CVantrelDoc* doc) {
    std::vector<ViewClass*> out;
    for (vt::View* v : doc->GetViews())
      if (auto* view = dynamic_cast<ViewClass*>(v)) out.push_back(view);
    return out;
  }
};

TEST_F(GraphFrameTest, ARowOfStoredDataOpensGraphOneInTheFrame) {
  EXPECT_EQ(vt::GetGraphWindowHost(), app_.get());
  EXPECT_EQ(Frame().GetActiveGraphDocument(), nullptr);
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  ASSERT_EQ(doc->GetViews().size(), 1u);
  vt::ChildFrame* frame = FrameOf(doc->GetViews()[0]);
  ASSERT_NE(frame, nullptr);
  // A child of the main frame's area, the active one, with the graph windows' menu.
  EXPECT_EQ(frame->mdiArea(), Area());
  EXPECT_EQ(Frame().GetActiveGraphDocument(), doc);
  EXPECT_EQ(static_cast<vt::MdiFrameWindow*>(Frame().Widget())->ShownMenu(), 131);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Graph 1"));

  frame->resize(800, 520);
  Settle();
  const QImage image = frame->GetViewWidget()->FrontImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(CountColours(image), 3);
  // Both traces are drawn, each in its channel's colour.
  EXPECT_GT(CountPixels(image, qRgb(255, 0, 0)), 200);
  EXPECT_GT(CountPixels(image, qRgb(0, 0, 255)), 200);

  // The document's and the view's commands take the frame's route: the legend switch is the
  // document's, the zoom the view's.
  const bool legend = doc->GetGadgetDocument()->IsLegendShown();
  EXPECT_TRUE(State(vt_ui::ID_VIEW_LEGEND).Enabled());
  EXPECT_EQ(State(vt_ui::ID_VIEW_LEGEND).Checked(), legend);
  EXPECT_TRUE(Frame().Router().Execute(vt_ui::ID_VIEW_LEGEND));
  EXPECT_NE(doc->GetGadgetDocument()->IsLegendShown(), legend);
  const int scale = doc->GetGadgetDocument()->GetTimeScale();
  ASSERT_TRUE(State(vt_ui::ID_ZOOM_OUT).Enabled());
  EXPECT_TRUE(Frame().Router().Execute(vt_ui::ID_ZOOM_OUT));
  EXPECT_NE(doc->GetGadgetDocument()->GetTimeScale(), scale);

  // A second window counts on.
  CVantrelDoc* second = OpenGraph();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetTitle(), "Graph 2");
  EXPECT_EQ(Frame().GetActiveGraphDocument(), second);
}

TEST_F(GraphFrameTest, WindowMenuOpensTheViewsOfTheActiveDocument) {
  for (int id : {ID_WINDOW_GRAPH, ID_WINDOW_SHEET, ID_WINDOW_ALARM_MARK})
    EXPECT_FALSE(State(id).Enabled()) << id;
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  for (int id : {ID_WINDOW_GRAPH, ID_WINDOW_SHEET, ID_WINDOW_ALARM_MARK})
    EXPECT_TRUE(State(id).Enabled()) << id;

  // Sheet, then Alarm/Mark: a new frame each, on the same document, made the active child.
  ASSERT_TRUE(Frame().Router().Execute(ID_WINDOW_SHEET));
  ASSERT_EQ(ViewsOf<CVantrelSheetView>(doc).size(), 1u);
  EXPECT_EQ(FrameOf(ViewsOf<CVantrelSheetView>(doc)[0])->mdiArea(), Area());
  EXPECT_EQ(Frame().GetActiveGraphDocument(), doc);
  ASSERT_TRUE(Frame().Router().Execute(ID_WINDOW_ALARM_MARK));
  ASSERT_EQ(ViewsOf<CVantrelListView>(doc).size(), 1u);
  EXPECT_EQ(doc->GetViews().size(), 3u);
  EXPECT_EQ(Area()->subWindowList().size(), 3);
  EXPECT_EQ(Area()->activeSubWindow(), FrameOf(ViewsOf<CVantrelListView>(doc)[0]));

  // Asked again, an open view is brought up (restored from minimised), not made twice.
  vt::ChildFrame* sheetFrame = FrameOf(ViewsOf<CVantrelSheetView>(doc)[0]);
  sheetFrame->showMinimized();
  ASSERT_TRUE(Frame().Router().Execute(ID_WINDOW_SHEET));
  EXPECT_EQ(doc->GetViews().size(), 3u);
  EXPECT_FALSE(sheetFrame->isMinimized());
  EXPECT_EQ(Area()->activeSubWindow(), sheetFrame);

  // With the graph view closed, Window > Graph makes it again and its root shows the group.
  FrameOf(ViewsOf<CVantrelGraphView>(doc)[0])->close();
  Settle();
  ASSERT_TRUE(ViewsOf<CVantrelGraphView>(doc).empty());
  ASSERT_TRUE(Frame().Router().Execute(ID_WINDOW_GRAPH));
  ASSERT_EQ(ViewsOf<CVantrelGraphView>(doc).size(), 1u);
  CVantrelGraphView* graph = ViewsOf<CVantrelGraphView>(doc)[0];
  EXPECT_NE(graph->GetGraphRoot()->FindPanel(), nullptr);
  EXPECT_EQ(doc->GetGadgetDocument()->GetGraphView(), graph);
}

TEST_F(GraphFrameTest, PlacementsAppliedThroughTheFrameReadBackUnchanged) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  struct Case {
    const char* name;
    uint32_t showCmd;
  };
  const Case cases[] = {
      {"normal", vt::kShowNormal}, {"minimised", vt::kShowMinimized}, {"maximised", vt::kShowMaximized}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CVantrelDoc* doc = OpenGraph();
    ASSERT_NE(doc, nullptr);
    CGVantrelDoc* d = doc->GetGadgetDocument();
    vt::WindowPlacement p;
    p.showCmd = c.showCmd;
    p.normal = {17, 23, 517, 343};
    // The document's own view, then a new sheet view, each placed through the host and read
    // back at once (only one of them can stay maximised: activating the other restores it).
    app_->ShowDocumentWindow(d, vt_ui::MakeWindowEntry(vt_ui::kGraphViewKind, p));
    Settle();
    std::vector<SGraphWindowEntry> open = app_->GetDocumentWindowPlacements(d);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].viewKind, vt_ui::kGraphViewKind);
    EXPECT_EQ(vt_ui::PlacementOf(open[0]), p);

    vt::WindowPlacement q = p;
    q.normal = {40, 50, 460, 330};
    app_->ShowDocumentWindow(d, vt_ui::MakeWindowEntry(vt_ui::kSheetViewKind, q));
    Settle();
    ASSERT_EQ(doc->GetViews().size(), 2u);
    open = app_->GetDocumentWindowPlacements(d);
    ASSERT_EQ(open.size(), 2u);
    // Front to back: the sheet view was placed last.
    EXPECT_EQ(open[0].viewKind, vt_ui::kSheetViewKind);
    EXPECT_EQ(open[1].viewKind, vt_ui::kGraphViewKind);
    EXPECT_EQ(vt_ui::PlacementOf(open[0]), q);

    // Recorded as a saved graph would record them, the document sees no change at close.
    d->m_windowCount = 2;
    d->m_windows[0] = open[0], d->m_windows[1] = open[1];
    doc->SetModifiedFlag(false);
    d->CheckWindowLayout();
    EXPECT_FALSE(doc->IsModified());

    // Closing one view changes the layout, so the last one asks: not saved.
    vt::MessageBoxCapture boxes(vt::kIdNo);
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(Area())) f->close();
    Settle();
    EXPECT_TRUE(app_->GetGraphDocuments().empty());
  }
}

TEST_F(GraphFrameTest, ClosingTheFrameAsksEveryModifiedGraphWindow) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* first = OpenGraph();
  CVantrelDoc* second = OpenGraph();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first->SetModifiedFlag(true);
  second->SetModifiedFlag(true);
  vt::MessageBoxCapture boxes;
  // Cancel on the first question keeps everything open and asks nothing more.
  boxes.QueueAnswers({vt::kIdCancel});
  EXPECT_FALSE(Frame().SaveAllModified());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("Graph 1"), std::string::npos);
  // No to both: the frame may close.
  boxes.Clear();
  boxes.QueueAnswers({vt::kIdNo, vt::kIdNo});
  EXPECT_TRUE(Frame().SaveAllModified());
  EXPECT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(app_->GetGraphDocuments().size(), 2u);
}

TEST_F(GraphFrameTest, HostAnswersFromTheApplication) {
  // The settings record's display defaults reach a window made after they changed; a window
  // already open keeps its own.
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* before = OpenGraph();
  ASSERT_NE(before, nullptr);
  SDisplayDefaults& s = app_->m_settings->m_displayDefaults;
  s.gridColor = 0x02102030;
  s.backColor = 0x02405060;
  s.tagDisplay = 2;
  s.waveThick = 5;
  s.cursorDisp = 1;
  s.cursorTrans = 1;
  s.cellValue = 1;
  CVantrelDoc* after = OpenGraph();
  ASSERT_NE(after, nullptr);
  const CGVantrelDoc* d = after->GetGadgetDocument();
  EXPECT_EQ(d->m_gridColour, 0x02102030u);
  EXPECT_EQ(d->m_backColour, 0x02405060u);
  EXPECT_EQ(d->m_tagMode, 2);
  EXPECT_EQ(d->m_traceThickness, 5);
  EXPECT_EQ(d->m_cursorValuesShown, 0);
  EXPECT_EQ(d->m_cursorTransparency, 0);
  EXPECT_EQ(d->m_sheetPadding, 0);
  EXPECT_EQ(before->GetGadgetDocument()->m_traceThickness, 1);
  EXPECT_EQ(before->GetGadgetDocument()->m_gridColour, 0x025E5E5Eu);

  // The conversion folder is the settings' one; the selected channel reaches the property
  // pane's list document.
  app_->SetConversionFolder(root_ + "/out");
  EXPECT_EQ(app_->GetConversionFolder(), root_ + "/out");
  EXPECT_EQ(app_->m_settings->m_dataCnvFolder, root_ + "/out");
  EXPECT_EQ(app_->GetMainWindow(), Frame().GetSafeHwnd());
  EXPECT_EQ(app_->GetGraphStore(), app_->m_graphManager.get());
}

TEST_F(GraphFrameTest, StorageDialogIsRefusedWhileAGraphWindowIsOpen) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* doc = OpenGraph();
  ASSERT_NE(doc, nullptr);
  // (A graph window never saved asks at its close: not saved.)
  vt::MessageBoxCapture boxes(vt::kIdNo);
  bool opened = false;
  vt::OnNextDialog(163, [&](vt::DialogWindow& window) {
    opened = true;
    window.EndDialog(2);
  });
  CVTDataStorage* storage = app_->m_currentStorage;
  app_->OnManagementArea();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("10112"), std::string::npos);
  EXPECT_FALSE(opened);
  // Nothing else happened: the storage stays open and current.
  EXPECT_EQ(app_->m_currentStorage, storage);
  EXPECT_TRUE(storage->IsOpen());
  EXPECT_FALSE(app_->m_busy);

  // Once the window is closed, the dialog opens.
  doc->SetModifiedFlag(false);
  FrameOf(doc->GetViews()[0])->close();
  Settle();
  boxes.Clear();
  app_->OnManagementArea();
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(opened);
}

// A gadget under a graph document that records the update hints the document sends.
class HintProbe : public CGGroup {
 public:
  explicit HintProbe(CGCore* parent) : CGGroup(parent, 0, 0, 0, 0, 1, 1) {}
  void OnUpdate(int hint, void* data) override {
    hints.push_back(hint);
    CGGroup::OnUpdate(hint, data);
  }
  std::vector<int> hints;
};

// What the list document announced, with whether the new zone was already in force.
class CodeLog : public CObserver {
 public:
  void Update(int code) override {
    codes.push_back(code);
    zoneApplied.push_back(SharedTimeZone::Instance().Record().DaylightBias == -60);
  }
  std::vector<int> codes;
  std::vector<bool> zoneApplied;
};

TEST_F(GraphFrameTest, DstChangeRefreshesTheCatalogueListsAndEveryGraphWindow) {
  StoreRecording(TwoTraceRecording(), "A.DAE");
  CVantrelDoc* docs[2] = {OpenGraph(), OpenGraph()};
  std::vector<HintProbe*> probes;
  for (CVantrelDoc* doc : docs) {
    ASSERT_NE(doc, nullptr);
    probes.push_back(new HintProbe(doc->GetGadgetDocument()));
  }
  CodeLog log;
  Frame().ListDoc().Attach(&log);
  // Cancel: the rule, the lists and the windows are left alone.
  vt::OnNextDialog(CDlgDstConfig::kTemplateId, [](vt::DialogWindow& w) { w.EndDialog(2); });
  app_->OnDstSetting();
  EXPECT_TRUE(log.codes.empty());
  for (HintProbe* p : probes) EXPECT_TRUE(p->hints.empty());

  vt::OnNextDialog(CDlgDstConfig::kTemplateId, [&](vt::DialogWindow& window) {
    CGVTDstConfigRoot* root = dynamic_cast<CDlgDstConfig&>(window).m_root;
    auto set = [&](int id, int v) { static_cast<CGPrimitive*>(root->FindById(id))->SetValue(v); };
    set(CGVTDstConfigRoot::kTypeId, 2);
    set(CGVTDstConfigRoot::kStartMonthId, 2);
    set(CGVTDstConfigRoot::kEndMonthId, 9);
    dynamic_cast<CDlgDstConfig&>(window).ValidateAndEnd();
  });
  app_->OnDstSetting();
  Frame().ListDoc().Detach(&log);
  EXPECT_EQ(log.codes, (std::vector<int>{LIST_NOTIFY_CHANGED, LIST_NOTIFY_CURRENT}));
  EXPECT_EQ(log.zoneApplied, (std::vector<bool>{true, true}));
  for (HintProbe* p : probes) EXPECT_EQ(p->hints, std::vector<int>{HINT_DAYLIGHT_SAVING});
}

}  // namespace
}  // namespace graph_frame_test
