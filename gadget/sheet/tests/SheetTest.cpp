// Tests of the sheet container and the column base: layout, line counts and the per-line state
// array, print paging, the fitted title font, line geometry, the focus line with active-line
// navigation, the edit road through the root's text editor, and a press that leaves the root's
// wheel target alone.
#include <gtest/gtest.h>

#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/sheet/GList.h"
#include "gadget/sheet/testing/SheetTestEnv.h"
#include "platform/gui/VirtualKeys.h"

namespace sheet_test {
namespace {

using SheetTest = SheetEnv;

TEST_F(SheetTest, LayoutPlacesHeadersBarsAndBodyAndStacksTheColumnsToTheContentHeight) {
  BuildSheet(20);
  auto* header = new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  auto* lineHeader = new IntColumn(sheet, 40);
  sheet->RegisterLineHeader(lineHeader);
  auto* a = new IntColumn(body, 100);
  auto* b = new IntColumn(body, 150);
  auto* hidden = new IntColumn(body, 70);
  hidden->SetStyle(0);
  auto* c = new IntColumn(body, 120);
  sheet->LayoutTree();
  EXPECT_EQ(sheet->m_columnHeader, header);
  // Content 370 wide and 360 high: both bars show.
  EXPECT_EQ(vbar->Rect(), (vt::Rect{284, 0, 300, 184}));
  EXPECT_EQ(hbar->Rect(), (vt::Rect{0, 184, 284, 200}));
  EXPECT_EQ(header->Rect(), (vt::Rect{1, 1, 284, 21}));
  EXPECT_EQ(lineHeader->Rect(), (vt::Rect{1, 21, 41, 184}));
  EXPECT_EQ(body->Rect(), (vt::Rect{41, 21, 284, 184}));
  EXPECT_EQ(a->Rect(), (vt::Rect{0, 0, 100, 360}));
  EXPECT_EQ(b->Rect(), (vt::Rect{100, 0, 250, 360}));
  EXPECT_EQ(c->Rect(), (vt::Rect{250, 0, 370, 360}));
  EXPECT_EQ(body->m_contentWidth, 370);
  EXPECT_EQ(body->m_contentHeight, 360);
  delete header;  // a header that goes clears the sheet's reference
  EXPECT_EQ(sheet->m_columnHeader, nullptr);
}

TEST_F(SheetTest, LineCountChangesReachEveryColumnAndKeepSelectionAndFocus) {
  BuildSheet(10);
  auto* a = new IntColumn(body, 50);
  auto* b = new IntColumn(body, 50, "", 0);
  for (int i = 0; i < 10; ++i) a->SetLineIntValue(i, i);
  sheet->SetSelection(9, 9);
  sheet->m_focusLine = 8;
  sheet->DeleteLines(8, 3);  // past the end
  EXPECT_EQ(sheet->m_lineCount, 10);
  sheet->DeleteLines(-1, 2);  // a negative place deletes nothing
  EXPECT_EQ(sheet->m_lineCount, 10);
  sheet->DeleteLines(7, 3);
  EXPECT_EQ(sheet->m_lineCount, 7);
  EXPECT_EQ(a->LineCount(), 7);
  EXPECT_EQ(b->LineCount(), 7);
  EXPECT_EQ(sheet->m_selectionFirst, 9);
  EXPECT_EQ(sheet->m_focusLine, 8);
  sheet->InsertLines(9, 2);  // past the end: nothing
  EXPECT_EQ(sheet->m_lineCount, 7);
  sheet->InsertLines(-1, 2);  // appends
  sheet->InsertLines(0, 1);
  EXPECT_EQ(sheet->m_lineCount, 10);
  EXPECT_EQ(a->values, (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 6, 0, 0}));
  sheet->InsertLines(2, 0);
  EXPECT_EQ(b->LineCount(), 10);
}

TEST_F(SheetTest, TheStateArrayMovesWithInsertedLinesAndKeepsStatesBeyondAShrink) {
  BuildSheet(3);
  auto* a = new IntColumn(body, 50);
  a->SetLineState(1, 0);
  a->InsertLines(1, 2);
  EXPECT_EQ(a->States(), (std::vector<int>{3, 3, 3, 0, 3}));
  auto* big = new IntColumn(body, 50);
  big->SetLineCount(10);
  for (int i = 0; i < 10; ++i) big->SetLineState(i, i % 4);
  big->SetLineCount(5);
  big->SetLineState(7, 3);  // outside the line count: ignored
  big->SetLineCount(10);
  EXPECT_EQ(big->States(), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1}));
  big->SetLineCount(12);
  EXPECT_EQ(big->GetLineStyle(11), 3);
  // Without per-line states every line reports the column's own style.
  auto* plain = new IntColumn(body, 50, "", 0);
  plain->SetStyle(1);
  plain->SetLineState(0, 3);
  EXPECT_EQ(plain->GetLineStyle(0), 1);
  EXPECT_EQ(plain->GetLineStyle(5), 0);
}

TEST_F(SheetTest, PrintPagingCutsColumnsIntoBlocksAndLinesIntoPages) {
  BuildSheet(25, 10);
  auto* a = new IntColumn(body, 300);
  auto* b = new IntColumn(body, 300);
  auto* c = new IntColumn(body, 300);
  sheet->LayoutTree();
  // Lay the body out by hand in print coordinates: a page 700 wide and 100 high.
  body->SetPrintBounds(0, 0, 700, 100);
  for (CGSheetArray* col :
       {static_cast<CGSheetArray*>(a), static_cast<CGSheetArray*>(b), static_cast<CGSheetArray*>(c)})
    col->SetPrintSize(300, 250);
  body->ScalePrintRects(1);
  EXPECT_EQ(body->CountColumnBlocks(), 2);
  EXPECT_EQ(body->GetBlockX(0), 0);
  EXPECT_EQ(body->GetBlockX(1), 600);
  EXPECT_EQ(body->GetBlockX(2), 0);
  // A first column wider than the page is one block, not an empty one and then itself.
  a->SetPrintSize(800, 250);
  body->ScalePrintRects(1);
  EXPECT_EQ(body->CountColumnBlocks(), 2);
  EXPECT_EQ(body->GetBlockX(1), 800);

  sheet->m_printLineHeight = 10;
  int first = -2, last = -2;
  sheet->GetPrintLineRange(&first, &last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 24);
  // 25 lines, 10 rows a page: 3 pages down; with 2 blocks page 3 is block 1 of line page 1.
  a->SetPrintSize(300, 250);
  body->ScalePrintRects(1);
  sheet->m_pagesAcross = 2;
  sheet->m_pageStepY = 100;
  sheet->SetPrintPage(3);
  EXPECT_EQ(body->m_printScrollX, 600);
  EXPECT_EQ(body->m_printScrollY, 100);
  body->GetVisibleLineRange(&first, &last);
  EXPECT_EQ(first, 10);
  EXPECT_EQ(last, 19);
  // Printing the selection with none: an empty range and no page.
  root->SetPrintSelection(1);
  sheet->GetPrintLineRange(&first, &last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, -1);
  sheet->SetSelection(12, 4);
  sheet->GetPrintLineRange(&first, &last);
  EXPECT_EQ(first, 4);
  EXPECT_EQ(last, 12);
}

TEST_F(SheetTest, ApplyPrintScaleCountsPagesAcrossAndDown) {
  BuildSheet(25, 10);
  new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  for (int i = 0; i < 3; ++i) new IntColumn(body, 120);
  sheet->LayoutTree();
  sheet->SetPrintBounds(0, 0, 300, 200);
  sheet->ApplyPrintScale(1);
  // Body print rectangle: 300 - 0 wide, 200 - 20 high; 18 rows of 10 -> 2 pages down.
  EXPECT_EQ(body->PrintRect(), (vt::Rect{0, 20, 300, 200}));
  EXPECT_EQ(sheet->m_pagesAcross, 2);
  EXPECT_EQ(sheet->m_pagesDown, 2);
  EXPECT_EQ(sheet->GetPrintPageCount(nullptr), 4);
  root->SetPrintSelection(1);
  sheet->ApplyPrintScale(1);
  EXPECT_EQ(sheet->m_pagesDown, 0);
  EXPECT_EQ(sheet->GetPrintPageCount(nullptr), 0);
}

TEST_F(SheetTest, SelectionCountAndCentringScrollsClampToTheBar) {
  BuildSheet(40);
  new IntColumn(body, 100);
  sheet->LayoutTree();
  sheet->SetSelection(5, 2);
  EXPECT_EQ(sheet->GetSelectedCount(), 4);
  sheet->SetSelection(-1, 3);
  EXPECT_EQ(sheet->GetSelectedCount(), 0);
  sheet->ScrollToLine(0);
  EXPECT_EQ(body->m_scrollY, 0);
  sheet->ScrollToLine(20);  // 360 - (body height 163 - 18) / 2
  EXPECT_EQ(body->m_scrollY, 360 - (body->ViewHeight() - 18) / 2);
}

TEST_F(SheetTest, TitleFontShrinksToTheColumnWidthByCharacterCount) {
  BuildSheet(5);
  auto* col = new IntColumn(body, 60, "Temperatur");  // 10 characters of 7 pixels: 70 > 56
  auto* fits = new IntColumn(body, 60, "Short");
  auto* empty = new IntColumn(body, 2, "");
  LayoutAndPaint();
  vt::DeviceContext* dc = root->GetBackDCPtr();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(col->GetTitleFont(dc)->GetLogFont().height, 10);
  EXPECT_EQ(fits->GetTitleFont(dc), fits->GetFont(0));
  EXPECT_EQ(empty->GetTitleFont(dc)->GetLogFont().height, 4);
  auto* narrow = new IntColumn(body, 10, "abcdefghijkl");
  EXPECT_EQ(narrow->GetTitleFont(dc)->GetLogFont().height, 4);
}

TEST_F(SheetTest, LineGeometryFollowsTheBodyScrollAndPointsOutsideGiveMinusOne) {
  BuildSheet(30);
  auto* a = new IntColumn(body, 100);
  auto* b = new IntColumn(body, 100);
  sheet->LayoutTree();
  EXPECT_EQ(a->LineAtPoint(50, -5), 0);  // truncation towards zero
  EXPECT_EQ(a->LineAtPoint(50, 37), 2);
  EXPECT_EQ(a->LineAtPoint(150, 37), -1);
  EXPECT_EQ(b->LineAtPoint(150, 37), 2);
  EXPECT_EQ(a->LineAtPoint(50, 30 * 18), -1);
  body->m_scrollY = 40;
  vt::Rect r;
  EXPECT_EQ(b->GetLineRect(3, &r), 18);
  // Body at (41 + 10, 21 + 10) in the root without line header: left 11, top 31.
  EXPECT_EQ(r, (vt::Rect{10 + 1 + 100, 10 + 1 + 54 - 40, 10 + 1 + 200, 10 + 1 + 72 - 40}));
  int first = 0, last = 0;
  a->GetVisibleLines(&first, &last);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, (40 + body->ViewHeight() - 1) / 18);
}

TEST_F(SheetTest, FocusLineValuesAndActiveLineNavigationWrapAndStopAfterOneTurn) {
  BuildSheet(5);
  auto* a = new IntColumn(body, 100);
  for (int i = 0; i < 5; ++i) a->SetLineState(i, (i == 1 || i == 3) ? 3 : 1);
  sheet->m_focusLine = 3;
  EXPECT_EQ(a->NextActiveLine(), 1);
  sheet->m_focusLine = 1;
  EXPECT_EQ(a->PreviousActiveLine(), 3);
  a->SetAllLineStates(0);
  EXPECT_EQ(a->NextActiveLine(), 1);
  EXPECT_EQ(a->PreviousActiveLine(), 1);
  a->SetValue(7);
  int v = -1;
  EXPECT_EQ(a->GetValue(&v), 0);
  EXPECT_EQ(v, 7);
  sheet->m_focusLine = -1;
  v = -1;
  EXPECT_EQ(a->GetValue(&v), 3);
  EXPECT_EQ(v, -1);
  a->Activate(1);
  EXPECT_EQ(sheet->m_focusLine, 0);
}

TEST_F(SheetTest, APressSetsTheFocusLineAndOnlyActiveLinesTakeTheMouse) {
  BuildSheet(5);
  auto* a = new IntColumn(body, 100);
  a->SetLineState(2, 1);
  LayoutAndPaint();
  Down(20, 11 + 18 + 5);  // line 1
  Up(20, 11 + 18 + 5);
  EXPECT_EQ(sheet->m_focusLine, 1);
  a->OnLButtonDown(vt::kMkLButton, 20, 5 * 18 + 2);  // below the last line: no focus line
  EXPECT_EQ(sheet->m_focusLine, -1);
  EXPECT_EQ(a->GetCaptured(), nullptr);
  Down(20, 11 + 36 + 5);  // line 2 is not enabled: the focus moves, the press goes no further
  EXPECT_EQ(sheet->m_focusLine, 2);
  EXPECT_EQ(a->GetCaptured(), nullptr);
  Up(20, 11 + 36 + 5);
}

TEST_F(SheetTest, APressNeverMakesTheSheetTheWheelTargetWhileAListBecomesIt) {
  BuildSheet(30);
  new IntColumn(body, 100);
  LayoutAndPaint();
  Down(60, 60);
  Up(60, 60);
  EXPECT_EQ(root->GetWheelTarget(), nullptr);
  EXPECT_FALSE(root->OnMouseWheel(0, -120, 1060, 560));
  EXPECT_EQ(body->m_scrollY, 0);

  auto* list = new CGList(root);
  list->SetBounds(320, 10, 70, 100);
  Down(350, 50);
  Up(350, 50);
  EXPECT_EQ(root->GetWheelTarget(), list);
  Down(60, 60);  // a later press on the sheet leaves the list the target
  Up(60, 60);
  EXPECT_EQ(root->GetWheelTarget(), list);
}

TEST_F(SheetTest, EnterStoresTheEditAndMovesTheEditorToTheNextActiveLineCyclically) {
  BuildSheet(4);
  auto* a = new IntColumn(body, 100);
  a->SetLineState(2, 1);
  for (int code : {GEVENT_EDIT_BEGIN, GEVENT_EDIT_END}) gadget_test::AddLogEvent(a, code, &log);
  LayoutAndPaint();
  sheet->m_focusLine = 1;
  a->SetLineIntValue(1, 42);
  a->BeginEdit();
  vt::FakeInPlaceEdit* edit = TextEditor();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Text(), "42");
  vt::Rect cell;
  a->GetLineRect(1, &cell);
  EXPECT_EQ(edit->Bounds(), cell);
  edit->Type("17");
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_EQ(a->values[1], 17);
  EXPECT_EQ(sheet->m_focusLine, 3);  // line 2 is skipped
  EXPECT_EQ(log, (Log{"event 12", "event 11", "event 12"}));
  EXPECT_TRUE(edit->IsVisible());
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_EQ(sheet->m_focusLine, 0);  // wraps round
  desktop->keysDown.insert(vt::kVkShift);
  edit->PressKey(vt::kVkReturn);
  desktop->keysDown.clear();
  host->Pump();
  EXPECT_EQ(sheet->m_focusLine, 3);
}

}  // namespace
}  // namespace sheet_test
