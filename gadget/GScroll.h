// Scrolling: the body whose children live in content coordinates shown shifted by a scroll
// position, and the manager that holds one body and up to two scroll bars, lays them out in
// its frame, keeps the bars' ranges and positions in step with the body, hides the bars that
// are not needed, turns the mouse wheel into vertical scrolling and divides the content into
// print pages. The list, sheet and graph gadgets derive from these two.
#pragma once
#include "gadget/GGroup.h"

class CGScrollBar;
class CGScrollManager;

class CGScroll : public CGGroup {
 public:
  CGScroll(CGCore* parent, int id, int style);
  ~CGScroll() override;
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  void GetChildOffset(vt::Point* out) const override {
    *out = vt::Point{m_scrollX - m_rect.left, m_scrollY - m_rect.top};
  }
  void OnUpdate(int hint, void* data) override;
  void GetPrintChildOffset(vt::Point* out) const override {
    *out = vt::Point{m_printScrollX - m_printRect.left, m_printScrollY - m_printRect.top};
  }
  // Store the position and paint the body into the back buffer (not copied to the window).
  virtual void SetScrollX(int x);
  virtual void SetScrollY(int y);
  virtual void FitContentToView();

  int ViewWidth() const { return m_rect.Width(); }
  int ViewHeight() const { return m_rect.Height(); }

  int m_scrollX = 0;
  int m_scrollY = 0;
  int m_contentWidth = 0;
  int m_contentHeight = 0;
  int m_printScrollX = 0;
  int m_printScrollY = 0;
  // The content size while printing (the printed content may be laid out at another scale).
  int m_printContentWidth = 0;
  int m_printContentHeight = 0;
};

class CGScrollManager : public CGGroup {
 public:
  CGScrollManager(CGCore* parent, int left, int top, int id, int style, int width, int height, int frameWidth,
                  int barWidth);
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void LayoutTree() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) override;
  int CanScrollWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) override;
  int GetPrintPageCount(vt::DeviceContext* dc) override;

  virtual void SetScrollX(int x);
  virtual void SetScrollY(int y);
  // Clamps the scroll position into the content and sets both bars' ranges, pages,
  // visibility and positions from the body. Nothing is repainted.
  virtual void SyncScrollBars();
  virtual void SetPrintPage(int page);

  // The wheel's move: the position clamped into the content, passed on to the bars.
  void SetScroll(int x, int y);

  // Called by the constructors of the body and the bars; a later one replaces an earlier one.
  void RegisterBody(CGScroll* body) { m_body = body; }
  void RegisterVerticalBar(CGScrollBar* bar) { m_verticalBar = bar; }
  void RegisterHorizontalBar(CGScrollBar* bar) { m_horizontalBar = bar; }
  // Called when a registered part goes before the manager.
  void ForgetPart(const CGCore* part);

  CGScroll* m_body = nullptr;
  CGScrollBar* m_verticalBar = nullptr;
  CGScrollBar* m_horizontalBar = nullptr;
  int m_barWidth;
  int m_pagesAcross = 0;
  int m_pagesDown = 0;
  int m_pageStepX = 0;
  int m_pageStepY = 0;
  int m_printBaseX = 0;
  int m_printBaseY = 0;

 private:
  int BarStyle(const CGScrollBar* bar) const;
};

// The number of layout passes after the first that the manager runs to settle its bars.
constexpr int kScrollSettlePasses = 5;
