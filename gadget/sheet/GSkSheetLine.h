// The skinned line headers: the numbered header, the channel header with its colour mark and the
// check-icon header. Each keeps its base's data, selection and checks and draws its cells as
// nine-slice skin cells (zebra, selected and inactive variants) with a shadowed text.
#pragma once
#include "gadget/sheet/GSheetLine.h"

class CGSkSLine : public CGSLine {
 public:
  using CGSLine::CGSLine;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSLine); }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSChannelLine : public CGSChannelLine {
 public:
  using CGSChannelLine::CGSChannelLine;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSChannelLine); }
  CGFont* GetLabelFont(vt::DeviceContext* dc, const std::string& label) override;
  // The rectangle of the colour mark and of the label inside a cell.
  void MarkAndLabelRects(const vt::Rect& cell, vt::Rect* mark, vt::Rect* label) const;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSkSCheckIconLine : public CGSCheckIconLine {
 public:
  using CGSCheckIconLine::CGSCheckIconLine;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSCheckIconLine); }
  // The icon cell of a line: 1 when checked, + 2 when the line is not active.
  int IconCell(int line) const;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};
