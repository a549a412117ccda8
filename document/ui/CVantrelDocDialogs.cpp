// CVantrelDoc: the commands that open a dialog over the graph document's values and hand its
// result to the document (print settings, graph colours).
#include "document/ui/CDlgGraphColor.h"
#include "document/ui/CDlgPrintConfig.h"
#include "document/ui/CVantrelDoc.h"

void CVantrelDoc::EditPrintSettings() {
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!d) return;
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  CDlgPrintConfig dialog(host ? host->GetMainWindow() : 0, d->GetPrintSettings());
  // Not a change that is saved with the graph: no modified flag, no broadcast.
  if (dialog.DoModal() == 1) d->SetPrintSettings(dialog.m_block);
}

void CVantrelDoc::EditGraphColours() {
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!d) return;
  CDlgGraphColor dialog(0);
  dialog.m_gridColour = d->m_gridColour;
  dialog.m_backColour = d->m_backColour;
  if (dialog.DoModal() != 1 || !dialog.m_root) return;
  uint32_t grid = d->m_gridColour, back = d->m_backColour;
  dialog.m_root->GetGraphColours(&grid, &back);
  d->SetGraphColours(grid, back);
}
