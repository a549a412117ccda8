// Saved graphs in the application: opening them by name into real child frames (an unknown name
// opens nothing; a known one comes back with its views where they were saved, so closing it
// unchanged asks nothing), and the overwrite prompt the application installs in the store.
#include <gtest/gtest.h>

// Before Qt, whose keyword macros would rewrite the generator's field names.
#include "document/testing/DocumentFixture.h"

#include <QApplication>
#include <QMdiArea>

#include "app/CVantrelApp.h"
#include "app/SavedGraphs.h"
#include "document/ui/CDlgGraphConfiguration.h"
#include "document/ui/CDlgGraphNameInput.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/WindowEntryPlacement.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "document/ui/testing/SkinnedRootMaster.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GSheet.h"
#include "gadget/sheet/GSheetArray.h"
#include "gadget/skin/SkinArt.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/CommonDialogs.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/VTGraphManager.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace {

using document_test::kBaseMs;
using document_test::RecordingFile;
using document_test::RecordingGuid;

int KindOf(vt::View* v) {
  if (dynamic_cast<CVantrelGraphView*>(v)) return vt_ui::kGraphViewKind;
  if (dynamic_cast<CVantrelListView*>(v)) return vt_ui::kListViewKind;
  if (dynamic_cast<CVantrelSheetView*>(v)) return vt_ui::kSheetViewKind;
  return 0;
}

vt::Document* DocumentOf(const CGVantrelDoc* doc) { return dynamic_cast<vt::Document*>(doc->GetDocument()); }

// The main frame's side of graph windows over one MDI area: the three templates, views opened
// or placed as window records say, and the placements of a document's views front to back.
class MdiHost : public vt::GraphWindowHost {
 public:
  explicit MdiHost(QMdiArea* area) : maker_(area), area_(area), previous_(vt::SetGraphWindowHost(this)) {
    for (vt::DocTemplate* t : {&graph, &list, &sheet}) t->SetFrameMaker(&maker_);
  }
  ~MdiHost() override { vt::SetGraphWindowHost(previous_); }

  vt::DocTemplate* GetGraphTemplate() override { return &graph; }
  vt::DocTemplate* GetListTemplate() override { return &list; }
  vt::DocTemplate* GetSheetTemplate() override { return &sheet; }
  void ShowDocumentWindow(CGVantrelDoc* doc, const SGraphWindowEntry& entry) override {
    vt::ChildFrame* frame = FrameOf(doc, entry.viewKind);
    if (!frame) {
      vt::DocTemplate* t = entry.viewKind == 1 ? &graph : entry.viewKind == 2 ? &list : &sheet;
      if (vt::View* v = t->CreateFrame(DocumentOf(doc))) frame = dynamic_cast<vt::ChildFrame*>(v->GetFrame());
    }
    if (!frame) return;
    frame->SetPlacement(vt_ui::PlacementOf(entry));
    area_->setActiveSubWindow(frame);
  }
  std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc* doc) override {
    std::vector<SGraphWindowEntry> out;
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(area_))
      if (f->GetView() && f->GetView()->GetDocument() == DocumentOf(doc))
        out.push_back(vt_ui::MakeWindowEntry(KindOf(f->GetView()), f->GetPlacement()));
    return out;
  }
  void SetSelectedChannel(const vt::Guid&, int) override {}
  void NotifyListDocument(int code) override { notified.push_back(code); }
  std::optional<vt::GraphDisplayDefaults> GetDisplayDefaults() override { return std::nullopt; }
  CVTGraphManager* GetGraphStore() override { return &graphs; }
  vt::WindowHandle GetMainWindow() override { return 0; }
  vt::WindowHandle GetCursorControlWindow() override { return 0; }
  vt::WindowHandle GetStatisticsWindow() override { return 0; }
  vt::WindowHandle GetConvertProgressWindow() override { return 0; }
  std::string GetConversionFolder() override { return {}; }
  void SetConversionFolder(const std::string&) override {}

  vt::ChildFrame* FrameOf(const CGVantrelDoc* doc, int kind) {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(area_))
      if (f->GetView() && f->GetView()->GetDocument() == DocumentOf(doc) && KindOf(f->GetView()) == kind)
        return f;
    return nullptr;
  }

  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
  vt::DocTemplate sheet{"Graph", nullptr, [] { return std::make_unique<CVantrelSheetView>(); }};
  CVTGraphManager graphs;
  std::vector<int> notified;

 private:
  vt::MdiFrameMaker maker_;
  QMdiArea* area_;
  vt::GraphWindowHost* previous_;
};

// Scale, zone and trip 3 of the first group's two channels.
std::vector<double> ChannelSettings(CGVantrelDoc* d) {
  std::vector<double> out;
  for (int j = 0; j < 2; ++j) {
    CGVantrelNgChannel* c = d->GetGroup(0)->GetChannel(j);
    out.insert(out.end(), {c->GetScaleMinimum(), c->GetScaleMaximum(), c->GetPositionLower(),
                           c->GetPositionUpper(), double(c->IsTripShown(2)), c->GetTripValue(2)});
  }
  return out;
}

class SavedGraphsTest : public document_test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    dialog_test::EnsureSkinnedRootMaster();
    // A screen larger than the area, so that no saved place has to be pulled onto it.
    previousDesktop_ = vt::InstallDesktop(std::make_shared<vt::FakeDesktop>());
    area_.resize(1000, 700);
    area_.show();
    host_ = std::make_unique<MdiHost>(&area_);
    ASSERT_EQ(host_->graphs.OpenDatabase(vt::JoinPath(root_, "graph.db")), 0);
  }
  void TearDown() override {
    // Views closed one by one no longer match the records: the save question is answered No.
    vt::MessageBoxCapture no(vt::kIdNo);
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area_)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    host_->graphs.Close();
    host_.reset();
    vt::InstallDesktop(previousDesktop_);
    DocumentTest::TearDown();
  }
  std::vector<vt::ChildFrame*> Frames() { return vt::ChildFrame::FramesFrontToBack(&area_); }

  std::shared_ptr<vt::Desktop> previousDesktop_;
  QMdiArea area_;
  std::unique_ptr<MdiHost> host_;
};

TEST_F(SavedGraphsTest, ASavedGraphOpensInItsSavedViewsAndAnUnknownNameOpensNothing) {
  Store(RecordingFile(1, 1, 300, kBaseMs, 1000), "A.DAE");
  auto* doc = static_cast<CVantrelDoc*>(host_->graph.OpenNewDocument());
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  vt::SVantrelGroupEntry entry;
  entry.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
  ASSERT_TRUE(d->AddGroups({entry}, std::nullopt, std::nullopt));
  // A list view beside the graph view, each at a place of its own.
  SGraphWindowEntry graphAt = vt_ui::MakeWindowEntry(1, host_->FrameOf(d, 1)->GetPlacement());
  graphAt.normalLeft = 10, graphAt.normalTop = 20, graphAt.normalRight = 610, graphAt.normalBottom = 420;
  host_->ShowDocumentWindow(d, graphAt);
  SGraphWindowEntry listAt = graphAt;
  listAt.viewKind = 2;
  listAt.normalLeft = 300, listAt.normalTop = 250, listAt.normalRight = 900, listAt.normalBottom = 650;
  host_->ShowDocumentWindow(d, listAt);
  QApplication::processEvents();
  // Storing the graph view's state on the way keeps the channels' scales, zones and trips.
  d->GetGroup(0)->GetChannel(1)->SetTrip(2, 1, 55.5);
  const std::vector<double> settings = ChannelSettings(d);
  ASSERT_NE(settings[1], 0.0) << "a scale to keep";
  ASSERT_TRUE(d->SaveGraphAs([](std::string* name) { return *name = "Kiln", true; }));
  EXPECT_EQ(ChannelSettings(d), settings);
  EXPECT_EQ(doc->GetTitle(), "Kiln");
  const std::vector<SGraphWindowEntry> saved = host_->GetDocumentWindowPlacements(d);
  ASSERT_EQ(saved.size(), 2u);
  {
    vt::MessageBoxCapture no(vt::kIdNo);
    for (vt::ChildFrame* f : Frames()) f->close();
    QApplication::processEvents();
  }
  ASSERT_TRUE(Frames().empty());

  EXPECT_EQ(vt_app::OpenSavedGraphs(host_->graphs.GetGraphStorage(), {"No such graph", "Kiln"}), 1);
  QApplication::processEvents();
  const std::vector<vt::ChildFrame*> frames = Frames();
  ASSERT_EQ(frames.size(), 2u) << "one window with its two views";
  auto* reopened = dynamic_cast<CVantrelDoc*>(frames[0]->GetView()->GetDocument());
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->GetTitle(), "Kiln");
  EXPECT_EQ(reopened->GetGadgetDocument()->m_graphName, "Kiln");
  EXPECT_EQ(reopened->GetGadgetDocument()->GetGroup(0)->GetChannelCount(), 2);
  EXPECT_EQ(ChannelSettings(reopened->GetGadgetDocument()), settings);
  const std::vector<SGraphWindowEntry> placed =
      host_->GetDocumentWindowPlacements(reopened->GetGadgetDocument());
  ASSERT_EQ(placed.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(placed[i].viewKind, saved[i].viewKind) << i;
    EXPECT_EQ(vt_ui::PlacementOf(placed[i]).normal, vt_ui::PlacementOf(saved[i]).normal) << i;
  }
  EXPECT_FALSE(reopened->IsModified());
  reopened->GetGadgetDocument()->CheckWindowLayout();
  EXPECT_FALSE(reopened->IsModified()) << "opened unchanged";
  frames[1]->move(frames[1]->pos() + QPoint(25, 0));
  QApplication::processEvents();
  reopened->GetGadgetDocument()->CheckWindowLayout();
  EXPECT_TRUE(reopened->IsModified()) << "a view moved";

  EXPECT_EQ(vt_app::OpenSavedGraphs(host_->graphs.GetGraphStorage(), {"No such graph"}), 0);
  EXPECT_EQ(Frames().size(), 2u);
}

TEST_F(SavedGraphsTest, SaveAsAndDisplaySettingsCommandsRunTheirDialogs) {
  RegisterSheetSkinArt();
  SetSheetSkin(BuiltinSheetSkin());
  Store(RecordingFile(1, 1, 60, kBaseMs, 1000), "A.DAE");
  auto* doc = static_cast<CVantrelDoc*>(host_->graph.OpenNewDocument());
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  vt::SVantrelGroupEntry entry;
  entry.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
  ASSERT_TRUE(d->AddGroups({entry, entry}, std::nullopt, std::nullopt));
  d->SetCurrentGroup(1);

  // Save as: the name dialog preset with the title; the saved name becomes the title.
  std::string preset;
  vt::OnNextDialog(CDlgGraphNameInput::kTemplateId, [&](vt::DialogWindow& w) {
    auto& dialog = static_cast<CDlgGraphNameInput&>(w);
    auto* box = static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTGraphNameInputRoot::kNameId));
    box->GetText(&preset);
    box->SetText("Oven 2");
    dialog_test::Click(w, static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTGraphNameInputRoot::kOkId)));
  });
  ASSERT_TRUE(doc->OnCommand(vt_ui::ID_SAVE_GRAPH_AS));
  EXPECT_EQ(preset, "Graph 1");
  EXPECT_EQ(doc->GetTitle(), "Oven 2");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_GE(host_->graphs.GetGraphStorage()->FindGraphId("Oven 2"), 0);
  EXPECT_EQ(host_->notified, (std::vector<int>{vt::kListNotifySavedGraphs}));

  // General Display Settings: the first channel of group 1 hidden; OK applies it and makes
  // group 0 current.
  vt::OnNextDialog(CDlgGraphConfiguration::kTemplateId, [&](vt::DialogWindow& w) {
    auto& dialog = static_cast<CDlgGraphConfiguration&>(w);
    EXPECT_EQ(dialog.m_root->PageSheet(0)->m_lineCount, 2);
    dialog.m_root->PageColumn(0, CGVTGraphConfigurationRoot::kShownId)->SetLineIntValue(0, 0);
    dialog_test::Click(w, dialog.m_root->Gadget(CGVTGraphConfigurationRoot::kOkId));
  });
  ASSERT_TRUE(doc->OnCommand(vt_ui::ID_DISPLAY_SETTINGS));
  EXPECT_EQ(d->GetCurrentGroupIndex(), 0);
  EXPECT_EQ(d->GetGroup(0)->GetChannel(0)->IsShown(), 0);
  EXPECT_EQ(d->GetGroup(0)->GetChannel(1)->IsShown(), 1);
  EXPECT_EQ(d->CountGroupsWithData(), 2);
  EXPECT_TRUE(doc->IsModified());
  ResetSheetSkin();
}

class SavedGraphsAppTest : public vt_test::TempRootTest {};

TEST_F(SavedGraphsAppTest, TheApplicationsOverwritePromptDecidesWhetherASavedGraphIsReplaced) {
  ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
  vt_test::ScopedEnv runtime("XDG_RUNTIME_DIR", root_ + "/run");
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());
  CVTGraphManager* graphs = app->m_graphManager.get();
  ASSERT_NE(graphs->GetGraphStorage(), nullptr);

  auto record = [](int32_t tagMode) {
    auto r = std::make_unique<SGraphConfiguration>();
    r->documentSwitch = tagMode;
    return r;
  };
  ASSERT_TRUE(graphs->SaveGraph("Line", record(1)));
  struct Case {
    int answer;
    bool replaced;
    int32_t stored;
  } cases[] = {{vt::kIdCancel, false, 1}, {vt::kIdOk, true, 2}};
  for (const Case& c : cases) {
    vt::MessageBoxCapture capture(c.answer);
    EXPECT_EQ(graphs->SaveGraph("Line", record(2)), c.replaced);
    ASSERT_EQ(capture.Boxes().size(), 1u);
    EXPECT_NE(capture.Boxes()[0].request.text.find("A graph with the same name exists. Overwrite?"),
              std::string::npos);
    GraphConfigurationHolder loaded;
    graphs->GetGraphStorage()->LoadGraph("Line", loaded);
    EXPECT_EQ(loaded->documentSwitch, c.stored);
  }
  EXPECT_EQ(app->ExitInstance(), 0);
}

}  // namespace
