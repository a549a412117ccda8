// CListReportWnd: the report list of the Search pane: a ReportView that shows the rows of the list
// document. It fills the list (query, fetch, count, with the wait cursor and the status text),
// rebuilds the columns from the list kind's column set, sorts on a header click, shows and hides
// columns from the header menu, renames saved graphs and saved search conditions in place (at most
// 32 characters), and opens a row on a double click. It tells the document which row has the
// focus and which are selected, and keeps the column layouts in the document's column sets.
//
// Hosting: the widget is self-contained; the Search pane puts it below its search conditions and
// destroys it with itself. What belongs to the main frame (the status pane's text, its flag that
// the report list has the keyboard focus, the command a double click starts, the message after a
// saved condition was loaded, the context menus of the list kinds) goes through the hooks; unset
// hooks fall back to the application object and the main window.
#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/CSubject.h"

class CListDoc;

namespace vt {
class ReportView;
}

class CListReportWnd : public QWidget {
 public:
  // Command of a double click on a row of list kinds 1-6 and 9: display in the same window.
  static constexpr int kCommandDisplay = 32814;
  static constexpr int kLabelMaxLength = 32;
  // Fitting a column that has no width of the user's: the rows measured and the widest width.
  static constexpr int kFitRows = 64;
  static constexpr int kFitMaxWidth = 320;

  struct Hooks {
    std::function<void(const std::string& text)> statusText;   // the status pane of the fills
    std::function<void(bool focused)> focusChanged;            // the main frame's focus flag
    std::function<void(int commandId)> postCommand;            // default: the application's
    std::function<void()> listFilled;                          // default: WM_VT_LISTFILLED to the main window
    std::function<void(int listKind, QPoint global)> rowMenu;  // the context menu of a list kind
  };

  // Observes doc from construction to destruction.
  explicit CListReportWnd(CListDoc* doc, QWidget* parent = nullptr);
  ~CListReportWnd() override;

  void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

  // Fetches and shows the rows of the document's list kind and condition; with rebuild, the
  // columns are replaced first (a new list kind: the sort mark goes).
  void FillList(bool rebuild);
  // Stores the shown columns (order, widths) into the document's column set of its list kind.
  void SaveColumnLayout();

  vt::ReportView* View() { return m_view; }
  // The text of the last fill ("%d Items : %d mSec").
  const std::string& StatusText() const { return m_statusText; }
  bool HasListFocus() const { return m_focused; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class CListDocObserver;
  class DocSource;

  void OnHeaderClicked(int columnId);
  void OnColumnToggled(int columnId, bool shown, int width);
  bool OnLabelEdited(const std::string& text);
  void OnDoubleClick(int row);
  void SetStatus(const std::string& text);
  void FitColumnWidths();
  // The document's selected count and selection after the rows were reset.
  void SyncSelectionCount();

  CListDoc* m_doc;
  vt::ReportView* m_view;
  std::unique_ptr<DocSource> m_source;
  std::unique_ptr<CListDocObserver> m_observer;
  Hooks m_hooks;
  std::string m_statusText;
  bool m_focused = false;
};
