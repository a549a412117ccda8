// The main frame's tool windows: the cursor-control and statistics windows, made hidden when
// first asked for (a graph document reaching them, or the Window commands) and kept until the
// frame goes, and the two Window commands that show them for the active graph
// window; printing a graph prints them too while they are open. The statistics window's "Re-Calc." comes back
// here as Window > Statistics, so a recalculation binds it to the graph window that is active then.
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "document/ui/CVantrelDoc.h"
#include "platform/gui/CommandRouter.h"

void CMainFrame::CreateToolWindows() {
  const auto enabled = [this](vt::CmdUI& ui) { ui.Enable(GetActiveGraphDocument() != nullptr); };
  Commands().On(
      CDlgCursorControl::kCommandId,
      [this] {
        CVantrelDoc* doc = GetActiveGraphDocument();
        CDlgCursorControl* window = GetCursorControl();
        if (!window) return;
        window->ShowWindow(true);
        window->BringToFront();
        // Attaching rebuilds the table, now that the window is shown.
        if (doc) doc->GetGadgetDocument()->AttachRepeaters();
      },
      enabled);
  Commands().On(
      CDlgCalculate::kCommandId,
      [this] {
        CVantrelDoc* doc = GetActiveGraphDocument();
        CDlgCalculate* window = GetStatistics();
        if (!window) return;
        window->ShowWindow(true);
        window->BringToFront();
        window->SetDocument(doc ? doc->GetGadgetDocument() : nullptr);
      },
      enabled);
}

void CMainFrame::MakeToolWindows() {
  // Not before the frame's window is there (their transient parent), nor once it is going.
  if (m_cursorControl || m_toolWindowsClosed || !GetSafeHwnd()) return;
  m_cursorControl = std::make_unique<CDlgCursorControl>(GetSafeHwnd());
  m_statistics = std::make_unique<CDlgCalculate>(GetSafeHwnd());
  m_statistics->commandSink = [this](int id) {
    Router().Execute(id);
    UpdateCommands();
  };
  // Printing a graph prints what these windows show while they are open.
  m_cursorControlPrint = std::make_unique<DialogPrintTool>(m_cursorControl.get(), m_cursorControl->GetRoot());
  m_statisticsPrint = std::make_unique<DialogPrintTool>(m_statistics.get(), m_statistics->GetRoot());
  SetGraphPrintTools(m_cursorControlPrint.get(), m_statisticsPrint.get());
}

CDlgCursorControl* CMainFrame::GetCursorControl() {
  MakeToolWindows();
  return m_cursorControl.get();
}

CDlgCalculate* CMainFrame::GetStatistics() {
  MakeToolWindows();
  return m_statistics.get();
}

// The graph documents' repeaters reach the two windows through the application's host.
vt::WindowHandle CVantrelApp::GetCursorControlWindow() {
  CMainFrame* frame = GetMainFrame();
  return frame && frame->GetCursorControl() ? frame->GetCursorControl()->GetSafeHwnd() : 0;
}

vt::WindowHandle CVantrelApp::GetStatisticsWindow() {
  CMainFrame* frame = GetMainFrame();
  return frame && frame->GetStatistics() ? frame->GetStatistics()->GetSafeHwnd() : 0;
}
