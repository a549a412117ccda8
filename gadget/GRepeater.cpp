// The repeater root (see GRepeater.h).
#include "gadget/GRepeater.h"

const SGClassInfo* CGRepeater::GetClassInfo() const { return GCLASS(CGRepeater); }

vt::HostWindow* CGRepeater::GetHostWindow() const { return m_target ? m_target->GetHostWindow() : nullptr; }

void CGRepeater::OnUpdate(int hint, void* data) {
  if (m_target) m_target->OnUpdate(hint, data);
}
