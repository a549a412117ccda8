// The visible gadget: a tree node with a rectangle, style bits, event callbacks, an optional
// help text and the routing state of the mouse. It draws into its root's back buffer, takes
// mouse and key input routed down from the root, reports to its owner through callbacks, and
// lays itself out again for printing in its own print rectangle.
//
// Children are painted from the last to the first (the first lies on top) and hit-tested from
// the first to the last. A rectangle is in the coordinate system of the parent's children;
// every mouse handler gets (flags, x, y) in the receiver's rectangle system.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gadget/ClassRecords.h"
#include "gadget/GCore.h"
#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {
class DeviceContext;
class HostWindow;
class Font;
}  // namespace vt

class CGPrimitive;
class CGFont;
class CGRoot;

// Event codes of gadget callbacks.
enum GEVENT : int {
  GEVENT_CHANGED = 1,
  GEVENT_CLICKED = 2,
  GEVENT_LAYOUT = 3,
  GEVENT_COLORBUTTON_DRAW = 4,
  GEVENT_SPLITTER_RELEASED = 6,
  GEVENT_EDIT_STORE = 7,
  GEVENT_HEADER_CLICKED = 8,
  GEVENT_SCROLLED = 9,
  GEVENT_DROPPED = 10,
  GEVENT_EDIT_END = 11,
  GEVENT_EDIT_BEGIN = 12,
  GEVENT_ITEM_CHOSEN = 13,
};

// Style bits; the effective style is a primitive's own AND-ed with every primitive ancestor's.
enum GSTYLE : int {
  GSTYLE_VISIBLE = 1,
  GSTYLE_ENABLED = 2,
  GSTYLE_ACTIVE = 3,
  GSTYLE_MASKED = 4,
};

namespace vt {

// Host-window timer ids that a root's host routes to the root.
enum GTIMER : uint32_t {
  GTIMER_REPEAT = 1,
  GTIMER_BLINK = 2,
  GTIMER_TIPSHOW = 3,
  GTIMER_TIPHIDE = 4,
  GTIMER_TICK = 6,
  GTIMER_REDRAW = 7,  // the root's one delayed redraw
};

}  // namespace vt
constexpr uint32_t kTipShowMilliseconds = 300;
constexpr uint32_t kTipHideMilliseconds = 3000;

using GEventHandler = void (*)(CGPrimitive* source, int code, void* data);

struct SGEventCallback {
  SGEventCallback* next = nullptr;
  CGPrimitive* source = nullptr;
  int code = 0;
  GEventHandler handler = nullptr;
  std::vector<unsigned char> data;  // a private copy of the caller's data
};

// Process-wide state kept with the primitive (user-interface thread only).
extern uint32_t g_repeatTimer;  // id of the running auto-repeat timer, 0 when none
extern int g_blink;             // toggled by the blink timer, starts at 1
extern int g_tickCount;         // counted by the tick timer
extern int g_printScale;        // 1 on screen; set when printing begins
extern vt::Rect g_dragFeedbackRect;
int GetPrintScale();
// Puts the process-wide state back to its start values (the repeat timer is killed first).
void ResetGadgetGlobals();

class CGPrimitive : public CGCore {
 public:
  CGPrimitive(CGCore* parent, int left, int top, int id, int style, int width, int height);
  ~CGPrimitive() override;
  const SGClassInfo* GetClassInfo() const override;

  void Detach() override;
  void Release() override;

  virtual void SetStyle(int style) { m_style = style; }
  virtual void SetChildrenStyle(int style);
  virtual int GetStyle() const { return m_style; }
  virtual vt::HostWindow* GetHostWindow() const;
  virtual void Draw(vt::DeviceContext* dc) { (void)dc; }
  virtual void Redraw();
  virtual void Paint(vt::DeviceContext* dc);
  virtual void FillBackground(vt::DeviceContext* dc);
  virtual void Flush();
  virtual void BlitRect(vt::DeviceContext* dst, vt::DeviceContext* src);
  virtual void ClipToVisibleRect(vt::DeviceContext* dc);
  virtual bool GetVisibleRect(vt::Rect* out) const;
  virtual void Update();
  virtual void DrawDragFeedback(int x, int y) { (void)x, (void)y; }
  virtual void ClipToRootRect(vt::DeviceContext* dc);
  virtual void EraseDragFeedback(vt::DeviceContext* dc);
  virtual int CanDrop(void* data);
  virtual void Drop(void* data);
  virtual CGPrimitive* FindDropTarget(void* data, int x, int y);
  virtual int SetWidth(int w);
  virtual int SetHeight(int h);
  virtual void MoveTo(int x, int y);
  virtual void SetSize(int w, int h);
  virtual void SetRect(int l, int t, int r, int b) { m_rect = vt::Rect{l, t, r, b}; }
  virtual void SetBounds(int x, int y, int w, int h);
  virtual void GetOrigin(vt::Point* out) const;
  virtual void GetAbsoluteRect(vt::Rect* out) const;
  virtual void GetRect(vt::Rect* out) const { *out = m_rect; }
  virtual void Layout();
  virtual void LayoutTree();
  virtual bool IsInsideRect(const vt::Rect* r, int mask) const;
  virtual bool HitTest(int x, int y, int mask) const;
  virtual CGPrimitive* ChildFromPoint(int x, int y, int mask) const;
  virtual CGPrimitive* ActiveChildFromPoint(int x, int y) const {
    return ChildFromPoint(x, y, GSTYLE_ACTIVE);
  }
  virtual void GetChildOffset(vt::Point* out) const { *out = vt::Point{-m_rect.left, -m_rect.top}; }
  virtual int IsEditable() { return 0; }
  virtual int SetAlignment(int alignment) { return (void)alignment, 0; }
  virtual void SetForeColor(vt::ColorRef c) { (void)c; }
  virtual void SetBackColor(vt::ColorRef c) { (void)c; }
  virtual vt::ColorRef GetForeColor() const { return 0; }
  virtual vt::ColorRef GetBackColor() const;
  virtual int SetOpaque(int opaque) { return (void)opaque, 1; }
  virtual void SetValue(double v) { (void)v; }
  virtual void SetValue(int64_t v) { (void)v; }
  virtual void SetValue(int v) { (void)v; }
  virtual void SetRange(int64_t low, int64_t high) { (void)low, (void)high; }
  virtual void SetRange(int low, int high) { (void)low, (void)high; }
  virtual void SetRange(double low, double high) { (void)low, (void)high; }
  virtual void SetSelectedIndex(int index) { (void)index; }
  // 3: no value (the output is left alone); widgets return 0 when they stored one.
  virtual int GetValue(double* out) { return (void)out, 3; }
  virtual int GetValue(int64_t* out) { return (void)out, 3; }
  virtual int GetValue(int* out) { return (void)out, 3; }
  virtual void SetDataSource(void* source) { (void)source; }
  virtual CGFont* GetFont(int which) { return (void)which, nullptr; }
  virtual int SetFontSize(int size) { return (void)size, 0; }
  virtual void FitFontToRect() {}
  virtual void SetText(const std::string& text) { (void)text; }
  virtual void SetTextFromResource(uint32_t id);
  virtual void GetText(std::string* out) { (void)out; }
  virtual int CanFocus();
  virtual int FocusNext();
  virtual int FocusPrevious();
  virtual int FocusFirst();
  virtual int FocusLast();
  virtual void Activate(int on) { (void)on; }
  virtual int EndEdit(int closeCode);
  virtual void SetEditText(const std::string& text) { SetText(text); }
  virtual void GetEditText(std::string* out) { GetText(out); }
  virtual void BeginEdit();
  // Open the root's text or password editor over the rectangle (absolute), with the font, the
  // text all selected, and margin pixels kept free left and right of the text.
  virtual void EditWithTextEdit(int l, int t, int r, int b, const vt::Font* font, const std::string& text,
                                int margin);
  virtual void EditWithPasswordEdit(int l, int t, int r, int b, const vt::Font* font, const std::string& text,
                                    int margin);
  // Shows the items (in key-table order when a table is given) and selects the item whose key
  // is currentKey (the item index without a table).
  virtual void EditWithCombo(int l, int t, int r, int b, int listHeight, const vt::Font* font, int itemCount,
                             const std::string* itemTexts, const int* keyTable, int currentKey, int showList);
  virtual void CloseTextEditor(int closeCode);
  virtual void GetStatusText(std::string* out) const;
  virtual void GetTooltipText(std::string* out) const;
  virtual void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags);
  virtual void OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags);
  virtual void OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
  virtual void OnLButtonUp(uint32_t flags, int32_t x, int32_t y);
  virtual void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y);
  virtual void OnMouseHover(int32_t x, int32_t y);
  virtual void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
  virtual void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
  virtual void OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y);
  virtual void OnRButtonUp(uint32_t flags, int32_t x, int32_t y);
  virtual void UpdateChildrenExcept(CGPrimitive* except, int hint, void* data);
  virtual void OnUpdate(int hint, void* data);
  virtual void OnTimer(uint32_t id);
  virtual void ShowHelpText();
  virtual void OnMouseEnter(int32_t x, int32_t y);
  virtual void OnMouseLeave(int32_t x, int32_t y);
  virtual bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y);
  virtual void OnClick() {}
  virtual void SetDecimals(int decimals) { (void)decimals; }
  virtual void SetExponent(int exponent) { (void)exponent; }
  virtual int CanScrollWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
    return (void)flags, (void)delta, (void)x, (void)y, 0;
  }
  virtual bool GetVisiblePrintRect(vt::Rect* out) const;
  virtual void GetAbsolutePrintRect(vt::Rect* out) const;
  virtual void GetPrintOrigin(vt::Point* out) const;
  virtual void ApplyPrintScale(int scale);
  virtual void ScalePrintRects(int scale);
  virtual void ClipToPrintRect(vt::DeviceContext* dc);
  virtual void PrintTree(vt::DeviceContext* dc, int page);
  virtual void PrintSelf(vt::DeviceContext* dc, int page) { (void)dc, (void)page; }
  virtual void SetPrintSize(int w, int h);
  virtual void SetPrintWidth(int w) { m_printRect.right = m_printRect.left + w; }
  virtual void SetPrintHeight(int h) { m_printRect.bottom = m_printRect.top + h; }
  virtual void SetPrintBounds(int x, int y, int w, int h) { m_printRect = vt::Rect{x, y, x + w, y + h}; }
  virtual void MovePrintRect(int x, int y);
  virtual void ScaleChildrenPrintSize(int scale);
  virtual vt::ColorRef GetPrintForeColor() const { return GetForeColor(); }
  virtual vt::ColorRef GetPrintBackColor() const { return GetBackColor(); }
  virtual void GetPrintChildOffset(vt::Point* out) const {
    *out = vt::Point{-m_printRect.left, -m_printRect.top};
  }
  virtual CGFont* GetPrintFont(int which) { return (void)which, nullptr; }
  virtual int SetPrintFontSize(int size) { return (void)size, 0; }

  // ---- non-virtual ----
  void AddEventCallback(int code, GEventHandler handler, const void* data, int dataSize);
  int FireEvent(int code);
  void RemoveEventCallbacks();
  int GetEffectiveStyle() const;
  bool HasEffectiveStyle(int mask) const { return (GetEffectiveStyle() & mask) == mask; }
  int CountActiveChildren() const { return CountChildrenWithStyle(GSTYLE_ACTIVE); }
  int CountChildrenWithStyle(int mask) const;
  void SetHelpText(const char* statusAndTip);
  const std::string* GetHelpText() const { return m_helpText.get(); }
  vt::DeviceContext* GetBackDC() const;
  void SetWindowCursor(uint32_t resourceId);
  // Copies r (root coordinates) from the back buffer to the borrowed window context.
  void FlushRect(const vt::Rect& r);
  // Alias of MovePrintRect.
  void SetPrintPos(int x, int y) { MovePrintRect(x, y); }
  // Starts the one auto-repeat timer of the process on this gadget's host, unless one runs.
  // It is killed by KillRepeatTimer, and when this gadget or its host goes.
  bool StartRepeatTimer(uint32_t milliseconds);
  static void KillRepeatTimer();

  CGRoot* GetRootGadget() const;
  CGPrimitive* GetCaptured() const { return m_captured; }
  CGPrimitive* GetCaptured2() const { return m_captured2; }
  CGPrimitive* GetHover() const { return m_hover; }
  const vt::Rect& Rect() const { return m_rect; }
  const vt::Rect& PrintRect() const { return m_printRect; }

 protected:
  // The point in a child's coordinates.
  vt::Point ToChild(int32_t x, int32_t y) const {
    vt::Point o;
    GetChildOffset(&o);
    return vt::Point{x + o.x, y + o.y};
  }
  CGPrimitive* ParentPrimitive() const;
  // The visible rectangle (empty when nothing shows) and the effective style, in one walk.
  int VisibleState(vt::Rect* visible) const;
  using MouseHandler = void (CGPrimitive::*)(uint32_t flags, int32_t x, int32_t y);
  using KeyHandler = void (CGPrimitive::*)(uint32_t vk, uint32_t repeat, uint32_t flags);
  // Passes a mouse call to child (when there is one) in the child's coordinates.
  void Forward(CGPrimitive* child, MouseHandler handler, uint32_t flags, int32_t x, int32_t y);
  // A key to the captured child alone, else to every active child, first to last.
  void RouteKey(KeyHandler handler, uint32_t vk, uint32_t repeat, uint32_t flags);
  // Clears the pointers of the parent (and the root) that still point at this gadget.
  void ForgetInParent();

  int m_style;
  SGEventCallback* m_callbacks = nullptr;
  std::unique_ptr<std::string> m_helpText;
  CGPrimitive* m_captured = nullptr;
  CGPrimitive* m_captured2 = nullptr;
  CGPrimitive* m_hover = nullptr;
  vt::Rect m_rect;
  vt::Rect m_printRect;
};

// True for a primitive (also during the primitive part of its destruction).
inline bool IsPrimitive(const CGCore* node) { return IsKindOfClass(node, GCLASS(CGPrimitive)); }

// The Tab walk that carries an open editor from gadget to gadget. Every gadget that can hold
// the editor (value fields, drop-down fields, editable sheet columns) answers FocusFirst and
// FocusLast through FocusField, which remembers it; one walk, so Tab crosses between the kinds.
// FocusField answers 1 and remembers the gadget when it can take the focus; CarryEditOn, after
// an edit of gadget ended with Tab (3) or Shift+Tab (4), activates the next or previous gadget
// of the root's tab order and opens its editor.
int FocusField(CGPrimitive* gadget);
void CarryEditOn(CGPrimitive* gadget, int closeCode);

// Tab-page helpers of the page controllers.
int CountVisibleTabPages(const CGCore* group);
CGPrimitive* GetVisibleTabPageAt(const CGCore* group, int n);
int GetVisibleTabPageIndex(const CGCore* page);
