// Fixtures of the list tests: a root on a fake host of 800 x 400 with the start-up list colours,
// and a list frame with header strip, header row and both scroll bars around a body.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gadget/GScrollBar.h"
#include "gadget/sheet/GList.h"
#include "gadget/testing/GadgetTestEnv.h"

namespace list_test {

// A list frame as the list view's root builds it: strip and header row 20 high, bars 20 thick.
struct ListParts {
  CGList* list = nullptr;
  CGGroup* strip = nullptr;
  CGGroup* header = nullptr;
  CGVScrollBar* vbar = nullptr;
  CGHScrollBar* hbar = nullptr;
};

inline ListParts MakeListFrame(CGCore* parent, int w, int h, CGList* list = nullptr) {
  ListParts p;
  p.list = list ? list : new CGList(parent);
  p.list->SetBounds(0, 0, w, h);
  p.strip = new CGGroup(p.list, 0, 0, 0, GSTYLE_ACTIVE, w, 20);
  p.header = new CGGroup(p.strip, 0, 0, 0, GSTYLE_ACTIVE, 100, 20, 0, 1, 0x02A0A0A0);
  p.list->m_header = p.header;
  p.vbar = new CGVScrollBar(p.list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  p.vbar->Build(1);
  p.hbar = new CGHScrollBar(p.list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  p.hbar->Build(1);
  return p;
}

class ListEnv : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    std::copy(std::begin(kStartUpListColors), std::end(kStartUpListColors), g_listColors);
    host = std::make_unique<vt::FakeHostWindow>(800, 400, vt::Point{1000, 500});
    desktop->hostUnderCursor = host->Handle();
    root = new CGRoot(master, 0, 1);
    root->Attach(host.get());
  }
  void TearDown() override {
    GadgetEnv::TearDown();
    host.reset();
  }
  // A system paint of the whole window (the first one makes the back buffer).
  void PaintWindow() {
    host->Invalidate(nullptr);
    host->RunPendingPaint();
  }
  vt::ColorRef BackPixel(int x, int y) { return root->GetBackDCPtr()->GetPixel(x, y); }
  std::unique_ptr<vt::FakeHostWindow> host;
  CGRoot* root = nullptr;
};

}  // namespace list_test
