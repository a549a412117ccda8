// The main frame's share of the graph windows: the document templates it opens them with (their
// frames go into its MDI area) and the counter that numbers new windows. Private to the frame's
// two source files.
#pragma once
#include <memory>

#include "app/CMainFrame.h"
#include "app/CatalogDisplay.h"
#include "platform/gui/qt/ChildFrame.h"

class QMdiArea;

namespace vt {
class MdiFrameWindow;
}

struct CMainFrame::GraphWindows {
  explicit GraphWindows(QMdiArea* area) : maker(area) {}
  vt::MdiFrameMaker maker;
  vt::DocTemplate* graph = nullptr;
  vt::DocTemplate* list = nullptr;
  vt::DocTemplate* sheet = nullptr;
  // The display commands on the catalogue's rows.
  std::unique_ptr<vt::CatalogDisplay> display;
};

// The graph window document of the window's active child, or null.
CVantrelDoc* ActiveGraphDocument(const vt::MdiFrameWindow& window);
