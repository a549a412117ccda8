// The column header of a sheet: the strip along the top that shows the title of every column
// of the body and, over the line header, the line header's title (the corner). It scrolls
// horizontally with the body, draws each title through its column, which calls back into the
// header's three title looks, and turns a click on a clickable title into event 8 on that
// column. A click on the corner toggles between all lines selected and no selection.
#pragma once
#include <functional>
#include <string>

#include "gadget/sheet/GSheet.h"

namespace vt {
class Font;
}

class CGSColumn : public CGSheetGadget {
 public:
  CGSColumn(CGCore* sheet, int id, int style, int height);
  ~CGSColumn() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSColumn); }

  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  virtual void RedrawNormal(vt::DeviceContext* dc);
  virtual void RedrawPressed(vt::DeviceContext* dc);
  // rect: the title's rectangle in root coordinates; drawBackground: the button face too.
  virtual void DrawTitleNormal(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                               int titleStyle, int state, const vt::Font* font, const std::string& title);
  virtual void DrawTitlePressed(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                int titleStyle, int state, const vt::Font* font, const std::string& title);
  virtual void DrawTitleHot(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                            int state, const vt::Font* font, const std::string& title);

  // The column or line header whose clickable title lies under the point (sheet coordinates).
  CGSheetArray* HitTest(int x, int y) const;
  // True when the column's clickable title contains the point (sheet coordinates).
  bool TitleContains(const CGSheetArray* column, int x, int y) const;

  CGSheetArray* m_pressedColumn = nullptr;

 protected:
  // Calls f for every visible column of the body that lies in the body's horizontal view.
  void ForColumnsInView(const std::function<void(CGSheetArray*)>& f) const;
  // Draws into the back buffer, clipped to the header, and copies the header to the window.
  void RedrawWith(void (CGSColumn::*draw)(vt::DeviceContext*));
  // The button face and the title of the plain looks.
  void DrawPlainTitle(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                      int state, const vt::Font* font, const std::string& title, bool pressed);
};
