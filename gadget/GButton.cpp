// Press tracking, the bevelled push button and the toggle family.
#include "gadget/GButton.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GRowColumn.h"
#include "gadget/GText.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"

int g_pressedInside = 0;

namespace {

constexpr vt::ColorRef kFaceColour = 0x02C0C0C0;
// Outer and inner ring colours: top-left, then bottom-right.
constexpr vt::ColorRef kNormalOuterTL = 0x02CACACA, kNormalInnerTL = 0x02FFFFFF, kNormalOuterBR = 0x02000000,
                       kNormalInnerBR = 0x029C9C9C;
constexpr vt::ColorRef kPressedOuterTL = 0x02000000, kPressedInnerTL = 0x029C9C9C,
                       kPressedOuterBR = 0x02000000, kPressedInnerBR = 0x029C9C9C;

void DrawButtonFrame(vt::DeviceContext* dc, const vt::Rect& r, int frameType, bool pressed) {
  const vt::ColorRef oTL = pressed ? kPressedOuterTL : kNormalOuterTL,
                     iTL = pressed ? kPressedInnerTL : kNormalInnerTL;
  const vt::ColorRef oBR = pressed ? kPressedOuterBR : kNormalOuterBR,
                     iBR = pressed ? kPressedInnerBR : kNormalInnerBR;
  if (frameType == 1) {
    DrawBevelLines(dc, 1, iTL, iBR, r.left, r.top, r.right, r.bottom);
  } else if (frameType == 2) {
    DrawBevelLines(dc, 1, oTL, oBR, r.left, r.top, r.right, r.bottom);
    DrawBevelLines(dc, 1, iTL, iBR, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  }
}

const vt::Font* FontOf(CGFont* f) { return f ? f->GetFont() : nullptr; }

CGFont* PoolFont(int height) { return g_rootMaster ? g_rootMaster->GetFont(height, 0, 0) : nullptr; }
CGBitmap* PoolBitmap(int id) { return (g_rootMaster && id) ? g_rootMaster->GetBitmap(id) : nullptr; }
const vt::Bitmap* ImageOf(CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }

// A strip cell centred in rect through the mask (when there is one).
void DrawIconCell(vt::DeviceContext* dc, const vt::Rect& rect, const vt::SGIconCaption& icon, int cell) {
  const vt::Bitmap* image = ImageOf(icon.image);
  if (!image || cell < 0) return;
  DrawBitmapCellBlended(dc, rect, image, ImageOf(icon.mask), cell, icon.cellWidth, icon.cellHeight);
}

vt::SGIconCaption MakeIcon(vt::ColorRef textColor, const char* caption, int cellWidth, int cellHeight,
                           int imageId, int maskId) {
  vt::SGIconCaption icon;
  icon.cellWidth = cellWidth;
  icon.cellHeight = cellHeight;
  icon.image = PoolBitmap(imageId);
  icon.mask = PoolBitmap(maskId);
  icon.caption = caption ? caption : "";
  icon.font = PoolFont(12);
  icon.textColor = textColor;
  return icon;
}

}  // namespace

int ChildPosition(const CGCore* child) {
  const CGCore* parent = child ? child->GetParent() : nullptr;
  if (!parent) return -1;
  int i = 0;
  for (CGCore* c = parent->GetFirstChild(); c; c = parent->NextChild(c), ++i)
    if (c == child) return i;
  return -1;
}

void EngravedColours(vt::ColorRef base, vt::ColorRef* light, vt::ColorRef* dark) {
  const BevelColors b = GetBevelColors(base);
  *light = b.highlight;
  *dark = b.shadow;
}

// ---- CGButton ----

CGButton::CGButton(CGCore* parent, int left, int top, int id, int style, int width, int height, int frameType)
    : CGPrimitive(parent, left, top, id, style, width, height), m_frameType(frameType) {}

const SGClassInfo* CGButton::GetClassInfo() const { return GCLASS(CGButton); }

bool CGButton::IsPressedUnderCursor() const {
  if (!IsActive()) return false;
  CGPrimitive* parent = ParentPrimitive();
  if (!parent || parent->GetCaptured() != this) return false;
  vt::HostWindow* host = GetHostWindow();
  if (!host) return false;
  const vt::Point client = host->ScreenToClient(vt::CurrentDesktop().CursorPos());
  vt::Point origin;
  GetOrigin(&origin);
  return HitTest(client.x - origin.x, client.y - origin.y, GSTYLE_VISIBLE);
}

void CGButton::Draw(vt::DeviceContext* dc) {
  if (IsPressedUnderCursor())
    DrawPressed(dc);
  else
    DrawNormal(dc);
}

void CGButton::ShowInBackBuffer(void (CGButton::*look)(vt::DeviceContext*)) {
  ShowInBackBuffer([this, look](vt::DeviceContext* dc) { (this->*look)(dc); });
}

void CGButton::ShowInBackBuffer(const std::function<void(vt::DeviceContext*)>& look) {
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = root ? root->GetBackDCPtr() : nullptr;
  if (!back) return;
  ClipToVisibleRect(back);
  look(back);
  if (vt::DeviceContext* window = root->GetWindowDC()) {
    ClipToVisibleRect(window);
    BlitRect(window, back);
  }
}

void CGButton::ShowInWindow(void (CGButton::*look)(vt::DeviceContext*)) {
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* window = root ? root->GetWindowDC() : nullptr;
  if (!window) return;
  ClipToVisibleRect(window);
  (this->*look)(window);
}

void CGButton::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (!IsActive()) return;
  g_pressedInside = 1;
  ShowInBackBuffer(&CGButton::DrawPressed);
}

void CGButton::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActive()) {
    g_pressedInside = 0;
    return;
  }
  const int inside = HitTest(x, y, GSTYLE_VISIBLE) ? 1 : 0;
  if (inside == g_pressedInside) return;
  g_pressedInside = inside;
  ShowInWindow(inside ? &CGButton::DrawPressed : &CGButton::DrawNormal);
}

void CGButton::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActive()) return;
  ShowInBackBuffer(&CGButton::DrawNormal);
  if (HitTest(x, y, GSTYLE_VISIBLE)) OnClick();
}

void CGButton::DrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, kFaceColour);
  DrawButtonFrame(dc, r, m_frameType, false);
}

void CGButton::DrawPressed(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, kFaceColour);
  DrawButtonFrame(dc, r, m_frameType, true);
}

// ---- CGPushButton ----

CGPushButton::CGPushButton(CGCore* parent, int left, int top, int width, int height, int id, int fontHeight,
                           const char* caption)
    : CGButton(parent, left, top, id, GSTYLE_ACTIVE, width, height, 2),
      m_font(PoolFont(fontHeight)),
      m_caption(caption ? caption : "") {}

CGPushButton::CGPushButton(CGCore* parent, int left, int top, int width, int height, int id, int style,
                           uint32_t captionId)
    : CGButton(parent, left, top, id, style, width, height, 2), m_font(PoolFont(12)) {
  SetTextFromResource(captionId);
}

const SGClassInfo* CGPushButton::GetClassInfo() const { return GCLASS(CGPushButton); }

void CGPushButton::DrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, kFaceColour);
  DrawButtonFrame(dc, r, 2, false);
  if (m_caption.empty()) return;
  if (IsActive())
    DrawAlignedText(dc, r, kAlignCenter, 0x02000000, FontOf(m_font), m_caption);
  else
    DrawEmbossedText(dc, r, kAlignCenter, kFaceColour, FontOf(m_font), m_caption);
}

void CGPushButton::DrawPressed(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, kFaceColour);
  DrawButtonFrame(dc, r, 2, true);
  if (!m_caption.empty()) DrawAlignedText(dc, r, kAlignCenter, 0x02000000, FontOf(m_font), m_caption);
}

// ---- CGFlatButton ----

const SGClassInfo* CGFlatButton::GetClassInfo() const { return GCLASS(CGFlatButton); }

vt::ColorRef CGFlatButton::GetBackColor() const {
  const CGPrimitive* parent = ParentPrimitive();
  return AddToColor(parent ? parent->GetBackColor() : 0x025E5E5E, 32);
}

// ---- CGToggleButton ----

void CGToggleButton::Draw(vt::DeviceContext* dc) {
  if (IsActive()) {
    if (m_checked)
      DrawPressed(dc);
    else
      DrawNormal(dc);
  } else if (m_checked) {
    DrawAltPressed(dc);
  } else {
    DrawAltNormal(dc);
  }
}

void CGToggleButton::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (!IsActive()) return;
  g_pressedInside = 1;
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = root ? root->GetBackDCPtr() : nullptr;
  if (!back) return;
  ClipToVisibleRect(back);
  if (m_checked)
    DrawNormal(back);
  else
    DrawPressed(back);
  Flush();
}

void CGToggleButton::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActive()) {
    g_pressedInside = 0;
    return;
  }
  const int inside = HitTest(x, y, GSTYLE_VISIBLE) ? 1 : 0;
  if (inside == g_pressedInside) return;
  g_pressedInside = inside;
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = root ? root->GetBackDCPtr() : nullptr;
  if (!back) return;
  ClipToVisibleRect(back);
  // Inside: the state a click would give; outside: the current state.
  if (inside == (m_checked ? 1 : 0))
    DrawNormal(back);
  else
    DrawPressed(back);
  Flush();
}

void CGToggleButton::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActive()) return;
  if (HitTest(x, y, GSTYLE_VISIBLE)) OnClick();
}

// ---- CGTogIconButton ----

CGTogIconButton::CGTogIconButton(CGCore* parent, int left, int top, int width, int height, int id, int style,
                                 vt::ColorRef textColor, const char* caption, int cellWidth, int cellHeight,
                                 int imageId, int maskId)
    : CGToggleButton(parent, left, top, id, style, width, height, 1) {
  m_icon = MakeIcon(textColor, caption, cellWidth, cellHeight, imageId, maskId);
}

const SGClassInfo* CGTogIconButton::GetClassInfo() const { return GCLASS(CGTogIconButton); }

void CGTogIconButton::OnClick() {
  m_checked = !m_checked;
  if (CGRoot* root = GetRootGadget(); root && root->GetBackDCPtr()) {
    Paint(root->GetBackDCPtr());
    Flush();
  }
  FireEvent(GEVENT_CHANGED);
}

void CGTogIconButton::DrawLook(vt::DeviceContext* dc, int n) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef back = GetBackColor();
  dc->FillSolidRect(r, back);
  const vt::Rect square{r.left, r.top, r.left + r.Height(), r.bottom};
  DrawIconCell(dc, square, m_icon, m_icon.Cell(n));
  if (m_icon.caption.empty()) return;
  const vt::Rect text{square.right + 2, r.top, r.right, r.bottom};
  if (IsActive())
    DrawAlignedText(dc, text, kAlignLeft, m_icon.textColor, FontOf(m_icon.font), m_icon.caption);
  else
    DrawEmbossedText(dc, text, kAlignLeft, back, FontOf(m_icon.font), m_icon.caption);
}

// ---- CGRadioButton ----

CGRadioButton::CGRadioButton(CGCore* parentBox, int left, int top, int width)
    : CGToggleButton(parentBox, left, top, 0, GSTYLE_ACTIVE, width, 20, 0) {
  if (IsKindOfClass(parentBox, GCLASS(CGRadioBox))) {
    int selection = -1;
    static_cast<CGPrimitive*>(parentBox)->GetValue(&selection);
    m_checked = selection == ChildPosition(this) ? 1 : 0;
  }
}

const SGClassInfo* CGRadioButton::GetClassInfo() const { return GCLASS(CGRadioButton); }

void CGRadioButton::OnClick() {
  CGCore* parent = GetParent();
  if (!IsKindOfClass(parent, GCLASS(CGRadioBox))) return;
  auto* box = static_cast<CGPrimitive*>(parent);
  int old = -1;
  box->GetValue(&old);
  const int position = ChildPosition(this);
  box->SetValue(position);
  if (CGRoot* root = GetRootGadget(); root && root->GetBackDCPtr()) {
    box->Paint(root->GetBackDCPtr());
    box->Flush();
  }
  if (position != old) box->FireEvent(GEVENT_CHANGED);
}

// ---- CGRadioIconButton ----

CGRadioIconButton::CGRadioIconButton(CGCore* parentBox, int left, int top, int width, vt::ColorRef textColor,
                                     const char* caption, int cellWidth, int cellHeight, int imageId,
                                     int maskId)
    : CGRadioButton(parentBox, left, top, width) {
  m_icon = MakeIcon(textColor, caption, cellWidth, cellHeight, imageId, maskId);
}

const SGClassInfo* CGRadioIconButton::GetClassInfo() const { return GCLASS(CGRadioIconButton); }

vt::ColorRef CGRadioIconButton::GetBackColor() const {
  CGPrimitive* p = ParentPrimitive();
  return p ? p->GetBackColor() : 0x02C0C0C0;
}

void CGRadioIconButton::DrawCaption(vt::DeviceContext* dc, int l, int t, int r, int b) {
  if (m_icon.caption.empty()) return;
  const vt::Rect text{l, t, r, b};
  if (IsActive())
    DrawAlignedText(dc, text, kAlignLeft, m_icon.textColor, FontOf(m_icon.font), m_icon.caption);
  else
    DrawEmbossedText(dc, text, kAlignLeft, GetBackColor(), FontOf(m_icon.font), m_icon.caption);
}

void CGRadioIconButton::DrawLook(vt::DeviceContext* dc, int n) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef back = GetBackColor();
  dc->FillSolidRect(r, back);
  if (n == 1 && m_frameType > 0) {
    const BevelColors b = GetBevelColors(back);
    DrawBevelLines(dc, m_frameType, b.shadow, b.highlight, r.left, r.top, r.right, r.bottom);
  }
  if (m_icon.caption.empty()) {
    DrawIconCell(dc, r, m_icon, m_icon.Cell(n));
    return;
  }
  const vt::Rect square{r.left, r.top, r.left + r.Height(), r.bottom};
  DrawIconCell(dc, square, m_icon, m_icon.Cell(n));
  DrawCaption(dc, square.right + 2, r.top, r.right, r.bottom);
}
