// The Properties pane (see CCopiablePropertyWnd.h).
#include "app/qt/CCopiablePropertyWnd.h"

#include <QMenu>
#include <QResizeEvent>
#include <string>
#include <vector>

#include "app/CListDoc.h"
#include "app/CVantrelApp.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/PropertyGrid.h"
#include "store/CatalogueLookups.h"

namespace {

constexpr int kMsgProcessingFailed = 10220;

QString Text(int id) { return QString::fromStdString(vt::LoadString(uint32_t(id))); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// Builds the groups of one focused row, property after property.
class GroupBuilder {
 public:
  GroupBuilder(vt::PropertyGrid* grid, int captionId)
      : grid_(grid), group_(grid->AddGroup(Text(captionId))) {}
  void Add(int nameId, const std::string& value) { grid_->AddProperty(group_, Text(nameId), Q(value)); }
  // A sub-group of entries named by their texts (copied by name), or of titled texts.
  void AddNames(int captionId, const std::vector<std::string>& names, bool evenEmpty) {
    if (names.empty() && !evenEmpty) return;
    QTreeWidgetItem* sub = grid_->AddGroup(Text(captionId), group_);
    for (const std::string& n : names) grid_->AddProperty(sub, Q(n), QString(), vt::PropertyGrid::kCopyName);
  }
  void AddTitled(int captionId, const std::vector<std::string>& titles,
                 const std::vector<std::string>& texts) {
    if (titles.empty()) return;
    QTreeWidgetItem* sub = grid_->AddGroup(Text(captionId), group_);
    for (std::size_t i = 0; i < titles.size(); ++i)
      grid_->AddProperty(sub, Q(titles[i]), Q(i < texts.size() ? texts[i] : std::string()),
                         vt::PropertyGrid::kCopyNameAndValue);
  }

 private:
  vt::PropertyGrid* grid_;
  QTreeWidgetItem* group_;
};

}  // namespace

class CCopiablePropertyWnd::CListDocObserver : public CObserver {
 public:
  CListDocObserver(CCopiablePropertyWnd* wnd, CListDoc* doc) : wnd_(wnd), doc_(doc) { doc_->Attach(this); }
  ~CListDocObserver() override { doc_->Detach(this); }
  void Update(int code) override { wnd_->Rebuild(code); }

 private:
  CCopiablePropertyWnd* wnd_;
  CListDoc* doc_;
};

CCopiablePropertyWnd::CCopiablePropertyWnd(CListDoc* doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_grid(new vt::PropertyGrid(this)) {
  setObjectName(QStringLiteral("propertyPane"));
  m_grid->setObjectName(QStringLiteral("propertyGrid"));
  m_grid->copyMenu = [this](QPoint global) {
    QMenu menu(m_grid);
    menu.setObjectName(QStringLiteral("menu.%1").arg(kMenuCopy));
    QAction* copy = menu.addAction(Text(kCommandCopy).isEmpty() ? QStringLiteral("Copy to clip&board")
                                                                : Text(kCommandCopy).section('\n', 0, 0));
    if (menu.exec(global) == copy) CopyToClipboard();
  };
  m_observer = std::make_unique<CListDocObserver>(this, doc);
}

CCopiablePropertyWnd::~CCopiablePropertyWnd() = default;

void CCopiablePropertyWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_grid->setGeometry(rect());
}

void CCopiablePropertyWnd::CopyToClipboard() {
  if (vt::PropertyGrid::CopyModeOf(m_grid->currentItem()) == vt::PropertyGrid::kCopyNone) return;
  if (!m_grid->CopySelected()) {
    CVantrelApp* app = CVantrelApp::Current();
    DisplayMessage(app ? app->GetMainWindow() : 0, kMsgProcessingFailed, vt::kMbOk);
  }
}

void CCopiablePropertyWnd::Rebuild(int code) {
  m_grid->RemoveAll();
  if (code == LIST_NOTIFY_CURRENT)
    BuildRow(m_doc->m_currentItem);
  else if (code == LIST_NOTIFY_CHANNEL)
    BuildChannel();
  m_grid->update();
}

void CCopiablePropertyWnd::BuildRow(int row) {
  if (row < 0 || row >= m_doc->GetItemCount()) return;
  const CListDoc& d = *m_doc;
  const vt::CatalogueSources sources = d.Sources();
  const std::string guid = d.GetItemBatchGuid(row);
  std::vector<std::string> fileNames;
  const auto batchFiles = [&] {
    GetBatchFileNames(sources, guid, fileNames);
    return fileNames;
  };
  const auto common = [&](GroupBuilder& g) {
    g.Add(608, d.GetItemInstrumentName(row));
    g.Add(609, d.GetItemInstrumentType(row));
    g.Add(606, d.GetItemDataKindText(row));
  };
  switch (d.m_listKind) {
    case LIST_KIND_TAG: {
      GroupBuilder g(m_grid, 900);
      g.Add(1010, d.GetItemTagName(row));
      g.Add(1011, d.GetItemTagNo(row));
      g.Add(1012, d.GetItemChannelName(row));
      g.Add(603, d.GetItemStartTimeText(row));
      g.Add(604, d.GetItemStopTimeText(row));
      g.Add(605, d.GetItemIntervalText(row));
      common(g);
      g.Add(607, d.GetItemPowerFailureText(row));
      g.Add(1013, d.GetItemBatchName(row));
      g.AddNames(620, batchFiles(), true);
      break;
    }
    case LIST_KIND_ALARM: {
      GroupBuilder g(m_grid, 901);
      g.Add(1010, d.GetItemTagName(row));
      g.Add(1012, d.GetItemChannelName(row));
      g.Add(611, d.GetItemAlarmStatusText(row));
      g.Add(612, d.GetItemAlarmLevelText(row));
      g.Add(613, d.GetItemAlarmTypeText(row));
      g.Add(614, d.GetItemAlarmTimeText(row));
      common(g);
      g.Add(1013, d.GetItemBatchName(row));
      std::string name;
      GetFileName(sources, d.GetItemFileId(row), name);
      g.Add(620, name);
      break;
    }
    case LIST_KIND_DISPLAY_GROUP: {
      GroupBuilder g(m_grid, 902);
      g.Add(1014, d.GetItemGroupName(row));
      g.Add(624, std::to_string(d.GetItemGroupNo(row)));
      g.Add(910, std::to_string(CountDisplayGroupChannels(sources, guid, d.GetItemGroupNo(row))));
      g.Add(603, d.GetItemStartTimeText(row));
      g.Add(604, d.GetItemStopTimeText(row));
      common(g);
      g.Add(1013, d.GetItemBatchName(row));
      g.AddNames(620, batchFiles(), true);
      break;
    }
    case LIST_KIND_MESSAGE: {
      GroupBuilder g(m_grid, 903);
      g.Add(1015, d.GetItemMessageText(row));
      g.Add(618, d.GetItemMessageTimeText(row));
      g.Add(617, d.GetItemUserName(row));
      g.Add(619, d.GetItemWriteGroupText(row));
      common(g);
      g.Add(1013, d.GetItemBatchName(row));
      std::string name;
      GetMessageFileName(sources, d.GetItemMessageId(row), name);
      g.Add(620, name);
      break;
    }
    case LIST_KIND_FILE: {
      GroupBuilder g(m_grid, 904);
      g.Add(620, d.GetItemFileName(row));
      g.Add(625, d.GetItemSerialNo(row));
      g.Add(622, d.GetItemStartTimeText(row));
      g.Add(623, d.GetItemStopTimeText(row));
      g.Add(607, d.GetItemPowerFailureText(row));
      common(g);
      g.Add(1013, d.GetItemBatchName(row));
      std::string header, start, stop, count, corrected;
      GetFileProperties(sources, d.GetItemFileId(row), header, start, stop, count, corrected);
      g.Add(911, header);
      g.Add(912, start);
      g.Add(913, stop);
      g.Add(914, count);
      g.Add(916, corrected);
      std::vector<std::string> comments;
      GetFileBatchComments(sources, d.GetItemFileId(row), comments);
      g.AddNames(915, comments, false);
      break;
    }
    case LIST_KIND_BATCH: {
      GroupBuilder g(m_grid, 905);
      g.Add(625, d.GetItemSerialNo(row));
      g.Add(603, d.GetItemStartTimeText(row));
      g.Add(604, d.GetItemStopTimeText(row));
      g.Add(607, d.GetItemPowerFailureText(row));
      common(g);
      g.Add(1013, d.GetItemBatchName(row));
      std::string startUser, stopUser, corrected;
      GetBatchUserNames(sources, guid, startUser, stopUser, corrected);
      g.Add(918, startUser);
      g.Add(919, stopUser);
      g.Add(916, corrected);
      std::vector<std::string> titles, texts, comments;
      GetBatchTexts(sources, guid, titles, texts);
      g.AddTitled(917, titles, texts);
      GetBatchComments(sources, guid, comments);
      g.AddNames(915, comments, false);
      g.AddNames(620, batchFiles(), true);
      break;
    }
    default:
      break;  // deleted data, saved conditions and graphs have no properties
  }
}

void CCopiablePropertyWnd::BuildChannel() {
  const std::array<std::string, 12>& p = m_doc->m_channelProperties;
  GroupBuilder g(m_grid, 900);
  const int names[11] = {1010, 1011, 1012, 603, 604, 605, 608, 609, 606, 607, 1013};
  for (int i = 0; i < 11; ++i) g.Add(names[i], p[std::size_t(i)]);
  std::vector<std::string> files;
  GetBatchFileNames(m_doc->Sources(), p[11], files);
  g.AddNames(620, files, true);
}
