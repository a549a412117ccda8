// The read-only property grid (see PropertyGrid.h).
#include "platform/gui/qt/PropertyGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>

namespace vt {

namespace {
constexpr int kCopyModeRole = Qt::UserRole + 1;
}

PropertyGrid::PropertyGrid(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(2);
  setHeaderHidden(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setRootIsDecorated(true);
  setAlternatingRowColors(false);
  header()->setStretchLastSection(true);
  header()->setSectionResizeMode(0, QHeaderView::Interactive);
  header()->resizeSection(0, 140);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, Qt::white);
  setPalette(palette);
}

QTreeWidgetItem* PropertyGrid::AddGroup(const QString& caption, QTreeWidgetItem* parent) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, caption);
  item->setFirstColumnSpanned(true);
  QFont font = item->font(0);
  font.setBold(true);
  item->setFont(0, font);
  item->setBackground(0, palette().color(QPalette::Button));
  item->setExpanded(true);
  return item;
}

QTreeWidgetItem* PropertyGrid::AddProperty(QTreeWidgetItem* group, const QString& name, const QString& value,
                                           int copyMode) {
  auto* item = group ? new QTreeWidgetItem(group) : new QTreeWidgetItem(this);
  item->setText(0, name);
  item->setText(1, value);
  item->setToolTip(1, value);
  item->setData(0, kCopyModeRole, copyMode);
  return item;
}

int PropertyGrid::CopyModeOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kCopyModeRole).toInt() : kCopyNone;
}

QString PropertyGrid::CopyText(const QTreeWidgetItem* item) {
  switch (CopyModeOf(item)) {
    case kCopyName:
      return item->text(0);
    case kCopyValue:
      return item->text(1);
    case kCopyNameAndValue:
      return item->text(0) + QLatin1Char('\t') + item->text(1);
    default:
      return {};
  }
}

bool PropertyGrid::CopySelected() const {
  const QTreeWidgetItem* item = currentItem();
  if (CopyModeOf(item) == kCopyNone) return false;
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(CopyText(item));
  return true;
}

void PropertyGrid::contextMenuEvent(QContextMenuEvent* event) {
  const QPoint at = viewport()->mapFrom(this, event->pos());
  QTreeWidgetItem* item = itemAt(at);
  if (!item || columnAt(at.x()) != 1 || CopyModeOf(item) == kCopyNone) return;
  setCurrentItem(item);
  if (copyMenu) copyMenu(event->globalPos());
}

}  // namespace vt
