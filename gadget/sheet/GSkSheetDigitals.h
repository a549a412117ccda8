// The skinned numeric columns: zebra-striped cells with the selection and inactive colours of
// the sheet skin. The alarm column draws its boxes in the skin's eight alarm colours: alarm,
// quiet, not set up and frame for an active line, then the same four for an inactive one.
#pragma once
#include "gadget/sheet/GSheetDigitals.h"

class CGSkSDigitals : public CGSDigitals {
 public:
  using CGSDigitals::CGSDigitals;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSDigitals); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSAlarmDigitals : public CGSAlarmDigitals {
 public:
  using CGSAlarmDigitals::CGSAlarmDigitals;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSAlarmDigitals); }
  // Box i of a line in the skin's alarm colours.
  vt::ColorRef SkinBoxColor(int line, int i) const;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};
