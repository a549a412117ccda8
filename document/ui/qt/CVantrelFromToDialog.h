// CVantrelFromToDialog: "Time axis From To" of a graph window. Two date pickers and two time
// pickers (From and To, dates in the short format, times with step arrows, limited to 1990-01-01
// 00:00:00 .. 2030-12-31 23:59:59) edit a CVantrelFromToRange; each change goes into the range at
// once, OK puts an inverted range in order. QtFromToPicker runs it for the document's command.
#pragma once
#undef slots
#include <QDateEdit>
#include <QDialog>
#include <QTimeEdit>

#include "document/ui/FromToRange.h"

namespace vt_ui {

class CVantrelFromToDialog : public QDialog {
 public:
  CVantrelFromToDialog(CVantrelFromToRange& range, QWidget* parent = nullptr);

  QDateEdit* DatePicker(bool to) const { return to ? toDate_ : fromDate_; }
  QTimeEdit* TimePicker(bool to) const { return to ? toTime_ : fromTime_; }
  void accept() override;

 private:
  CVantrelFromToRange& range_;
  QDateEdit* fromDate_;
  QTimeEdit* fromTime_;
  QDateEdit* toDate_;
  QTimeEdit* toTime_;
};

class QtFromToPicker : public FromToPicker {
 public:
  explicit QtFromToPicker(QWidget* owner) : owner_(owner) {}
  bool Run(CVantrelFromToRange& range) override;

 private:
  QWidget* owner_;
};

}  // namespace vt_ui
