// A root without a window of its own that stands in a gadget document's list of roots for a
// root that lives elsewhere: every update the document broadcasts is passed on to that root,
// and a question for the host window is answered with that root's host. Without a target it
// passes nothing on.
#pragma once
#include "gadget/GRoot.h"

class CGRepeater : public CGRoot {
 public:
  CGRepeater(CGCore* parent, int id) : CGRoot(parent, id, 0) {}
  const SGClassInfo* GetClassInfo() const override;

  vt::HostWindow* GetHostWindow() const override;
  void OnUpdate(int hint, void* data) override;

  void SetTarget(CGRoot* target) { m_target = target; }
  CGRoot* GetTarget() const { return m_target; }

 private:
  CGRoot* m_target = nullptr;
};
