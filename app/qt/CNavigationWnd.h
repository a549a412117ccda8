// CNavigationWnd: the Navigation pane. A caption, the data tree (all data, each instrument and
// under each the six catalogue lists, then the deleted data and the saved search conditions), an
// empty tree for the graph mode, and the two buttons that switch between the modes. Selecting a
// node tells the navigation document, which the Search pane follows; an instrument's name can be
// edited in place (at most 32 characters) and is renamed in the storage, a refused rename putting
// the old name back.
#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class CNavigationDoc;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CNavigationWnd : public QWidget {
 public:
  static constexpr int kLabelMaxLength = 32;
  static constexpr int kMenuRenameDelete = 336;
  // Roles of a node record in its tree item.
  static constexpr int kKindRole = Qt::UserRole + 1;
  static constexpr int kKeyRole = Qt::UserRole + 2;
  static constexpr int kNameRole = Qt::UserRole + 3;

  // Observes doc from construction to destruction; builds the tree and enters the data mode.
  explicit CNavigationWnd(CNavigationDoc* doc, QWidget* parent = nullptr);
  ~CNavigationWnd() override;

  // The context menu of an instrument node (menu 336), shown by the main frame.
  std::function<void(int menuId, QPoint global)> showMenu;

  QTreeWidget* DataTree() const { return m_dataTree; }
  // The first item of that node kind and key; null when there is none.
  QTreeWidgetItem* FindNode(int kind, const std::string& key) const;

  // Tree logic, run by the observer.
  void Build();
  void AddInstruments();
  void SelectConditionNode();
  void RemoveSelectedInstrument();
  void Relayout();
  void EditSelectedLabel();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class CNavigationObserver;
  class LabelDelegate;
  QTreeWidgetItem* NewItem(QTreeWidgetItem* parent, int index, const QString& text, int image, int kind,
                           const std::string& name, const std::string& key);
  void AddListNodes(QTreeWidgetItem* parent, const std::string& name, const std::string& key);
  void OnSelectionChanged();
  void OnContextMenu(const QPoint& pos);
  // The end of an edit of an instrument's name: false when the storage refused it.
  bool OnLabelEdited(QTreeWidgetItem* item, const QString& text);

  CNavigationDoc* m_doc;
  QLabel* m_caption;
  QTreeWidget* m_dataTree;
  QTreeWidget* m_graphTree;
  QPushButton* m_dataButton;
  QPushButton* m_graphButton;
  QTreeWidgetItem* m_insertAfter = nullptr;  // the tree's insertion point for instruments
  std::unique_ptr<CNavigationObserver> m_observer;
};
