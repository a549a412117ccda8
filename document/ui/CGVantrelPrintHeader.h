// CGVantrelPrintHeader: the block of label rows at the top of every printed page of a graph
// window (graph, lists and sheet): the page number "n/count" right-aligned, the graph name,
// for data of a single batch the batch and instrument details in two columns, the print range
// and the printing comment. Each row is a label as wide as the widest label, " : " and the
// value. The root that prints a page owns the header and prints it itself (it has no parent).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "gadget/GGroup.h"

GADGET_DECLARE_RECORD(CGVantrelPrintHeader)

namespace vt {
class Font;
}

class CGVantrelPrintHeader : public CGGroup {
 public:
  CGVantrelPrintHeader();
  ~CGVantrelPrintHeader() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelPrintHeader); }

  // Fills the rows for doc; the caller has set the header's print width to its own.
  void Build(vt::DeviceContext* dc, CGVantrelDoc* doc, int fontHeight, int rowHeight, bool detailed);
  void SetPageNumber(int page, int count);
  void SetRangeText(const std::string& text);
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  // 5 rows, or 13 for the detailed header of a single batch's data.
  static bool IsDetailed(const CGVantrelDoc* doc);
  static int HeaderHeight(const CGVantrelDoc* doc, int rowHeight);

  struct Cell {
    int x = 0, row = 0, width = 0;  // width: where the value ends
    std::string label, value;
  };
  const std::vector<Cell>& Cells() const { return m_cells; }
  const std::string& PageText() const { return m_pageText; }
  int m_fontHeight = 0;
  int m_rowHeight = 0;
  int m_labelWidth = 0;

 private:
  std::vector<Cell> m_cells;
  std::string m_pageText;
  int m_rangeCell = -1;
  std::unique_ptr<vt::Font> m_font;
};
