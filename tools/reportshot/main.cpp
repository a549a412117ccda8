// vtreportshot: the report list of a storage of the data root, shown on its own, grabbed into a
// picture once it has painted.
//
//   vtreportshot STORAGE KIND OUT.png [--sort COLUMN]
//
// STORAGE is a storage name of <VANTREL_ROOT>/Morvane/Vantrel/DATA (as `vtstore create` made it),
// KIND a list kind 1-9. The list is filled with its columns as the profile keeps them; the status
// text of the fill is printed. The exit status is 0 when the picture was written.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/CListDoc.h"
#include "app/SearchConditionStoreHolder.h"
#include "app/qt/CListReportWnd.h"
#include "platform/base/Paths.h"
#include "platform/gui/Profile.h"
#include "platform/gui/qt/ReportView.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"
#include "store/VTGraphManager.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: vtreportshot STORAGE KIND OUT.png [--sort COLUMN]\n");
    return 2;
  }
  const std::string name = argv[1], out = argv[3];
  const int kind = std::atoi(argv[2]);
  const int sortColumn = argc >= 6 && std::string(argv[4]) == "--sort" ? std::atoi(argv[5]) : -1;

  CVTDataStorageManager manager;
  std::string folder;
  if (manager.Open(vt::JoinPath(vt::ProgramRoot(), "Morvane/Vantrel/DATA")) != STORE_OK ||
      manager.GetStorageFolder(name, folder) != STORE_OK) {
    std::fprintf(stderr, "vtreportshot: no storage named '%s'\n", name.c_str());
    return 1;
  }
  CVTDataStorage storage;
  if (storage.OpenAt(folder) != STORE_OK) {
    std::fprintf(stderr, "vtreportshot: cannot open %s\n", folder.c_str());
    return 1;
  }
  CVTGraphManager graphs;
  graphs.SetDataStorage(&storage);
  graphs.Open();
  std::unique_ptr<CSearchConditionStore> conditions;
  OpenSearchConditionStore(conditions, &storage);

  vt::Profile profile;
  CListDoc doc(&profile, [&] { return vt::CatalogueSources{&storage, &graphs, conditions.get()}; });
  QWidget pane;
  pane.setWindowTitle(QStringLiteral("Search"));
  auto* layout = new QVBoxLayout(&pane);
  layout->setContentsMargins(1, 1, 1, 1);
  auto* list = new CListReportWnd(&doc, &pane);
  auto* status = new QLabel(&pane);
  layout->addWidget(list, 1);
  layout->addWidget(status);
  CListReportWnd::Hooks hooks;
  hooks.statusText = [status](const std::string& text) { status->setText(QString::fromStdString(text)); };
  list->SetHooks(hooks);
  pane.resize(980, 420);
  pane.show();

  doc.m_listKind = kind;
  list->FillList(true);
  if (sortColumn >= 0) {
    doc.ToggleSort(sortColumn);
    list->View()->SetSortMark(sortColumn, 1);
    list->FillList(false);
  }
  std::printf("%s\n", list->StatusText().c_str());

  int rc = 1;
  QTimer::singleShot(300, [&] {
    rc = pane.grab().save(QString::fromStdString(out)) ? 0 : 1;
    list->SaveColumnLayout();
    QApplication::quit();
  });
  app.exec();
  delete list;
  graphs.Close();
  CloseSearchConditionStore(conditions);
  storage.Close();
  return rc;
}
