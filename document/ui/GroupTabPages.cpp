// The tab row of the graph window's trend and sheet views (see GroupTabPages.h).
#include "document/ui/GroupTabPages.h"

#include <string>

#include "document/CGVantrelDoc.h"
#include "gadget/GPageController.h"
#include "gadget/GSkRoot.h"
#include "platform/gui/HostWindow.h"

namespace vt {

CGSkPageController* BuildGroupTabPages(CGSkRoot* root, CGVantrelDoc* doc, int maxTabWidth) {
  constexpr int kShown = 3;
  auto* controller = new CGSkPageController(root, 0, 0, 0, kShown, 0, 0, maxTabWidth);
  controller->SetBackColor(0x025E5E5E);
  controller->CreateTabScrollButtons(1);
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = doc->GetGroup(i);
    const std::string name = g ? g->GetName() : std::string();
    auto* page = new CGSkTabPage(controller, g && g->GetChannelCount() > 0 ? kShown : 0, 24, name);
    page->SetHelpText((name + "\n" + name).c_str());
  }
  if (HostWindow* host = root->GetHostWindow()) {
    const Rect r = host->ClientRect();
    root->SetSize(r.right - r.left, r.bottom - r.top);
  }
  root->LayoutTree();
  return controller;
}

}  // namespace vt
