// The skinned sheet, its body and its column header: the twins that every sheet of the program
// is built from. They keep the layout, selection and events of the plain gadgets and draw from
// the sheet skin: a framed sheet in the skin's background, and header titles as nine-slice
// cells with a shadowed text, with a hot look that follows the pointer.
#pragma once
#include "gadget/sheet/GSheet.h"
#include "gadget/sheet/GSheetColumn.h"

class CGFont;

class CGSkSheet : public CGSheet {
 public:
  using CGSheet::CGSheet;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSheet); }
  void Draw(vt::DeviceContext* dc) override;
  vt::ColorRef GetBackColor() const override;
};

class CGSkSheetScreen : public CGSheetScreen {
 public:
  using CGSheetScreen::CGSheetScreen;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSheetScreen); }
  void Draw(vt::DeviceContext* dc) override;
  // The parent's colour: the sheet skin's background under a skinned sheet.
  vt::ColorRef GetBackColor() const override;
};

class CGSkSColumn : public CGSColumn {
 public:
  using CGSColumn::CGSColumn;
  ~CGSkSColumn() override = default;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkSColumn); }

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseHover(int32_t x, int32_t y) override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void OnClick() override;
  void RedrawNormal(vt::DeviceContext* dc) override;
  void DrawTitleNormal(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                       int state, const vt::Font* font, const std::string& title) override;
  void DrawTitlePressed(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                        int state, const vt::Font* font, const std::string& title) override;
  void DrawTitleHot(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                    int state, const vt::Font* font, const std::string& title) override;
  // The skin's title font, one point smaller at a time (down to 4) while the title is wider.
  virtual CGFont* FitTitleFont(vt::DeviceContext* dc, int width, const std::string& title);
  virtual void RedrawHot(vt::DeviceContext* dc);

  CGSheetArray* m_hotColumn = nullptr;

 private:
  bool IsActiveHeader() const { return HasEffectiveStyle(GSTYLE_ACTIVE); }
  // True when the column is a visible and enabled column of the sheet (or its line header).
  bool IsSheetColumn(const CGSheetArray* column) const;
  // look: 0 normal, 1 pressed, 2 hot.
  void DrawSkinnedTitle(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                        int state, const std::string& title, int look);
};
