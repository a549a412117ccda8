// The Navigation pane (see CNavigationWnd.h).
#include "app/qt/CNavigationWnd.h"

#include <QApplication>
#include <QBitmap>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <vector>

#include "app/CNavigationDoc.h"
#include "app/qt/MainFrameArt.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/Raster.h"

namespace {

constexpr int kImageWidth = 16;
constexpr int IDS_DATA = 154;
constexpr int IDS_GRAPH = 155;
constexpr int IDS_ALL_DATA = 500;
constexpr int IDS_TRASH = 507;
constexpr int IDS_CONDITIONS = 508;

QString Text(int id) { return QString::fromStdString(vt::LoadString(uint32_t(id))); }

// The caption: a warm gradient with the mode's name centred and a thin frame.
class CaptionLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, QColor(241, 193, 94));
    gradient.setColorAt(1, QColor(249, 216, 157));
    p.fillRect(rect(), gradient);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    p.setPen(QColor(242, 149, 54));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// The ten node images of bitmap 178, pure red left out.
std::vector<QIcon> NodeIcons() {
  std::vector<QIcon> icons;
  std::unique_ptr<vt::Bitmap> bitmap = vt::LoadBitmap(vt::kBitmapNavigation);
  if (!bitmap) return icons;
  const QImage& strip = bitmap->Image();
  for (int x = 0; x + kImageWidth <= strip.width(); x += kImageWidth) {
    QPixmap image = QPixmap::fromImage(strip.copy(x, 0, kImageWidth, strip.height()));
    image.setMask(image.createMaskFromColor(QColor::fromRgb(vt::kNavigationMask), Qt::MaskInColor));
    icons.push_back(QIcon(image));
  }
  return icons;
}

}  // namespace

class CNavigationWnd::CNavigationObserver : public CObserver {
 public:
  CNavigationObserver(CNavigationWnd* wnd, CNavigationDoc* doc) : wnd_(wnd), doc_(doc) { doc_->Attach(this); }
  ~CNavigationObserver() override { doc_->Detach(this); }
  void Update(int code) override {
    switch (code) {
      case CNavigationDoc::NAV_NOTIFY_MODE:
        wnd_->Relayout();
        break;
      case CNavigationDoc::NAV_NOTIFY_EDIT_LABEL:
        wnd_->EditSelectedLabel();
        break;
      case CNavigationDoc::NAV_NOTIFY_REBUILD:
        wnd_->Build();
        break;
      case CNavigationDoc::NAV_NOTIFY_ADDED:
        wnd_->AddInstruments();
        break;
      case CNavigationDoc::NAV_NOTIFY_CONDITION:
        wnd_->SelectConditionNode();
        break;
      case CNavigationDoc::NAV_NOTIFY_REMOVED:
        wnd_->RemoveSelectedInstrument();
        break;
      default:
        break;
    }
  }

 private:
  CNavigationWnd* wnd_;
  CNavigationDoc* doc_;
};

// Edits an instrument's name in a line of at most 32 characters; only instrument nodes in the
// data mode open an editor. The typed name reaches the item only when the storage takes it.
class CNavigationWnd::LabelDelegate : public QStyledItemDelegate {
 public:
  explicit LabelDelegate(CNavigationWnd* wnd) : QStyledItemDelegate(wnd), wnd_(wnd) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (wnd_->m_doc->m_mode != CNavigationDoc::MODE_DATA ||
        index.data(kKindRole).toInt() != CNavigationDoc::NODE_INSTRUMENT)
      return nullptr;
    auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (edit) {
      edit->setObjectName(QStringLiteral("navigation.labelEdit"));
      edit->setMaxLength(kLabelMaxLength);
    }
    return edit;
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* item = wnd_->m_dataTree->currentItem();
    if (!edit || !item || wnd_->m_dataTree->indexFromItem(item) != index) return;
    wnd_->OnLabelEdited(item, edit->text());
  }

 private:
  CNavigationWnd* wnd_;
};

CNavigationWnd::CNavigationWnd(CNavigationDoc* doc, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_caption(new CaptionLabel(this)),
      m_dataTree(new QTreeWidget(this)),
      m_graphTree(new QTreeWidget(this)),
      m_dataButton(new QPushButton(Text(IDS_DATA), this)),
      m_graphButton(new QPushButton(Text(IDS_GRAPH), this)) {
  setObjectName(QStringLiteral("navigationPane"));
  m_caption->setObjectName(QStringLiteral("navigation.caption"));
  m_dataTree->setObjectName(QStringLiteral("navigation.dataTree"));
  m_graphTree->setObjectName(QStringLiteral("navigation.graphTree"));
  m_dataButton->setObjectName(QStringLiteral("navigation.data"));
  m_graphButton->setObjectName(QStringLiteral("navigation.graph"));
  for (QTreeWidget* tree : {m_dataTree, m_graphTree}) {
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Base, Qt::white);
    tree->setPalette(palette);
  }
  m_dataTree->hide();
  m_dataTree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  m_dataTree->setItemDelegate(new LabelDelegate(this));
  m_dataTree->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_dataTree, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
  connect(m_dataTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item && item->data(0, kKindRole).toInt() > CNavigationDoc::NODE_INSTRUMENT)
      m_doc->Notify(CNavigationDoc::NAV_NOTIFY_BRING_FORWARD);
  });
  connect(m_dataTree, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { OnContextMenu(pos); });
  connect(m_dataButton, &QPushButton::clicked, this, [this] { m_doc->SetMode(CNavigationDoc::MODE_DATA); });
  connect(m_graphButton, &QPushButton::clicked, this, [this] { m_doc->SetMode(CNavigationDoc::MODE_GRAPH); });
  m_observer = std::make_unique<CNavigationObserver>(this, doc);
  Build();
  m_doc->SetMode(CNavigationDoc::MODE_DATA);
  Relayout();
}

CNavigationWnd::~CNavigationWnd() = default;

QTreeWidgetItem* CNavigationWnd::NewItem(QTreeWidgetItem* parent, int index, const QString& text, int image,
                                         int kind, const std::string& name, const std::string& key) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, text);
  static const std::vector<QIcon> icons = NodeIcons();
  if (image < int(icons.size())) item->setIcon(0, icons[std::size_t(image)]);
  item->setData(0, kKindRole, kind);
  item->setData(0, kKeyRole, QString::fromStdString(key));
  item->setData(0, kNameRole, QString::fromStdString(name));
  if (kind == CNavigationDoc::NODE_INSTRUMENT) item->setFlags(item->flags() | Qt::ItemIsEditable);
  if (parent)
    parent->insertChild(index < 0 ? parent->childCount() : index, item);
  else
    m_dataTree->insertTopLevelItem(index < 0 ? m_dataTree->topLevelItemCount() : index, item);
  return item;
}

void CNavigationWnd::AddListNodes(QTreeWidgetItem* parent, const std::string& name, const std::string& key) {
  for (int kind = CNavigationDoc::NODE_TAG; kind <= CNavigationDoc::NODE_BATCH; ++kind)
    NewItem(parent, -1, Text(501 + kind - CNavigationDoc::NODE_TAG), kind - 1, kind, name, key);
}

void CNavigationWnd::Build() {
  m_dataTree->clearSelection();
  m_dataTree->clear();
  QTreeWidgetItem* all = NewItem(nullptr, -1, Text(IDS_ALL_DATA), 0, CNavigationDoc::NODE_ALL_DATA, {}, {});
  QFont bold = all->font(0);
  bold.setBold(true);
  all->setFont(0, bold);
  AddListNodes(all, {}, {});
  m_insertAfter = all;
  AddInstruments();
  NewItem(nullptr, -1, Text(IDS_TRASH), 8, CNavigationDoc::NODE_TRASH, {}, {});
  NewItem(nullptr, -1, Text(IDS_CONDITIONS), 9, CNavigationDoc::NODE_CONDITIONS, {}, {});
}

void CNavigationWnd::AddInstruments() {
  for (const CNavigationDoc::Instrument& instrument : m_doc->m_instruments) {
    if (!instrument.serialNo.empty() && FindNode(CNavigationDoc::NODE_INSTRUMENT, instrument.serialNo))
      continue;
    const int index = m_insertAfter ? m_dataTree->indexOfTopLevelItem(m_insertAfter) + 1 : -1;
    QTreeWidgetItem* item = NewItem(nullptr, index, QString::fromStdString(instrument.name), 1,
                                    CNavigationDoc::NODE_INSTRUMENT, instrument.name, instrument.serialNo);
    AddListNodes(item, instrument.name, instrument.serialNo);
    m_insertAfter = item;
  }
}

QTreeWidgetItem* CNavigationWnd::FindNode(int kind, const std::string& key) const {
  const QString wanted = QString::fromStdString(key);
  for (QTreeWidgetItemIterator it(m_dataTree); *it; ++it)
    if ((*it)->data(0, kKindRole).toInt() == kind && (*it)->data(0, kKeyRole).toString() == wanted)
      return *it;
  return nullptr;
}

void CNavigationWnd::SelectConditionNode() {
  const auto [kind, key] = m_doc->GetConditionNode();
  if (QTreeWidgetItem* item = FindNode(kind, key)) m_dataTree->setCurrentItem(item);
}

void CNavigationWnd::RemoveSelectedInstrument() {
  QTreeWidgetItem* item = m_dataTree->currentItem();
  if (!item || item->parent()) return;
  const int index = m_dataTree->indexOfTopLevelItem(item);
  QTreeWidgetItem* previous = index > 0 ? m_dataTree->topLevelItem(index - 1) : nullptr;
  if (previous) m_dataTree->setCurrentItem(previous);
  if (item == m_insertAfter) m_insertAfter = previous;
  delete item;
}

void CNavigationWnd::EditSelectedLabel() {
  QTreeWidgetItem* item = m_dataTree->currentItem();
  if (m_doc->m_mode != CNavigationDoc::MODE_DATA || !item ||
      item->data(0, kKindRole).toInt() != CNavigationDoc::NODE_INSTRUMENT)
    return;
  m_dataTree->editItem(item, 0);
}

bool CNavigationWnd::OnLabelEdited(QTreeWidgetItem* item, const QString& text) {
  const std::string name = text.toStdString();
  if (name == item->data(0, kNameRole).toString().toStdString()) return true;
  // A refused name leaves the item as it was: the label shows what the storage holds.
  if (!m_doc->RenameInstrument(item->data(0, kKeyRole).toString().toStdString(), name)) return false;
  item->setText(0, text);
  item->setData(0, kNameRole, text);
  return true;
}

void CNavigationWnd::OnSelectionChanged() {
  const QList<QTreeWidgetItem*> selected = m_dataTree->selectedItems();
  if (selected.isEmpty()) {
    m_doc->SetSelection(CNavigationDoc::NODE_NONE, {});
    return;
  }
  QTreeWidgetItem* item = selected.first();
  m_doc->SetSelection(item->data(0, kKindRole).toInt(), item->data(0, kKeyRole).toString().toStdString());
}

void CNavigationWnd::OnContextMenu(const QPoint& pos) {
  if (m_doc->m_mode != CNavigationDoc::MODE_DATA) return;
  QTreeWidgetItem* item = m_dataTree->itemAt(pos);
  if (!item) return;
  m_dataTree->setCurrentItem(item);
  if (item->data(0, kKindRole).toInt() == CNavigationDoc::NODE_INSTRUMENT && showMenu)
    showMenu(kMenuRenameDelete, m_dataTree->viewport()->mapToGlobal(pos));
}

void CNavigationWnd::Relayout() {
  const bool graph = m_doc->m_mode == CNavigationDoc::MODE_GRAPH;
  if (m_doc->m_mode != CNavigationDoc::MODE_NONE) {
    m_caption->setText(Text(graph ? IDS_GRAPH : IDS_DATA));
    m_dataTree->setVisible(!graph);
    m_graphTree->setVisible(graph);
    (graph ? m_graphButton : m_dataButton)->setFocus();
  }
  // The caption and the buttons are one line of text plus 8 pixels high; the tree takes the rest.
  const int h = fontMetrics().height() + 8;
  const int w = width();
  m_caption->setGeometry(0, 0, w, h);
  const int treeHeight = std::max(0, height() - 3 * h);
  m_dataTree->setGeometry(0, h, w, treeHeight);
  m_graphTree->setGeometry(0, h, w, treeHeight);
  m_dataButton->setGeometry(0, h + treeHeight, w, h);
  m_graphButton->setGeometry(0, h + treeHeight + h, w, h);
}

void CNavigationWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}
