// The skinned twins of the in-place editors, which the skinned root makes: they edit exactly
// as the plain ones and only look different. The edit controls get a one-pixel frame in four
// skin colours; the drop-down list paints its closed field from the skin (fill, a nine-slice
// drop button with its arrow glyph, two frames and the text). All three pass mouse moves over
// themselves to a skinned root in the host's client coordinates, so hover goes on over them.
#pragma once
#include <array>
#include <cstdint>

#include "gadget/InPlaceEditors.h"

class CGBitmap;
namespace vt {
class DeviceContext;
}

namespace vt {

// Frame colours of the skinned edit controls: left, top, right, bottom edge.
struct SGSkEditSkin {
  uint32_t colours[4];
};

}  // namespace vt
static_assert(sizeof(vt::SGSkEditSkin) == 16);

namespace vt {

// The skin block of the skinned drop-down list, sixteen 32-bit words.
struct SGSkComboSkin {
  uint32_t buttonImage, buttonMask;  // bitmap resource ids of the drop button strip and its grey mask
  uint32_t buttonCellWidth, buttonCellHeight;
  uint32_t marginLeft, marginTop, marginRight, marginBottom;  // nine-slice margins of the button
  uint32_t glyphImage, glyphMask;                             // the arrow glyph strip and its mask
  uint32_t glyphCellWidth, glyphCellHeight;
  uint32_t background, text, outerFrame, innerFrame;  // colours
};

}  // namespace vt
static_assert(sizeof(vt::SGSkComboSkin) == 64);

// Copy the block into the class's skin; the combo's four bitmaps come from the bitmap pool.
void SetSkTextEditSkin(const vt::SGSkEditSkin& skin);
void SetSkPasswdEditSkin(const vt::SGSkEditSkin& skin);
void SetSkComboSkin(const vt::SGSkComboSkin& skin);

class CSkTextEdit : public CTextEdit {
 public:
  explicit CSkTextEdit(std::unique_ptr<vt::InPlaceEdit> control);
};

class CSkPasswdEdit : public CPasswdEdit {
 public:
  explicit CSkPasswdEdit(std::unique_ptr<vt::InPlaceEdit> control);
};

class CSkCombo : public CCombo {
 public:
  explicit CSkCombo(std::unique_ptr<vt::InPlaceCombo> control);
  // The closed field on a context of the control's size.
  void PaintField(vt::DeviceContext& dc, const vt::Rect& bounds);
};
