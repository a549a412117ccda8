// The "Version information" box as a small Qt dialog (see CAboutDlg.h).
#include "app/CAboutDlg.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/StringTable.h"

#ifndef VT_VERSION_TEXT
#define VT_VERSION_TEXT "0"
#endif

std::string CAboutDlg::VersionText() { return vt::LoadString(128) + " Version " VT_VERSION_TEXT; }

int CAboutDlg::DoModal() {
  auto* owner = static_cast<QWidget*>(vt::WindowNative(m_parent));
  QDialog box(owner ? owner->window() : nullptr);
  box.setObjectName("CAboutDlg");
  box.setWindowTitle("Version information");
  auto* layout = new QVBoxLayout(&box);
  auto* version = new QLabel(QString::fromStdString(VersionText()), &box);
  version->setObjectName("version");
  layout->addWidget(version);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  layout->addWidget(buttons);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  return 1;
}
