// The report list over the catalogue fixture: filling with the status text, the sort mark on
// header clicks, the header menu with the layouts kept in the profile, renaming in place, double
// clicks and the focus flag; and the name dialog of saved conditions.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>

#include "ListTestSupport.h"
#include "app/CNavigationDoc.h"
#include "app/CatalogueActions.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CSearchConditionSaveDialog.h"
#include "platform/gui/Profile.h"
#include "platform/gui/WaitCursor.h"
#include "platform/gui/qt/ReportView.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/CatalogueLookups.h"

namespace list_test {
namespace {

std::string Cell(vt::ReportView* view, int row, int column) {
  return view->model()->index(row, column).data().toString().toStdString();
}

// Ends an edit as Enter does: the delegate hands the editor's text to the view, then closes it.
void CommitEdit(vt::ReportView* view, QLineEdit* editor) {
  emit view->itemDelegate()->commitData(editor);
  emit view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ClickHeader(vt::ReportView* view, int id) {
  QHeaderView* h = view->header();
  const int x = h->sectionViewportPosition(id) + h->sectionSize(id) / 2;
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
}

class ReportListTest : public PlantListTest {
 protected:
  void SetUp() override {
    PlantListTest::SetUp();
    SaveGraphsAndConditions();
  }
  void Open(vt::Profile* profile = nullptr) {
    doc_ = MakeDoc(profile);
    wnd_ = std::make_unique<CListReportWnd>(doc_.get());
    wnd_->resize(900, 300);
    wnd_->show();
  }
  void Show(int kind) {
    doc_->m_listKind = kind;
    doc_->m_sortColumn = -1, doc_->m_sortOrder = 0;
    wnd_->FillList(true);
  }
  // Stores the layout, ends the list and the profile (which writes it), and shows kind again
  // with the profile read anew.
  void ReopenWithTheProfile(std::unique_ptr<vt::Profile>& profile, int kind) {
    wnd_->SaveColumnLayout();
    wnd_.reset();
    doc_.reset();
    profile.reset();
    profile = std::make_unique<vt::Profile>();
    Open(profile.get());
    Show(kind);
  }
  void TearDown() override {
    wnd_.reset();
    doc_.reset();
    PlantListTest::TearDown();
  }
  std::unique_ptr<CListDoc> doc_;
  std::unique_ptr<CListReportWnd> wnd_;
};

TEST_F(ReportListTest, FillShowsTheRowsTheStatusAndTheSortMark) {
  Open();
  std::vector<int> waitCursors;  // at the start and the end of the fill
  CListReportWnd::Hooks hooks;
  hooks.statusText = [&](const std::string&) { waitCursors.push_back(vt::ScopedWaitCursor::Depth()); };
  wnd_->SetHooks(hooks);
  Show(LIST_KIND_FILE);
  EXPECT_EQ(waitCursors, (std::vector<int>{1, 1}));
  EXPECT_EQ(vt::ScopedWaitCursor::Depth(), 0);
  vt::ReportView* view = wnd_->View();
  EXPECT_EQ(view->RowCount(), 4);
  EXPECT_EQ(view->ColumnCount(), 8);
  EXPECT_TRUE(QString::fromStdString(wnd_->StatusText())
                  .contains(QRegularExpression(QStringLiteral("^4 Items : \\d+ mSec$"))))
      << wnd_->StatusText();

  ClickHeader(view, 0);
  EXPECT_EQ(view->SortMarkColumn(), 0);
  EXPECT_EQ(view->SortMarkOrder(), 1);
  EXPECT_EQ(view->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(Cell(view, 0, 0), "A1.DAE");
  ClickHeader(view, 0);
  EXPECT_EQ(view->SortMarkOrder(), 2);
  EXPECT_EQ(Cell(view, 0, 0), "P1.DAD");
  ClickHeader(view, 2);  // another header: ascending by the file's end
  EXPECT_EQ(view->SortMarkColumn(), 2);
  EXPECT_EQ(view->SortMarkOrder(), 1);
  EXPECT_EQ(Cell(view, 0, 0), "P1.DAD");  // ends at 900 s, before A1 at 2000 s

  // Another list kind: no sort, no mark.
  Show(LIST_KIND_TRASH);
  EXPECT_EQ(view->SortMarkOrder(), 0);
  EXPECT_FALSE(view->header()->isSortIndicatorShown());
  EXPECT_EQ(view->RowCount(), 3);
  EXPECT_EQ(view->ColumnCount(), 2);
  // No list: the columns go and the rows stay.
  doc_->m_listKind = LIST_KIND_NONE;
  wnd_->FillList(false);
  EXPECT_EQ(view->ColumnCount(), 2);
}

TEST_F(ReportListTest, HeaderMenuHidesAndShowsColumnsAndTheProfileKeepsThem) {
  auto profile = std::make_unique<vt::Profile>();
  Open(profile.get());
  Show(LIST_KIND_FILE);
  vt::ReportView* view = wnd_->View();
  view->header()->resizeSection(3, 150);

  std::unique_ptr<QMenu> menu = view->BuildHeaderMenu();
  ASSERT_EQ(menu->actions().size(), 8);
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  EXPECT_TRUE(menu->actions()[3]->isChecked());

  view->ToggleColumnFromMenu(3);
  EXPECT_FALSE(view->IsColumnShown(3));
  EXPECT_EQ(doc_->GetColumnSet()->m_visible[3], 0);
  menu = view->BuildHeaderMenu();
  EXPECT_FALSE(menu->actions()[3]->isChecked());
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  view->ToggleColumnFromMenu(0);  // the first column stays
  EXPECT_TRUE(view->IsColumnShown(0));

  // Back at its index, with its width; then dragged and hidden again for the profile.
  view->ToggleColumnFromMenu(3);
  EXPECT_EQ(view->DisplayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(view->ColumnWidth(3), 150);
  view->header()->moveSection(view->header()->visualIndex(5), 1);
  view->ToggleColumnFromMenu(3);
  const std::vector<int> order = view->DisplayOrder();
  EXPECT_EQ(order, (std::vector<int>{0, 5, 1, 2, 4, 6, 7}));
  ReopenWithTheProfile(profile, LIST_KIND_FILE);
  view = wnd_->View();
  EXPECT_EQ(view->DisplayOrder(), order);
  EXPECT_FALSE(view->IsColumnShown(3));
  EXPECT_EQ(view->ColumnWidth(3), 150);
  view->ToggleColumnFromMenu(3);
  EXPECT_EQ(view->DisplayOrder(), (std::vector<int>{0, 5, 1, 3, 2, 4, 6, 7}));
  wnd_.reset();
  doc_.reset();  // writes to the profile, which must outlive it
}

// A column the user never sized is widened at the first fill with rows so that its caption and
// its texts show whole (a time text is wider than the default 100 pixels); a width the user left
// in the profile is kept as it is, even where it clips.
TEST_F(ReportListTest, ColumnsWithoutAStoredWidthFitTheirTextsAtTheFirstFill) {
  auto profile = std::make_unique<vt::Profile>();
  Open(profile.get());
  doc_->m_instSerialNo = "NO-SUCH";  // no rows yet: nothing to fit
  Show(LIST_KIND_FILE);
  vt::ReportView* view = wnd_->View();
  ASSERT_EQ(view->RowCount(), 0);
  EXPECT_EQ(view->ColumnWidth(1), 100);
  doc_->m_instSerialNo.clear();
  Show(LIST_KIND_FILE);
  ASSERT_GT(view->RowCount(), 0);
  const QFontMetrics cells(view->font()), captions(view->header()->font());
  for (int id = 0; id < view->ColumnCount(); ++id) {
    SCOPED_TRACE(id);
    const QString caption = view->model()->headerData(id, Qt::Horizontal).toString();
    EXPECT_GT(view->ColumnWidth(id), captions.horizontalAdvance(caption));
    EXPECT_LE(view->ColumnWidth(id), CListReportWnd::kFitMaxWidth);
    for (int row = 0; row < view->RowCount(); ++row)
      EXPECT_GT(view->ColumnWidth(id), cells.horizontalAdvance(QString::fromStdString(Cell(view, row, id))));
  }
  EXPECT_GT(view->ColumnWidth(1), 100);  // "2024/01/01 ..."
  const int fittedEnd = view->ColumnWidth(2);

  view->header()->resizeSection(1, 90);
  ReopenWithTheProfile(profile, LIST_KIND_FILE);
  view = wnd_->View();
  EXPECT_EQ(view->ColumnWidth(1), 90);         // the user's, though it clips
  EXPECT_EQ(view->ColumnWidth(2), fittedEnd);  // the fitted width was kept, not fitted again
  wnd_.reset();
  doc_.reset();
}

TEST_F(ReportListTest, LabelsOfSavedListsAreRenamedInPlace) {
  Open();
  Show(LIST_KIND_FILE);
  EXPECT_FALSE(wnd_->View()->EditLabel(0));

  Show(LIST_KIND_GRAPH);
  vt::ReportView* view = wnd_->View();
  ClickHeader(view, 0);
  ASSERT_EQ(Cell(view, 0, 0), "Boiler");
  vt::MessageBoxCapture boxes;
  const struct {
    const char* typed;
    const char* shown;
    size_t boxes;
  } cases[] = {{"   ", "Boiler", 0}, {"Flow", "Boiler", 1}, {"  Steam  ", "Steam", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(view->EditLabel(0));
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 32);
    editor->setText(QString::fromUtf8(c.typed));
    CommitEdit(view, editor);
    EXPECT_EQ(Cell(view, 0, 0), c.shown);
    EXPECT_EQ(boxes.Boxes().size(), c.boxes);
  }
  EXPECT_EQ(GraphNameExists(sources_, "Steam"), 1);

  Show(LIST_KIND_CONDITION);
  ClickHeader(view, 0);
  ASSERT_TRUE(view->EditLabel(1));
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("gamma"));
  CommitEdit(view, editor);
  EXPECT_EQ(Cell(view, 1, 0), "gamma");
  EXPECT_TRUE(conditions_.Exists("gamma"));
}

TEST_F(ReportListTest, DoubleClicksAndTheFocusFlag) {
  Open();
  std::vector<int> commands;
  int filled = 0;
  std::vector<bool> focus;
  CListReportWnd::Hooks hooks;
  hooks.postCommand = [&](int id) { commands.push_back(id); };
  hooks.listFilled = [&] { ++filled; };
  hooks.focusChanged = [&](bool f) { focus.push_back(f); };
  wnd_->SetHooks(hooks);
  vt::ReportView* view = wnd_->View();
  auto doubleClick = [&](int row) {
    view->setCurrentIndex(view->model()->index(row, 0));
    emit view->doubleClicked(view->model()->index(row, 0));
  };

  Show(LIST_KIND_TRASH);
  doubleClick(0);
  Show(LIST_KIND_FILE);
  doubleClick(0);
  EXPECT_EQ(commands, std::vector<int>{CListReportWnd::kCommandDisplay});
  EXPECT_EQ(filled, 0);

  Show(LIST_KIND_CONDITION);
  ClickHeader(view, 0);
  doubleClick(0);  // "alpha"
  EXPECT_EQ(filled, 1);
  EXPECT_EQ(doc_->m_currentItem, 0);
  EXPECT_EQ(doc_->m_selectedCount, 1);
  EXPECT_TRUE(doc_->m_conditionLoaded);
  EXPECT_EQ(doc_->m_timeCondition, TIME_RELATIVE);

  QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
  QCoreApplication::sendEvent(view, &in);
  EXPECT_TRUE(wnd_->HasListFocus());
  QCoreApplication::sendEvent(view, &out);
  EXPECT_EQ(focus, (std::vector<bool>{true, false}));
}

// A refill resets the rows, and with them the view's selection: the document's count follows,
// so the commands on a selection are no longer offered for rows that are gone.
TEST_F(ReportListTest, RefillThatDropsTheSelectedRowsClearsTheSelectedCount) {
  Open();
  CNavigationDoc navigation;
  vt::CatalogueActions actions(*doc_, navigation, {});
  vt::ReportView* view = wnd_->View();
  Show(LIST_KIND_FILE);
  ASSERT_EQ(view->RowCount(), 4);
  // Every row selected, then a condition under which no file is listed.
  view->selectAll();
  EXPECT_EQ(doc_->m_selectedCount, 4);
  EXPECT_TRUE(actions.CanExport());
  EXPECT_TRUE(actions.CanDelete());
  doc_->m_conditionsOn = true;
  doc_->m_timeCondition = TIME_RELATIVE;
  doc_->m_relativeValue = 1;
  doc_->m_relativeUnit = RELATIVE_HOUR;
  doc_->m_searchTime = catalogue_test::Ticks(1000000);
  doc_->Notify(LIST_NOTIFY_CHANGED);
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_EQ(doc_->m_selectedCount, 0);
  EXPECT_TRUE(doc_->m_selection.empty());
  EXPECT_FALSE(actions.CanExport());
  EXPECT_FALSE(actions.CanDelete());

  // The rows back, none selected; a selection collected before the refill is gone too.
  doc_->m_conditionsOn = false;
  Show(LIST_KIND_FILE);
  view->setCurrentIndex(view->model()->index(1, 0));
  ASSERT_EQ(doc_->m_selectedCount, 1);
  doc_->CollectSelection();
  ASSERT_EQ(doc_->m_selection, std::vector<int>{1});
  ClickHeader(view, 0);  // a sort fills the list again
  EXPECT_EQ(view->RowCount(), 4);
  EXPECT_EQ(doc_->m_selectedCount, view->SelectedCount());
  EXPECT_TRUE(doc_->m_selection.empty());
}

TEST_F(ReportListTest, SaveDialogTakesATrimmedNewOrConfirmedName) {
  vt::MessageBoxCapture boxes;
  CSearchConditionSaveDialog dialog(&conditions_);
  dialog.show();
  EXPECT_EQ(dialog.NameField()->maxLength(), 32);
  dialog.NameField()->setText(QStringLiteral("   "));
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_TRUE(dialog.isVisible());

  boxes.QueueAnswers({vt::kIdCancel});
  dialog.NameField()->setText(QStringLiteral(" beta "));
  EXPECT_FALSE(dialog.OnOK());  // Cancel on 10014 keeps the dialog open
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.OnOK());  // asked again, and OK overwrites
  EXPECT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(dialog.Name(), "beta");
  EXPECT_EQ(dialog.result(), 1);

  CSearchConditionSaveDialog fresh(nullptr);  // without a store no name is taken
  fresh.show();
  fresh.NameField()->setText(QStringLiteral("new one"));
  EXPECT_TRUE(fresh.OnOK());
  EXPECT_EQ(fresh.Name(), "new one");
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

}  // namespace
}  // namespace list_test
