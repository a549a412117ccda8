// The tab row of a graph window's trend and sheet views: a page controller filling its root with
// one page per display group of the document, titled with the group's name (also its help text)
// and shown while the group has channels.
#pragma once

class CGSkPageController;
class CGSkRoot;
class CGVantrelDoc;

namespace vt {

// Makes the controller and its pages in root, sizes root to its window's client area and lays it
// out. The caller hooks the controller's events.
CGSkPageController* BuildGroupTabPages(CGSkRoot* root, CGVantrelDoc* doc, int maxTabWidth);

}  // namespace vt
