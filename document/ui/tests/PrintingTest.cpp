// Printing a graph window: the graph's pages with their header in a PDF (page count, "1/n", the
// graph name; the file and a picture of its first page are left in artefacts/app), the pen widths
// on a 600 dpi page, the print colour reaching the Y axes and the sheet's cells, the sheet's own
// page counting beyond 65,500 pages, the list's pages, and direct printing without any printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "document/testing/DocumentFixture.h"
#undef slots
#include <QApplication>
#include <QMdiArea>

#include "document/ui/CDlgCalculate.h"
#include "document/ui/CDlgCursorControl.h"
#include "document/ui/CGVantrelPrintRoots.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "platform/gui/testing/PdfPrintTarget.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "testing/TempFolder.h"
#include "trend/Axis.h"
#include "trend/GraphBody.h"
#include "trend/GraphData.h"
#include "trend/NgSheet.h"
#include "trend/NgWaveform.h"
#include "trend/TimeAxis.h"
#include "trend/YAxisStrip.h"
#include "trend/testing/FakeNgRows.h"
#include "trend/testing/NgSheetArt.h"

namespace document_test {
namespace {

enum : int { kPrint = 57607, kPrintDirect = 57608 };
constexpr vt::ColorRef kRed = 0x000000FF, kGreen = 0x0000A000;

// The pixels of colour inside r, looking at every column from r.left to right.
int CountPixels(const vt::Bitmap& pixels, const vt::Rect& r, int right, vt::ColorRef colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < std::min(right, r.right); ++x)
      if ((pixels.GetPixel(x, y) & 0xFFFFFF) == colour) ++n;
  return n;
}

class PrintingTest : public DocumentTest {
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
    graph.SetFrameMaker(&maker);
    list.SetFrameMaker(&maker);
  }
  void TearDown() override {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    DocumentTest::TearDown();
  }

  // A graph window over one recording of `seconds` one-second samples in group 0.
  CVantrelGraphView* OpenGraph(int seconds) {
    // Two channels in colours of their own, each on a scale that holds its values.
    recgen::NewerFile model = RecordingFile(1, 1, seconds, kBaseMs, 1000);
    model.channels[0].colour = kRed;
    model.channels[1].colour = kGreen;
    model.channels[1].decimals = 5;
    model.channels[1].spanLow = -100000000;
    model.channels[1].spanHigh = 0;
    Store(model, "A.DAE");
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    if (!doc) return nullptr;
    vt::SVantrelGroupEntry e;
    e.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->GetGadgetDocument()->m_graphName = "Graph 1";
    doc->SetModifiedFlag(false);
    auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
    dynamic_cast<vt::ChildFrame*>(view->GetFrame())->resize(900, 600);
    QApplication::processEvents();
    return view;
  }

  static CGVantrelDoc* Gadgets(vt::View* view) {
    return static_cast<CVantrelDoc*>(view->GetDocument())->GetGadgetDocument();
  }

  QMdiArea area;
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
};

TEST_F(PrintingTest, AGraphPrintsItsPagesWithTheHeader) {
  // Two hours and a minute of data at one hour a page: three pages.
  CVantrelGraphView* view = OpenGraph(2 * 3600 + 60);
  ASSERT_NE(view, nullptr);
  vt::SPrintSettings settings = Gadgets(view)->GetPrintSettings();
  settings.pageSpan = 1;
  settings.printedGroups[0] = 1;
  Gadgets(view)->SetPrintSettings(settings);

  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  dialogs.QueuePrint(vt::PrintRange::All);
  // The print root's own count, taken when the job begins.
  int counted = -1;
  struct Spy : vt::PrintClient {
    CVantrelGraphView* view;
    int* counted;
    bool OnPreparePrinting(vt::PrintInfo& i) override { return view->OnPreparePrinting(i); }
    void OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& i) override {
      view->OnBeginPrinting(dc, i);
      *counted = view->GetPrintRoot()->GetPageCount();
    }
    void OnPrint(vt::DeviceContext* dc, vt::PrintInfo& i) override { view->OnPrint(dc, i); }
    void OnEndPrinting(vt::DeviceContext* dc, vt::PrintInfo& i) override { view->OnEndPrinting(dc, i); }
  } spy;
  spy.view = view;
  spy.counted = &counted;
  vt::PrintInfo info;
  ASSERT_EQ(vt::RunPrintJob(spy, info), vt::PrintOutcome::Printed);
  EXPECT_EQ(view->GetPrintRoot(), nullptr);  // the job's root went with the job
  ASSERT_EQ(target.Files().size(), 1u);
  const std::string pdf = target.Files()[0];
  EXPECT_EQ(counted, 3);
  EXPECT_EQ(vt::PdfPageCount(pdf), counted);
  const std::string first = vt::PdfText(pdf, 1, 1), last = vt::PdfText(pdf, 3, 3);
  EXPECT_NE(first.find("1/3"), std::string::npos) << first;
  EXPECT_NE(first.find("Graph 1"), std::string::npos) << first;
  EXPECT_NE(first.find("Graph name"), std::string::npos) << first;
  EXPECT_NE(last.find("3/3"), std::string::npos) << last;
  // The Y scales reach the paper with their numbers.
  for (const char* number : {"1000", "-1000", "800", "-200"})
    EXPECT_NE(first.find(number), std::string::npos) << number << "\n" << first;

  // The printed file and its first page are kept for a look by eye.
  const std::filesystem::path out = std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "app";
  std::filesystem::create_directories(out);
  std::filesystem::copy_file(pdf, out / "graph-print.pdf", std::filesystem::copy_options::overwrite_existing);
  EXPECT_TRUE(vt::PdfFirstPageToPng(pdf, (out / "graph-print.png").string(), 60));

  // The view's own command goes the same road.
  dialogs.QueuePrint(vt::PrintRange::Pages, 2, 2);
  ASSERT_TRUE(view->OnCommand(kPrint));
  ASSERT_EQ(target.Files().size(), 2u);
  EXPECT_EQ(vt::PdfPageCount(target.Files()[1]), 1);
  EXPECT_NE(vt::PdfText(target.Files()[1]).find("2/3"), std::string::npos);
}

TEST_F(PrintingTest, PenWidthsAndPrintColourFollowThePrinter) {
  CVantrelGraphView* view = OpenGraph(600);
  ASSERT_NE(view, nullptr);
  CGVantrelDoc* doc = Gadgets(view);
  doc->UpdatePrintGroups();
  // A4 at 600 dots per inch, 210 mm wide: 23.6 pixels a millimetre.
  vt::RecordingDc paper(4960, 7016, 600);
  ASSERT_EQ(paper.GetDeviceCaps(vt::DeviceCap::HorzSize), 210);
  struct Case {
    int16_t thickness, colour;
    int trace, inColour;
  };
  for (const Case c : {Case{0, 0, 2, 1}, Case{2, 1, 8, 0}, Case{4, 0, 24, 1}}) {
    vt::SPrintSettings s = doc->GetPrintSettings();
    s.thickness = c.thickness;
    s.colour = c.colour;
    s.printedGroups[0] = 1;
    doc->SetPrintSettings(s);
    CGVantrelGraphPrintRoot root(doc);
    vt::PrintInfo info;
    root.BeginPrinting(&paper, &info);
    EXPECT_EQ(GetPrintScale(), 5);
    EXPECT_EQ(root.m_traceWidth, c.trace) << c.thickness;
    EXPECT_EQ(root.m_thinWidth, 2);
    EXPECT_EQ(g_printInColour, c.inColour);
    EXPECT_EQ(info.maxPage, root.GetPageCount());
    paper.Clear();
    info.currentPage = 1;
    root.Print(&paper, &info);
    // Every trace of the printed panel carries the trace pen; nothing is drawn thinner than a
    // pixel.
    ASSERT_NE(root.GetPanel(), nullptr);
    CGNgGraphScreen* screen = root.GetPanel()->m_graph->m_screen;
    for (int i = 0; i < 2; ++i) EXPECT_EQ(screen->GetTrace(i)->m_printPenWidth, c.trace) << c.thickness;
    for (const vt::DcRecord& r : paper.Records()) EXPECT_GE(r.penWidth, 1);
    // ... and the lines drawn in each trace's colour are that wide.
    for (const vt::ColorRef colour : {kRed, kGreen}) {
      int lines = 0;
      for (const vt::DcRecord& r : paper.RecordsOf(vt::DcOp::Polyline))
        if ((r.color & 0xFFFFFF) == colour) {
          ++lines;
          EXPECT_EQ(r.penWidth, c.trace) << c.thickness;
        }
      EXPECT_GT(lines, 0) << std::hex << colour;
    }
    root.EndPrinting(&paper, &info);
    EXPECT_EQ(root.GetHeader(), nullptr);
  }
}

TEST_F(PrintingTest, APrintedPageShowsTracesYScalesAndTimeLabelsApart) {
  CVantrelGraphView* view = OpenGraph(600);
  ASSERT_NE(view, nullptr);
  CGVantrelDoc* doc = Gadgets(view);
  doc->UpdatePrintGroups();
  vt::SPrintSettings settings = doc->GetPrintSettings();
  settings.printedGroups[0] = 1;
  doc->SetPrintSettings(settings);
  vt::RecordingDc paper(4960, 7016, 600);
  CGVantrelGraphPrintRoot root(doc);
  vt::PrintInfo info;
  root.BeginPrinting(&paper, &info);
  info.currentPage = 1;
  root.Print(&paper, &info);
  ASSERT_NE(root.GetPanel(), nullptr);
  CGNgGraph* graph = root.GetPanel()->m_graph;

  // Both traces reach the paper inside the plot area (ten minutes of an hour's page: its
  // first sixth).
  vt::Rect plot;
  graph->m_screen->GetAbsolutePrintRect(&plot);
  ASSERT_GT(plot.Width(), 1000);
  ASSERT_GT(plot.Height(), 1000);
  const int dataRight = plot.left + plot.Width() / 5;
  EXPECT_GT(CountPixels(paper.Pixels(), plot, dataRight, kRed), 500);
  EXPECT_GT(CountPixels(paper.Pixels(), plot, dataRight, kGreen), 500);

  // The Y scales: their numbers are drawn inside the strip, and ink reaches its pixels.
  vt::Rect strip;
  root.GetPanel()->GetYAxisManager()->GetAbsolutePrintRect(&strip);
  ASSERT_GT(strip.Width(), 100);
  std::vector<std::string> numbers;
  for (const vt::DcRecord& r : paper.RecordsOf(vt::DcOp::TextOut))
    if (strip.Contains(r.points[0]) && r.text.find("00") != std::string::npos) {
      numbers.push_back(r.text);
      EXPECT_TRUE(r.clip && r.clip->Contains(vt::Point{r.points[0].x - 1, r.points[0].y - 1})) << r.text;
    }
  EXPECT_GE(numbers.size(), 6u);
  // Printing in colour, each axis is in its channel's colour.
  EXPECT_GT(CountPixels(paper.Pixels(), strip, strip.right, kRed), 200);
  EXPECT_GT(CountPixels(paper.Pixels(), strip, strip.right, kGreen), 200);

  // The time labels stand apart: no two of their text boxes overlap.
  CGNgTAxis* axis = graph->m_timeAxis;
  vt::Rect axisRect;
  axis->GetAbsolutePrintRect(&axisRect);
  const vt::Font* previous = paper.SelectFont(axis->PrintLabelFont());
  std::vector<std::pair<int, int>> spans;
  for (const vt::DcRecord& r : paper.RecordsOf(vt::DcOp::TextOut))
    if (r.points[0].y == axisRect.bottom && r.textAlign == (vt::kTaCenter | vt::kTaTop)) {
      const int w = paper.GetTextExtent(r.text).cx;
      spans.emplace_back(r.points[0].x - w / 2, r.points[0].x + (w + 1) / 2);
    }
  paper.SelectFont(previous);
  ASSERT_GE(spans.size(), 3u);
  std::sort(spans.begin(), spans.end());
  for (size_t i = 1; i < spans.size(); ++i) EXPECT_LE(spans[i - 1].second, spans[i].first) << i;
  root.EndPrinting(&paper, &info);
}

TEST_F(PrintingTest, OpenToolWindowsPrintAboveTheGraphAndHiddenOnesNot) {
  CVantrelGraphView* view = OpenGraph(2 * 3600 + 60);
  ASSERT_NE(view, nullptr);
  CGVantrelDoc* doc = Gadgets(view);
  vt::SPrintSettings settings = doc->GetPrintSettings();
  settings.pageSpan = 1;
  settings.printedGroups[0] = 1;
  doc->SetPrintSettings(settings);
  CDlgCursorControl cursor(0);
  CDlgCalculate statistics(0);
  ASSERT_NE(cursor.GetRoot(), nullptr);
  ASSERT_NE(statistics.GetRoot(), nullptr);
  vt::RecordingDc paper(4960, 7016, 600);
  struct Case {
    bool cursorShown, statisticsShown;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
    auto cursorTool = std::make_unique<DialogPrintTool>(&cursor, cursor.GetRoot());
    auto statisticsTool = std::make_unique<DialogPrintTool>(&statistics, statistics.GetRoot());
    SetGraphPrintTools(cursorTool.get(), statisticsTool.get());
    cursor.ShowWindow(c.cursorShown);
    statistics.ShowWindow(c.statisticsShown);
    CGVantrelGraphPrintRoot root(doc);
    vt::PrintInfo info;
    root.BeginPrinting(&paper, &info);
    // Both fit on an A4 page above the graph: no pages of their own.
    EXPECT_EQ(root.GetPageCount(), 3) << c.cursorShown << c.statisticsShown;
    EXPECT_TRUE(root.m_combined);
    paper.Clear();
    info.currentPage = 2;
    root.Print(&paper, &info);
    std::string text;
    for (const vt::DcRecord& r : paper.RecordsOf(vt::DcOp::TextOut)) text += r.text + "\n";
    EXPECT_EQ(text.find("Cursor A") != std::string::npos, c.cursorShown) << text;
    EXPECT_EQ(text.find("AVE") != std::string::npos, c.statisticsShown) << text;
    EXPECT_NE(text.find("2/3"), std::string::npos);
    // The graph moves down below the tools.
    vt::Rect panel;
    root.GetPanel()->GetAbsolutePrintRect(&panel);
    const int top = panel.top;
    EXPECT_EQ(top > 2000, c.cursorShown || c.statisticsShown) << top;
    root.EndPrinting(&paper, &info);
    cursor.ShowWindow(false);
    statistics.ShowWindow(false);
  }
  // The tools went with their holders: printing now leaves them out.
  CGVantrelGraphPrintRoot root(doc);
  vt::PrintInfo info;
  cursor.ShowWindow(true);
  root.BeginPrinting(&paper, &info);
  EXPECT_EQ(root.GetPageCount(), 3);
  root.EndPrinting(&paper, &info);
}

// A job over a print root alone (no view): the sheet of computed rows.
struct RootJob : vt::PrintClient {
  CGRoot* root;
  bool OnPreparePrinting(vt::PrintInfo& i) override { return vt::DoPreparePrinting(i, 0); }
  void OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& i) override { root->BeginPrinting(dc, &i); }
  void OnPrint(vt::DeviceContext* dc, vt::PrintInfo& i) override { root->Print(dc, &i); }
  void OnEndPrinting(vt::DeviceContext* dc, vt::PrintInfo& i) override { root->EndPrinting(dc, &i); }
};

TEST_F(PrintingTest, TheSheetCountsItsOwnPagesBeyondTheDialogsRange) {
  vt_test::RegisterNgSheetArt();
  SetNgSheetSkin(DefaultNgSheetSkin());
  SetNgSheetBitmaps(DefaultNgSheetBitmaps());
  const PreciseTime start{1273478400, 0.0};
  vt_test::FakeNgRows rows(start, 1.0, 5242880);
  vt_test::FakeRowChannel channel;
  channel.samples = 5242880;
  channel.value = [](int64_t i) { return double(i % 1000); };
  CGNgChannel* channels[] = {&channel};
  vt::CGVantrelSheetPrintRoot root(nullptr, 1, channels, &rows);
  RootJob job;
  job.root = &root;

  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  struct Case {
    int from, to, pages, own;
  };
  // Far beyond 65,500 the root counts; a to page of 0 prints the from page only; a from page
  // beyond the pages prints nothing (one empty page of the job).
  for (const Case c :
       {Case{70000, 70010, 11, 1}, Case{70000, 0, 1, 1}, Case{12, 0, 1, 0}, Case{3, 5, 3, 0}}) {
    dialogs.QueuePrint(vt::PrintRange::Pages, c.from, c.to);
    vt::PrintInfo info;
    ASSERT_EQ(vt::RunPrintJob(job, info), vt::PrintOutcome::Printed);
    EXPECT_EQ(root.m_ownCounting, c.own == 1) << c.from;
    EXPECT_GT(root.GetPageCount(), 70010);
    EXPECT_EQ(vt::PdfPageCount(target.Files().back()), c.pages) << c.from << "-" << c.to;
  }
  // The rows of page 70,000: the first printed row lies (70,000 - 1) pages of rows down.
  dialogs.QueuePrint(vt::PrintRange::Pages, 70000, 70000);
  vt::PrintInfo info;
  ASSERT_EQ(vt::RunPrintJob(job, info), vt::PrintOutcome::Printed);
  int first = 0, last = 0;
  root.GetSheet()->GetPrintLineRange(&first, &last);
  const int perPage = root.GetSheet()->m_pageStepY / root.GetSheet()->m_printLineHeight;
  ASSERT_GT(perPage, 0);
  const int row = (70000 - 1) * perPage;
  const std::string text = vt::PdfText(target.Files().back());
  EXPECT_NE(text.find(std::to_string(row % 1000) + ".00"), std::string::npos) << text.substr(0, 400);
}

TEST_F(PrintingTest, TheSheetCellsPrintInTheChannelColourOnlyWhenAskedTo) {
  vt_test::RegisterNgSheetArt();
  SetNgSheetSkin(DefaultNgSheetSkin());
  const PreciseTime start{1273478400, 0.0};
  vt_test::FakeNgRows rows(start, 1.0, 20);
  vt_test::FakeRowChannel channel;
  channel.samples = 20;
  channel.colour = 0x000000FF;
  CGNgChannel* channels[] = {&channel};
  for (const int colour : {0, 1}) {
    vt::CGVantrelSheetPrintRoot root(nullptr, 1, channels, &rows);
    vt::RecordingDc paper(1181, 1600, 600);
    vt::PrintInfo info;
    info.preview = true;
    root.BeginPrinting(&paper, &info);
    root.GetSheet()->SetPrintColour(colour == 0 ? 1 : 0);
    info.currentPage = 1;
    root.Print(&paper, &info);
    int red = 0;
    for (const vt::DcRecord& r : paper.RecordsOf(vt::DcOp::TextOut))
      if ((r.color & 0xFFFFFF) == 0x0000FF) ++red;
    if (colour == 0)
      EXPECT_GE(red, 10);
    else
      EXPECT_EQ(red, 0);
  }
}

TEST_F(PrintingTest, DirectPrintWithoutAPrinterSaysSoAndChangesNothing) {
  CVantrelGraphView* view = OpenGraph(600);
  ASSERT_NE(view, nullptr);
  CGVantrelDoc* doc = Gadgets(view);
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path(), false);
  vt::MessageBoxCapture boxes;
  vt::ScriptedCommonDialogs dialogs;
  const int pages = doc->CountPrintPages();
  ASSERT_TRUE(view->OnCommand(kPrintDirect));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("No printer"), std::string::npos);
  EXPECT_TRUE(dialogs.PrintRequests().empty());
  EXPECT_TRUE(target.Files().empty());
  EXPECT_EQ(view->GetPrintRoot(), nullptr);
  EXPECT_EQ(doc->CountPrintPages(), pages);
  EXPECT_EQ(doc->CountGroupsWithData(), 1);
}

TEST_F(PrintingTest, TheAlarmListPrintsAtLeastOnePageWithItsCaptions) {
  CVantrelGraphView* view = OpenGraph(600);
  ASSERT_NE(view, nullptr);
  auto* listView = static_cast<CVantrelListView*>(list.CreateFrame(view->GetDocument()));
  ASSERT_NE(listView, nullptr);
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  dialogs.QueuePrint(vt::PrintRange::All);
  ASSERT_TRUE(listView->OnCommand(kPrint));
  ASSERT_EQ(target.Files().size(), 1u);
  EXPECT_EQ(vt::PdfPageCount(target.Files()[0]), 1);
  const std::string text = vt::PdfText(target.Files()[0]);
  EXPECT_NE(text.find("1/1"), std::string::npos) << text;
  EXPECT_NE(text.find("Channel number"), std::string::npos) << text;
}

}  // namespace
}  // namespace document_test
