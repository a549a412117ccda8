// The process-wide root master with the built-in gadget skin, made once for the tests that put
// graph windows into a real MDI area (their views' roots need both).
#pragma once
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"

namespace dialog_test {

inline void EnsureSkinnedRootMaster() {
  if (g_rootMaster) return;
  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSkinArt();
  static const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);
}

}  // namespace dialog_test
