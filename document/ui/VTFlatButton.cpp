// The list header button's two looks (see VTFlatButton.h).
#include "document/ui/VTFlatButton.h"

#include <string>

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "gadget/sheet/GList.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTFlatButton, CGFlatButton)

namespace {
constexpr vt::ColorRef kFace = 0x02ECEAE6;
constexpr vt::ColorRef kOutline = 0x009C9C9C;
constexpr vt::ColorRef kInk = 0x02000000;
constexpr int kHeight = 18, kFontHeight = 14;
}  // namespace

CGVTFlatButton::CGVTFlatButton(int width, int id, CGCore* parent, uint32_t captionId)
    : CGFlatButton(parent, 0, 0, width, kHeight, id, kFontHeight, vt::LoadString(captionId).c_str()) {}

const SGClassInfo* CGVTFlatButton::GetClassInfo() const { return GCLASS(CGVTFlatButton); }

void CGVTFlatButton::DrawFace(vt::DeviceContext* dc, int inset, bool pressed) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const BevelColors bevel = GetBevelColors(kFace);
  dc->FillSolidRect(r, kFace);
  DrawSolidFrame(dc, r, 1, 0, bevel.shadow, bevel.shadow);
  if (pressed) {
    const vt::Rect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    DrawSolidFrame(dc, inner, 1, 0, kOutline, kOutline);
  }
  const vt::Font* font = m_font ? m_font->GetFont() : nullptr;
  if (m_caption.empty() || !font) return;
  std::string caption = m_caption;
  FitTextWithEllipsis(&caption, dc, r.Width() - inset - 2, font);
  // Left-aligned and centred in the height, as the rectangle moved by the inset shows it.
  const vt::Rect text{r.left + inset, r.top + inset, r.right, r.bottom + inset};
  if (pressed || HasEffectiveStyle(GSTYLE_ACTIVE))
    DrawAlignedText(dc, text, kAlignLeft, kInk, font, caption);
  else
    DrawEmbossedText(dc, text, kAlignLeft, kFace, font, caption);
}

void CGVTFlatButton::DrawNormal(vt::DeviceContext* dc) { DrawFace(dc, 2, false); }

void CGVTFlatButton::DrawPressed(vt::DeviceContext* dc) { DrawFace(dc, 3, true); }
