// The skinned root: the skin's background colour and the skinned editors.
#include "gadget/GSkRoot.h"

#include "gadget/GSkin.h"
#include "gadget/SkinnedEditors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"

CGSkRoot::CGSkRoot(CGCore* parent, vt::HostWindow* host, int createEditors)
    : CGRoot(parent, 0, createEditors) {
  if (host) Attach(host);
}

const SGClassInfo* CGSkRoot::GetClassInfo() const { return GCLASS(CGSkRoot); }

vt::ColorRef CGSkRoot::GetBackColor() const { return SkinBlock(SkinReceiver::Root).Colour(0); }

void CGSkRoot::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
}

void CGSkRoot::Attach(vt::HostWindow* host) {
  if (host && m_createEditors) {
    const vt::Rect r{10, 30, 140, 80};
    if (!m_textEditor)
      m_textEditor = std::make_unique<CSkTextEdit>(host->CreateEdit(false, kTextEditorId, r));
    if (!m_passwordEditor)
      m_passwordEditor = std::make_unique<CSkPasswdEdit>(host->CreateEdit(true, kPasswordEditorId, r));
    if (!m_comboEditor) m_comboEditor = std::make_unique<CSkCombo>(host->CreateCombo(kComboEditorId, r));
  }
  CGRoot::Attach(host);
}
