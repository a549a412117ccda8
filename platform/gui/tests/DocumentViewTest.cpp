// Documents, views and their frames: a template opens a document with its first frame and more
// frames on it; closing the last view asks SaveModified (a veto keeps everything), and the
// order of the end is fixed: the document's work, the view, the frame, the document. Child
// frames give back the placement applied to them in each show state and walk front to back.
#include <gtest/gtest.h>
#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include "platform/gui/Document.h"
#include "platform/gui/qt/ChildFrame.h"

namespace vt {
namespace {

std::vector<std::string>* g_log = nullptr;
void Log(const std::string& s) {
  if (g_log) g_log->push_back(s);
}

class LogDoc : public Document {
 public:
  bool SaveModified() override {
    Log("save modified");
    return allowClose;
  }
  void OnCloseDocument() override { Log("document work ends"); }
  ~LogDoc() override { Log("document"); }
  bool allowClose = true;
};

class LogView : public View {
 public:
  ~LogView() override { Log("view"); }
  void OnInitialUpdate() override { Log("initial update " + GetDocument()->GetTitle()); }
  void OnSetFocus(FocusReason r) override { focus.push_back({true, r}); }
  void OnKillFocus(FocusReason r) override { focus.push_back({false, r}); }
  std::vector<std::pair<bool, FocusReason>> focus;
};

class LogFrame : public ViewFrame {
 public:
  explicit LogFrame(std::unique_ptr<View> v) : view(std::move(v)) {}
  HostWindow* Host() override { return nullptr; }
  void SetTitle(const std::string& t) override { title = t; }
  WindowPlacement GetPlacement() const override { return {}; }
  void SetPlacement(const WindowPlacement&) override {}
  void RestoreAndActivate() override {}
  bool Close() override {
    return Document::CloseView(view, [] { Log("frame"); });
  }
  std::unique_ptr<View> view;
  std::string title;
};

class LogFrameMaker : public FrameMaker {
 public:
  ViewFrame* MakeFrame(std::unique_ptr<View> view, const std::string& title) override {
    frames.push_back(std::make_unique<LogFrame>(std::move(view)));
    frames.back()->SetTitle(title);
    return frames.back().get();
  }
  std::vector<std::unique_ptr<LogFrame>> frames;
};

class DocumentViewTest : public ::testing::Test {
 protected:
  void SetUp() override { g_log = &log; }
  void TearDown() override { g_log = nullptr; }
  std::vector<std::string> log;
};

TEST_F(DocumentViewTest, LastViewAsksAndEndsInOrder) {
  LogFrameMaker maker;
  DocTemplate graph(
      "Graph", [] { return std::make_unique<LogDoc>(); }, [] { return std::make_unique<LogView>(); });
  DocTemplate other("Other", nullptr, [] { return std::make_unique<LogView>(); });
  graph.SetFrameMaker(&maker);
  other.SetFrameMaker(&maker);

  Document* doc = graph.OpenNewDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  EXPECT_EQ(maker.frames[0]->title, "Graph 1");
  ASSERT_NE(other.CreateFrame(doc), nullptr);
  EXPECT_EQ(doc->GetViews().size(), 2u);
  EXPECT_EQ(log, (std::vector<std::string>{"initial update Graph 1", "initial update Graph 1"}));

  // Not the last view: no question, the document stays.
  log.clear();
  EXPECT_TRUE(maker.frames[1]->Close());
  EXPECT_EQ(log, (std::vector<std::string>{"view", "frame"}));
  EXPECT_EQ(graph.GetDocuments().size(), 1u);

  // The last view: a veto keeps the window and the document.
  log.clear();
  static_cast<LogDoc*>(doc)->allowClose = false;
  EXPECT_FALSE(maker.frames[0]->Close());
  EXPECT_EQ(log, (std::vector<std::string>{"save modified"}));
  EXPECT_EQ(doc->GetViews().size(), 1u);

  log.clear();
  static_cast<LogDoc*>(doc)->allowClose = true;
  EXPECT_TRUE(maker.frames[0]->Close());
  EXPECT_EQ(log,
            (std::vector<std::string>{"save modified", "document work ends", "view", "frame", "document"}));
  EXPECT_TRUE(graph.GetDocuments().empty());

  // Titles count on.
  Document* second = graph.OpenNewDocument();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetTitle(), "Graph 2");
  EXPECT_TRUE(maker.frames[2]->Close());
}

TEST_F(DocumentViewTest, ChildFramePlacementRoundTripsInEveryShowState) {
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  LogFrameMaker unused;
  DocTemplate t(
      "Graph", [] { return std::make_unique<LogDoc>(); }, [] { return std::make_unique<LogView>(); });
  MdiFrameMaker maker(&area);
  t.SetFrameMaker(&maker);
  Document* doc = t.OpenNewDocument();
  ASSERT_NE(doc, nullptr);
  auto* frame = dynamic_cast<ChildFrame*>(doc->GetViews()[0]->GetFrame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->windowTitle(), "Graph 1");

  for (uint32_t show : {kShowNormal, kShowMinimized, kShowMaximized, kShowNormal}) {
    WindowPlacement p;
    p.flags = 0;
    p.showCmd = show;
    p.minPosition = {-1, -1};
    p.maxPosition = {-4, -23};
    p.normal = Rect{30 + int(show) * 10, 20, 430 + int(show) * 10, 320};
    frame->SetPlacement(p);
    QApplication::processEvents();
    EXPECT_EQ(frame->GetPlacement(), p) << "show state " << show;
    // Reading twice changes nothing (a close compares what it reads with what it saved).
    EXPECT_EQ(frame->GetPlacement(), frame->GetPlacement());
  }

  // Minimised then restored and activated.
  WindowPlacement min = frame->GetPlacement();
  min.showCmd = kShowMinimized;
  frame->SetPlacement(min);
  frame->RestoreAndActivate();
  QApplication::processEvents();
  EXPECT_FALSE(frame->isMinimized());
  EXPECT_EQ(area.activeSubWindow(), frame);
  EXPECT_EQ(frame->GetPlacement().normal, min.normal);

  ASSERT_TRUE(frame->Close());
  QApplication::processEvents();
  EXPECT_TRUE(t.GetDocuments().empty());
}

TEST_F(DocumentViewTest, FramesWalkFrontToBackAndCloseWithTheirDocument) {
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  DocTemplate t(
      "Graph", [] { return std::make_unique<LogDoc>(); }, [] { return std::make_unique<LogView>(); });
  MdiFrameMaker maker(&area);
  t.SetFrameMaker(&maker);
  Document* doc = t.OpenNewDocument();
  ASSERT_NE(doc, nullptr);
  View* second = t.CreateFrame(doc);
  View* third = t.CreateFrame(doc);
  ASSERT_TRUE(second && third);
  auto frameOf = [](View* v) { return dynamic_cast<ChildFrame*>(v->GetFrame()); };
  frameOf(second)->RestoreAndActivate();
  QApplication::processEvents();
  std::vector<ChildFrame*> order = ChildFrame::FramesFrontToBack(&area);
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], frameOf(second));
  EXPECT_EQ(order[1], frameOf(third));
  EXPECT_EQ(order[2], frameOf(doc->GetViews()[0]));

  // A veto keeps the last frame; then it goes with the document.
  static_cast<LogDoc*>(doc)->allowClose = false;
  EXPECT_TRUE(frameOf(second)->Close());
  EXPECT_TRUE(frameOf(third)->Close());
  ChildFrame* last = frameOf(doc->GetViews()[0]);
  EXPECT_FALSE(last->Close());
  QApplication::processEvents();
  EXPECT_EQ(ChildFrame::FramesFrontToBack(&area).size(), 1u);
  static_cast<LogDoc*>(doc)->allowClose = true;
  log.clear();
  EXPECT_TRUE(last->Close());
  QApplication::processEvents();
  EXPECT_TRUE(ChildFrame::FramesFrontToBack(&area).empty());
  EXPECT_EQ(log, (std::vector<std::string>{"save modified", "document work ends", "view", "document"}));
}

TEST_F(DocumentViewTest, ViewHearsFocusWithItsReason) {
  QMdiArea area;
  area.resize(600, 400);
  area.show();
  area.activateWindow();
  DocTemplate t(
      "Graph", [] { return std::make_unique<LogDoc>(); }, [] { return std::make_unique<LogView>(); });
  MdiFrameMaker maker(&area);
  t.SetFrameMaker(&maker);
  Document* doc = t.OpenNewDocument();
  ASSERT_NE(doc, nullptr);
  auto* view = static_cast<LogView*>(doc->GetViews()[0]);
  auto* widget = dynamic_cast<ChildFrame*>(view->GetFrame())->GetViewWidget();
  QApplication::processEvents();
  widget->clearFocus();
  QApplication::processEvents();
  view->focus.clear();
  widget->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  widget->clearFocus();
  QApplication::processEvents();
  ASSERT_GE(view->focus.size(), 2u);
  EXPECT_EQ(view->focus.front(), std::make_pair(true, FocusReason::Mouse));
  EXPECT_FALSE(view->focus.back().first);
  EXPECT_TRUE(widget->IsVisible());
  view->GetFrame()->Close();
}

}  // namespace
}  // namespace vt
