// A picture of the program's main window with the Search pane's report list filled: the data
// root is prepared as `vtstore create` leaves it (a storage made and attached in the data root)
// and the plant of the catalogue fixture is imported into it; the program starts over it, and the
// instrument's "File" node is clicked in the navigation tree as a user would. Runs only when
// VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh runs it under a virtual X
// server); skipped otherwise.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <memory>
#include <string>

#include "app/CListDoc.h"
#include "app/CMainFrame.h"
#include "app/CNavigationDoc.h"
#include "app/CVantrelApp.h"
#include "app/qt/CNavigationWnd.h"
#include "app/tests/ScreenshotTest.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/PumpUntil.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"
#include "store/testing/CatalogueFixture.h"
#include "testing/ScopedEnvironment.h"

namespace {

class SearchPaneScreenshotTest : public vt_test::ScreenshotTest {
 protected:
  // A storage named name, made and attached in the data root, holding the plant (its deleted
  // data in the trash).
  void PrepareDataRoot(const std::string& name) {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(vt::JoinPath(vt::ProgramRoot(), "Morvane/Vantrel/DATA")), STORE_OK);
    ASSERT_EQ(manager.CreateStorage(name), STORE_OK);
    ASSERT_EQ(manager.Attach(name), STORE_OK);
    std::string folder;
    ASSERT_EQ(manager.GetStorageFolder(name, folder), STORE_OK);
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(folder), STORE_OK);
    const std::string sources = Path("sources");
    ASSERT_TRUE(vt::CreateFolders(sources));
    for (const catalogue_test::Batch& b : catalogue_test::PlantBatches())
      ASSERT_NO_FATAL_FAILURE(catalogue_test::ImportBatch(storage, sources, b));
    const auto deleted = catalogue_test::PlantDeleted();
    for (const catalogue_test::Batch& b : deleted) {
      ASSERT_NO_FATAL_FAILURE(catalogue_test::ImportBatch(storage, sources, b));
      ASSERT_EQ(storage.MoveFileToTrash(catalogue_test::StoredPath(b, b.files[0])), STORE_OK);
    }
    storage.Close();
  }

  // The times in the list are shown in this zone.
  vt_test::ScopedTimeZone zone_{"Europe/Berlin"};
};

TEST_F(SearchPaneScreenshotTest, FileListOfAnInstrument) {
  ASSERT_NO_FATAL_FAILURE(PrepareDataRoot("Plant"));
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());
  QWidget* frame = app->GetMainFrame()->Widget();
  auto* tree = frame->findChild<QTreeWidget*>(QStringLiteral("navigation.dataTree"));
  auto* status = frame->findChild<QLabel*>(QStringLiteral("pane.103"));
  ASSERT_NE(tree, nullptr);
  ASSERT_NE(status, nullptr);
  vt::PumpBriefly(300);

  // The user opens the instrument and clicks its "File" node.
  QTreeWidgetItem* node = nullptr;
  for (QTreeWidgetItemIterator it(tree); *it && !node; ++it)
    if ((*it)->data(0, CNavigationWnd::kKindRole).toInt() == CNavigationDoc::NODE_FILE &&
        (*it)->data(0, CNavigationWnd::kKeyRole).toString() == QStringLiteral("QR1001"))
      node = *it;
  ASSERT_NE(node, nullptr);
  ASSERT_NE(node->parent(), nullptr);
  tree->expandItem(node->parent());
  tree->scrollToItem(node);
  vt::PumpBriefly(50);
  const QRect place = tree->visualItemRect(node);
  ASSERT_FALSE(place.isEmpty());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, place.center());

  // The fill ends with its count in the status pane.
  ASSERT_TRUE(vt::PumpUntil([&] { return status->text().contains(QStringLiteral("Items")); }, 5000))
      << status->text().toStdString();
  CListDoc& list = app->GetMainFrame()->ListDoc();
  EXPECT_EQ(list.m_listKind, LIST_KIND_FILE);
  EXPECT_EQ(list.GetItemCount(), 2);
  vt::PumpBriefly(300);
  vt::PumpBriefly(300);
  EXPECT_TRUE(SaveScreen("search_pane.png"));
  app->ExitInstance();
}

}  // namespace
