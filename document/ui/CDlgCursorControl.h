// The cursor-control window: a modeless tool window that shows, for the current group of the
// active graph window, the times of cursors A and B and the span between them, and for every
// displayed channel its value at A, at B and the difference B - A (a channel of min/max pairs
// takes two lines, the maximum above the minimum; a channel of single values leaves the upper
// line empty). The step buttons of the two time boxes move the cursors by the sample interval
// of the group's selected channel, and the graph follows.
//
// The main frame makes it hidden at start-up and shows it with Window > Cursor control, which
// asks the active graph document to attach its repeaters (hint 4). Every graph document passes
// its hints here through its repeater 1123; while the window is hidden they do no work, but a
// document that detaches is always forgotten. User-interface thread only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/ui/DialogFrame.h"
#include "gadget/GGroup.h"
#include "gadget/sheet/GSkSheetDigitals.h"
#include "gadget/sheet/GSkSheetLine.h"

GADGET_DECLARE_RECORD(CGVTMinMaxChannelLine)
GADGET_DECLARE_RECORD(CGVTSAlarmDigitals)
GADGET_DECLARE_RECORD(CGVTCursorControl)
GADGET_DECLARE_RECORD(CGVTCursorControlRoot)

class CGVantrelDoc;
class CGVTTimeLabelVolume;
class CGSpanLabel;
class CGSheet;

// The two-line channel header: per pair of lines the name above the unit, a strip in the
// channel's colour, and for a min/max channel "Max" and "Min" at the right.
class CGVTMinMaxChannelLine : public CGSkSChannelLine {
 public:
  using CGSkSChannelLine::CGSkSChannelLine;
  const SGClassInfo* GetClassInfo() const override;
  void SetLineCount(int count) override;
  void SetLineUnit(int line, const std::string& unit);
  void SetLineKind(int line, int kind);
  int LineKind(int line) const;

  std::vector<std::string> m_units;
  std::vector<int> m_kinds;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

// The value column whose alarm marks show only on lines that hold a value with alarms.
class CGVTSAlarmDigitals : public CGSkSAlarmDigitals {
 public:
  CGVTSAlarmDigitals(CGCore* parent, int id, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override;
  void SetLineCount(int count) override;
  void SetMarksShown(int line, bool shown);
  bool MarksShown(int line) const;

  std::vector<uint8_t> m_marksShown;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGVTCursorControl : public CGGroup {
 public:
  static constexpr int kTimeAId = 1119, kTimeBId = 1120, kSheetId = 1126;
  static constexpr int kValueAId = 1116, kValueBId = 1117, kDifferenceId = 1118;
  static constexpr int kMaxLines = 200;

  explicit CGVTCursorControl(CGCore* root);
  const SGClassInfo* GetClassInfo() const override;
  void OnUpdate(int hint, void* data) override;

  void RebuildTable();
  void ShowCursorTimes();
  void ShowCursorValues();
  // A step of the time box of cursor A (or B): the cursor moves to the first stored sample of
  // the group's selected channel at or after the box's time; nothing without a selected channel.
  void MoveCursor(bool cursorB);
  CGVantrelDoc* GetDocument() const { return m_document; }
  void SetDocument(CGVantrelDoc* doc) { m_document = doc; }

  CGSheet* m_sheet = nullptr;
  CGVTMinMaxChannelLine* m_lines = nullptr;
  CGVTSAlarmDigitals* m_valueA = nullptr;
  CGVTSAlarmDigitals* m_valueB = nullptr;
  CGVTSAlarmDigitals* m_difference = nullptr;
  CGVTTimeLabelVolume* m_timeA = nullptr;
  CGVTTimeLabelVolume* m_timeB = nullptr;
  CGSpanLabel* m_span = nullptr;
  bool m_mixed = false;

 private:
  CGVantrelDoc* m_document = nullptr;
};

class CGVTCursorControlRoot : public vt::CGVTDialogRoot {
 public:
  CGVTCursorControlRoot();
  const SGClassInfo* GetClassInfo() const override;
  // Nothing while the window is hidden (a detaching document is still forgotten); otherwise the
  // title follows the document, the hint reaches the table and the window is redrawn.
  void OnUpdate(int hint, void* data) override;
  CGVTCursorControl* Control() const;
};

// The root with its gadget, 453 x 462.
CGVTCursorControlRoot* CreateCursorControlRoot();

class CDlgCursorControl : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 341;
  static constexpr int kCommandId = 32914;

  // Made at once, hidden, with parent (the main window) as its transient parent.
  explicit CDlgCursorControl(vt::WindowHandle parent);
  ~CDlgCursorControl() override;

  // "Control", "Control[graph]" or "Control[graph:group]".
  void SetTitle(const std::string& graphName, const std::string& groupName);
  CGVTCursorControlRoot* GetRoot() const { return m_root; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(false); }
  vt::LResult WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;

 private:
  CGVTCursorControlRoot* m_root = nullptr;
};
