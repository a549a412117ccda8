// A root in a real host window on the offscreen platform: it paints its tree into the window
// and a click reaches the gadget under it.
#include <gtest/gtest.h>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/testing/GuiTestSupport.h"

namespace gadget_test {
namespace {

using RealHostTest = GadgetEnv;

TEST_F(RealHostTest, ARootPaintsItsTreeAndAClickReachesItsGadget) {
  std::unique_ptr<vt::HostWindow> host = vt::CreateShownHostWindow(160, 120);
  Log log;
  auto* root = new CGRoot(master, 0, 1);
  auto* group = new CGGroup(root, 20, 10, 0, 3, 100, 80, 0, 1, 0x00FF00);
  new Probe(group, "p", &log, {30, 30, 60, 50}, 0x0000FF);
  root->Attach(host.get());
  host->Invalidate(nullptr);
  vt::ProcessGuiEvents();
  EXPECT_EQ(vt::HostFrontPixel(*host, {60, 50}), 0x0000FFu);  // the probe
  EXPECT_EQ(vt::HostFrontPixel(*host, {25, 15}), 0x00FF00u);  // the group around it
  EXPECT_EQ(root->Rect(), (vt::Rect{0, 0, 160, 120}));
  log.clear();
  vt::SendLeftClick(*host, {55, 45});
  EXPECT_EQ(log, (Log{"p down 35,35", "p up 35,35"}));  // in the group's child coordinates
  root->Detach();
  delete root;  // before its host
}

}  // namespace
}  // namespace gadget_test
