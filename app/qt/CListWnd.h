// CListWnd: the Search pane. The search conditions (CListSearchContentsWnd, scrolled when the
// pane is small) above the report list, split by a bar the user drags. It follows the navigation
// document: a new selection switches the list document to the node's list kind and instrument,
// resets the condition and rebuilds the list.
//
// CListSearchContentsWnd holds the condition's controls: the time condition with a date-time range
// or a count of units back, the text to search and what it is matched against, and for the alarm
// list the alarm kind; "Search start " puts them into force, "Save the cond." saves them by name.
// Drop-down entries carry their values and are read and chosen by value. The date-time fields show
// the display time zone's time (never the machine's), between 1990 and 2030.
#pragma once
#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class CListDoc;
class CListReportWnd;
class CNavigationDoc;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSplitter;

class CListSearchContentsWnd : public QWidget {
 public:
  explicit CListSearchContentsWnd(CListDoc* doc, QWidget* parent = nullptr);

  // Shows the document's list kind and (when one was loaded) its condition.
  void UpdateFromDocument();
  // "Search start ": the controls into the document, then the list refills.
  void OnSearchStart();
  // "Save the cond.": asks the name, then saves the controls' condition.
  void OnSaveCondition();
  // Copies the controls into the document's condition; false for a list kind without one.
  void ReadControls();

  // A UTC FILETIME as the display zone's time in a zone-free value, and back.
  static QDateTime ToDisplay(int64_t utcTicks);
  static int64_t FromDisplay(const QDateTime& display);

  // The controls by id (10-20).
  QWidget* Control(int id) const;

 private:
  void ShowTimeControls(int timeCondition);
  void SetRange(int64_t from, int64_t to);
  void FillTargets(int listKind);

  CListDoc* m_doc;
  QComboBox* m_timeCondition;
  QDateTimeEdit* m_startDate;
  QDateTimeEdit* m_startTime;
  QLabel* m_dash;
  QDateTimeEdit* m_endDate;
  QDateTimeEdit* m_endTime;
  QLabel* m_recentLabel;
  QLineEdit* m_count;
  QComboBox* m_unit;
  QComboBox* m_target;
  QLineEdit* m_searchString;
  QLabel* m_alarmLabel;
  QComboBox* m_alarmKind;
  QPushButton* m_searchButton;
  QPushButton* m_saveButton;
};

class CListWnd : public QWidget {
 public:
  CListWnd(CListDoc* listDoc, CNavigationDoc* navigationDoc, QWidget* parent = nullptr);
  // Keeps the report list's column layout.
  ~CListWnd() override;

  CListReportWnd* Report() const { return m_report; }
  CListSearchContentsWnd* Conditions() const { return m_contents; }
  QSplitter* Splitter() const { return m_splitter; }
  // What the main frame does to show the pane (code 9 of the navigation).
  std::function<void()> bringForward;

 private:
  class CNavigationObserver;
  void OnNavigation(int code);
  void SwitchList(int listKind);

  CListDoc* m_listDoc;
  CNavigationDoc* m_navDoc;
  QSplitter* m_splitter;
  QScrollArea* m_host;
  CListSearchContentsWnd* m_contents;
  CListReportWnd* m_report;
  std::unique_ptr<CNavigationObserver> m_observer;
};
