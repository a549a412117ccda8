// The generic graph classes the trend graph derives from: the graph (a scroll manager that
// holds the axes, the trip manager and a plot body) and the graph screen (the scrolling plot
// body that holds the traces). The trend graph uses only what is here: the font size, the
// trace style and thickness, and the plot body's column clip and content fit; its plot area
// never scrolls, so the scroll offset and content width stay 0.
#pragma once
#include "gadget/GScroll.h"
#include "trend/TrendRecords.h"

class CGAxis;

class CGGraphScreen : public CGScroll {
 public:
  explicit CGGraphScreen(CGCore* graph) : CGScroll(graph, 0, 3) {}
  // No class record of its own: a graph screen answers the scroll body's.

  void Layout() override { FitContent(); }
  // Without a sample count: no content width, no scroll, the content as high as the view.
  virtual void FitContent();
  virtual void SetTraceStyle(int index, int style);
  // Selects the plot columns [left + x, left + x + width), each end kept inside the plot.
  void ClipToColumns(vt::DeviceContext* dc, int x, int width);
  virtual void ClearDataSources();

  int m_sampleCount = 0;  // nothing sets it in the trend graph
};

class CGGraph : public CGScrollManager {
 public:
  explicit CGGraph(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGGraph); }

  // Stores a changed size and passes it to the children; 1 when it changed.
  int SetFontSize(int size) override;
  // Shows (3) or hides (0) one channel's trace and alarm band; the records stay as they are.
  void SetTraceStyle(int index, int style);
  virtual int SetTraceThickness(int width);
  // The plot body as a graph screen (null until there is one).
  virtual CGGraphScreen* GraphScreen() const { return nullptr; }

  CGAxis* m_xAxis = nullptr;
  CGAxis* m_secondAxis = nullptr;  // always empty in the trend graph
  CGPrimitive* m_tripManager = nullptr;
  int m_fontSize = 14;
  int m_traceThickness = 1;
  int m_yLabelMode = -1;
};
