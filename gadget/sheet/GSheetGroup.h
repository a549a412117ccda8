// A column group of a sheet: a column made of sub-columns laid side by side, exactly as wide as
// its visible children together. Its title can span rows: the group's own title on top and the
// sub-columns' titles below, the way a spreadsheet header groups columns under one caption.
// Line counts, insertions and deletions reach the sub-columns through the group.
#pragma once
#include "gadget/sheet/GSheetArray.h"

class CGSGroup : public CGSheetArray {
 public:
  CGSGroup(CGCore* parent, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSGroup); }

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void ScalePrintRects(int scale) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawTitle(vt::DeviceContext* dc, int top, int bottom) override { DrawGroupTitle(dc, top, bottom, 0); }
  void DrawTitlePressed(vt::DeviceContext* dc, int top, int bottom) override {
    DrawGroupTitle(dc, top, bottom, 1);
  }
  void DrawTitleHot(vt::DeviceContext* dc, int top, int bottom) override {
    DrawGroupTitle(dc, top, bottom, 2);
  }
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void SetLineCount(int count) override;
  int GetTitleRows() const override;
  void PrintTitle(vt::DeviceContext* dc, int top, int bottom) override;

  // 1: the title in rows (the group's on top, the sub-columns' below); 0: one title.
  int m_groupTitle = 1;

 protected:
  void DrawGroupTitle(vt::DeviceContext* dc, int top, int bottom, int look);
  // The group's cell fill and frame of one line.
  void DrawGroupCell(vt::DeviceContext* dc, int line, const vt::Rect& cell, int frameWidth);
};
