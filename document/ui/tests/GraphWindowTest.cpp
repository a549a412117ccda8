// The graph window over stored data: a row of a recording opens "Graph 1" through the graph
// template into an MDI area and its trend is painted (not one colour); a drag in the plot moves
// the cursors and the document sees them; the save prompt's roads (save, a save that did not
// happen, discard, cancel); the list and sheet views join the same document.
#include <gtest/gtest.h>

#include "document/tests/DocumentFixture.h"
#undef slots
#include <QDir>
#include <QMdiArea>
#include <QTest>

#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "gadget/GPageController.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "trend/GraphCursor.h"
#include "trend/NgWaveform.h"

namespace document_test {
namespace {

// A recording whose two channels have their own trace colours (red and blue, 0x00bbggrr) and
// scales that hold their values, so both traces are on the plot and can be told apart.
recgen::NewerFile TwoTraceRecording() {
  recgen::NewerFile m = RecordingFile(1, 1, 600, kBaseMs, 1000);
  m.channels[0].colour = 0x000000FF;
  m.channels[1].colour = 0x00FF0000;
  // The second channel's values run from -100 x 10^5 down to -699 x 10^5.
  m.channels[1].rawLow = m.channels[1].rawHigh = 0;
  m.channels[1].spanLow = -80000000, m.channels[1].spanHigh = 0;
  return m;
}

class GraphWindowTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    if (!g_rootMaster) {
      auto* master = new CGRootMaster;
      master->CreateManagers();
      RegisterSkinArt();
      static const SGSkinDescriptor skin = BuiltinSkinDescriptor();
      SetGadgetSkin(&skin);
    }
    area.resize(1000, 700);
    area.show();
    graph.SetFrameMaker(&maker);
    list.SetFrameMaker(&maker);
    sheet.SetFrameMaker(&maker);
  }
  void TearDown() override {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    DocumentTest::TearDown();
  }

  // A row of stored data displayed: a document with the recording's two channels in group 0.
  CVantrelDoc* OpenRow() {
    Store(TwoTraceRecording(), "A.DAE");
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    if (!doc) return nullptr;
    SVantrelGroupEntry e;
    e.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->SetModifiedFlag(false);
    return doc;
  }

  QMdiArea area;
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
  vt::DocTemplate sheet{"Graph", nullptr, [] { return std::make_unique<CVantrelSheetView>(); }};
};

vt::ChildFrame* FrameOf(vt::View* v) { return dynamic_cast<vt::ChildFrame*>(v->GetFrame()); }

// The plot of the graph view's panel in the view window's coordinates: its rectangle moved by
// the child offsets of the gadgets above it up to the root.
vt::Rect PlotInWindow(CVantrelGraphView* view) {
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  vt::Rect plot = panel->m_graph->m_screen->Rect();
  for (CGCore* c = panel->m_graph->m_screen->GetParent(); c && c != view->GetRoot(); c = c->GetParent())
    if (IsPrimitive(c)) {
      vt::Point o;
      static_cast<CGPrimitive*>(c)->GetChildOffset(&o);
      plot.left -= o.x, plot.right -= o.x, plot.top -= o.y, plot.bottom -= o.y;
    }
  return plot;
}

TEST_F(GraphWindowTest, ARowOpensGraphOneWithAPaintedTrend) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
  vt::ChildFrame* frame = FrameOf(view);
  frame->resize(900, 600);
  QApplication::processEvents();
  ASSERT_NE(view->GetGraphRoot()->FindPanel(), nullptr);
  const QImage image = frame->GetViewWidget()->FrontImage();
  ASSERT_FALSE(image.isNull());
  QDir().mkpath("artefacts/graphwindow");
  image.save("artefacts/graphwindow/graph1.png");
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 3);
  // Each channel's trace is in the plot, in the channel's own colour.
  const vt::Rect plot = PlotInWindow(view);
  int red = 0, blue = 0;
  for (int y = plot.top; y < plot.bottom; ++y)
    for (int x = plot.left; x < plot.right; ++x) {
      const QRgb p = image.pixel(x, y);
      red += p == qRgb(255, 0, 0), blue += p == qRgb(0, 0, 255);
    }
  const int width = plot.right - plot.left;
  EXPECT_GT(red, width / 2);
  EXPECT_GT(blue, width / 2);
  // The group's tab is wide enough for its name.
  CGTabPage* tab = view->GetGraphRoot()->GetPageController()->PageAt(0);
  vt::DeviceContext* dc = view->GetRoot()->GetBackDCPtr();
  ASSERT_NE(dc, nullptr);
  const vt::Font* old = dc->SelectFont(tab->m_font ? tab->m_font->GetFont() : nullptr);
  const int textWidth = dc->GetTextExtent(tab->m_title).cx;
  dc->SelectFont(old);
  EXPECT_EQ(tab->m_title, "Group 01");
  EXPECT_GE(tab->TabRect().right - tab->TabRect().left, textWidth);

  // The list and sheet views open on the same document.
  ASSERT_NE(list.CreateFrame(doc), nullptr);
  ASSERT_NE(sheet.CreateFrame(doc), nullptr);
  EXPECT_EQ(doc->GetViews().size(), 3u);
  EXPECT_EQ(vt::ChildFrame::FramesFrontToBack(&area).size(), 3u);
}

TEST_F(GraphWindowTest, ADragInThePlotMovesTheCursorsIntoTheDocument) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
  FrameOf(view)->resize(900, 600);
  QApplication::processEvents();
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  ASSERT_NE(panel, nullptr);
  const vt::Rect plot = PlotInWindow(view);
  QWidget* w = FrameOf(view)->GetViewWidget();
  const int y = (plot.top + plot.bottom) / 2;
  const int x0 = plot.left + (plot.right - plot.left) / 3;
  const int x1 = plot.left + 2 * (plot.right - plot.left) / 3;
  QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x0, y));
  QTest::mouseMove(w, QPoint((x0 + x1) / 2, y));
  QTest::mouseMove(w, QPoint(x1, y));
  QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x1, y));
  QApplication::processEvents();
  EXPECT_TRUE(doc->GetGadgetDocument()->HasCursor());
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(GraphWindowTest, SavePromptRoads) {
  struct Case {
    int answer;
    bool saves;
    bool closes;
    int notified;
  } cases[] = {{vt::kIdYes, true, true, 1},
               {vt::kIdYes, false, false, 0},
               {vt::kIdNo, false, true, 0},
               {vt::kIdCancel, false, false, 0}};
  for (const Case& c : cases) {
    CVantrelDoc doc;
    doc.SetTitle("Graph 1");
    doc.SetModifiedFlag(true);
    int saved = 0;
    doc.saveAs = [&] { return ++saved, c.saves; };
    vt::MessageBoxCapture capture(c.answer);
    EXPECT_EQ(doc.SaveModified(), c.closes) << c.answer;
    ASSERT_EQ(capture.Boxes().size(), 1u);
    EXPECT_EQ(capture.Boxes()[0].request.text, "Save changes to Graph 1?");
    EXPECT_EQ(saved, c.answer == vt::kIdYes ? 1 : 0);
  }
  // Unmodified: no question.
  CVantrelDoc doc;
  vt::MessageBoxCapture capture(vt::kIdCancel);
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_TRUE(capture.Boxes().empty());
}

}  // namespace
}  // namespace document_test
