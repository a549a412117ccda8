// The skinned in-place editors (see SkinnedEditors.h).
#include "gadget/SkinnedEditors.h"

#include "gadget/ClassRecords.h"
#include "gadget/GDraw.h"
#include "gadget/GPrimitive.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"

namespace {

vt::SGSkEditSkin g_textEditSkin{};
vt::SGSkEditSkin g_passwdEditSkin{};
vt::SGSkComboSkin g_comboSkin{};
CGBitmap* g_comboBitmaps[4] = {};  // button image and mask, glyph image and mask

std::array<vt::ColorRef, 4> FrameOf(const vt::SGSkEditSkin& skin) {
  return {skin.colours[0], skin.colours[1], skin.colours[2], skin.colours[3]};
}

// Moves over an editor go to its gadget's root when that root is a skinned one.
void PassMoveToRoot(CGPrimitive* gadget, uint32_t flags, vt::Point hostClient) {
  CGRoot* root = gadget ? gadget->GetRootGadget() : nullptr;
  if (root && IsKindOfClass(root, GCLASS(CGSkRoot))) root->OnMouseMove(flags, hostClient.x, hostClient.y);
}

const vt::Bitmap* ImageOf(const CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }

}  // namespace

void SetSkTextEditSkin(const vt::SGSkEditSkin& skin) { g_textEditSkin = skin; }
void SetSkPasswdEditSkin(const vt::SGSkEditSkin& skin) { g_passwdEditSkin = skin; }

void SetSkComboSkin(const vt::SGSkComboSkin& skin) {
  g_comboSkin = skin;
  const uint32_t ids[4] = {skin.buttonImage, skin.buttonMask, skin.glyphImage, skin.glyphMask};
  for (int i = 0; i < 4; ++i)
    g_comboBitmaps[i] = g_rootMaster ? g_rootMaster->GetBitmap(int(ids[i])) : nullptr;
}

CSkTextEdit::CSkTextEdit(std::unique_ptr<vt::InPlaceEdit> control) : CTextEdit(std::move(control)) {
  if (!m_control) return;
  m_control->onSkinFrame = [] { return std::optional(FrameOf(g_textEditSkin)); };
  m_control->onMouseMove = [this](uint32_t flags, vt::Point p) { PassMoveToRoot(m_gadget, flags, p); };
}

CSkPasswdEdit::CSkPasswdEdit(std::unique_ptr<vt::InPlaceEdit> control) : CPasswdEdit(std::move(control)) {
  if (!m_control) return;
  m_control->onSkinFrame = [] { return std::optional(FrameOf(g_passwdEditSkin)); };
  m_control->onMouseMove = [this](uint32_t flags, vt::Point p) { PassMoveToRoot(m_gadget, flags, p); };
}

CSkCombo::CSkCombo(std::unique_ptr<vt::InPlaceCombo> control) : CCombo(std::move(control)) {
  if (!Control()) return;
  Control()->onPaintField = [this](vt::DeviceContext& dc, const vt::Rect& bounds) { PaintField(dc, bounds); };
  Control()->onMouseMove = [this](uint32_t flags, vt::Point p) { PassMoveToRoot(GetGadget(), flags, p); };
}

void CSkCombo::PaintField(vt::DeviceContext& dc, const vt::Rect& bounds) {
  const vt::SGSkComboSkin& s = g_comboSkin;
  const int l = bounds.left, t = bounds.top, w = bounds.Width(), h = bounds.Height();
  dc.SelectClipRect(nullptr);
  dc.FillSolidRect(bounds, s.background);
  const vt::Rect button{l + w - 18, t + 3, l + w - 2, t + h - 3};
  DrawNineSliceCell(&dc, ImageOf(g_comboBitmaps[0]), ImageOf(g_comboBitmaps[1]), 0, int(s.buttonCellWidth),
                    int(s.buttonCellHeight), int(s.marginLeft), int(s.marginTop), int(s.marginRight),
                    int(s.marginBottom), button);
  DrawBitmapCellBlended(&dc, button, ImageOf(g_comboBitmaps[2]), ImageOf(g_comboBitmaps[3]), 0,
                        int(s.glyphCellWidth), int(s.glyphCellHeight));
  DrawSolidFrame(&dc, vt::Rect{l + 1, t + 1, l + w, t + h - 1}, 1, 0, s.outerFrame, 0);
  DrawSolidFrame(&dc, vt::Rect{l + 2, t + 2, l + w - 1, t + h - 2}, 1, 0, s.innerFrame, 0);
  const vt::Rect clip{l + 3, t + 3, l + w - 20, t + h - 3};
  dc.SelectClipRect(&clip);
  DrawAlignedText(&dc, vt::InflateRect(clip, -2, -2), kAlignLeft, s.text, GetFont(), Control()->Text());
}
