// The roots that print a graph window's pages. None is shown on screen: each is made for one print
// job (or preview) under the gadget document, builds what it prints from the document, and puts
// the page header (CGVantrelPrintHeader) on every page.
//
//   CGVantrelGraphPrintRoot  one trend panel per printed page: every printed group's print range
//                            cut into page spans; the tool windows' contents on the graph pages
//                            when they fit, else on pages of their own in front.
//   CGVantrelListPrintRoot   the alarm or the mark list, all entries or those between the cursors.
//   CGVantrelSheetPrintRoot  the trend sheet of one group, with the page range rules of the sheet
//                            and a page count of its own when the range goes beyond 65,500 pages.
//
// The metrics come from the printer: margin LOGPIXELSY / 8, header font LOGPIXELSY / 10, header
// row LOGPIXELSY / 6, and the print scale LOGPIXELSY / 120.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "document/ui/CGVantrelPrintHeader.h"
#include "gadget/GSkRoot.h"
#include "platform/gui/DialogWindow.h"

GADGET_DECLARE_RECORD(CGVantrelGraphPrintRoot)
GADGET_DECLARE_RECORD(CGVantrelListPrintRoot)
GADGET_DECLARE_RECORD(CGVantrelSheetPrintRoot)

class CGListScreen;
class CGNgChannel;
class CGNgSDigital;
class CGNgTime;
class CGNgWaveform;

namespace vt {

// What a print root shares: the document, the printer's metrics and the header.
class CGVantrelPrintRoot : public CGSkRoot {
 public:
  explicit CGVantrelPrintRoot(CGVantrelDoc* doc);
  ~CGVantrelPrintRoot() override;

  void PrintHeader(vt::DeviceContext* dc, int page) override;
  void EndPrinting(vt::DeviceContext* dc, CPrintInfo* info) override;

  CGVantrelPrintHeader* GetHeader() const { return m_header.get(); }
  int GetPageCount() const { return m_pageCount; }
  int m_margin = 0;
  int m_headerFontHeight = 0;
  int m_headerRowHeight = 0;

 protected:
  // Print rectangle, metrics and print scale from the printer.
  void TakeMetrics(vt::DeviceContext* dc);
  // The header for the document with rangeText in its range row.
  void MakeHeader(vt::DeviceContext* dc, const std::string& rangeText);
  int HeaderHeight() const;

  CGVantrelDoc* m_doc;
  std::unique_ptr<CGVantrelPrintHeader> m_header;
  int m_pageCount = 0;
};

}  // namespace vt

// The tool windows of the main frame as the graph's printing sees them (the windows register
// themselves; without them nothing of theirs is printed).
class GraphPrintTool {
 public:
  virtual ~GraphPrintTool() = default;
  virtual bool IsShown() const = 0;
  virtual CGRoot* PrintRoot() = 0;
  // The size the window's content takes printed within rect at the print scale.
  virtual vt::Size MeasurePrint(vt::DeviceContext* dc, const vt::Rect& rect, int scale) = 0;
};
void SetGraphPrintTools(GraphPrintTool* cursorControl, GraphPrintTool* statistics);

// A tool window of the main frame for the graph's printing: shown while its window is, printing
// its root with the root's first gadget laid at the gadget's own size times the print scale.
// Going away, it takes itself out of the graph's printing.
class DialogPrintTool : public GraphPrintTool {
 public:
  DialogPrintTool(vt::DialogWindow* window, CGRoot* root) : m_window(window), m_root(root) {}
  ~DialogPrintTool() override;
  bool IsShown() const override;
  CGRoot* PrintRoot() override { return m_root; }
  vt::Size MeasurePrint(vt::DeviceContext* dc, const vt::Rect& rect, int scale) override;

 private:
  vt::DialogWindow* m_window;
  CGRoot* m_root;
};

class CGVantrelGraphPrintRoot : public vt::CGVantrelPrintRoot {
 public:
  explicit CGVantrelGraphPrintRoot(CGVantrelDoc* doc);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelGraphPrintRoot); }

  int GetPrintPageCount(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void Print(vt::DeviceContext* dc, CPrintInfo* info) override;
  void BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) override;

  CGNgWaveform* GetPanel() const { return m_panel; }
  int m_traceWidth = 1;
  int m_thinWidth = 1;
  bool m_combined = false;

 private:
  struct Tool {
    GraphPrintTool* tool = nullptr;
    bool shown = false;
    vt::Size size{};
    int pages = 0;
  };
  void MeasureTools(vt::DeviceContext* dc);
  void PrintGraphPage(vt::DeviceContext* dc, int page, int toolPages);
  Tool m_cursor, m_statistics;
  CGRoot* m_pageTools[2] = {nullptr, nullptr};
  int m_firstPages[2] = {1, 1};
  CGNgWaveform* m_panel = nullptr;
};

namespace vt {

class CGVantrelListPrintRoot : public CGVantrelPrintRoot {
 public:
  // list 0: the alarm list, 1: the mark list; cursorRangeOnly: only the entries between cursors.
  CGVantrelListPrintRoot(CGVantrelDoc* doc, int list, bool cursorRangeOnly);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelListPrintRoot); }

  int GetPrintPageCount(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void Print(vt::DeviceContext* dc, CPrintInfo* info) override;
  void BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) override;

  CGListScreen* GetScreen() const { return m_screen; }

 private:
  int m_list;
  CGListScreen* m_screen = nullptr;
  std::vector<std::pair<std::string, int>> m_captions;  // caption and printed width
  int m_captionTop = 0;
  int m_captionHeight = 0;
};

class CGVantrelSheetPrintRoot : public CGVantrelPrintRoot {
 public:
  // doc may be null (no header); the sheet shows channels over the row source.
  CGVantrelSheetPrintRoot(CGVantrelDoc* doc, int count, CGNgChannel* const* channels, CGNgTime* rows);
  // The current group of doc.
  static CGVantrelSheetPrintRoot* ForCurrentGroup(CGVantrelDoc* doc);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelSheetPrintRoot); }

  int GetPrintPageCount(vt::DeviceContext* dc) override;
  void Print(vt::DeviceContext* dc, CPrintInfo* info) override;
  void BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) override;

  CGNgSDigital* GetSheet() const { return m_sheet; }
  bool m_ownCounting = false;
  int m_nextPage = 1;
  int m_fromPage = 0;
  int m_toPage = 0;

 private:
  CGNgSDigital* m_sheet = nullptr;
};

}  // namespace vt

// More pages than this and the sheet counts its pages itself.
constexpr int kSheetPrintPageLimit = 65500;
