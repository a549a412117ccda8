// CVantrelFromToDialog: the pickers laid out in one row, filled from the range's fields and
// writing every change back into it.
#include "document/ui/qt/CVantrelFromToDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/StringTable.h"

namespace vt_ui {
namespace {

constexpr int kTitleId = 5003;

QDate DateOf(const vt::SystemTime& st) { return QDate(st.wYear, st.wMonth, st.wDay); }
QTime TimeOf(const vt::SystemTime& st) { return QTime(st.wHour, st.wMinute, st.wSecond); }

}  // namespace

CVantrelFromToDialog::CVantrelFromToDialog(CVantrelFromToRange& range, QWidget* parent)
    : QDialog(parent), range_(range) {
  setWindowTitle(QString::fromStdString(vt::LoadString(kTitleId)));
  const QDate first(1990, 1, 1), last(2030, 12, 31);
  auto makeDate = [&](bool to) {
    auto* edit = new QDateEdit(DateOf(range_.Fields(to)), this);
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    edit->setDateRange(first, last);
    connect(edit, &QDateEdit::dateChanged, this,
            [this, to](QDate d) { range_.SetDate(to, d.year(), d.month(), d.day()); });
    return edit;
  };
  auto makeTime = [&](bool to) {
    auto* edit = new QTimeEdit(TimeOf(range_.Fields(to)), this);
    edit->setDisplayFormat("HH:mm:ss");
    edit->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    connect(edit, &QTimeEdit::timeChanged, this,
            [this, to](QTime t) { range_.SetTime(to, t.hour(), t.minute(), t.second()); });
    return edit;
  };
  fromDate_ = makeDate(false), fromTime_ = makeTime(false);
  toDate_ = makeDate(true), toTime_ = makeTime(true);

  auto* row = new QHBoxLayout;
  row->addWidget(fromDate_);
  row->addWidget(fromTime_);
  row->addWidget(new QLabel("-", this));
  row->addWidget(toDate_);
  row->addWidget(toTime_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void CVantrelFromToDialog::accept() {
  range_.Accept();
  QDialog::accept();
}

bool QtFromToPicker::Run(CVantrelFromToRange& range) {
  CVantrelFromToDialog dialog(range, owner_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace vt_ui
