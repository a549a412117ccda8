// ReportView: a virtual report list. It never holds rows: it is told how many there are and asks
// its source for the text of each cell it draws, so a list of 100,000 rows costs one call per
// visible cell.
//
// Columns are numbered by id (the index in the owner's column table) and the model's column is
// the id; a column that is not shown is a hidden header section, and the display order is the
// header's visual order. The header draws the sort mark, offers a menu with one checkable item per
// column (the first column can neither be hidden nor shown from it), and lets the user drag
// columns. Column 0 can be made editable in place (the owner decides whether an edit is taken;
// the cell then shows what the source says, so a refused name comes back by itself).
//
// The owner hears of what the user does through the hooks; all run on the user-interface thread.
#pragma once
#include <QPixmap>
#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenu;

namespace vt {

class ReportSource {
 public:
  virtual ~ReportSource() = default;
  virtual std::string CellText(int row, int columnId) const = 0;
  // The image of every row's first cell; -1 for none.
  virtual int RowImage() const { return -1; }
};

struct ReportColumn {
  std::string caption;
  bool shown = true;
  int width = 100;
};

class ReportModel;

class ReportView : public QTreeView {
 public:
  struct Hooks {
    std::function<void(int columnId)> headerClicked;
    // A column was hidden (shown false, with its width when hidden) or shown from the header menu.
    std::function<void(int columnId, bool shown, int width)> columnToggled;
    std::function<void(int row)> currentChanged;  // the row that gained the focus
    std::function<void()> selectionChanged;
    std::function<void(int row)> rowClicked;
    std::function<void(int row)> rowDoubleClicked;
    std::function<void(int row, QPoint global)> rowMenu;
    // An edit of column 0 ended with this text; true when it is taken.
    std::function<bool(int row, const std::string& text)> labelEdited;
    std::function<void(bool focused)> focusChanged;
  };

  explicit ReportView(QWidget* parent = nullptr);
  ~ReportView() override;

  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
  void SetSource(const ReportSource* source);
  void SetImages(std::vector<QPixmap> images);

  // Replaces every column; order lists the shown ids in display order (ids missing from it
  // follow in table order).
  void SetColumns(const std::vector<ReportColumn>& columns, const std::vector<int>& order);
  void ClearColumns();
  int ColumnCount() const;
  bool IsColumnShown(int id) const;
  // The current width of a shown column, the width it had when hidden otherwise.
  int ColumnWidth(int id) const;
  // Sets a column's width (a hidden column has it when it is shown again).
  void SetColumnWidth(int id, int width);
  // The width that shows a column's caption and the texts (and the image) of its first rows, at
  // most maxRows of them, whole, as the header and the cells draw them.
  int FittingWidth(int id, int maxRows) const;
  // The shown ids in display order.
  std::vector<int> DisplayOrder() const;
  // Hides a column, or shows it again at the display position equal to its id (at the end when
  // fewer columns are shown) with the width it had.
  void SetColumnShown(int id, bool shown);

  // New row count: every row is redrawn from the source; focus and selection are cleared.
  void SetRowCount(int rows);
  int RowCount() const;
  // The sort mark on a column: order 1 ascending, 2 descending, 0 (or id -1) none.
  void SetSortMark(int id, int order);
  int SortMarkColumn() const { return sortColumn_; }
  int SortMarkOrder() const { return sortOrder_; }

  // Whether column 0 can be edited in place, and how many characters it takes.
  void SetLabelEditing(bool enabled, int maxLength);
  bool LabelEditing() const { return labelEditing_; }
  int LabelMaxLength() const { return labelMaxLength_; }
  // Starts editing column 0 of row (only when label editing is on).
  bool EditLabel(int row);

  // The selected rows in ascending order, and how many there are.
  std::vector<int> SelectedRows() const;
  int SelectedCount() const;

  // The header menu as the user gets it (the caller owns it); its actions' data are column ids.
  std::unique_ptr<QMenu> BuildHeaderMenu();
  // What choosing a column in the header menu does.
  void ToggleColumnFromMenu(int id);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class ReportModel;
  bool TakeLabel(int row, const std::string& text);

  ReportModel* model_;
  Hooks hooks_;
  std::vector<ReportColumn> columns_;
  int sortColumn_ = -1;
  int sortOrder_ = 0;
  bool labelEditing_ = false;
  int labelMaxLength_ = 32;
};

}  // namespace vt
