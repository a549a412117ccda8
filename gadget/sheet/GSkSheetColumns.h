// The skinned cell columns: the twins of the label, cyclic, drop-down, number, check-icon/value,
// push-button and toggle columns. Each keeps its base's data, editing, events and pointer
// behaviour and draws zebra cells with the sheet skin's selection colours and skin bitmaps for
// buttons, arrows, lamps and icons. Their skin blocks are class-wide statics that the setters
// below fill (SetSheetSkin calls them at start-up); a later call changes every column of the
// class at its next redraw.
#pragma once
#include <cstdint>

#include "gadget/sheet/GSheetButtons.h"
#include "gadget/sheet/GSheetEdit.h"
#include "gadget/sheet/GSheetLabels.h"

void SetSkSComboBoxsSkin(const int32_t block[12]);
void SetSkSTogLabelButtonsSkin(const int32_t block[16]);
void SetSkSCyclicLabelsSkin(const int32_t block[4]);
void SetSkSTogIconButtonsSkin(const int32_t block[4]);
// The push-button block (filled by SetSheetSkin itself).
void SetSkSPushButtonsSkin(const int32_t block[22]);
// Forgets the blocks and their bitmaps.
void ResetSheetColumnSkins();

class CGSkSLabels : public CGSLabels {
 public:
  using CGSLabels::CGSLabels;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSLabels); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSCyclicLabels : public CGSCyclicLabels {
 public:
  using CGSCyclicLabels::CGSCyclicLabels;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSCyclicLabels); }
  void DrawLineNormal(vt::DeviceContext* dc, int line) override;
  void DrawLinePressed(vt::DeviceContext* dc, int line) override;
};

class CGSkSComboBoxs : public CGSComboBoxs {
 public:
  using CGSComboBoxs::CGSComboBoxs;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSComboBoxs); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSValues : public CGSValues {
 public:
  using CGSValues::CGSValues;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSValues); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSIntValues : public CGSIntValues {
 public:
  using CGSIntValues::CGSIntValues;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSIntValues); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSCheckIconValues : public CGSCheckIconValues {
 public:
  CGSkSCheckIconValues(CGCore* parent, int id, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSCheckIconValues); }
  void Draw(vt::DeviceContext* dc) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void BuildColumns() override;
};

class CGSkSPushButtons : public CGSPushButtons {
 public:
  using CGSPushButtons::CGSPushButtons;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSPushButtons); }
  void DrawLineNormal(vt::DeviceContext* dc, int line) override { DrawSkinnedButton(dc, line, 0); }
  void DrawLinePressed(vt::DeviceContext* dc, int line) override { DrawSkinnedButton(dc, line, 1); }
  void DrawLineHot(vt::DeviceContext* dc, int line) override { DrawSkinnedButton(dc, line, 2); }
  // The nine-slice state cell: 4 selected + 8 odd + the look's cell (normal 0 or 1 when not
  // active, pressed 2, hot 3).
  int ButtonCell(int line, int look) const;

 private:
  void DrawSkinnedButton(vt::DeviceContext* dc, int line, int look);
};

class CGSkSTogLabelButtons : public CGSTogLabelButtons {
 public:
  using CGSTogLabelButtons::CGSTogLabelButtons;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSTogLabelButtons); }
  // The lamp cell: 1 when on, + 2 when the line is not active.
  int LampCell(int line) const;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSTogIconButtons : public CGSTogIconButtons {
 public:
  using CGSTogIconButtons::CGSTogIconButtons;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSTogIconButtons); }
  // The icon cell: 1 when on, + 2 when the line is not active.
  int IconCell(int line) const;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};
