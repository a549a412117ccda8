// The name dialog of saved search conditions (see CSearchConditionSaveDialog.h).
#include "app/qt/CSearchConditionSaveDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "msgdesk/Msgdesk.h"
#include "platform/gui/Application.h"
#include "platform/gui/MessageBox.h"
#include "store/SearchConditionStore.h"

namespace {
constexpr int kMsgOverwriteCondition = 10014;
}

CSearchConditionSaveDialog::CSearchConditionSaveDialog(CSearchConditionStore* store, QWidget* parent)
    : QDialog(parent), m_store(store), m_field(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Save the search cond. "));
  m_field->setObjectName(QString::number(kNameFieldId));
  m_field->setMaxLength(kMaxNameLength);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Name"), this));
  row->addWidget(m_field, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(2); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void CSearchConditionSaveDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_field->setText(QString::fromStdString(m_name));
  m_field->setFocus();
}

int CSearchConditionSaveDialog::DoModal() { return exec() == 1 ? 1 : 2; }

bool CSearchConditionSaveDialog::OnOK() {
  const QString name = m_field->text().trimmed();
  if (name.isEmpty()) {
    m_field->setFocus();
    return false;
  }
  if (m_store && m_store->Exists(name.toStdString())) {
    vt::Application* loop = vt::Application::Current();
    if (DisplayMessage(loop ? loop->MainWindow() : 0, kMsgOverwriteCondition, vt::kMbOkCancel) != vt::kIdOk) {
      m_field->setFocus();
      return false;
    }
  }
  m_name = name.toStdString();
  done(1);
  return true;
}
