// Marks and their notes: records in and out (bounded copies, cut texts, the caller's capacity),
// visibility at the edges of the shown range, anchors and flag shapes, the front order, the
// pooled double-click handlers, the note wrap, positions, heights, toggles and drag clamps.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gui/RecordingDc.h"
#include "trend/MarkNotes.h"
#include "trend/Marks.h"
#include "trend/tests/GraphTestEnv.h"

namespace {

int g_markEvents = 0, g_noteEvents = 0, g_otherEvents = 0;
void CountMark(CGPrimitive*, int, int) { ++g_markEvents; }
void CountNote(CGPrimitive*, int, int) { ++g_noteEvents; }
void CountOther(CGPrimitive*, int, int) { ++g_otherEvents; }
// What the graph window does with a mark brought to the front: it links it as the first child.
void LinkFirst(CGPrimitive* mark, int, int) {
  CGCore* parent = mark->GetParent();
  mark->Detach();
  mark->LinkAsFirstChild(parent);
}

const PreciseTime kStart{1000000000, 0};

class MarksTest : public trend_test::GraphEnv {
 protected:
  void SetUp() override {
    GraphEnv::SetUp();
    marks = graph->m_marks;
    ASSERT_NE(marks, nullptr);
    graph->SetVisibleRange(kStart, At(727));  // one second per pixel
    g_markEvents = g_noteEvents = g_otherEvents = 0;
    NgMarkEventHook = CountMark;
    NgMarkNoteEventHook = CountNote;
  }
  void TearDown() override {
    NgMarkEventHook = NgMarkNoteEventHook = NgMarkFrontHook = nullptr;
    GraphEnv::TearDown();
  }
  static PreciseTime At(double s) { return PreciseTime::AddSeconds(kStart, s); }
  static SNgMarkData Record(int id, int shape, double at, const char* label, uint32_t colour) {
    SNgMarkData r;
    r.id = id, r.markKind = shape, r.time = At(at), r.colour = colour;
    std::strncpy(r.label, label, sizeof r.label - 1);
    return r;
  }
  static SNgMarkData WithNote(SNgMarkData r, int kind, int position, double value, const char* comment) {
    r.noteCount = 1;
    r.note.kind = int16_t(kind), r.note.position = position, r.note.value = value;
    std::strcpy(r.note.title, "Title");
    std::strncpy(r.note.comment, comment, sizeof r.note.comment - 1);
    return r;
  }
  CGNgMarkNote* NoteOf(int id) {
    return static_cast<CGNgMarkNote*>(marks->FindMark(id)->GetFirstChildOfClass(GCLASS(CGNgMarkNote)));
  }
  int X(double s) const { return graph->m_timeAxis->TimeToX(At(s)); }

  CGNgMarkManager* marks = nullptr;
};

}  // namespace

TEST_F(MarksTest, RecordsRoundTripWithinTheCallersCapacity) {
  SNgMarkData in[2] = {Record(7, MARK_FLAG_LEFT, 100, "", 0x0000FF),
                       WithNote(Record(9, MARK_PENNANT, 200, "P", 0x00FF00), 1, -30, 0.25, "text")};
  in[0].groupMask = 0x1234567800000042ull;
  std::memset(in[0].label, 'x', sizeof in[0].label);  // no terminator: read bounded
  marks->SetMarks(2, in);
  marks->FindMark(7)->SetText(
      "\xC3\xA9"
      "abcdefghijklmnopqrst");  // longer than 15 bytes, starts with two bytes

  SNgMarkData out[3];
  int count = 0;
  EXPECT_EQ(marks->GetMarks(&count, out, 1), 1);  // never more than the caller's array holds
  EXPECT_EQ(count, 2);
  EXPECT_EQ(marks->GetMarks(&count, out, 3), 2);
  EXPECT_EQ(out[0].id, 7);
  EXPECT_EQ(out[0].groupMask, 0x1234567800000042ull);
  EXPECT_STREQ(out[0].label,
               "\xC3\xA9"
               "abcdefghijklm");  // 15 bytes
  EXPECT_EQ(out[0].noteCount, 0);
  EXPECT_EQ(out[1].markKind, MARK_PENNANT);
  EXPECT_EQ(out[1].time, At(200));
  EXPECT_EQ(out[1].noteCount, 1);
  EXPECT_EQ(out[1].note.kind, 1);
  EXPECT_EQ(out[1].note.position, -30);  // stored as -130, given back as -30
  EXPECT_EQ(NoteOf(9)->m_position, -130);
  EXPECT_EQ(out[1].note.value, 0.25);
  EXPECT_STREQ(out[1].note.comment, "text");

  marks->UpdateMark(9, Record(9, MARK_FLAG_RIGHT, 300, "Q", 0x00FF00));  // notes are kept
  marks->DeleteMark(7);
  marks->DeleteMark(12345);  // unknown: nothing
  EXPECT_EQ(marks->GetMarks(&count, out, 3), 1);
  EXPECT_EQ(out[0].markKind, MARK_FLAG_RIGHT);
  EXPECT_EQ(out[0].noteCount, 1);
  marks->SetMarks(0, nullptr);
  EXPECT_EQ(marks->CountChildren(), 0);
  EXPECT_EQ(marks->m_markCount, 0);
}

TEST_F(MarksTest, VisibleFromTheShownStartToTheShownEnd) {
  const SNgMarkData in[4] = {Record(1, 1, 0, "a", 1), Record(2, 1, -0.0001, "b", 2),
                             Record(3, 1, 727, "c", 3), Record(4, 1, 727.0001, "d", 4)};
  marks->SetMarks(4, in);
  graph->LayoutTree();
  EXPECT_EQ(marks->FindMark(1)->GetStyle(), 3);
  EXPECT_EQ(marks->FindMark(2)->GetStyle(), 0);
  EXPECT_EQ(marks->FindMark(3)->GetStyle(), 3);
  EXPECT_EQ(marks->FindMark(4)->GetStyle(), 0);
  vt::RecordingDc dc(800, 400);
  marks->DrawMarkLines(&dc, 28, 357);
  const std::vector<vt::DcRecord> lines = dc.RecordsOf(vt::DcOp::LineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points[0], (vt::Point{X(727), 28}));  // the last child first
  EXPECT_EQ(lines[1].points[1], (vt::Point{X(0), 357}));
}

TEST_F(MarksTest, FlagShapesAtTheAnchor) {
  vt::RecordingDc dc(800, 400);
  const SNgMarkData first = Record(1, MARK_FLAG_LEFT, 100, "ab", 0x00123456);
  marks->SetMarks(1, &first);
  marks->FindMark(1)->Draw(&dc);
  const int w = 2 * 7 + 6, h = marks->FindMark(1)->Rect().Height();  // label extent + (6, 5)
  EXPECT_EQ(h, 14 + 5);  // the font's height is the height it was asked for
  struct Case {
    int shape;
    std::vector<vt::Point> points;  // relative to the anchor
    uint32_t align;
    bool label;
  };
  const Case cases[] = {
      {MARK_FLAG_LEFT, {{-w + 1, -h + 1}, {-w + 1, -3}, {-3, -3}, {0, 0}, {0, -h + 1}}, vt::kTaRight, true},
      {MARK_FLAG_RIGHT, {{0, -h + 1}, {0, 0}, {3, -3}, {w - 1, -3}, {w - 1, -h + 1}}, vt::kTaLeft, true},
      {MARK_FLAG_CENTRE,
       {{-w / 2, -h + 1}, {-w / 2, -3}, {-3, -3}, {0, 0}, {3, -3}, {w / 2, -3}, {w / 2, -h + 1}},
       vt::kTaCenter,
       true},
      {MARK_PENNANT, {{0, -h + 1}, {0, 0}, {w / 2, -h / 2}, {w - 1, -h / 2}, {w - 1, -h + 1}}, 0, false},
      {5, {}, 0, false},
  };
  for (const Case& c : cases) {
    const SNgMarkData r = Record(1, c.shape, 100, "ab", 0x00123456);
    marks->SetMarks(1, &r);
    CGNgMark* mark = marks->FindMark(1);
    dc.Clear();
    mark->Draw(&dc);
    const vt::Point a{X(100), 10 + h - 1};  // the strip's bottom row at the mark's time
    vt::Point anchor;
    ASSERT_TRUE(mark->GetAnchor(&anchor));
    EXPECT_EQ(anchor, a);
    const std::vector<vt::DcRecord> polygons = dc.RecordsOf(vt::DcOp::Polygon);
    const std::vector<vt::DcRecord> texts = dc.RecordsOf(vt::DcOp::TextOut);
    if (c.points.empty()) {
      EXPECT_TRUE(polygons.empty());
      EXPECT_TRUE(mark->HitTest(mark->Rect().left + 1, mark->Rect().top + 1, 3));  // still hit
      continue;
    }
    ASSERT_EQ(polygons.size(), 1u) << c.shape;
    ASSERT_EQ(polygons[0].points.size(), c.points.size());
    for (size_t i = 0; i < c.points.size(); ++i)
      EXPECT_EQ(polygons[0].points[i], (vt::Point{a.x + c.points[i].x, a.y + c.points[i].y}))
          << c.shape << " " << i;
    ASSERT_EQ(texts.size(), c.label ? 1u : 0u);
    if (c.label) {
      EXPECT_EQ(texts[0].textAlign, c.align | vt::kTaBottom);
    }
    graph->LayoutTree();  // the flag moves so that it touches the line
    vt::Rect abs;
    mark->GetAbsoluteRect(&abs);
    EXPECT_EQ(abs.bottom - 1, a.y);
  }
}

TEST_F(MarksTest, FrontMarkIsDrawnOnTopAndHitFirst) {
  const SNgMarkData in[2] = {Record(1, MARK_FLAG_RIGHT, 100, "one", 0x000001),
                             Record(2, MARK_FLAG_RIGHT, 100, "two", 0x000002)};
  marks->SetMarks(2, in);
  graph->LayoutTree();
  vt::RecordingDc dc(800, 400);
  auto top = [&] {
    dc.Clear();
    marks->Paint(&dc);
    return dc.RecordsOf(vt::DcOp::Polygon).back().color;
  };
  auto hit = [&] {
    const vt::Rect r = marks->FindMark(1)->Rect();
    return marks->ActiveChildFromPoint(r.left + 2, r.top + 10 + 2)->GetId();
  };
  EXPECT_EQ(top(), 0x000001u);  // the first child lies on top
  EXPECT_EQ(hit(), 1);
  NgMarkFrontHook = LinkFirst;
  marks->FindMark(2)->OnLButtonUp(4, 0, 0);  // Shift release over mark 2
  EXPECT_EQ(top(), 0x000002u);
  EXPECT_EQ(hit(), 2);

  // Without the hook a Shift release still lays the graph out again.
  NgMarkFrontHook = nullptr;
  graph->SetVisibleRange(At(200), At(927));
  marks->FindMark(2)->OnLButtonUp(4, 0, 0);
  EXPECT_EQ(marks->FindMark(1)->GetStyle(), 0);
}

TEST_F(MarksTest, DoubleClicksGoToTheHandlersGivenWhenFirstMade) {
  const SNgMarkData r = WithNote(Record(1, MARK_FLAG_RIGHT, 100, "m", 1), 1, 10, 0.5, "note");
  marks->SetMarks(1, &r);
  graph->LayoutTree();
  vt::RecordingDc dc(800, 400);
  marks->Paint(&dc);
  CGNgMark* mark = marks->FindMark(1);
  CGNgMarkNote* note = NoteOf(1);
  vt::Rect flag, balloon;
  mark->GetAbsoluteRect(&flag);
  note->GetAbsoluteRect(&balloon);
  graph->OnLButtonDblClk(0, flag.left + 2, flag.top + 2);
  EXPECT_EQ(g_markEvents, 1);
  graph->OnLButtonDblClk(0, balloon.left + 20, balloon.bottom - 3);
  EXPECT_EQ(g_noteEvents, 1);
  EXPECT_EQ(g_markEvents, 1);  // the point lies outside the flag

  // Released into the pool and taken again: the first handlers stay.
  NgMarkEventHook = NgMarkNoteEventHook = CountOther;
  marks->SetMarks(1, &r);
  graph->LayoutTree();
  marks->Paint(&dc);
  marks->FindMark(1)->GetAbsoluteRect(&flag);
  graph->OnLButtonDblClk(0, flag.left + 2, flag.top + 2);
  EXPECT_EQ(g_markEvents, 2);
  EXPECT_EQ(g_otherEvents, 0);
}

TEST_F(MarksTest, NoteWrapEndsLinesWhereTheWidthIsReachedAndKeepsCharacters) {
  vt::RecordingDc dc(10, 10);  // seven pixels a character
  struct Case {
    int width;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {100, "short", {"short"}},
      {100, "", {}},
      {30, "abcdefgh", {"abcde", "fgh"}},                                 // 35 reaches 30: the fifth stays
      {33, "abcd\xC3\xA9xy", {"abcd\xC3\xA9", "xy"}},                     // half of it (31) stays below 33
      {31, "abcd\xC3\xA9xy", {"abcd", "\xC3\xA9xy"}},                     // half of it reaches 31: next line
      {3, "ab", {"a", "b"}},                                              // one character each at least
      {3, "\xE6\x97\xA5\xE6\x9C\xAC", {"\xE6\x97\xA5", "\xE6\x9C\xAC"}},  // never split
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    vt::NgWrapText(&dc, nullptr, c.width, c.text, &lines);
    EXPECT_EQ(lines, c.lines) << c.width << " " << c.text;
  }
}

TEST_F(MarksTest, NoteWrapBreaksAtBlanksAndCutsOnlyAWordWiderThanTheNote) {
  vt::RecordingDc dc(10, 10);  // seven pixels a character; 30 is reached by the fifth
  struct Case {
    int width;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {30, "op ened now", {"op", "ened", "now"}},     // never "op en" / "ed no"
      {30, "abcd efgh", {"abcd", "efgh"}},            // the blank that reaches the width ends the line
      {30, "abcde fg", {"abcde", "fg"}},              // a blank just past the line starts none
      {30, "ab   cd ef", {"ab", "cd", "ef"}},         // runs of blanks are dropped at a break
      {30, "ab cdefghijk", {"ab", "cdefg", "hijk"}},  // a word wider than the note alone is cut
      {30, "abcdefgh ij", {"abcde", "fgh", "ij"}},    // ... and its rest wraps at the blank
      {30, "abc      ", {"abc"}},                     // trailing blanks make no empty line
      {31, "ab \xE6\x97\xA5\xE6\x9C\xAC", {"ab", "\xE6\x97\xA5\xE6\x9C\xAC"}},  // wide characters move whole
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    vt::NgWrapText(&dc, nullptr, c.width, c.text, &lines);
    EXPECT_EQ(lines, c.lines) << c.width << " " << c.text;
  }
}

TEST_F(MarksTest, NotePositionsHeightsAndTextColour) {
  SNgMarkData in[3] = {WithNote(Record(1, MARK_FLAG_RIGHT, 100, "a", 1), 1, 0, 0.5, "fits"),
                       WithNote(Record(2, MARK_FLAG_RIGHT, 300, "b", 1), 1, 1, 0.5, ""),
                       WithNote(Record(3, MARK_FLAG_RIGHT, 500, "c", 1), 0, 40, 0.5, "")};
  marks->SetMarks(3, in);
  graph->LayoutTree();
  vt::RecordingDc dc(800, 400);
  marks->Paint(&dc);
  vt::Point a;
  marks->FindMark(1)->GetAnchor(&a);
  vt::Rect r;
  NoteOf(1)->GetAbsoluteRect(&r);
  EXPECT_EQ(r.right, a.x);  // position 0: the right edge on the mark line
  EXPECT_EQ(NoteOf(1)->m_expandedHeight, 35);
  EXPECT_EQ(NoteOf(1)->m_lines.size(), 1u);
  marks->FindMark(2)->GetAnchor(&a);
  NoteOf(2)->GetAbsoluteRect(&r);
  EXPECT_EQ(r.left, a.x + 1);
  EXPECT_EQ(NoteOf(2)->m_expandedHeight, 21);
  marks->FindMark(3)->GetAnchor(&a);
  NoteOf(3)->GetAbsoluteRect(&r);
  EXPECT_EQ(r, (vt::Rect{a.x - 4, r.top, a.x + 5, r.top + 9}));  // collapsed: the icon on the line
  const int H = graph->m_screen->Rect().Height();
  EXPECT_EQ(r.top, a.y + 28 + int(0.5 * H) - 4);

  graph->SetBackColor(vt::ColorRef(128 | (128 << 8) | (128 << 16)));
  EXPECT_EQ(NoteOf(1)->m_textColour, 0x02FFFFFFu);
  graph->SetBackColor(vt::ColorRef(129 | (128 << 8) | (128 << 16)));
  EXPECT_EQ(NoteOf(1)->m_textColour, 0x02000000u);
}

TEST_F(MarksTest, NoteTogglesAndDragsWithinThePlot) {
  const SNgMarkData r = WithNote(Record(1, MARK_FLAG_RIGHT, 100, "m", 1), 1, 10, 0.5, "note");
  marks->SetMarks(1, &r);
  graph->LayoutTree();
  vt::RecordingDc dc(800, 400);
  marks->Paint(&dc);
  CGNgMarkNote* note = NoteOf(1);
  const int H = graph->m_screen->Rect().Height();
  vt::Rect b;
  note->GetAbsoluteRect(&b);
  // A press away from the button starts a drag and keeps the note open.
  graph->OnLButtonDown(0, b.left + 10, b.bottom - 3);
  EXPECT_EQ(note->m_state, 1);
  graph->OnMouseMove(0, b.left + 10, b.bottom + 5000);
  EXPECT_DOUBLE_EQ(note->m_value, 45.0 / H);
  graph->OnMouseMove(0, b.left + 10, b.bottom - 5000);
  EXPECT_EQ(note->m_value, 1.0);
  graph->OnMouseMove(0, b.left + 10, b.bottom - 3 + 10);
  EXPECT_DOUBLE_EQ(note->m_value, 0.5 - 10.0 / H);
  graph->OnLButtonUp(0, b.left + 10, b.bottom - 3 + 10);
  EXPECT_DOUBLE_EQ(note->m_dragStartValue, note->m_value);
  EXPECT_EQ(note->m_position, 10);  // never moved sideways

  marks->Paint(&dc);
  note->GetAbsoluteRect(&b);
  graph->OnLButtonDown(0, b.right - 6, b.top + 5);  // the button collapses it
  graph->OnLButtonUp(0, b.right - 6, b.top + 5);
  EXPECT_EQ(note->m_state, 0);
  note->GetAbsoluteRect(&b);
  EXPECT_EQ(b.Width(), 9);
  graph->OnLButtonDown(0, b.left + 4, b.top + 4);  // any press opens a collapsed note
  graph->OnLButtonUp(0, b.left + 4, b.top + 4);
  EXPECT_EQ(note->m_state, 1);
}

TEST_F(MarksTest, PrintsFlagsLinesAndOpenNotesAtThePrintAnchor) {
  const SNgMarkData in[2] = {WithNote(Record(1, MARK_FLAG_RIGHT, 100, "ab", 0x000001), 1, 10, 0.5, "note"),
                             WithNote(Record(2, MARK_FLAG_RIGHT, 300, "cd", 0x000002), 0, 10, 0.5, "closed")};
  marks->SetMarks(2, in);
  graph->LayoutTree();
  g_printScale = 2;  // as while printing
  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  vt::Point a;
  ASSERT_TRUE(marks->FindMark(1)->GetPrintAnchor(&a));
  EXPECT_EQ(a.x, graph->m_timeAxis->TimeToPrintX(At(100)));
  EXPECT_EQ(a.y, 20 + 2 * marks->FindMark(1)->Rect().Height() - 1);
  vt::RecordingDc dc(1600, 800);
  marks->PrintTree(&dc, 0);
  const std::vector<vt::DcRecord> polygons = dc.RecordsOf(vt::DcOp::Polygon);
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[1].points[1], a);  // the last child prints first: mark 2, then mark 1
  int titles = 0;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) titles += r.text == "Title";
  EXPECT_EQ(titles, 1);  // only the open note prints
  dc.Clear();
  marks->PrintMarkLines(&dc, 56, 714);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::LineTo).size(), 2u);
}
