// The main frame's tool windows: the cursor-control and statistics windows, made hidden with the
// frame and kept until it goes, and the two Window commands that show them for the active graph
// window. The statistics window's "Re-Calc." comes back here as Window > Statistics, so a
// recalculation binds it to the graph window that is active then.
#include <QMdiSubWindow>

#include "app/CMainFrame.h"
#include "document/ui/CVantrelDoc.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/qt/MdiFrameWindow.h"

namespace {

// The graph document of the frame's active graph window, or null.
CVantrelDoc* ActiveGraphDocument(const CMainFrame& frame) {
  auto* window = dynamic_cast<vt::MdiFrameWindow*>(frame.Widget());
  auto* child = window ? dynamic_cast<vt::ChildFrame*>(window->ActiveChild()) : nullptr;
  vt::View* view = child ? child->GetView() : nullptr;
  return view ? dynamic_cast<CVantrelDoc*>(view->GetDocument()) : nullptr;
}

}  // namespace

void CMainFrame::CreateToolWindows() {
  m_cursorControl = std::make_unique<CDlgCursorControl>(GetSafeHwnd());
  m_statistics = std::make_unique<CDlgCalculate>(GetSafeHwnd());
  m_statistics->commandSink = [this](int id) {
    Router().Execute(id);
    UpdateCommands();
  };
  const auto enabled = [this](vt::CmdUI& ui) { ui.Enable(ActiveGraphDocument(*this) != nullptr); };
  Commands().On(
      CDlgCursorControl::kCommandId,
      [this] {
        CVantrelDoc* doc = ActiveGraphDocument(*this);
        m_cursorControl->ShowWindow(true);
        m_cursorControl->BringToFront();
        // Attaching rebuilds the table, now that the window is shown.
        if (doc) doc->GetGadgetDocument()->AttachRepeaters();
      },
      enabled);
  Commands().On(
      CDlgCalculate::kCommandId,
      [this] {
        CVantrelDoc* doc = ActiveGraphDocument(*this);
        m_statistics->ShowWindow(true);
        m_statistics->BringToFront();
        m_statistics->SetDocument(doc ? doc->GetGadgetDocument() : nullptr);
      },
      enabled);
}
