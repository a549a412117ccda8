// Tests of the numeric columns and the column groups: value texts in fixed and exponent form
// and the status texts, the alarm boxes' colours on screen, the per-line arrays through line
// insertion, and the group's width, title rows and the rows its title is drawn in.
#include <gtest/gtest.h>

#include <algorithm>

#include "gadget/sheet/GSheetDigitals.h"
#include "gadget/sheet/GSheetGroup.h"
#include "gadget/sheet/GSheetLine.h"
#include "gadget/sheet/testing/SheetTestEnv.h"
#include "platform/gui/RecordingDc.h"

namespace sheet_test {
namespace {

using SheetColumnsTest = SheetEnv;

TEST(SheetValueText, FixedAndExponentFormsAndStatusTexts) {
  struct Case {
    double value;
    int status, decimals, exponent;
    const char* text;
  } cases[] = {
      {12.3456, 0, 2, 0, "12.35"},
      {12.3456, 0, -1, 0, "12"},
      {12.3456, 0, 0, 0, "12"},
      {12345.678, 0, 3, 0, "12345.678"},
      {150000, 0, 2, 1, "1.50E5"},
      {2e-12, 0, 1, 1, "2.0E-12"},
      {3, 0, 2, 1, "3.00E0"},
      {1e100, 0, 2, 1, "1.00E100"},
      {-0.00012, 0, 2, 1, "-1.20E-4"},
      {12345.678, 0, -1, 1, "1E4"},
      {5, 3, 2, 0, ""},
      {5, 6, 2, 0, "+OVER"},
      {5, 7, 2, 0, "-OVER"},
      {5, 8, 2, 0, "SKIP"},
      {5, 9, 2, 0, "ILLEGAL"},
      {5, 10, 2, 0, "LACK"},
      {5, 11, 2, 0, "INVALID"},
      {5, 12, 2, 0, "BURNOUT"},
      {5, 5, 2, 0, "- OFF -"},
      {5, 13, 2, 0, "- OFF -"},
      {5, -1, 2, 0, "- OFF -"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SheetValueText(c.value, c.status, c.decimals, c.exponent), c.text)
        << c.value << " " << c.status;
}

TEST_F(SheetColumnsTest, DigitalsShowTheFocusLineTextAndIgnoreLinesOutside) {
  BuildSheet(3);
  auto* d = new CGSDigitals(body, 0, 80, 0);
  sheet->m_focusLine = 1;
  d->SetValue(12.3456);
  d->SetDecimals(2);
  std::string text;
  d->GetEditText(&text);
  EXPECT_EQ(text, "12.35");
  d->m_statuses[1] = 3;
  d->GetEditText(&text);
  EXPECT_EQ(text, "");
  text = "kept";
  d->GetLineValueText(3, &text);
  EXPECT_EQ(text, "kept");
  d->SetLineValue(5, 1.0);
  d->SetLineDecimals(-1, 2);
  EXPECT_EQ(d->m_values[1], 12.3456);
  // Inserted lines are plain zeros without decimals.
  sheet->InsertLines(0, 1);
  EXPECT_EQ(d->m_values[2], 12.3456);
  d->GetLineValueText(0, &text);
  EXPECT_EQ(text, "0");
}

TEST_F(SheetColumnsTest, AlarmBoxesAreGreyGreenOrRedByMaskAndBits) {
  BuildSheet(3);
  auto* d = new CGSAlarmDigitals(body, 0, 0);
  d->SetLineAlarmMask(0, 0x05);
  d->SetLineAlarms(0, 0x04);
  d->SetLineValue(0, 1.5);
  d->m_statuses[1] = 5;  // no boxes and no text
  LayoutAndPaint();
  EXPECT_EQ(d->AlarmBoxColor(0, 0), 0x0200FF00u);
  EXPECT_EQ(d->AlarmBoxColor(0, 1), 0x02C0C0C0u);
  EXPECT_EQ(d->AlarmBoxColor(0, 2), 0x020000FFu);
  EXPECT_EQ(d->AlarmBoxColor(0, 3), 0x02C0C0C0u);
  // Boxes of line 0 from x = body left + 2, 4 wide at a pitch of 5; the sample is inside each.
  vt::Rect cell;
  d->GetLineRect(0, &cell);
  const int y = cell.top + 9;
  EXPECT_EQ(FrontPixel(cell.left + 4, y), 0x00FF00u);
  EXPECT_EQ(FrontPixel(cell.left + 9, y), 0xC0C0C0u);
  EXPECT_EQ(FrontPixel(cell.left + 14, y), 0x0000FFu);
  d->GetLineRect(1, &cell);
  EXPECT_EQ(FrontPixel(cell.left + 4, cell.top + 9), 0x5E5E5Eu);
  std::string text;
  d->GetLineValueText(1, &text);
  EXPECT_EQ(text, "- OFF -");
}

TEST_F(SheetColumnsTest, AlarmArraysMoveWithInsertedLines) {
  BuildSheet(2);
  auto* d = new CGSAlarmDigitals(body, 0, 0);
  d->SetLineAlarms(0, 0x01);
  d->SetLineAlarmMask(0, 0x03);
  sheet->InsertLines(0, 1);
  EXPECT_EQ(d->m_alarmBits, (std::vector<uint8_t>{0, 1, 0}));
  EXPECT_EQ(d->m_alarmMask, (std::vector<uint8_t>{0x0F, 0x03, 0x0F}));
  sheet->SetLineCount(5);
  EXPECT_EQ(d->m_alarmMask[4], 0x0F);
  sheet->DeleteLines(0, 1);
  EXPECT_EQ(d->m_alarmBits[0], 1);
}

TEST_F(SheetColumnsTest, PrintingShowsStatusTextsOnlyInTheAlarmColumnAndNumbersTheLines) {
  BuildSheet(3);
  new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  new CGSLine(sheet, 0, GSTYLE_ACTIVE, 0, 40, 1, 12, "No.", 2, 1, "%d");
  auto* plain = new CGSDigitals(body, 0, 80, 0);
  plain->SetText("Plain");
  auto* alarm = new CGSAlarmDigitals(body, 0, 0);
  alarm->SetText("Alarm");
  for (int i = 0; i < 3; ++i) {
    plain->SetLineValue(i, 1.5 * i);
    plain->SetLineDecimals(i, 1);
    alarm->SetLineValue(i, 2.5 * i);
    alarm->SetLineDecimals(i, 1);
  }
  plain->m_statuses[0] = 6;
  alarm->m_statuses[0] = 6;
  sheet->LayoutTree();
  root->SetPrintBounds(0, 0, 1000, 1000);  // the page the root prints on
  sheet->SetPrintBounds(0, 0, 300, 200);
  sheet->ApplyPrintScale(1);
  EXPECT_EQ(sheet->GetPrintPageCount(nullptr), 1);
  vt::RecordingDc dc(400, 300);
  sheet->PrintTree(&dc, 1);
  std::vector<std::string> texts;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) texts.push_back(r.text);
  auto count = [&](const std::string& t) { return std::count(texts.begin(), texts.end(), t); };
  EXPECT_EQ(count("+OVER"), 1);
  EXPECT_EQ(count("1.5"), 1);
  EXPECT_EQ(count("5.0"), 1);
  EXPECT_EQ(count("3"), 1);  // the line header's number of line 2
  EXPECT_EQ(count("Plain"), 1);
  EXPECT_EQ(count("No."), 1);
}

// A header that logs every title it is asked to draw.
class LoggingHeader : public CGSColumn {
 public:
  LoggingHeader(CGCore* sheet, Log* log) : CGSColumn(sheet, 0, GSTYLE_ACTIVE, 40), log_(log) {}
  void DrawTitleNormal(vt::DeviceContext* dc, const vt::Rect& r, int bg, int ts, int state, const vt::Font* f,
                       const std::string& title) override {
    log_->push_back(title + " " + std::to_string(r.top) + "-" + std::to_string(r.bottom) + " " +
                    std::to_string(bg));
    CGSColumn::DrawTitleNormal(dc, r, bg, ts, state, f, title);
  }

 private:
  Log* log_;
};

TEST_F(SheetColumnsTest, AGroupIsAsWideAsItsVisibleChildrenAndPassesLinesOn) {
  BuildSheet(4);
  auto* group = new CGSGroup(body, 0);
  auto* a = new IntColumn(group, 90);
  auto* b = new IntColumn(group, 100);
  auto* after = new IntColumn(body, 50);
  sheet->LayoutTree();
  EXPECT_EQ(group->Rect(), (vt::Rect{0, 0, 190, 72}));
  EXPECT_EQ(b->Rect(), (vt::Rect{90, 0, 190, 72}));
  EXPECT_EQ(after->Rect().left, 190);
  a->SetStyle(0);
  sheet->LayoutTree();
  EXPECT_EQ(group->Rect().Width(), 100);
  EXPECT_EQ(a->Rect(), (vt::Rect{0, 0, 90, 72}));  // the hidden one keeps its place
  b->SetLineIntValue(0, 5);
  sheet->InsertLines(0, 2);
  EXPECT_EQ(a->LineCount(), 6);
  EXPECT_EQ(b->values[2], 5);
  EXPECT_EQ(group->LineCount(), 6);
}

TEST_F(SheetColumnsTest, GroupTitlesTakeRowsAndAHiddenGroupDrawsOne) {
  BuildSheet(4);
  new LoggingHeader(sheet, &log);
  auto* group = new CGSGroup(body, 0);
  group->SetText("G");
  auto* inner = new CGSGroup(group, 0);
  inner->SetText("I");
  new IntColumn(inner, 60, "x");
  new IntColumn(group, 60, "y");
  EXPECT_EQ(inner->GetTitleRows(), 2);
  EXPECT_EQ(group->GetTitleRows(), 3);
  inner->SetStyle(0);
  EXPECT_EQ(inner->GetTitleRows(), 0);
  EXPECT_EQ(group->GetTitleRows(), 2);
  inner->m_groupTitle = 0;
  EXPECT_EQ(inner->GetTitleRows(), 1);
  inner->SetStyle(GSTYLE_ACTIVE);
  inner->m_groupTitle = 1;
  LayoutAndPaint();
  // Header at root y 11..51, three rows of 13.
  EXPECT_EQ(log, (Log{" 11-51 1", "G 11-24 0", " 24-51 0", "I 24-37 0", "x 37-51 0", "y 24-51 0"}));
  log.clear();
  group->SetStyle(0);
  EXPECT_EQ(group->GetTitleRows(), 0);
  vt::DeviceContext* dc = root->GetBackDCPtr();
  group->DrawTitle(dc, 11, 51);  // no division by zero rows: one row
  EXPECT_EQ(log, (Log{" 11-51 1", "G 11-51 0"}));
}

}  // namespace
}  // namespace sheet_test
