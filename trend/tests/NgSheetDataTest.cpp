// Trend sheet data columns: what a row shows for exact, padded and outside row times, min/max
// rows with a state on one side, the alarm icon cells, number texts in both forms, and the
// title line that fits a column.
#include <gtest/gtest.h>

#include "trend/tests/NgSheetTestEnv.h"

namespace {

class NgSheetDataTest : public trend_test::NgSheetEnv {
 protected:
  // The texts (with their colours) and the bitmap blits that drawing one row of a column makes.
  struct RowDrawing {
    std::vector<std::pair<std::string, vt::ColorRef>> texts;
    int blits = 0;
  };
  RowDrawing DrawRow(CGNgSData* column, int row) {
    vt::RecordingDc dc(900, 400);
    column->DrawLine(&dc, row);
    RowDrawing out;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) out.texts.push_back({r.text, r.color});
    for (const vt::DcRecord& r : dc.Records())
      if ((r.op == vt::DcOp::BitBlt || r.op == vt::DcOp::StretchBlt) && r.sourceBitsPerPixel) ++out.blits;
    return out;
  }
};

TEST_F(NgSheetDataTest, ExactPaddedAndOutsideRows) {
  Bind({DATA_SINGLE}, {2.0});  // samples on the even rows only
  channels[0]->start = RowTime(2);
  channels[0]->value = [](int64_t i) { return 10.0 + double(i); };
  sheet->ShowAlarms(1);
  CGNgSData* c = Column(0);
  struct Case {
    int padding, row;
    const char* text;  // null: an empty cell
    vt::ColorRef colour;
    int icons;
  } cases[] = {
      {0, 2, "10.00", 0x02333333, 4},  // exact
      {0, 3, nullptr, 0, 0},           // between samples, no padding
      {1, 3, "10.00", 0x02999999, 4},  // the neighbour, greyed
      {0, 1, nullptr, 0, 0},           // before the first sample
      {1, 1, nullptr, 0, 0},           // ... whatever the padding
      {1, 4, "11.00", 0x02333333, 4},
  };
  for (const Case& k : cases) {
    sheet->SetPadding(k.padding);
    const RowDrawing d = DrawRow(c, k.row);
    SCOPED_TRACE(testing::Message() << "padding " << k.padding << " row " << k.row);
    if (!k.text) {
      EXPECT_TRUE(d.texts.empty());
    } else {
      ASSERT_EQ(d.texts.size(), 1u);
      EXPECT_EQ(d.texts[0].first, k.text);
      EXPECT_EQ(d.texts[0].second, k.colour);
    }
    EXPECT_EQ(d.blits, k.icons);
  }
  sheet->ShowAlarms(0);
  EXPECT_EQ(DrawRow(c, 2).blits, 0);
  sheet->SetTimeSource(nullptr);  // no row source: nothing read
  const int64_t reads = channels[0]->rowReads;
  EXPECT_TRUE(DrawRow(c, 2).texts.empty());
  EXPECT_EQ(channels[0]->rowReads, reads);
}

TEST_F(NgSheetDataTest, MinMaxRowWithAStateOnOneSide) {
  Bind({DATA_PAIRS});
  channels[0]->decimals = 1;
  channels[0]->status = [](int64_t i) { return uint16_t(i == 3 ? 0x6000 : 0); };
  sheet->SetNameKind(NAME_TAG);  // refreshes from the channel
  const RowDrawing d = DrawRow(Column(0), 3);
  ASSERT_EQ(d.texts.size(), 2u);
  EXPECT_EQ(d.texts[0].first, "+OVER");
  EXPECT_EQ(d.texts[1].first, "4.0");
}

TEST_F(NgSheetDataTest, AlarmIconCells) {
  const struct {
    uint16_t status;
    bool selected, exact, inside;
    int cells[4];
  } cases[] = {
      {0x0005, false, true, false, {0, 8, 0, 8}},   {0x0005, false, false, false, {2, 10, 2, 10}},
      {0x000A, true, true, false, {12, 4, 12, 4}},  {0x000F, true, false, true, {7, 7, 7, 7}},
      {0x0000, true, true, true, {13, 13, 13, 13}},
  };
  for (const auto& c : cases)
    for (int bit = 0; bit < 4; ++bit)
      EXPECT_EQ(CGNgSData::AlarmIconCell(c.status, bit, c.selected, c.exact, c.inside), c.cells[bit])
          << std::hex << c.status << " bit " << bit;
}

TEST_F(NgSheetDataTest, NumberTextsInBothForms) {
  Bind({DATA_SINGLE});
  channels[0]->decimals = 3;
  channels[0]->exponent = 1;
  CGNgSData* c = Column(0);
  c->Refresh();
  std::string text;
  c->FormatCellText(0, 12.5, &text);
  EXPECT_EQ(text, "1.250E+001");
  c->FormatCellText(0, -0.000125, &text);
  EXPECT_EQ(text, "-1.250E-004");
  channels[0]->exponent = 0;
  c->Refresh();
  c->FormatCellText(0, 12.5, &text);
  EXPECT_EQ(text, "12.500");
  c->FormatCellText(NGS_BURNOUT, 12.5, &text);
  EXPECT_EQ(text, vt::NgStateText(NGS_BURNOUT));
  c->FormatCellText(NGS_NO_DATA, 12.5, &text);
  EXPECT_EQ(text, "");
  c->FormatCellText(14, 12.5, &text);
  EXPECT_EQ(text, "- OFF -");
}

TEST_F(NgSheetDataTest, TitleLineFitting) {
  Bind({DATA_SINGLE, DATA_PAIRS});
  vt::RecordingDc dc(10, 10);
  CGNgSData* pairs = Column(1);
  pairs->m_name = "TEMP01";  // 6 characters of 7 pixels
  pairs->m_unit = "degC";
  const struct {
    int width;
    int result;
    const char* text;
  } cases[] = {
      {175, 1, "TEMP01 [degC]"},  // 91 pixels: name and unit on one line
      {80, 0, " [degC]"},         // the unit goes flush right, the name gets dots
      {60, 1, " [degC]"},         // "degC [ ]" (56) leaves no 10 pixels
      {40, 1, ""},
  };
  for (const auto& c : cases) {
    vt::Size extent{};
    std::string text;
    EXPECT_EQ(pairs->GetTitleLine(&dc, c.width, nullptr, &extent, &text), c.result) << c.width;
    EXPECT_EQ(text, c.text) << c.width;
  }
  pairs->m_unit.clear();
  vt::Size extent{};
  std::string text;
  EXPECT_EQ(pairs->GetTitleLine(&dc, 30, nullptr, &extent, &text), 0);
  EXPECT_EQ(text, "TEMP01");
  CGNgSData* single = Column(0);
  single->m_name = "TEMP01";
  EXPECT_EQ(single->GetTitleLine(&dc, 42, nullptr, &extent, &text), 1);
  EXPECT_EQ(single->GetTitleLine(&dc, 41, nullptr, &extent, &text), 0);
}

TEST_F(NgSheetDataTest, LongTitleIsShortenedBesideTheUnit) {
  Bind({DATA_PAIRS});
  CGNgSData* c = Column(0);
  c->m_name = "BOILER_TEMPERATURE_NORTH";
  c->m_unit = "degC";
  vt::RecordingDc dc(900, 400);
  vt::Rect header;
  sheet->m_columnHeader->GetAbsoluteRect(&header);
  c->DrawTitle(&dc, header.top, header.bottom);
  bool unitFlushRight = false, shortened = false;
  vt::Rect r;
  c->GetAbsoluteRect(&r);
  for (const vt::DcRecord& t : dc.RecordsOf(vt::DcOp::TextOut)) {
    if (t.text == "[degC]") unitFlushRight = t.points[0].x > r.left + 100;
    if (!t.text.empty() && t.text != c->m_name && c->m_name.rfind(t.text, 0) == 0) shortened = true;
  }
  EXPECT_TRUE(unitFlushRight);
  EXPECT_TRUE(shortened);
  // Three dots follow the shortened name, each twice (shadow and title).
  int dots = 0;
  for (const vt::DcRecord& f : dc.RecordsOf(vt::DcOp::FillRect))
    if (f.rect.Width() == 2 && f.rect.Height() == 2) ++dots;
  EXPECT_EQ(dots, 6);
}

}  // namespace

namespace {

class NgSheetPrintTest : public trend_test::NgSheetEnv {};

TEST_F(NgSheetPrintTest, PrintedCellsAlarmBoxesAndMarkSymbols) {
  rows.count = 4;
  rows.marks[2] = {2, 0x020000FF};
  Bind({DATA_SINGLE});
  channels[0]->status = [](int64_t i) { return uint16_t(i == 1 ? 0x0005 : 0); };
  sheet->ShowAlarms(1);
  sheet->SetPrintBounds(0, 0, 800, 300);
  sheet->ApplyPrintScale(1);
  sheet->SetPrintPage(0);  // the first page

  vt::RecordingDc dc(900, 400);
  Column(0)->PrintSelf(&dc, 1);
  std::vector<std::string> texts;
  for (const vt::DcRecord& t : dc.RecordsOf(vt::DcOp::TextOut)) texts.push_back(t.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"0.00", "1.00", "2.00", "3.00"}));
  int red = 0, green = 0;
  for (const vt::DcRecord& f : dc.RecordsOf(vt::DcOp::FillRect)) {
    if (f.rect.Width() != 4) continue;  // the inner fill of a 6-pixel box framed 1 pixel
    red += f.color == 0x020000FF;
    green += f.color == 0x0200FF00;
  }
  EXPECT_EQ(red, 2);
  EXPECT_EQ(green, 14);

  vt::RecordingDc timeDc(900, 400);
  sheet->TimeLine()->PrintSelf(&timeDc, 1);
  EXPECT_EQ(timeDc.RecordsOf(vt::DcOp::TextOut).size(), 4u);
  const auto marks = timeDc.RecordsOf(vt::DcOp::Polygon);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].points[0].y, marks[0].points[1].y);  // the pennant's top edge
  EXPECT_EQ(marks[0].points.size(), 6u);
}

}  // namespace
