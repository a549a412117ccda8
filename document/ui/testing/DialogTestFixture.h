// The fixture of the dialog tests: a root master with the built-in gadget and sheet skins, and
// a click at the centre of a gadget of a dialog's root.
#pragma once
#include <gtest/gtest.h>

#include "gadget/GPrimitive.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GSheetSkin.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/testing/GuiTestSupport.h"

namespace dialog_test {

class DialogsTest : public testing::Test {
 protected:
  void SetUp() override {
    master_ = new CGRootMaster;
    master_->CreateManagers();
    RegisterSkinArt();
    const SGSkinDescriptor skin = BuiltinSkinDescriptor();
    SetGadgetSkin(&skin);
    RegisterSheetSkinArt();
    SetSheetSkin(BuiltinSheetSkin());
  }
  void TearDown() override {
    ResetGadgetSkin();
    ResetSheetSkin();
    delete master_;
  }
  CGRootMaster* master_ = nullptr;
};

// Clicks a gadget of the dialog's root at its centre.
inline void Click(vt::DialogWindow& dialog, CGPrimitive* gadget) {
  ASSERT_NE(gadget, nullptr);
  vt::Rect r;
  gadget->GetAbsoluteRect(&r);
  vt::SendLeftClick(*dialog.Host(), vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

}  // namespace dialog_test
