// A graph body of 800 x 400 inside a trend panel (not in a root), built on the gadget test
// environment, with one Y axis from 0 to 100 in the panel's strip: the fixture of the parts
// that live in the graph body. The graph is laid out by itself; the time scroll bar is hidden.
#pragma once

#include "gadget/testing/GadgetTestEnv.h"
#include "trend/LegendList.h"
#include "trend/NgWaveform.h"

namespace trend_test {

class GraphEnv : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    panel = new CGNgWaveform(nullptr);
    panel->Build(150);
    panel->SetBounds(0, 0, 800, 400);
    panel->SetPrintBounds(0, 0, 1600, 800);  // the panel's print rectangle clips the graph's
    graph = panel->m_graph;
    graph->SetDataRange(PreciseTime{}, PreciseTime{});  // no data: the time scroll bar is hidden
    graph->SetBounds(0, 0, 800, 400);
    manager = panel->GetYAxisManager();
    SNgAxisSetting r;
    r.shown = 1;
    manager->SetAxes(&r, 1);
    axis = manager->GetAxis(0);
    axis->SetStyle(3);
    axis->SetBounds(0, 28, 40, 329);
    SetScale(0, 100);
    // The legend is hidden: the plot keeps the width these tests compute their positions with.
    if (graph->m_legend) graph->m_legend->SetStyle(0);
    graph->LayoutTree();
  }
  void TearDown() override {
    if (!panel->GetParent()) delete panel;  // a root deletes it with the master
    panel = nullptr;
    graph = nullptr;
    GadgetEnv::TearDown();
  }
  void SetScale(double lo, double hi) {
    SNgAxisSetting r;
    r.shown = 1;
    r.scaleMinimum = lo;
    r.scaleMaximum = hi;
    axis->SetSetting(&r);
  }

  // The absolute y of a value on the axis, on screen and in print (the axis lies in the strip).
  int ScreenY(double value) {
    int state = 0;
    vt::Point o;
    axis->GetOrigin(&o);
    return axis->ValueToPixel(value, &state) + o.y;
  }
  int PrintY(double value) {
    int state = 0;
    vt::Point o;
    axis->GetPrintOrigin(&o);
    return axis->ValueToPrintPixel(value, &state) + o.y;
  }
  // The value at an absolute screen y.
  double ValueAtY(int y) {
    vt::Point o;
    axis->GetOrigin(&o);
    double v = 0;
    axis->PixelToValue(y - o.y, &v);
    return v;
  }

  CGNgWaveform* panel = nullptr;
  CGNgGraph* graph = nullptr;
  CGNgYAxisManager* manager = nullptr;
  CGNgYAxis* axis = nullptr;
};

}  // namespace trend_test
