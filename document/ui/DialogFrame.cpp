// The dialog frame's shared steps, text measuring and the framed label (see DialogFrame.h).
#include "document/ui/DialogFrame.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GStocker.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTDialogRoot, CGSkRoot)
GADGET_DEFINE_RECORD(CGVTLabel, CGLabel)

vt::CGVTDialogRoot::CGVTDialogRoot(int width, int height, vt::ColorRef backColor)
    : CGSkRoot(g_rootMaster, nullptr, 1) {
  SetOpaque(1);
  SetBackColor(backColor);
  SetSize(width, height);
}

const SGClassInfo* vt::CGVTDialogRoot::GetClassInfo() const { return GCLASS(CGVTDialogRoot); }

CGCore* TakePooledRoot(const SGClassInfo* cls) {
  if (!g_rootMaster || !g_rootMaster->GetStocker()) return nullptr;
  return g_rootMaster->GetStocker()->Take(cls, g_rootMaster);
}

void AttachRootToDialog(vt::DialogWindow& dialog, CGRoot* root) {
  if (!root || !dialog.Host()) return;
  root->Attach(dialog.Host());
  const vt::Rect r = root->Rect();
  dialog.SizeClientTo(r.Width(), r.Height());
  root->SetFullRedraw();
  dialog.CenterWindow();
  dialog.RedrawWindow();
}

vt::DialogWindow* DialogOf(const CGPrimitive* gadget) {
  CGRoot* root = gadget ? gadget->GetRootGadget() : nullptr;
  return root ? vt::DialogWindow::FromHost(root->GetHostWindow()) : nullptr;
}

bool EndDialogOf(CGPrimitive* gadget, int code) {
  vt::DialogWindow* dialog = DialogOf(gadget);
  if (!dialog) return false;
  dialog->EndDialog(code);
  return true;
}

int MeasureTextWidth(vt::DeviceContext* dc, const std::string& text, int margin) {
  CGFont* font = g_rootMaster ? g_rootMaster->GetFont(12, 0, 0) : nullptr;
  if (!dc || !font || !font->GetFont()) return int(text.size()) * 6 + margin;
  const vt::Font* old = dc->SelectFont(font->GetFont());
  const int width = dc->GetTextExtent(text).cx;
  dc->SelectFont(old);
  return width + margin;
}

int MeasureResourceTextWidth(uint32_t id, vt::DeviceContext* dc, int margin) {
  return MeasureTextWidth(dc, vt::LoadString(id), margin);
}

int GetWidestTextWidth(vt::DeviceContext* dc, const uint32_t* ids, int count, int margin) {
  int widest = 0;
  for (int i = 0; ids && i < count; ++i)
    widest = std::max(widest, MeasureResourceTextWidth(ids[i], dc, margin));
  return widest;
}

CGVTLabel::CGVTLabel(const std::string& text, int margin, int width, CGCore* parent, int id, int left,
                     int top, vt::ColorRef frameColor)
    : CGLabel(parent, left, top, width, 20, id, 1, 0x02FFFFFF, 1, 0x02000000, 12, text.c_str()),
      m_frameColor(frameColor) {
  m_margin = margin;
}

const SGClassInfo* CGVTLabel::GetClassInfo() const { return GCLASS(CGVTLabel); }

void CGVTLabel::Draw(vt::DeviceContext* dc) {
  if (!m_font) return;
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) {
    // The disabled look: the embossed text, no frame.
    CGLabel::Draw(dc);
    return;
  }
  vt::Rect r;
  GetAbsoluteRect(&r);
  r = vt::Rect{r.left + m_margin, r.top + m_margin, r.right - m_margin, r.bottom - m_margin};
  DrawSolidFrame(dc, r, m_frameWidth, 0, m_frameColor, m_frameColor);
  const int margin = m_margin;
  m_margin += m_frameWidth;
  CGLabel::Draw(dc);
  m_margin = margin;
}
