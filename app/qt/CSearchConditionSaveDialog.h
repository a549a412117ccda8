// CSearchConditionSaveDialog: asks for the name under which the Search pane's condition is saved
// ("Save the search cond. ", a "Name" field of at most 32 characters, OK and Cancel).
//
// OK takes the name trimmed at both ends: a blank name keeps the dialog open; a name that a saved
// condition has already asks whether to overwrite it (message 10014), and Cancel there keeps the
// dialog open too. Without a condition store no name counts as taken.
#pragma once
#include <QDialog>
#include <string>

class CSearchConditionStore;
class QLineEdit;

class CSearchConditionSaveDialog : public QDialog {
 public:
  static constexpr int kNameFieldId = 1030;
  static constexpr int kMaxNameLength = 32;

  CSearchConditionSaveDialog(CSearchConditionStore* store, QWidget* parent = nullptr);

  // 1 (OK) with Name() set, or 2 (Cancel).
  int DoModal();
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }

  // What the OK button does; true when the dialog closed.
  bool OnOK();
  QLineEdit* NameField() { return m_field; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CSearchConditionStore* m_store;
  QLineEdit* m_field;
  std::string m_name;
};
