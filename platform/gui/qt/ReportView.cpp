// The virtual report list (see ReportView.h).
#include "platform/gui/qt/ReportView.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cassert>

namespace vt {

// Rows and columns by count only; every cell is asked of the source when drawn.
class ReportModel final : public QAbstractTableModel {
 public:
  explicit ReportModel(ReportView* view) : QAbstractTableModel(view), view_(view) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(view_->columns_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || !source_) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
      return QString::fromStdString(source_->CellText(index.row(), index.column()));
    if (role == Qt::DecorationRole && index.column() == 0) {
      const int image = source_->RowImage();
      if (image >= 0 && image < int(images_.size())) return images_[size_t(image)];
    }
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(view_->columns_.size())) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(view_->columns_[size_t(section)].caption);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0 && view_->labelEditing_) f |= Qt::ItemIsEditable;
    return f;
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole || index.column() != 0) return false;
    const bool taken = view_->TakeLabel(index.row(), value.toString().toStdString());
    emit dataChanged(index, index);  // shows what the source holds now, taken or not
    return taken;
  }

  void Reset(int rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  }
  void ResetColumns() {
    beginResetModel();
    endResetModel();
  }

  ReportView* view_;
  const ReportSource* source_ = nullptr;
  std::vector<QPixmap> images_;
  int rows_ = 0;
};

namespace {

// The in-place editor of column 0, limited to the view's label length.
class LabelDelegate final : public QStyledItemDelegate {
 public:
  explicit LabelDelegate(ReportView* view) : QStyledItemDelegate(view), view_(view) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(view_->LabelMaxLength());
    return editor;
  }

 private:
  ReportView* view_;
};

}  // namespace

ReportView::ReportView(QWidget* parent) : QTreeView(parent), model_(new ReportModel(this)) {
  setModel(model_);
  setItemDelegate(new LabelDelegate(this));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  setSortingEnabled(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
  QPalette p = palette();
  p.setColor(QPalette::Base, Qt::white);
  setPalette(p);

  QHeaderView* h = header();
  h->setSectionsMovable(true);
  h->setSectionsClickable(true);
  h->setStretchLastSection(false);
  h->setSectionResizeMode(QHeaderView::Interactive);
  h->setDefaultAlignment(Qt::AlignCenter);
  h->setSortIndicatorShown(false);
  h->setContextMenuPolicy(Qt::CustomContextMenu);

  connect(h, &QHeaderView::sectionClicked, this, [this](int section) {
    if (hooks_.headerClicked) hooks_.headerClicked(section);
  });
  connect(h, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (section >= 0 && section < int(columns_.size()) && size > 0) columns_[size_t(section)].width = size;
  });
  connect(h, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    std::unique_ptr<QMenu> menu = BuildHeaderMenu();
    if (QAction* chosen = menu->exec(header()->mapToGlobal(pos)))
      ToggleColumnFromMenu(chosen->data().toInt());
  });
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QModelIndex at = indexAt(pos);
    if (at.isValid() && hooks_.rowMenu) hooks_.rowMenu(at.row(), viewport()->mapToGlobal(pos));
  });
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid() && hooks_.rowClicked) hooks_.rowClicked(index.row());
  });
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid() && hooks_.rowDoubleClicked) hooks_.rowDoubleClicked(index.row());
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid() && hooks_.currentChanged) hooks_.currentChanged(current.row());
          });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (hooks_.selectionChanged) hooks_.selectionChanged();
  });
}

ReportView::~ReportView() = default;

void ReportView::SetSource(const ReportSource* source) {
  model_->source_ = source;
  viewport()->update();
}

void ReportView::SetImages(std::vector<QPixmap> images) {
  model_->images_ = std::move(images);
  viewport()->update();
}

void ReportView::SetColumns(const std::vector<ReportColumn>& columns, const std::vector<int>& order) {
  columns_ = columns;
  model_->ResetColumns();
  QHeaderView* h = header();
  const int n = int(columns_.size());
  for (int id = 0; id < n; ++id) {
    h->setSectionHidden(id, !columns_[size_t(id)].shown);
    h->resizeSection(id, columns_[size_t(id)].width);
  }
  // The visual order: the given ids first, the rest after them in table order.
  std::vector<int> visual;
  for (int id : order)
    if (id >= 0 && id < n && std::find(visual.begin(), visual.end(), id) == visual.end())
      visual.push_back(id);
  for (int id = 0; id < n; ++id)
    if (std::find(visual.begin(), visual.end(), id) == visual.end()) visual.push_back(id);
  for (int v = 0; v < n; ++v) h->moveSection(h->visualIndex(visual[size_t(v)]), v);
}

void ReportView::ClearColumns() {
  columns_.clear();
  model_->ResetColumns();
}

int ReportView::ColumnCount() const { return int(columns_.size()); }

bool ReportView::IsColumnShown(int id) const {
  return id >= 0 && id < ColumnCount() && !header()->isSectionHidden(id);
}

int ReportView::ColumnWidth(int id) const {
  if (id < 0 || id >= ColumnCount()) return 0;
  return IsColumnShown(id) ? header()->sectionSize(id) : columns_[size_t(id)].width;
}

void ReportView::SetColumnWidth(int id, int width) {
  if (id < 0 || id >= ColumnCount() || width <= 0) return;
  columns_[size_t(id)].width = width;
  if (IsColumnShown(id)) header()->resizeSection(id, width);
}

int ReportView::FittingWidth(int id, int maxRows) const {
  if (id < 0 || id >= ColumnCount()) return 0;
  int width = header()->sectionSizeHint(id);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const int rows = std::min(RowCount(), maxRows);
  for (int row = 0; row < rows; ++row) {
    const QModelIndex index = model_->index(row, id);
    width = std::max(width, itemDelegateForIndex(index)->sizeHint(option, index).width());
  }
  return width;
}

std::vector<int> ReportView::DisplayOrder() const {
  std::vector<int> order;
  const QHeaderView* h = header();
  for (int v = 0; v < h->count(); ++v) {
    const int id = h->logicalIndex(v);
    if (!h->isSectionHidden(id)) order.push_back(id);
  }
  return order;
}

void ReportView::SetColumnShown(int id, bool shown) {
  if (id < 0 || id >= ColumnCount() || IsColumnShown(id) == shown) return;
  QHeaderView* h = header();
  if (!shown) {
    columns_[size_t(id)].width = h->sectionSize(id);
    columns_[size_t(id)].shown = false;
    h->setSectionHidden(id, true);
    return;
  }
  // Back at display position id among the shown columns.
  std::vector<int> others;
  for (int v = 0; v < h->count(); ++v)
    if (h->logicalIndex(v) != id) others.push_back(h->logicalIndex(v));
  int place = int(others.size()), before = 0;
  for (size_t k = 0; k < others.size(); ++k) {
    if (h->isSectionHidden(others[k])) continue;
    if (before == id) {
      place = int(k);
      break;
    }
    ++before;
  }
  columns_[size_t(id)].shown = true;
  h->setSectionHidden(id, false);
  h->moveSection(h->visualIndex(id), place);
  h->resizeSection(id, columns_[size_t(id)].width);
}

void ReportView::SetRowCount(int rows) {
  const int scroll = verticalScrollBar() ? verticalScrollBar()->value() : 0;
  model_->Reset(rows);
  if (verticalScrollBar()) verticalScrollBar()->setValue(scroll);
}

int ReportView::RowCount() const { return model_->rows_; }

void ReportView::SetSortMark(int id, int order) {
  sortColumn_ = order == 0 ? -1 : id;
  sortOrder_ = id < 0 ? 0 : order;
  QHeaderView* h = header();
  if (sortColumn_ < 0) {
    h->setSortIndicatorShown(false);
    h->setSortIndicator(-1, Qt::AscendingOrder);
    return;
  }
  h->setSortIndicatorShown(true);
  h->setSortIndicator(id, order == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ReportView::SetLabelEditing(bool enabled, int maxLength) {
  labelEditing_ = enabled;
  labelMaxLength_ = maxLength;
}

bool ReportView::EditLabel(int row) {
  if (!labelEditing_ || row < 0 || row >= RowCount()) return false;
  const QModelIndex index = model_->index(row, 0);
  scrollTo(index);
  // The row edited is the one selected: its owner renames the selected row.
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  edit(index);
  return state() == QAbstractItemView::EditingState;
}

bool ReportView::TakeLabel(int row, const std::string& text) {
  return hooks_.labelEdited ? hooks_.labelEdited(row, text) : false;
}

std::vector<int> ReportView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int ReportView::SelectedCount() const { return int(selectionModel()->selectedRows().size()); }

std::unique_ptr<QMenu> ReportView::BuildHeaderMenu() {
  auto menu = std::make_unique<QMenu>();  // owned by the caller alone
  for (int id = 0; id < ColumnCount(); ++id) {
    QAction* action = menu->addAction(QString::fromStdString(columns_[size_t(id)].caption));
    action->setData(id);
    action->setCheckable(true);
    action->setChecked(IsColumnShown(id));
    action->setEnabled(id != 0);
  }
  return menu;
}

void ReportView::ToggleColumnFromMenu(int id) {
  if (id <= 0 || id >= ColumnCount()) return;
  const bool show = !IsColumnShown(id);
  const int width = ColumnWidth(id);
  SetColumnShown(id, show);
  if (hooks_.columnToggled) hooks_.columnToggled(id, show, width);
}

void ReportView::focusInEvent(QFocusEvent* event) {
  QTreeView::focusInEvent(event);
  if (hooks_.focusChanged) hooks_.focusChanged(true);
}

void ReportView::focusOutEvent(QFocusEvent* event) {
  QTreeView::focusOutEvent(event);
  if (hooks_.focusChanged) hooks_.focusChanged(false);
}

}  // namespace vt
