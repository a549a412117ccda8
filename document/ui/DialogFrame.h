// What every gadget-hosted dialog of the program shares: the root base with the dialogs'
// opaque background, the steps that bind a root to its dialog window and size the window to
// it, the root taken from the gadget pool or built by the dialog's factory, the end of a
// dialog from a gadget callback, the text-width helpers that line up label columns, and the
// framed value label CGVTLabel.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GLabel.h"
#include "gadget/GSkRoot.h"
#include "platform/gui/DialogWindow.h"

GADGET_DECLARE_RECORD(CGVTDialogRoot)
GADGET_DECLARE_RECORD(CGVTLabel)

namespace vt {
class DeviceContext;
}

// The background of every dialog root.
constexpr vt::ColorRef kDialogBackColor = 0x02E2E2E2;

namespace vt {

// A dialog's root: made under the root master with id 0 and in-place editors, opaque in its
// own background colour (not the skin's root colour).
class CGVTDialogRoot : public CGSkRoot {
 public:
  CGVTDialogRoot(int width, int height, vt::ColorRef backColor = kDialogBackColor);
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override { return CGGroup::GetBackColor(); }
};

}  // namespace vt

// The root of cls from the root master's pool, linked under the root master; null when the
// pool has none (or there is no pool).
CGCore* TakePooledRoot(const SGClassInfo* cls);
// Steps of a dialog's initialisation once it has its root: binds the root to the window,
// sizes the client area to the root, centres the window and redraws it. Nothing without root.
void AttachRootToDialog(vt::DialogWindow& dialog, CGRoot* root);
// Ends the dialog that hosts the gadget's root with code; false when no dialog hosts it.
bool EndDialogOf(CGPrimitive* gadget, int code);
// The dialog that hosts the gadget's root, or null.
vt::DialogWindow* DialogOf(const CGPrimitive* gadget);

// Width in pixels of text in the root master's Arial of height 12 on dc, plus margin; 6 pixels a
// character without a context or font.
int MeasureTextWidth(vt::DeviceContext* dc, const std::string& text, int margin);
int MeasureResourceTextWidth(uint32_t id, vt::DeviceContext* dc, int margin);
// The widest of count string-table texts, margin included; 0 for none.
int GetWidestTextWidth(vt::DeviceContext* dc, const uint32_t* ids, int count, int margin);

// A value the user cannot edit: a white label 20 pixels high in a one-pixel frame.
class CGVTLabel : public CGLabel {
 public:
  CGVTLabel(const std::string& text, int margin, int width, CGCore* parent, int id, int left, int top,
            vt::ColorRef frameColor);
  const SGClassInfo* GetClassInfo() const override;
  // Visible and enabled: the frame, then the text inside it; otherwise the embossed text only.
  void Draw(vt::DeviceContext* dc) override;

  vt::ColorRef m_frameColor;
  int m_frameWidth = 1;
};
