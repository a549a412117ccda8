// Fixture of the sheet tests: a root on the fake host (400 x 300) with the built-in skin, holding a sheet
// with both scroll bars, a body, a column header and a line header, plus a plain test column that keeps one
// integer per line, and a few helpers beside the widget fixture's mouse.
#pragma once
#include <string>
#include <vector>

#include "gadget/GButton.h"
#include "gadget/GScrollBar.h"
#include "gadget/sheet/GSheet.h"
#include "gadget/sheet/GSheetArray.h"
#include "gadget/sheet/GSheetColumn.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/testing/FakeInPlaceControls.h"

namespace sheet_test {

using gadget_test::Log;

// A column that keeps an integer per line and shows it as its cell text.
class IntColumn : public CGSheetArray {
 public:
  IntColumn(CGCore* parent, int width, const char* title = "", int lineStates = 1)
      : CGSheetArray(parent, 0, GSTYLE_ACTIVE, lineStates, width, 1, 12, title) {
    values.assign(static_cast<size_t>(m_capacity), 0);
  }
  void SetLineIntValue(int line, int v) override {
    if (InLines(line)) values[static_cast<size_t>(line)] = v;
  }
  void GetLineIntValue(int line, int* v) override {
    if (InLines(line)) *v = values[static_cast<size_t>(line)];
  }
  void GetLineValueText(int line, std::string* text) override {
    if (InLines(line)) *text = std::to_string(values[static_cast<size_t>(line)]);
  }
  void SetLineValueText(int line, const std::string& text) override {
    if (InLines(line)) values[static_cast<size_t>(line)] = std::atoi(text.c_str());
  }
  void InsertLines(int at, int count) override {
    if (count > 0 && at <= m_lineCount) InsertLineEntries(&values, m_lineCount, at, count, 0);
    CGSheetArray::InsertLines(at, count);
  }
  void DeleteLines(int at, int count) override {
    DeleteLineEntries(&values, m_lineCount, at, count);
    CGSheetArray::DeleteLines(at, count);
  }
  void SetLineCount(int count) override {
    GrowLineEntries(&values, count, 0);
    CGSheetArray::SetLineCount(count);
  }
  std::vector<int> States() const {
    return std::vector<int>(m_lineStates.begin(), m_lineStates.begin() + m_lineCount);
  }
  std::vector<int> values;
};

class SheetEnv : public gadget_test::WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    host->Resize(400, 300);
  }
  // A sheet of 300 x 200 at (10, 10): frame 1, bars 16, the given lines of 18 pixels.
  void BuildSheet(int lines, int lineHeight = 18) {
    sheet = new CGSheet(root, 10, 10, 300, 200, 0, GSTYLE_ACTIVE, 1, 16, lines, lineHeight);
    vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, lineHeight);
    vbar->Build(1);
    hbar = new CGHScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16);
    hbar->Build(1);
    body = new CGSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  }
  void LayoutAndPaint() {
    sheet->LayoutTree();
    root->Redraw();
    PaintWindow();
  }
  // A Shift+click in client coordinates.
  void ShiftClick(int x, int y) {
    Cursor(x, y);
    root->OnLButtonDown(vt::kMkLButton | vt::kMkShift, x, y);
    root->OnLButtonUp(0, x, y);
  }
  vt::FakeInPlaceEdit* TextEditor() {
    for (vt::FakeInPlaceEdit* e : host->Edits())
      if (e->Id() == kTextEditorId) return e;
    return nullptr;
  }

  CGSheet* sheet = nullptr;
  CGVScrollBar* vbar = nullptr;
  CGHScrollBar* hbar = nullptr;
  CGSheetScreen* body = nullptr;
};

}  // namespace sheet_test
