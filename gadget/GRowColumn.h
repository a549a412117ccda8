// The layout container: places its visible children in rows, columns, flowing rows or fixed
// grids with spacing, margins, equal sizes and a stretched last child; the skinned form that
// always paints in its parent's colour; and the radio box that holds the index of its selected
// child.
#pragma once
#include "gadget/GGroup.h"

// Layout modes.
enum : int {
  kRowColumnRows = 1,
  kRowColumnColumns = 2,
  kRowColumnLeftToRight = 3,
  kRowColumnRightToLeft = 4,
  kRowColumnTopDown = 5,
  kRowColumnBottomUp = 6,
};
// Flags of modes 3 to 6.
enum : int { kRowColumnStretchLast = 1, kRowColumnEqualSizes = 2 };

class CGRowColumn : public CGGroup {
 public:
  CGRowColumn(CGCore* parent, int left, int top, int id, int style, int width, int height, int opaque,
              int flags);
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  void ScalePrintRects(int scale) override;

  int mode = kRowColumnTopDown;
  int columns = -1;
  int rows = -1;
  int spacing = 0;
  int topMargin = 0;
  int bottomMargin = 0;
  int leftMargin = 0;
  int rightMargin = 0;
  int flags;

 private:
  // One pass over the children with their screen rectangles, or their print rectangles with
  // spacing and margins multiplied by scale.
  void Arrange(bool print, int scale);
};

class CGSkRowColumn : public CGRowColumn {
 public:
  CGSkRowColumn(CGCore* parent, int left, int top, int id, int style, int width, int height);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  vt::ColorRef GetBackColor() const override;
};

class CGSkRadioBox : public CGSkRowColumn {
 public:
  // mode: kRowColumnRows (a row) or kRowColumnTopDown (a column).
  CGSkRadioBox(CGCore* parent, int left, int top, int id, int style, int width, int height, int mode);
  const SGClassInfo* GetClassInfo() const override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int index) override;
  int GetValue(int* out) override { return *out = selection, 0; }

  int selection = -1;
};
