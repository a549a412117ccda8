// The read-only numeric columns of a sheet. Each line holds a number with its own decimals and
// fixed or exponent form, and a value status that replaces the number by a status text when
// the value is not a plain measurement. The alarm column adds a row of small boxes before the
// number, one per alarm level: grey when the level is not set up, green when quiet, red in
// alarm. The owner fills the lines and writes a line's status entry directly.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gadget/sheet/GSheetArray.h"

// The cell text of a value with a status: the number for status 0 (fixed form, or exponent form
// with at least one exponent digit), "" for 3, the status texts for 6-12, "- OFF -" otherwise.
std::string SheetValueText(double value, int status, int decimals, int exponent);
// The text of a status alone: "" for 0 and 3, the status texts for 6-12, "- OFF -" otherwise.
const char* SheetStatusText(int status);
// The number alone, as the status-0 text above.
std::string SheetNumberText(double value, int decimals, int exponent);

class CGSDigitals : public CGSheetArray {
 public:
  CGSDigitals(CGCore* parent, int id, int width, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSDigitals); }

  void Draw(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void GetLineValueText(int line, std::string* text) override;
  void SetLineDecimals(int line, int n) override;
  void SetLineExponent(int line, int flag) override;
  void SetLineValue(int line, double value) override;
  void GetLineValue(int line, double* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void SetLineCount(int count) override;

  int Status(int line) const { return m_statuses[static_cast<size_t>(line)]; }

  std::vector<double> m_values;
  // The value status of each line; the owner writes the entry of a line inside the count.
  std::vector<int> m_statuses;
  std::vector<int> m_decimals;
  std::vector<int> m_exponents;

 protected:
  // True when some of the column lies in the body's horizontal view.
  bool InHorizontalView() const;
  virtual void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
  virtual void PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
};

class CGSAlarmDigitals : public CGSDigitals {
 public:
  CGSAlarmDigitals(CGCore* parent, int id, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSAlarmDigitals); }

  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void SetLineCount(int count) override;
  virtual void SetLineAlarms(int line, int bits);
  virtual void SetLineAlarmMask(int line, int mask);
  virtual void SetShowAlarms(int flag) { m_showAlarms = flag; }

  // The colour of box i of a line: grey when the level is not set up, red in alarm, else green.
  vt::ColorRef AlarmBoxColor(int line, int i) const;

  int m_alarmBoxCount = 4;
  int m_showAlarms = 1;
  std::vector<uint8_t> m_alarmBits;
  std::vector<uint8_t> m_alarmMask;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  void PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  // Whether the boxes show for the line's status (not for 4 and 5).
  bool ShowsBoxes(int line) const;
};
