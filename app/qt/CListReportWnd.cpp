// The report list of the Search pane (see CListReportWnd.h).
#include "app/qt/CListReportWnd.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/AppMessages.h"
#include "app/CListDoc.h"
#include "app/CVantrelApp.h"
#include "platform/base/WindowHandles.h"
#include "platform/gui/Application.h"
#include "platform/gui/WaitCursor.h"
#include "platform/gui/qt/ReportView.h"

namespace {

// The row images, one per list kind's row image index (0-10): small drawn glyphs, a coloured
// sheet with a mark of the list's colour.
std::vector<QPixmap> RowImages() {
  static const QColor kColors[] = {
      Qt::gray,           Qt::darkGray,        QColor(0, 120, 215), QColor(200, 40, 40), QColor(0, 150, 80),
      QColor(150, 90, 0), QColor(90, 60, 160), QColor(0, 140, 150), QColor(120, 120, 0), QColor(200, 120, 0),
      QColor(30, 90, 160)};
  std::vector<QPixmap> images;
  for (const QColor& color : kColors) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::white);
    p.drawRect(2, 1, 11, 13);
    p.fillRect(4, 4, 8, 2, color);
    p.fillRect(4, 8, 8, 2, color);
    p.fillRect(4, 11, 5, 1, color);
    images.push_back(pixmap);
  }
  return images;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n\f\v";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

class CListReportWnd::DocSource final : public vt::ReportSource {
 public:
  explicit DocSource(const CListDoc* doc) : doc_(doc) {}
  std::string CellText(int row, int columnId) const override { return doc_->GetCellText(row, columnId); }
  int RowImage() const override { return doc_->GetRowImage(); }

 private:
  const CListDoc* doc_;
};

class CListReportWnd::CListDocObserver final : public CObserver {
 public:
  explicit CListDocObserver(CListReportWnd* wnd) : wnd_(wnd) {}
  void Update(int code) override {
    CListDoc* doc = wnd_->m_doc;
    switch (code) {
      case LIST_NOTIFY_CHANGED:
        wnd_->FillList(false);
        break;
      case LIST_NOTIFY_SELECTION:
        for (int row : wnd_->m_view->SelectedRows()) doc->m_selection.push_back(row);
        break;
      case LIST_NOTIFY_EDIT_LABEL:
        wnd_->m_view->EditLabel(doc->m_currentItem);
        break;
      case LIST_NOTIFY_GRAPHS:
        if (doc->m_listKind == LIST_KIND_GRAPH) wnd_->FillList(false);
        break;
      default:
        break;
    }
  }

 private:
  CListReportWnd* wnd_;
};

CListReportWnd::CListReportWnd(CListDoc* doc, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_view(new vt::ReportView(this)),
      m_source(std::make_unique<DocSource>(doc)),
      m_observer(std::make_unique<CListDocObserver>(this)) {
  m_view->SetSource(m_source.get());
  m_view->setObjectName(QStringLiteral("reportList"));
  vt::ReportView::Hooks hooks;
  hooks.headerClicked = [this](int id) { OnHeaderClicked(id); };
  hooks.columnToggled = [this](int id, bool shown, int width) { OnColumnToggled(id, shown, width); };
  hooks.currentChanged = [this](int row) {
    m_doc->m_currentItem = row;
    m_doc->Notify(LIST_NOTIFY_CURRENT);
    m_doc->m_selectedCount = m_view->SelectedCount();
    m_doc->m_selection.clear();
  };
  hooks.selectionChanged = [this] {
    m_doc->m_selectedCount = m_view->SelectedCount();
    m_doc->m_selection.clear();
  };
  hooks.rowClicked = [this](int row) {
    m_doc->m_currentItem = row;
    m_doc->Notify(LIST_NOTIFY_CURRENT);
  };
  hooks.rowDoubleClicked = [this](int row) { OnDoubleClick(row); };
  hooks.rowMenu = [this](int, QPoint global) {
    if (m_hooks.rowMenu) m_hooks.rowMenu(m_doc->m_listKind, global);
  };
  hooks.labelEdited = [this](int, const std::string& text) { return OnLabelEdited(text); };
  hooks.focusChanged = [this](bool focused) {
    m_focused = focused;
    if (m_hooks.focusChanged) m_hooks.focusChanged(focused);
  };
  m_view->SetHooks(std::move(hooks));
  m_doc->Attach(m_observer.get());
}

CListReportWnd::~CListReportWnd() {
  m_doc->Detach(m_observer.get());
  // The view goes before the source it reads.
  m_view->SetHooks({});
  m_view->SetSource(nullptr);
  delete m_view;
}

void CListReportWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_view->setGeometry(rect());
}

void CListReportWnd::SetStatus(const std::string& text) {
  m_statusText = text;
  if (m_hooks.statusText) m_hooks.statusText(text);
}

void CListReportWnd::FillList(bool rebuild) {
  vt::ScopedWaitCursor wait;
  SetStatus(std::string());
  QElapsedTimer clock;
  clock.start();

  m_view->SetImages({});
  if (rebuild) {
    m_view->ClearColumns();
    m_doc->Notify(LIST_NOTIFY_COLUMNS);
  }
  const int kind = m_doc->m_listKind;
  if (kind < 1 || kind > kListKindCount) {
    if (rebuild) {
      m_view->SetRowCount(0);
      SyncSelectionCount();
    }
    return;
  }
  if (rebuild) {
    vt::SColumnLayout layout;
    CReportColumnSet* set = m_doc->GetColumnSet();
    if (m_doc->GetColumnLayout(layout) && set) {
      std::vector<vt::ReportColumn> columns;
      for (int id = 0; id < layout.Count(); ++id)
        columns.push_back(
            {layout.captions[size_t(id)], layout.visible[size_t(id)] != 0, layout.widths[size_t(id)]});
      m_view->SetColumns(columns, set->VisibleOrder());
    }
    m_view->SetSortMark(-1, 0);
    m_view->SetLabelEditing(kind == LIST_KIND_CONDITION || kind == LIST_KIND_GRAPH, kLabelMaxLength);
  }

  int result = CListDoc::FETCH_END;
  if (m_doc->PrepareQuery()) {
    do {
      result = m_doc->FetchRows();
    } while (result == CListDoc::FETCH_ROW);
  }
  const int rows = m_doc->GetItemCount();
  m_view->SetRowCount(rows);
  SyncSelectionCount();
  m_view->SetImages(RowImages());
  FitColumnWidths();

  char text[64];
  std::snprintf(text, sizeof text,
                result == CListDoc::FETCH_LIMIT ? "Over %d Items : %d mSec" : "%d Items : %d mSec", rows,
                int(clock.elapsed()));
  SetStatus(text);
}

void CListReportWnd::SyncSelectionCount() {
  // Resetting the rows drops the view's selection without a selection signal: the document's
  // count follows here, or the commands on a selection would run on rows that are gone.
  m_doc->m_selectedCount = m_view->SelectedCount();
  m_doc->m_selection.clear();
}

void CListReportWnd::FitColumnWidths() {
  // Columns the user never sized show their caption and the texts of the first screen whole
  // (a time text does not fit the default width); a very long text keeps to kFitMaxWidth.
  CReportColumnSet* set = m_doc->GetColumnSet();
  if (!set || m_view->RowCount() == 0 || m_view->ColumnCount() != set->Count()) return;
  for (int id = 0; id < set->Count(); ++id) {
    if (!set->m_fitWidth[size_t(id)]) continue;
    const int width =
        std::max(m_view->ColumnWidth(id), std::min(kFitMaxWidth, m_view->FittingWidth(id, kFitRows)));
    m_view->SetColumnWidth(id, width);
    set->m_width[size_t(id)] = width;
    set->m_fitWidth[size_t(id)] = 0;
  }
}

void CListReportWnd::SaveColumnLayout() {
  vt::SColumnLayout layout;
  if (!m_doc->GetColumnLayout(layout) || m_view->ColumnCount() != layout.Count()) return;
  const std::vector<int> order = m_view->DisplayOrder();
  for (size_t k = 0; k < order.size() && k < layout.order.size(); ++k) layout.order[k] = order[k];
  for (int id : order) {
    layout.widths[size_t(id)] = m_view->ColumnWidth(id);
    layout.visible[size_t(id)] = 1;
  }
  m_doc->SetColumnLayout(layout);
}

void CListReportWnd::OnHeaderClicked(int columnId) {
  const int order = m_doc->ToggleSort(columnId);
  m_view->SetSortMark(columnId, order);
  FillList(false);
}

void CListReportWnd::OnColumnToggled(int columnId, bool shown, int width) {
  CReportColumnSet* set = m_doc->GetColumnSet();
  if (!set || columnId < 0 || columnId >= set->Count()) return;
  set->m_visible[size_t(columnId)] = shown ? 1 : 0;
  if (!shown) set->m_width[size_t(columnId)] = width;
  // The stored order follows the columns now shown.
  SaveColumnLayout();
}

bool CListReportWnd::OnLabelEdited(const std::string& text) {
  const std::string name = Trim(text);
  if (name.empty()) return false;
  if (m_doc->m_listKind == LIST_KIND_GRAPH)
    m_doc->RenameSavedGraph(name);
  else if (m_doc->m_listKind == LIST_KIND_CONDITION)
    m_doc->RenameSavedCondition(name);
  else
    return false;
  return true;
}

void CListReportWnd::OnDoubleClick(int) {
  const int kind = m_doc->m_listKind;
  if ((kind >= LIST_KIND_TAG && kind <= LIST_KIND_BATCH) || kind == LIST_KIND_GRAPH) {
    if (m_hooks.postCommand)
      m_hooks.postCommand(kCommandDisplay);
    else if (CVantrelApp* app = CVantrelApp::Current())
      app->PostCommand(kCommandDisplay);
  } else if (kind == LIST_KIND_CONDITION) {
    m_doc->LoadSavedCondition();
    // Whatever the load gave: the main frame moves the navigation to the loaded list.
    if (m_hooks.listFilled) {
      m_hooks.listFilled();
    } else if (vt::Application* loop = vt::Application::Current()) {
      vt::PostMessage(loop->MainWindow(), WM_VT_LISTFILLED, 0, 0);
    }
  }
}
