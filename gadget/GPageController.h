// Tab pages and the page controller. The controller lays its pages over its whole area, keeps
// the index of the current page (counted among all tab pages), shows only the current page's
// content, switches pages when a tab is clicked (GEVENT_EDIT_STORE before, GEVENT_CHANGED
// after the switch) and scrolls its tab strip with two small buttons when the tabs do not fit.
// In shared-content mode one content gadget moves from page to page. A page's content is its
// first child.
#pragma once
#include <cstddef>
#include <string>

#include "gadget/GGroup.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkinCell.h"

class CGSkTabButtonLeft;
class CGSkTabButtonRight;

class CGTabPage : public CGGroup {
 public:
  CGTabPage(CGCore* parent, int style, int tabWidth, const std::string& title);
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  // Lays out the content whether or not the page is visible.
  void LayoutTree() override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  void SetText(const std::string& text) override { m_title = text; }
  void GetText(std::string* out) override { *out = m_title; }
  void OnMouseEnter(int32_t x, int32_t y) override;
  void ScalePrintRects(int scale) override;
  virtual void DrawTab(vt::DeviceContext* dc, vt::ColorRef fill, vt::ColorRef highlight, vt::ColorRef shadow);
  virtual void DrawTabText(vt::DeviceContext* dc, int style, int l, int t, int r, int b, vt::ColorRef fill,
                           vt::ColorRef text, CGFont* font, const std::string& title);

  // The strip height: the controller's when the parent is one, else the font's height + 8.
  int HeaderHeight() const;
  // The tab's rectangle in root coordinates.
  vt::Rect TabRect() const;
  // Whether (x, y), in the controller's child coordinates, lies on this page's tab.
  bool TabHit(int x, int y) const;
  int FontHeight() const;

  vt::ColorRef m_textColour = 0x02000000;
  CGFont* m_font = nullptr;
  std::string m_title;
  int m_tabX = 0;
  int m_tabWidth;
};

// The skinned page: tab and body frame drawn from the skin block.
class CGSkTabPage : public CGTabPage {
 public:
  using CGTabPage::CGTabPage;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  vt::ColorRef GetBackColor() const override;
  virtual void DrawSkinTab(vt::DeviceContext* dc, int style, int active);
  virtual void DrawSkinTabText(vt::DeviceContext* dc, int style, int active, int l, int t, int r, int b,
                               CGFont* font, const std::string& title);
  virtual void DrawPageBody(vt::DeviceContext* dc, int style);
};

namespace vt {

struct SGTabPageSkin {
  SGSkinCell tab;
  SGSkinCell body;
  vt::ColorRef textInactive = 0x02000000;
  vt::ColorRef textActive = 0x02000000;
  vt::ColorRef textDisabledInactive = 0x02808080;
  vt::ColorRef textDisabledActive = 0x02808080;
  vt::ColorRef backEnabled = 0x02C0C0C0;
  vt::ColorRef backDisabled = 0x02C0C0C0;
  vt::ColorRef shadowColour = 0x02FFFFFF;
  int shadowDx = 0;
  int shadowDy = 0;
};

}  // namespace vt
constexpr std::size_t kTabPageSkinBytes = 104;
void SetSkTabPageSkin(const unsigned char* block);
const vt::SGTabPageSkin& GetSkTabPageSkin();

// The strip's scroll buttons: arrow buttons whose click fires GEVENT_CLICKED on themselves.
class CGSkTabButton : public CGScrollButton {
 public:
  CGSkTabButton(CGCore* parent, int frameType, int repeatInterval)
      : CGScrollButton(parent, frameType, repeatInterval) {}
  void OnClick() override { FireEvent(GEVENT_CLICKED); }
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;
  virtual const vt::SGArrowSkin& Skin() const = 0;
};

class CGSkTabButtonLeft : public CGSkTabButton {
 public:
  using CGSkTabButton::CGSkTabButton;
  const SGClassInfo* GetClassInfo() const override;
  const vt::SGArrowSkin& Skin() const override;
};

class CGSkTabButtonRight : public CGSkTabButton {
 public:
  using CGSkTabButton::CGSkTabButton;
  const SGClassInfo* GetClassInfo() const override;
  const vt::SGArrowSkin& Skin() const override;
};

void SetSkTabButtonLeftSkin(const unsigned char* block);
void SetSkTabButtonRightSkin(const unsigned char* block);

class CGSkPageController : public CGGroup {
 public:
  CGSkPageController(CGCore* parent, int left, int top, int id, int style, int width, int height,
                     int maxTabWidth);
  const SGClassInfo* GetClassInfo() const override;

  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void Draw(vt::DeviceContext* dc) override;
  void Paint(vt::DeviceContext* dc) override;
  void Layout() override;
  CGPrimitive* ChildFromPoint(int x, int y, int mask) const override;
  // Makes the page at index current; neither repaints nor fires events.
  void SetValue(int index) override;
  int GetValue(int* out) override {
    *out = m_current;
    return 0;
  }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnUpdate(int hint, void* data) override;
  void ScalePrintRects(int scale) override;
  virtual void CreateTabScrollButtons(int frameType);

  // ---- non-virtual ----
  void EnsureCurrentTabVisible();
  // The tab scroll offset: the tabX of the visible page at firstTab (0 when none).
  int TabScrollOffset() const;
  CGTabPage* TabFromPoint(int x, int y) const;
  void SelectTab(CGTabPage* page);
  CGTabPage* PageAt(int index) const;
  void ScrollTabsLeft();
  void ScrollTabsRight();

  int m_sharedContent = 0;
  int m_current = 0;
  int m_firstTab = 0;
  int m_stripWidth = 0;
  int m_headerHeight = 0;
  int m_maxTabWidth;
  CGSkTabButtonLeft* m_leftButton = nullptr;
  CGSkTabButtonRight* m_rightButton = nullptr;

 private:
  void Route(MouseHandler handler, uint32_t flags, int32_t x, int32_t y);
};

constexpr int kTabButtonRepeatMilliseconds = 150;
