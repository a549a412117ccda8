// The three panes over the catalogue fixture: the navigation tree and what selecting its nodes
// shows, the search conditions' date range through the display zone, the property grid and its
// copy, and renaming an instrument in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "ListTestSupport.h"
#include "app/CNavigationDoc.h"
#include "app/qt/CCopiablePropertyWnd.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CListWnd.h"
#include "app/qt/CNavigationWnd.h"
#include "app/qt/MainFrameArt.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/PropertyGrid.h"
#include "platform/gui/qt/ReportView.h"

namespace list_test {
namespace {

class PanesTest : public PlantListTest {
 protected:
  void SetUp() override {
    PlantListTest::SetUp();
    vt::RegisterMainFrameArt();
    listDoc_ = MakeDoc();
    navDoc_ = std::make_unique<CNavigationDoc>([this] {
      vt::CatalogueSources s = sources_;
      if (refuseStorage_) s.storage = nullptr;
      return s;
    });
    navDoc_->RebuildInstruments();
    nav_ = std::make_unique<CNavigationWnd>(navDoc_.get());
    search_ = std::make_unique<CListWnd>(listDoc_.get(), navDoc_.get());
    props_ = std::make_unique<CCopiablePropertyWnd>(listDoc_.get());
    nav_->resize(220, 500);
    search_->resize(900, 400);
    props_->resize(300, 500);
  }
  void TearDown() override {
    props_.reset();
    search_.reset();
    nav_.reset();
    navDoc_.reset();
    listDoc_.reset();
    PlantListTest::TearDown();
  }
  QTreeWidget* Tree() { return nav_->DataTree(); }
  void Select(int kind, const std::string& key) {
    QTreeWidgetItem* item = nav_->FindNode(kind, key);
    ASSERT_NE(item, nullptr) << kind << " " << key;
    Tree()->setCurrentItem(item);
  }
  std::vector<std::string> Column(int column) { return PlantListTest::Column(*listDoc_, column); }

  bool refuseStorage_ = false;
  std::unique_ptr<CListDoc> listDoc_;
  std::unique_ptr<CNavigationDoc> navDoc_;
  std::unique_ptr<CNavigationWnd> nav_;
  std::unique_ptr<CListWnd> search_;
  std::unique_ptr<CCopiablePropertyWnd> props_;
};

TEST_F(PanesTest, TreeShowsInstrumentsBetweenAllDataAndTheDeletedData) {
  QTreeWidget* tree = Tree();
  const int instruments = int(navDoc_->m_instruments.size());
  ASSERT_GE(instruments, 3);
  ASSERT_EQ(tree->topLevelItemCount(), instruments + 3);
  EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), vt::LoadString(500));
  EXPECT_TRUE(tree->topLevelItem(0)->font(0).bold());
  EXPECT_EQ(tree->topLevelItem(instruments + 1)->text(0).toStdString(), vt::LoadString(507));
  EXPECT_EQ(tree->topLevelItem(instruments + 2)->text(0).toStdString(), vt::LoadString(508));
  for (int i = 0; i <= instruments; ++i) {
    QTreeWidgetItem* item = tree->topLevelItem(i);
    ASSERT_EQ(item->childCount(), 6) << i;
    EXPECT_FALSE(item->icon(0).isNull());
    for (int c = 0; c < 6; ++c) EXPECT_EQ(item->child(c)->data(0, CNavigationWnd::kKindRole).toInt(), 3 + c);
  }
  // In the order of the instrument query, by name.
  for (int i = 0; i < instruments; ++i)
    EXPECT_EQ(tree->topLevelItem(i + 1)->text(0).toStdString(), navDoc_->m_instruments[std::size_t(i)].name);

  // A later refresh that finds a new instrument adds one node after the last instrument.
  navDoc_->m_instruments.push_back({"NEW-1", "Zeta"});
  navDoc_->Notify(CNavigationDoc::NAV_NOTIFY_ADDED);
  ASSERT_EQ(tree->topLevelItemCount(), instruments + 4);
  EXPECT_EQ(tree->topLevelItem(instruments + 1)->text(0), QStringLiteral("Zeta"));
}

TEST_F(PanesTest, SelectingANodeShowsItsListForItsInstrument) {
  struct Case {
    int node;
    std::string key;
    int listKind;
  };
  const Case cases[] = {
      {CNavigationDoc::NODE_FILE, "", LIST_KIND_FILE},
      {CNavigationDoc::NODE_FILE, "QR1001", LIST_KIND_FILE},
      {CNavigationDoc::NODE_TAG, "QR1001", LIST_KIND_TAG},
      {CNavigationDoc::NODE_ALARM, "QR1001", LIST_KIND_ALARM},
      {CNavigationDoc::NODE_DISPLAY_GROUP, "LT'7", LIST_KIND_DISPLAY_GROUP},
      {CNavigationDoc::NODE_MESSAGE, "", LIST_KIND_MESSAGE},
      {CNavigationDoc::NODE_BATCH, "PW-3", LIST_KIND_BATCH},
      {CNavigationDoc::NODE_TRASH, "", LIST_KIND_TRASH},
      {CNavigationDoc::NODE_INSTRUMENT, "QR1001", LIST_KIND_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.node);
    Select(c.node, c.key);
    EXPECT_EQ(navDoc_->m_selectionKind, c.node);
    EXPECT_EQ(navDoc_->m_selectionKey, c.key);
    EXPECT_EQ(listDoc_->m_listKind, c.listKind);
    EXPECT_EQ(listDoc_->m_instSerialNo, c.key);
    if (c.listKind != LIST_KIND_NONE && c.listKind != LIST_KIND_TRASH) {
      EXPECT_GT(listDoc_->GetItemCount(), 0);
    }
    if (c.listKind >= LIST_KIND_TAG && c.listKind <= LIST_KIND_BATCH && !c.key.empty()) {
      for (int row = 0; row < listDoc_->GetItemCount(); ++row) {
        EXPECT_EQ(listDoc_->GetItemSerialNo(row), c.key);
      }
    }
  }
  // The instrument's own list nodes differ from those of all data.
  Select(CNavigationDoc::NODE_FILE, "");
  const int all = listDoc_->GetItemCount();
  Select(CNavigationDoc::NODE_FILE, "QR1001");
  EXPECT_LT(listDoc_->GetItemCount(), all);
}

TEST_F(PanesTest, DateRangeGoesThroughTheDisplayZoneBothWays) {
  // The fixture's display zone is five hours behind UTC.
  const int64_t utc = catalogue_test::Ticks(0);  // 2024-01-01 00:00:00 UTC
  const QDateTime shown = CListSearchContentsWnd::ToDisplay(utc);
  EXPECT_EQ(shown, QDateTime(QDate(2023, 12, 31), QTime(19, 0, 0), Qt::UTC));
  EXPECT_EQ(CListSearchContentsWnd::FromDisplay(shown), utc);

  Select(CNavigationDoc::NODE_FILE, "");
  const int all = listDoc_->GetItemCount();
  ASSERT_GT(all, 1);
  // A range of the first file's start only: end before start is swapped.
  const int64_t first = listDoc_->GetItemStartTime(0);
  CListSearchContentsWnd* c = search_->Conditions();
  auto* condition = static_cast<QComboBox*>(c->Control(10));
  condition->setCurrentIndex(condition->findData(int(TIME_RANGE)));
  static_cast<QDateTimeEdit*>(c->Control(13))
      ->setDateTime(CListSearchContentsWnd::ToDisplay(first - 10'000'000));
  static_cast<QDateTimeEdit*>(c->Control(12))
      ->setDateTime(CListSearchContentsWnd::ToDisplay(first + 10'000'000));
  EXPECT_EQ(static_cast<QDateTimeEdit*>(c->Control(11))->dateTime(),
            CListSearchContentsWnd::ToDisplay(first + 10'000'000));
  static_cast<QLineEdit*>(c->Control(15))->setText(QString());
  QTest::mouseClick(static_cast<QPushButton*>(c->Control(19)), Qt::LeftButton);
  EXPECT_EQ(listDoc_->m_timeCondition, TIME_RANGE);
  EXPECT_EQ(listDoc_->m_fromTime, first - 10'000'000);
  EXPECT_EQ(listDoc_->m_toTime, first + 10'000'000);
  EXPECT_EQ(static_cast<QLineEdit*>(c->Control(15))->text(), QStringLiteral("1"));
  EXPECT_TRUE(listDoc_->m_conditionsOn);
  EXPECT_GT(listDoc_->GetItemCount(), 0);
  EXPECT_LT(listDoc_->GetItemCount(), all);
  EXPECT_EQ(search_->Report()->View()->RowCount(), listDoc_->GetItemCount());
}

TEST_F(PanesTest, PickersRefuseDatesOutside1990To2030) {
  auto* start = static_cast<QDateTimeEdit*>(search_->Conditions()->Control(11));
  EXPECT_EQ(start->timeSpec(), Qt::UTC);
  start->setDateTime(QDateTime(QDate(1980, 5, 5), QTime(0, 0), Qt::UTC));
  EXPECT_EQ(start->dateTime().date(), QDate(1990, 1, 1));
  start->setDateTime(QDateTime(QDate(2040, 5, 5), QTime(0, 0), Qt::UTC));
  EXPECT_EQ(start->dateTime().date(), QDate(2030, 12, 31));
}

TEST_F(PanesTest, PropertyGridShowsTheFocusedFileAndCopiesIt) {
  Select(CNavigationDoc::NODE_FILE, "QR1001");
  ASSERT_GT(listDoc_->GetItemCount(), 0);
  listDoc_->m_currentItem = 0;
  listDoc_->Notify(LIST_NOTIFY_CURRENT);
  vt::PropertyGrid* grid = props_->Grid();
  ASSERT_EQ(grid->topLevelItemCount(), 1);
  QTreeWidgetItem* group = grid->topLevelItem(0);
  EXPECT_EQ(group->text(0).toStdString(), vt::LoadString(904));
  ASSERT_GE(group->childCount(), 14);
  QTreeWidgetItem* fileName = group->child(0);
  EXPECT_EQ(fileName->text(1).toStdString(), listDoc_->GetItemFileName(0));
  grid->setCurrentItem(fileName);
  props_->CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), listDoc_->GetItemFileName(0));
  // Copy modes: name, value, both.
  QTreeWidgetItem* named = grid->AddProperty(nullptr, "N", "V", vt::PropertyGrid::kCopyName);
  QTreeWidgetItem* both = grid->AddProperty(nullptr, "N", "V", vt::PropertyGrid::kCopyNameAndValue);
  EXPECT_EQ(vt::PropertyGrid::CopyText(named), QStringLiteral("N"));
  EXPECT_EQ(vt::PropertyGrid::CopyText(both), QStringLiteral("N\tV"));
  EXPECT_EQ(vt::PropertyGrid::CopyText(group), QString());

  // Any other notification empties the grid; rows of the deleted data have no properties.
  listDoc_->Notify(LIST_NOTIFY_CHANGED);
  EXPECT_EQ(grid->topLevelItemCount(), 0);
  listDoc_->m_listKind = LIST_KIND_TRASH;
  listDoc_->Notify(LIST_NOTIFY_CURRENT);
  EXPECT_EQ(grid->topLevelItemCount(), 0);
}

TEST_F(PanesTest, RenamingAnInstrumentRefusedAndAccepted) {
  nav_->show();
  Select(CNavigationDoc::NODE_INSTRUMENT, "QR1001");
  QTreeWidgetItem* item = Tree()->currentItem();
  const QString before = item->text(0);
  const auto edit = [&](const QString& text) {
    navDoc_->Notify(CNavigationDoc::NAV_NOTIFY_EDIT_LABEL);
    auto* editor = Tree()->findChild<QLineEdit*>(QStringLiteral("navigation.labelEdit"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), CNavigationWnd::kLabelMaxLength);
    editor->setText(text);
    emit Tree()->itemDelegate()->commitData(editor);
    emit Tree()->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  refuseStorage_ = true;
  edit(QStringLiteral("Refused"));
  EXPECT_EQ(item->text(0), before);
  refuseStorage_ = false;
  edit(QStringLiteral("Renamed"));
  EXPECT_EQ(item->text(0), QStringLiteral("Renamed"));
  navDoc_->RebuildInstruments();
  EXPECT_NE(nav_->FindNode(CNavigationDoc::NODE_INSTRUMENT, "QR1001"), nullptr);
  EXPECT_EQ(nav_->FindNode(CNavigationDoc::NODE_INSTRUMENT, "QR1001")->text(0), QStringLiteral("Renamed"));

  // No editing of list nodes, nor in the graph mode.
  Select(CNavigationDoc::NODE_TAG, "QR1001");
  navDoc_->Notify(CNavigationDoc::NAV_NOTIFY_EDIT_LABEL);
  EXPECT_EQ(Tree()->findChild<QLineEdit*>(QStringLiteral("navigation.labelEdit")), nullptr);
}

}  // namespace
}  // namespace list_test
