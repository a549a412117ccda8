// PropertyGrid: a read-only grid of named text values in collapsible groups, on white, without a
// header or a description area. Every property may carry a copy mode that says what the clipboard
// gets from it: its name, its value, or both separated by a tab. A right click on the value of a
// property with a copy mode calls the copy-menu hook at the click (the owner shows its menu); a
// right click anywhere else does nothing.
#pragma once
#include <QString>
#include <QTreeWidget>
#include <functional>

namespace vt {

class PropertyGrid : public QTreeWidget {
 public:
  enum CopyMode : int { kCopyNone = 0, kCopyName = 1, kCopyValue = 2, kCopyNameAndValue = 3 };

  explicit PropertyGrid(QWidget* parent = nullptr);

  // A group at the top level (parent null) or inside another group; open.
  QTreeWidgetItem* AddGroup(const QString& caption, QTreeWidgetItem* parent = nullptr);
  QTreeWidgetItem* AddProperty(QTreeWidgetItem* group, const QString& name, const QString& value,
                               int copyMode = kCopyValue);
  void RemoveAll() { clear(); }

  // What the clipboard gets from item; empty for a group or an item without copy mode.
  static QString CopyText(const QTreeWidgetItem* item);
  static int CopyModeOf(const QTreeWidgetItem* item);
  // Puts the selected property's copy text on the clipboard; false when nothing was copied.
  bool CopySelected() const;

  std::function<void(QPoint global)> copyMenu;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace vt
