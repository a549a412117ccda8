// A graph body of 800 x 400 built on the gadget test environment, with one Y axis from 0 to 100
// beside its plot, for the tests of the parts that live in the graph body.
#pragma once
#include <memory>

#include "gadget/tests/GadgetTestEnv.h"
#include "trend/GraphBody.h"

namespace trend_test {

class GraphEnv : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    graph = new CGNgGraph(nullptr);
    graph->Build();
    graph->SetBounds(0, 0, 800, 400);
    axis = std::make_unique<CGNgYAxis>(nullptr, 0);
    axis->SetStyle(3);
    axis->SetBounds(0, 28, 40, 329);
    SetScale(0, 100);
    graph->m_screen->SetYAxes({axis.get()});
    graph->LayoutTree();
  }
  void TearDown() override {
    delete graph;
    graph = nullptr;
    GadgetEnv::TearDown();
  }
  void SetScale(double lo, double hi) {
    SNgAxisSetting r;
    r.scaleMinimum = lo;
    r.scaleMaximum = hi;
    axis->SetSetting(&r);
  }

  CGNgGraph* graph = nullptr;
  std::unique_ptr<CGNgYAxis> axis;
};

}  // namespace trend_test
