// Tests of the editable columns: parsing and limits of edited texts (table), the value texts,
// the per-line start values of inserted and grown lines, the drop-down column's lookups, and
// the edit road through the root's editors: a click arms only an editable line, the release on
// it opens the editor, Enter moves on cyclically, Tab reaches the next editable column and
// crosses between sheet columns and the fields beside the sheet, and cell editors keep their
// margins.
#include <gtest/gtest.h>

#include "gadget/GTextField.h"
#include "gadget/sheet/GSheetEdit.h"
#include "gadget/sheet/testing/SheetTestEnv.h"
#include "platform/gui/VirtualKeys.h"

namespace sheet_test {
namespace {

using SheetEditTest = SheetEnv;

TEST_F(SheetEditTest, EditedRealTextsAreParsedAndHeldWithinTheLimits) {
  BuildSheet(2);
  auto* v = new CGSValues(body, 0, 0, -1e16, 1e16);
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"12abc", 12},
               {"abc", 0},
               {"1e999", 1e16},
               {"-1e999", -1e16},
               {"1e-999", 0},
               {"\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x8E\xEF\xBC\x95", 12.5},  // full-width "12.5"
               {"  -3.25e2xyz", -325},
               {"7.", 7},
               {"1e", 1},
               {"2e+3", 2000},
               {".5", 0.5}};
  for (const Case& c : cases) {
    v->SetLineValueText(0, c.text);
    EXPECT_EQ(v->m_values[0], c.value) << c.text;
  }
  v->SetRange(5.0, 1.0);  // lower above upper: the lower limit wins
  v->SetLineValueText(0, "3");
  EXPECT_EQ(v->m_values[0], 5);
  v->SetLineValue(0, 1e20);  // set by the program: stored unchanged
  EXPECT_EQ(v->m_values[0], 1e20);
}

TEST_F(SheetEditTest, EditedIntegerTextsUseTenCharactersAndTheLimits) {
  BuildSheet(1);
  auto* v = new CGSIntValues(body, 0, 0);
  struct Case {
    int lower, upper;
    const char* text;
    int value;
  } cases[] = {{0, 100, "12345678901", 100},
               {0, 100, "-5", 0},
               {0, 100, "42x", 42},
               {0, 100, "\xEF\xBC\x97", 7},
               {INT32_MIN, INT32_MAX, "99999999999", INT32_MAX},
               {INT32_MIN, INT32_MAX, " -2147483649", -21474836},
               {INT32_MIN, INT32_MAX, "abc", 0}};
  for (const Case& c : cases) {
    v->SetRange(c.lower, c.upper);
    v->SetLineValueText(0, c.text);
    EXPECT_EQ(v->m_values[0], c.value) << c.text;
  }
  EXPECT_EQ(ParseLeadingInt("-999999999999"), -999999999);
}

TEST_F(SheetEditTest, ValueTextsAndTheStartValuesOfNewLines) {
  BuildSheet(2);
  auto* v = new CGSValues(body, 0, 0, -1e300, 1e300);
  struct Case {
    double value;
    int decimals, exponent;
    const char* text;
  } cases[] = {{12345.678, -1, 0, "12346"}, {12345.678, 0, 0, "12346"}, {12345.678, 3, 0, "12345.678"},
               {12345.678, 2, 1, "1.23E4"}, {0.00012, 2, 1, "1.20E-4"}, {1, 2, 1, "1.00E0"},
               {1e100, 2, 1, "1.00E100"},   {12.5, 3, 0, "12.500"}};
  std::string text;
  for (const Case& c : cases) {
    v->SetLineValue(0, c.value);
    v->SetLineDecimals(0, c.decimals);
    v->SetLineExponent(0, c.exponent);
    v->GetLineValueText(0, &text);
    EXPECT_EQ(text, c.text) << c.value;
  }
  v->GetLineValueText(1, &text);
  EXPECT_EQ(text, "0.000");
  sheet->InsertLines(0, 1);
  v->GetLineValueText(0, &text);
  EXPECT_EQ(text, "0");
  sheet->SetLineCount(6);
  v->GetLineValueText(5, &text);
  EXPECT_EQ(text, "0.000");
}

TEST_F(SheetEditTest, DropDownLinesLookUpItemsByPositionTextAndKey) {
  BuildSheet(3);
  const int keys[] = {10, 20, 10, 30, 40};
  auto* c = new CGSComboBoxs(body, 0, 0, 80, 5, nullptr, keys);
  const char* names[] = {"a", "b", "a", "c", "d"};
  for (int i = 0; i < 5; ++i) c->m_items[static_cast<size_t>(i)] = names[i];
  std::string text = "kept";
  c->SetLineSelection(0, -1);
  c->GetLineValueText(0, &text);
  EXPECT_EQ(text, "kept");
  c->SetLineSelection(0, 7);
  c->GetLineValueText(0, &text);
  EXPECT_EQ(text, "a");  // item 2
  int v = -1;
  c->GetLineIntValue(0, &v);
  EXPECT_EQ(v, -1);  // a selection outside the list reads nothing
  c->SetLineValueText(1, "a");
  int sel = -9;
  c->GetLineSelection(1, &sel);
  EXPECT_EQ(sel, 2);  // the later of two equal texts
  c->SetLineIntValue(1, 10);
  c->GetLineSelection(1, &sel);
  EXPECT_EQ(sel, 0);  // the earlier of two equal keys
  c->SetLineIntValue(1, 99);
  c->GetLineSelection(1, &sel);
  EXPECT_EQ(sel, -1);
  c->SetLineValueText(1, "zzz");
  c->GetLineSelection(1, &sel);
  EXPECT_EQ(sel, -1);
  // Without items a cell shows nothing and gives no text.
  auto* empty = new CGSComboBoxs(body, 0, 0, 80, 0, nullptr, nullptr);
  text = "kept";
  empty->GetLineValueText(0, &text);
  EXPECT_EQ(text, "kept");
  LayoutAndPaint();  // draws without dividing by zero
}

TEST_F(SheetEditTest, AReleaseOnThePressedEditableLineOpensTheEditor) {
  BuildSheet(4);
  auto* v = new CGSValues(body, 0, 0, -100, 100);
  for (int code : {GEVENT_EDIT_BEGIN, GEVENT_EDIT_END, GEVENT_CHANGED})
    gadget_test::AddLogEvent(v, code, &log);
  LayoutAndPaint();
  const int x = 40;
  auto lineY = [](int line) { return 11 + 18 * line + 9; };
  Down(x, lineY(1));
  Move(x, lineY(2));  // off the pressed line
  Up(x, lineY(2));
  EXPECT_TRUE(log.empty());
  Down(x, lineY(1));
  Up(x, lineY(1));
  EXPECT_EQ(log, (Log{"event 12"}));
  vt::FakeInPlaceEdit* edit = TextEditor();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Text(), "0.000");
  edit->Type("250");
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_EQ(v->m_values[1], 100);
  EXPECT_EQ(sheet->m_focusLine, 2);
  edit->PressKey(vt::kVkEscape);
  // A disabled column neither arms nor opens.
  root->CloseInPlaceEditors();
  host->Pump();
  log.clear();
  v->SetStyle(GSTYLE_VISIBLE);
  Down(x, lineY(3));
  Up(x, lineY(3));
  EXPECT_TRUE(log.empty());
}

TEST_F(SheetEditTest, TabMovesTheEditToTheNextEditableColumn) {
  BuildSheet(3);
  auto* first = new CGSValues(body, 0, 0, -100, 100);
  new IntColumn(body, 50);  // not focusable
  auto* second = new CGSIntValues(body, 0, 0);
  gadget_test::AddLogEvent(second, GEVENT_EDIT_BEGIN, &log);
  LayoutAndPaint();
  sheet->m_focusLine = 1;
  first->BeginEdit();
  TextEditor()->Type("5");
  TextEditor()->PressKey(vt::kVkTab);
  host->Pump();
  EXPECT_EQ(first->m_values[1], 5);
  EXPECT_EQ(log, (Log{"event 12"}));
  EXPECT_EQ(TextEditor()->Text(), "0");
  vt::Rect cell;
  second->GetLineRect(1, &cell);
  EXPECT_EQ(TextEditor()->Bounds(), cell);
}

TEST_F(SheetEditTest, TabCrossesBetweenASheetColumnAndAFieldBesideTheSheet) {
  BuildSheet(3);
  auto* column = new CGSValues(body, 0, 0, -100, 100);
  auto* field = new CGText(root, 10, 240, 120, 20, 0, 0x02000000, 0x02FFFFFF, 0);
  gadget_test::AddLogEvent(field, GEVENT_EDIT_BEGIN, &log);
  LayoutAndPaint();
  field->SetEditText("name");
  sheet->m_focusLine = 1;
  column->BeginEdit();
  TextEditor()->Type("5");
  TextEditor()->PressKey(vt::kVkTab);
  host->Pump();
  EXPECT_EQ(column->m_values[1], 5);
  // The field opens the editor over itself.
  EXPECT_EQ(log, (Log{"event 12"}));
  vt::Rect r;
  field->GetAbsoluteRect(&r);
  EXPECT_EQ(TextEditor()->Bounds(), r);
  EXPECT_EQ(TextEditor()->Text(), "name");
  // And Tab from the field (the last gadget) wraps back to the column's focus line.
  TextEditor()->PressKey(vt::kVkTab);
  host->Pump();
  column->GetLineRect(1, &r);
  EXPECT_EQ(TextEditor()->Bounds(), r);
  EXPECT_EQ(TextEditor()->Text(), "5.000");
  EXPECT_TRUE(TextEditor()->IsVisible());
}

TEST_F(SheetEditTest, CellEditorsKeepTwoPixelMarginsWhileFieldsHaveNone) {
  BuildSheet(2);
  auto* plain = new CGSIntValues(body, 0, 0);
  auto* masked = new CGSIntValues(body, 0, 0);
  masked->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  auto* field = new CGText(root, 10, 240, 120, 20, 0, 0x02000000, 0x02FFFFFF, 0);
  LayoutAndPaint();
  auto editorOf = [&](int id) {
    for (vt::FakeInPlaceEdit* e : host->Edits())
      if (e->Id() == id) return e;
    return static_cast<vt::FakeInPlaceEdit*>(nullptr);
  };
  const struct {
    CGPrimitive* gadget;
    int editorId;
    std::pair<int32_t, int32_t> margins;
  } cases[] = {
      {plain, kTextEditorId, {2, 2}}, {masked, kPasswordEditorId, {2, 2}}, {field, kTextEditorId, {0, 0}}};
  for (const auto& c : cases) {
    c.gadget->BeginEdit();
    vt::FakeInPlaceEdit* edit = editorOf(c.editorId);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsVisible());
    EXPECT_EQ(edit->margins(), c.margins) << c.editorId;
    root->CloseInPlaceEditors();
    host->Pump();
  }
}

TEST_F(SheetEditTest, TheDropDownStoresEachChoiceAndMovesOnWithEnter) {
  BuildSheet(3);
  auto* c = new CGSComboBoxs(body, 0, 0, 80, 3, nullptr, nullptr);
  c->m_items = {"low", "mid", "high"};
  for (int code : {GEVENT_EDIT_BEGIN, GEVENT_CHANGED, GEVENT_EDIT_END})
    gadget_test::AddLogEvent(c, code, &log);
  LayoutAndPaint();
  Down(40, 11 + 9);
  Up(40, 11 + 9);
  ASSERT_FALSE(host->Combos().empty());
  vt::FakeInPlaceCombo* combo = host->Combos()[0];
  EXPECT_TRUE(combo->IsDroppedDown());
  EXPECT_EQ(combo->CurSel(), 0);
  combo->Choose(2);
  int sel = -1;
  c->GetLineSelection(0, &sel);
  EXPECT_EQ(sel, 2);
  combo->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_EQ(sheet->m_focusLine, 1);
  // Begin, change; no edit-finished event; then the next line's drop-down, not dropped.
  EXPECT_EQ(log, (Log{"event 12", "event 1", "event 12"}));
  EXPECT_FALSE(combo->IsDroppedDown());
}

}  // namespace
}  // namespace sheet_test
