// The skinned root from which the application's roots derive: it paints its background in the
// skin's root colour and edits through the skinned in-place editors.
#pragma once
#include "gadget/GRoot.h"

class CGSkRoot : public CGRoot {
 public:
  // With a host the root binds to it (and creates its editors) at once.
  CGSkRoot(CGCore* parent, vt::HostWindow* host, int createEditors);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  vt::ColorRef GetBackColor() const override;
  void Attach(vt::HostWindow* host) override;
};
