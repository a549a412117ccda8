// The repeaters between a graph document and the tool windows (see ToolWindowLink.h).
#include "document/ui/ToolWindowLink.h"

#include "document/CGVantrelDoc.h"
#include "document/GraphWindowHost.h"

namespace vt {

CGRoot* ToolWindowRoot(WindowHandle window) {
  if (!window || !IsWindow(window)) return nullptr;
  return reinterpret_cast<CGRoot*>(SendMessage(window, WM_VT_TOOLROOT, 0, 0));
}

CGRoot* ToolWindowRepeater::CurrentTarget() const {
  GraphWindowHost* host = GetGraphWindowHost();
  if (!host) return nullptr;
  const int id = GetId();
  if (id == CURSOR_REPEATER_ID) return ToolWindowRoot(host->GetCursorControlWindow());
  if (id == STATISTICS_REPEATER_ID) return ToolWindowRoot(host->GetStatisticsWindow());
  return nullptr;
}

HostWindow* ToolWindowRepeater::GetHostWindow() const {
  CGRoot* target = CurrentTarget();
  return target ? target->GetHostWindow() : nullptr;
}

void ToolWindowRepeater::OnUpdate(int hint, void* data) {
  if (CGRoot* target = CurrentTarget()) target->OnUpdate(hint, data);
}

void AddToolWindowRepeaters(CGVantrelDoc* doc) {
  if (!doc) return;
  for (int id : {CURSOR_REPEATER_ID, STATISTICS_REPEATER_ID})
    if (!doc->FindById(id)) new ToolWindowRepeater(doc, id);
}

}  // namespace vt
