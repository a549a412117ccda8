// The tool windows over a graph window of stored data: the statistics of a known recording (with
// over-range and lacking samples) equal a walk of its samples in every section; the exact
// clipboard text; the cursor-control window's step moves cursor A by the time box's step and the
// document and graph follow (and does nothing without a selected channel); switching the active
// graph window rebinds both windows; closing the bound document leaves both empty and usable;
// hidden windows do no work.
#include <gtest/gtest.h>

#include <cfloat>
#include <optional>

#include "document/testing/DocumentFixture.h"
#undef slots
#include <QApplication>
#include <QMdiArea>

#include "document/testing/RecordingGraphWindowHost.h"
#include "document/ui/CDlgCalculate.h"
#include "document/ui/CDlgCursorControl.h"
#include "document/ui/CGVTTimeLabelVolume.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "gadget/GLabel.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GSheet.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "recorder/SharedTimeZone.h"
#include "trend/GraphCursor.h"
#include "trend/NgWaveform.h"

namespace document_test {
namespace {

constexpr int kRecords = 400, kIntervalMs = 1000;

// Raw values the recorders reserve: over range either way, skipped, lacking.
constexpr int32_t kOver16 = 0x7FFF, kUnder16 = 0x8001 - 0x10000, kSkip16 = 0x7FFA,
                  kLacking16 = 0x8002 - 0x10000;
constexpr int32_t kOver32 = 0x7FFF7FFF, kLacking32 = int32_t(0x80028002u);

// A recording of two channels (16- and 32-bit) whose values go up and down, with reserved
// values planted, so that the extremes and the mean depend on which samples count; of min/max
// pairs when pairs is set.
recgen::NewerFile MixedRecording(uint32_t recording, bool pairs) {
  recgen::NewerFile m = RecordingFile(recording, 1, kRecords, kBaseMs, kIntervalMs, pairs ? 2 : 1);
  for (int r = 0; r < kRecords; ++r) {
    std::vector<int64_t>& v = m.records[size_t(r)].values;
    const int64_t a = (r * 37) % 101 - 50, b = ((r * 53) % 89 - 44) * 100000;
    if (pairs)
      v = {a - 3, a + 4, b - 700000, b + 500000};
    else
      v = {a, b};
  }
  auto plant = [&](int r, int slot, int64_t raw) { m.records[size_t(r)].values[size_t(slot)] = raw; };
  const int wide = pairs ? 2 : 1;
  plant(10, 0, kOver16), plant(11, 0, kUnder16), plant(12, 0, kSkip16), plant(200, 0, kLacking16);
  plant(20, wide, kOver32), plant(21, wide, kLacking32);
  if (pairs) plant(30, 1, kOver16);  // only the maximum of a pair
  return m;
}

// The figures a plain walk of the samples gives: every grid point of [t0, t1] read alone.
struct Walk {
  double min = DBL_MAX, max = -DBL_MAX, sum = 0;
  int64_t count = 0;
  void Add(double v) { min = std::min(min, v), max = std::max(max, v), sum += v, ++count; }
};
Walk BruteForce(CGVantrelNgChannel* c, TickTime t0, TickTime t1) {
  Walk w;
  if (t1 < t0) std::swap(t0, t1);
  for (TickTime t = c->GetStartTicks(); !(c->GetEndTicks() < t); t = t.PlusMilliseconds(c->GetIntervalMs())) {
    if (t < t0 || t1 < t) continue;
    PreciseTime p;
    t.ToTime64(&p.seconds, &p.fraction);
    if (c->GetDataKind() == DATA_PAIRS) {
      double low = 0, high = 0;
      uint16_t s = 0;
      c->ReadMinMaxAt(p, &low, &high, &s);
      if ((s >> 12) == 0) w.Add(low);
      if (((s >> 8) & 0xF) == 0) w.Add(high);
    } else {
      double v = 0;
      uint16_t s = 0;
      c->ReadValueAt(p, &v, &s);
      if ((s >> 12) == 0) w.Add(v);
    }
  }
  return w;
}

// A host that names the two tool windows.
class ToolHost : public RecordingGraphWindowHost {
 public:
  vt::WindowHandle GetCursorControlWindow() override { return cursorWindow; }
  vt::WindowHandle GetStatisticsWindow() override { return statisticsWindow; }
  vt::WindowHandle cursorWindow = 0, statisticsWindow = 0;
};

class ToolWindowsTest : public DocumentTest {
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
    previousDesktop_ = vt::InstallDesktop(desktop);
    area.resize(900, 600);
    area.show();
    graph.SetFrameMaker(&maker);
    cursor = std::make_unique<CDlgCursorControl>(0);
    statistics = std::make_unique<CDlgCalculate>(0);
    host.cursorWindow = cursor->GetSafeHwnd();
    host.statisticsWindow = statistics->GetSafeHwnd();
    cursor->ShowWindow(true);
    statistics->ShowWindow(true);
  }
  void TearDown() override {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    cursor.reset();
    statistics.reset();
    vt::InstallDesktop(previousDesktop_);
    DocumentTest::TearDown();
  }

  // A graph window over the recording (both channels in group 0), painted.
  CVantrelDoc* Open(const recgen::NewerFile& model, const std::string& name) {
    Store(model, name + ".DAE");
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    if (!doc) return nullptr;
    vt::SVantrelGroupEntry e;
    const std::string guid = RecordingGuid(model.guidData1).ToText();
    e.keys = {{guid, 1, -1}, {guid, 2, -1}};
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->GetGadgetDocument()->m_graphName = name;
    doc->SetModifiedFlag(false);
    auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
    dynamic_cast<vt::ChildFrame*>(view->GetFrame())->resize(800, 500);
    QApplication::processEvents();
    return doc;
  }

  CGVTCalculate* Calc() const { return statistics->GetRoot()->Calculate(); }
  CGVTCursorControl* Control() const { return cursor->GetRoot()->Control(); }

  std::shared_ptr<vt::FakeDesktop> desktop = std::make_shared<vt::FakeDesktop>();
  ToolHost host;
  vt::MessageBoxCapture boxes;
  QMdiArea area;
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  std::unique_ptr<CDlgCursorControl> cursor;
  std::unique_ptr<CDlgCalculate> statistics;

 private:
  std::shared_ptr<vt::Desktop> previousDesktop_;
};

TEST_F(ToolWindowsTest, StatisticsEqualAWalkOfTheSamples) {
  const TickTime start = MsTime(kBaseMs), end = MsTime(kBaseMs + (kRecords - 1) * kIntervalMs);
  struct Case {
    const char* what;
    std::optional<TickTime> a, b;
  };
  const Case cases[] = {
      {"whole data, no cursor", std::nullopt, std::nullopt},
      {"A before B", MsTime(kBaseMs + 5000), MsTime(kBaseMs + 250000)},
      {"B before A", MsTime(kBaseMs + 250000), MsTime(kBaseMs + 5000)},
      {"between samples", MsTime(kBaseMs + 9500), MsTime(kBaseMs + 30400)},
      {"only special samples", MsTime(kBaseMs + 10000), MsTime(kBaseMs + 12000)},
      {"past the data's end", MsTime(kBaseMs + 390000), MsTime(kBaseMs + 900000)},
  };
  for (bool pairs : {false, true}) {
    CVantrelDoc* doc = Open(MixedRecording(pairs ? 21 : 20, pairs), pairs ? "P" : "S");
    ASSERT_NE(doc, nullptr);
    CGVantrelDoc* d = doc->GetGadgetDocument();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (pairs ? " (pairs)" : " (single values)"));
      if (c.a)
        d->SetCursors(c.a, c.b);
      else
        d->EraseCursors();
      statistics->SetDocument(d);
      CGVTCalculate* calc = Calc();
      ASSERT_EQ(calc->m_lineCount, 2);
      for (int line = 0; line < 2; ++line) {
        CGVantrelNgChannel* ch = d->GetCurrentGroup()->GetChannel(line);
        const Walk w = BruteForce(ch, c.a ? *c.a : start, c.b ? *c.b : end);
        const int state = w.count ? 0 : 3;
        ASSERT_EQ(ch->GetDataKind(), pairs ? DATA_PAIRS : DATA_SINGLE);
        EXPECT_EQ(calc->m_columns[0]->Status(line), state) << line;
        EXPECT_EQ(calc->m_columns[1]->Status(line), state) << line;
        EXPECT_EQ(calc->m_columns[2]->Status(line), state) << line;
        EXPECT_EQ(calc->m_columns[3]->Status(line), pairs ? 3 : state) << line;
        if (!w.count) continue;
        EXPECT_EQ(calc->m_columns[0]->m_values[size_t(line)], w.min) << line;
        EXPECT_EQ(calc->m_columns[1]->m_values[size_t(line)], w.max) << line;
        EXPECT_EQ(calc->m_columns[2]->m_values[size_t(line)], w.max - w.min) << line;
        if (!pairs) {
          EXPECT_EQ(calc->m_columns[3]->m_values[size_t(line)], w.sum / double(w.count)) << line;
        }
      }
      EXPECT_FALSE(calc->m_busy);
    }
  }
}

TEST_F(ToolWindowsTest, TheClipboardGetsTheTableAsItStandsAndCtrlCCopiesOnce) {
  CVantrelDoc* doc = Open(MixedRecording(30, false), "S");
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  d->SetCursors(MsTime(kBaseMs + 9000), MsTime(kBaseMs + 13000));
  statistics->SetDocument(d);
  // Records 10-12 of channel 1 are +OVER, -OVER and skipped: only 9 and 13 count.
  const std::string expected =
      "Section\t2023/11/14 22:13:29.000\r\n"
      "\t\t2023/11/14 22:13:33.000\r\n"
      "Channel number\tMIN\tMAX\tP-P\tAVE\t\r\n"
      "CH001[]\t-20\t27\t47\t4\t\r\n"
      "CH002[]\t-3100000\t4100000\t7200000\t500000\t\r\n";
  EXPECT_EQ(Calc()->GetStatisticsText(), expected);
  desktop->keysDown = {vt::kVkControl};
  statistics->GetRoot()->OnKeyDown('C', 1, 0);
  EXPECT_EQ(desktop->clipboardText, expected);
  // Held down, the key repeats: only the first press copies.
  desktop->clipboardText.reset();
  statistics->GetRoot()->OnKeyDown('C', 2, 0);
  EXPECT_FALSE(desktop->clipboardText);

  // Moving a cursor elsewhere empties the figures and times; moving it back does not.
  d->SetCursors(MsTime(kBaseMs + 9000), MsTime(kBaseMs + 14000));
  d->UpdateAll(HINT_CURSOR_B, d);
  EXPECT_EQ(
      Calc()->GetStatisticsText(),
      "Section\t\r\n\t\t\r\nChannel number\tMIN\tMAX\tP-P\tAVE\t\r\nCH001[]\t\t\t\t\t\r\nCH002[]\t\t\t\t\t\r\n");
}

TEST_F(ToolWindowsTest, TheTimeBoxStepMovesCursorAAndTheDocumentAndGraphFollow) {
  CVantrelDoc* doc = Open(MixedRecording(40, false), "S");
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  d->SetCursors(MsTime(kBaseMs + 100000), MsTime(kBaseMs + 250000));
  d->AttachRepeaters();
  CGVTCursorControl* control = Control();
  ASSERT_EQ(control->GetDocument(), d);
  EXPECT_EQ(control->m_sheet->m_lineCount, 4);
  EXPECT_EQ(control->m_timeA->GetStep(), kIntervalMs);
  // A single-value channel leaves its upper line empty; the lower holds the values at A and B.
  EXPECT_EQ(control->m_valueA->Status(0), 3);
  EXPECT_EQ(control->m_valueA->m_values[1], double((100 * 37) % 101 - 50));
  EXPECT_EQ(control->m_difference->m_values[1],
            double((250 * 37) % 101 - 50) - double((100 * 37) % 101 - 50));

  auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  ASSERT_NE(panel, nullptr);
  doc->SetModifiedFlag(false);
  control->m_timeA->TimeUpButton()->OnClick();
  EXPECT_EQ(d->GetCursorATime().ticks, MsTime(kBaseMs + 101000).ticks);
  EXPECT_EQ(d->GetCursorBTime().ticks, MsTime(kBaseMs + 250000).ticks);
  EXPECT_TRUE(doc->IsModified());
  PreciseTime a;
  MsTime(kBaseMs + 101000).ToTime64(&a.seconds, &a.fraction);
  EXPECT_EQ(panel->m_graph->m_screen->m_cursor->m_timeA.seconds, a.seconds);
  EXPECT_EQ(control->m_timeA->GetTime().ticks, MsTime(kBaseMs + 101000).ticks);
  EXPECT_EQ(control->m_valueA->m_values[1], double((101 * 37) % 101 - 50));
  control->m_timeA->TimeDownButton()->OnClick();
  control->m_timeA->TimeDownButton()->OnClick();
  EXPECT_EQ(d->GetCursorATime().ticks, MsTime(kBaseMs + 99000).ticks);

  // Without a selected channel a step leaves the cursor where it is.
  d->GetCurrentGroup()->SetSelectedChannelIndex(-1);
  control->m_timeA->TimeUpButton()->OnClick();
  EXPECT_EQ(d->GetCursorATime().ticks, MsTime(kBaseMs + 99000).ticks);
}

TEST_F(ToolWindowsTest, BothWindowsFollowTheActiveGraphWindowAndForgetAClosedOne) {
  CVantrelDoc* first = Open(MixedRecording(50, false), "First");
  CVantrelDoc* second = Open(MixedRecording(51, true), "Second");
  ASSERT_TRUE(first && second);
  first->GetGadgetDocument()->SetCursors(MsTime(kBaseMs + 1000), MsTime(kBaseMs + 2000));
  first->GetGadgetDocument()->AttachRepeaters();
  statistics->SetDocument(first->GetGadgetDocument());
  EXPECT_EQ(Control()->GetDocument(), first->GetGadgetDocument());
  EXPECT_EQ(statistics->GetWindowText(), "Statistics[First:Group 01]");
  EXPECT_EQ(cursor->GetWindowText(), "Control[First:Group 01]");
  EXPECT_EQ(Calc()->m_lineCount, 2);

  // The other window becomes active: both windows follow it, the statistics empty until Re-Calc.
  second->GetGadgetDocument()->AttachRepeaters();
  EXPECT_EQ(Control()->GetDocument(), second->GetGadgetDocument());
  EXPECT_EQ(cursor->GetWindowText(), "Control[Second:Group 01]");
  EXPECT_EQ(Calc()->GetDocument(), second->GetGadgetDocument());
  EXPECT_EQ(statistics->GetWindowText(), "Statistics[Second:Group 01]");
  EXPECT_EQ(Calc()->m_lineCount, 0);
  EXPECT_EQ(Control()->m_lines->LineKind(0), DATA_PAIRS);

  // Closing it leaves both windows empty, and they still work for the other one.
  vt::ChildFrame* frame = dynamic_cast<vt::ChildFrame*>(second->GetViews()[0]->GetFrame());
  second->SetModifiedFlag(false);
  frame->close();
  QApplication::processEvents();
  EXPECT_EQ(Control()->GetDocument(), nullptr);
  EXPECT_EQ(Control()->m_sheet->m_lineCount, 0);
  EXPECT_EQ(Calc()->GetDocument(), nullptr);
  EXPECT_EQ(cursor->GetWindowText(), "Control");
  EXPECT_EQ(statistics->GetWindowText(), "Statistics");
  first->GetGadgetDocument()->AttachRepeaters();
  statistics->SetDocument(first->GetGadgetDocument());
  EXPECT_EQ(Control()->m_sheet->m_lineCount, 4);
  EXPECT_EQ(Calc()->m_lineCount, 2);
}

TEST_F(ToolWindowsTest, HiddenWindowsDoNoWorkButNeverKeepADocument) {
  CVantrelDoc* doc = Open(MixedRecording(60, false), "S");
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  d->SetCursors(MsTime(kBaseMs + 1000), MsTime(kBaseMs + 2000));
  d->AttachRepeaters();
  cursor->ShowWindow(false);
  statistics->ShowWindow(false);
  const std::string before = Control()->m_timeA->m_text;
  d->SetCursors(MsTime(kBaseMs + 5000), MsTime(kBaseMs + 6000));
  d->UpdateAll(HINT_CURSOR_A, d);
  EXPECT_EQ(Control()->m_timeA->m_text, before);
  d->UpdateAll(HINT_STATISTICS, d);
  EXPECT_EQ(Calc()->m_lineCount, 0);
  // A document going while the windows are hidden is forgotten all the same.
  d->DetachRepeaters();
  EXPECT_EQ(Control()->GetDocument(), nullptr);
  EXPECT_EQ(Calc()->GetDocument(), nullptr);
}

}  // namespace
}  // namespace document_test
