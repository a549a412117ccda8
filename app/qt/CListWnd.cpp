// The Search pane and its search conditions (see CListWnd.h).
#include "app/qt/CListWnd.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSplitter>
#include <utility>
#include <vector>

#include "app/CListDoc.h"
#include "app/CNavigationDoc.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CSearchConditionSaveDialog.h"
#include "platform/base/TimeEngine.h"
#include "platform/gui/StringTable.h"
#include "recorder/SharedTimeZone.h"
#include "store/CatalogueLookups.h"
#include "store/StoreClock.h"

namespace {

QString Text(int id) { return QString::fromStdString(vt::LoadString(uint32_t(id))); }

using Entries = std::vector<std::pair<int, int>>;  // caption string, value

void Fill(QComboBox* combo, const Entries& entries) {
  combo->clear();
  for (const auto& [caption, value] : entries) combo->addItem(Text(caption), value);
}

void Choose(QComboBox* combo, int value) {
  const int index = combo->findData(value);
  combo->setCurrentIndex(index < 0 ? 0 : index);
}

int Value(const QComboBox* combo) { return combo->currentData().toInt(); }

const Entries kTargetsByKind[10] = {
    {{1010, 1}, {1012, 3}, {1013, 4}},               // none
    {{1010, 1}, {1011, 2}, {1012, 3}, {1013, 4}},    // tags
    {{1010, 1}, {1012, 3}, {1013, 4}},               // alarms
    {{1014, 5}, {1013, 4}},                          // display groups
    {{1015, 6}, {1016, 7}, {1013, 4}},               // messages
    {{1017, 8}, {1013, 4}},                          // files
    {{1013, 4}, {3250, 12}, {3251, 13}},             // continuous data
    {{1010, 1}, {1012, 3}, {1013, 4}},               // deleted data
    {{1010, 1}, {1012, 3}, {1013, 4}},               // saved conditions
    {{1010, 1}, {1018, 9}, {1019, 10}, {1020, 11}},  // saved graphs
};

const QDateTime kEarliest(QDate(1990, 1, 1), QTime(0, 0, 0), Qt::UTC);
const QDateTime kLatest(QDate(2030, 12, 31), QTime(23, 59, 59), Qt::UTC);

QDateTimeEdit* NewPicker(QWidget* parent, const char* name, const QString& format) {
  auto* picker = new QDateTimeEdit(parent);
  picker->setObjectName(QString::fromLatin1(name));
  // The value is the display zone's wall time; Qt is never to apply the machine's zone to it.
  picker->setTimeSpec(Qt::UTC);
  picker->setDateTimeRange(kEarliest, kLatest);
  picker->setDisplayFormat(format);
  picker->setCalendarPopup(format.contains(QLatin1Char('y')));
  return picker;
}

}  // namespace

CListSearchContentsWnd::CListSearchContentsWnd(CListDoc* doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  setObjectName(QStringLiteral("searchConditions"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);

  m_timeCondition = new QComboBox(this);
  Fill(m_timeCondition, {{3094, 0}, {1000, 1}, {1001, 2}, {1002, 3}, {1003, 4}, {1004, 5}, {1005, 6}});
  m_startDate = NewPicker(this, "search.11", QStringLiteral("yyyy/MM/dd"));
  m_startTime = NewPicker(this, "search.12", QStringLiteral("HH:mm:ss"));
  m_dash = new QLabel(Text(804), this);
  m_endDate = NewPicker(this, "search.13", QStringLiteral("yyyy/MM/dd"));
  m_endTime = NewPicker(this, "search.14", QStringLiteral("HH:mm:ss"));
  m_recentLabel = new QLabel(Text(807), this);
  m_count = new QLineEdit(this);
  m_count->setMaxLength(2);
  m_count->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), m_count));
  m_count->setFixedWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("99")) + 14);
  m_unit = new QComboBox(this);
  Fill(m_unit, {{1006, 0}, {1007, 1}, {1008, 2}, {1009, 3}});
  m_target = new QComboBox(this);
  m_searchString = new QLineEdit(this);
  m_searchString->setMaxLength(100);
  m_alarmLabel = new QLabel(Text(805), this);
  m_alarmKind = new QComboBox(this);
  Fill(m_alarmKind,
       {{3094, 0}, {712, 1}, {713, 2}, {714, 3}, {715, 4}, {716, 5}, {717, 6}, {718, 7}, {719, 8}});
  m_searchButton = new QPushButton(Text(806), this);
  m_searchButton->setDefault(true);
  m_saveButton = new QPushButton(Text(808), this);
  const std::pair<QWidget*, int> named[] = {{m_timeCondition, 10}, {m_count, 15},     {m_unit, 16},
                                            {m_target, 17},        {m_alarmKind, 18}, {m_searchButton, 19},
                                            {m_saveButton, 20}};
  for (const auto& [w, id] : named) w->setObjectName(QStringLiteral("search.%1").arg(id));
  m_searchString->setObjectName(QStringLiteral("search.string"));

  // Three rows: the labels in one column, the drop-down lists starting at one common edge.
  auto* grid = new QGridLayout(this);
  const int m = m_timeCondition->sizeHint().height() / 3;
  grid->setContentsMargins(m, m, m, m);
  grid->setHorizontalSpacing(m);
  grid->setVerticalSpacing(m);
  grid->addWidget(new QLabel(Text(800), this), 0, 0);
  grid->addWidget(new QLabel(Text(801), this), 1, 0);
  grid->addWidget(m_alarmLabel, 2, 0);
  grid->addWidget(m_timeCondition, 0, 1);
  grid->addWidget(m_target, 1, 1);
  grid->addWidget(m_alarmKind, 2, 1);
  auto* time = new QHBoxLayout;
  time->setSpacing(m);
  for (QWidget* w : std::initializer_list<QWidget*>{m_startDate, m_startTime, m_dash, m_endDate, m_endTime,
                                                    m_recentLabel, m_count, m_unit})
    time->addWidget(w);
  time->addStretch();
  grid->addLayout(time, 0, 2);
  grid->addWidget(m_searchString, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_searchButton);
  buttons->addWidget(m_saveButton);
  grid->addLayout(buttons, 2, 2);
  grid->setColumnStretch(3, 1);

  // The date field and the time field of a pair hold one value.
  for (auto [a, b] : {std::pair{m_startDate, m_startTime}, std::pair{m_endDate, m_endTime}}) {
    connect(a, &QDateTimeEdit::dateTimeChanged, b, [b](const QDateTime& v) {
      if (b->dateTime() != v) b->setDateTime(v);
    });
    connect(b, &QDateTimeEdit::dateTimeChanged, a, [a](const QDateTime& v) {
      if (a->dateTime() != v) a->setDateTime(v);
    });
  }
  connect(m_timeCondition, &QComboBox::currentIndexChanged, this,
          [this] { ShowTimeControls(Value(m_timeCondition)); });
  connect(m_searchButton, &QPushButton::clicked, this, [this] { OnSearchStart(); });
  connect(m_saveButton, &QPushButton::clicked, this, [this] { OnSaveCondition(); });

  Fill(m_target, {{1010, 1},
                  {1011, 2},
                  {1012, 3},
                  {1013, 4},
                  {1014, 5},
                  {1015, 6},
                  {1016, 7},
                  {1017, 8},
                  {1018, 9},
                  {1019, 10},
                  {1020, 11},
                  {3250, 12},
                  {3251, 13}});
  m_count->setText(QString::number(unsigned(doc->m_relativeValue)));
  Choose(m_unit, doc->m_relativeUnit);
  SetRange(doc->m_fromTime, doc->m_toTime);
  UpdateFromDocument();
}

QDateTime CListSearchContentsWnd::ToDisplay(int64_t utcTicks) {
  const vt::FileTime utc = vt::TicksToFileTime(utcTicks);
  vt::FileTime display;
  UtcToDisplayFileTime(&utc, &display);
  vt::SystemTime st;
  if (!vt::FileTimeToSystemTime(display, &st)) return kEarliest;
  return QDateTime(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond), Qt::UTC);
}

int64_t CListSearchContentsWnd::FromDisplay(const QDateTime& display) {
  vt::SystemTime st{};
  const QDate d = display.date();
  const QTime t = display.time();
  st.wYear = uint16_t(d.year()), st.wMonth = uint16_t(d.month()), st.wDay = uint16_t(d.day());
  st.wHour = uint16_t(t.hour()), st.wMinute = uint16_t(t.minute()), st.wSecond = uint16_t(t.second());
  vt::FileTime local, utc;
  if (!vt::SystemTimeToFileTime(st, &local)) return 0;
  DisplayToUtcFileTime(&local, &utc);
  return vt::FileTimeToTicks(utc);
}

void CListSearchContentsWnd::SetRange(int64_t from, int64_t to) {
  if (from == 0 || to == 0) {
    to = CurrentTickTime().ticks;
    from = to - 3600 * vt::kTicksPerSecond;
  }
  m_startDate->setDateTime(ToDisplay(from));
  m_endDate->setDateTime(ToDisplay(to));
}

QWidget* CListSearchContentsWnd::Control(int id) const {
  return findChild<QWidget*>(QStringLiteral("search.%1").arg(id));
}

void CListSearchContentsWnd::ShowTimeControls(int timeCondition) {
  for (QWidget* w : std::initializer_list<QWidget*>{m_startDate, m_startTime, m_dash, m_endDate, m_endTime})
    w->setVisible(timeCondition == TIME_RANGE);
  for (QWidget* w : std::initializer_list<QWidget*>{m_recentLabel, m_count, m_unit})
    w->setVisible(timeCondition == TIME_RELATIVE);
}

void CListSearchContentsWnd::FillTargets(int listKind) {
  Fill(m_target, kTargetsByKind[listKind >= 0 && listKind <= 9 ? listKind : 0]);
}

void CListSearchContentsWnd::UpdateFromDocument() {
  const CListDoc& d = *m_doc;
  const bool loaded = d.m_conditionLoaded;
  if (loaded) {
    SetRange(d.m_fromTime, d.m_toTime);
    m_count->setText(QString::number(unsigned(d.m_relativeValue)));
    Choose(m_unit, d.m_relativeUnit);
  }
  const int kind = d.m_listKind;
  const bool catalogue = kind >= LIST_KIND_TAG && kind <= LIST_KIND_BATCH;
  const bool enabled = catalogue || kind == LIST_KIND_GRAPH;
  Choose(m_timeCondition, loaded && enabled ? d.m_timeCondition : TIME_NONE);
  ShowTimeControls(Value(m_timeCondition));
  FillTargets(kind);
  Choose(m_target, loaded && catalogue ? d.m_stringTarget : -1);
  m_searchString->setText(loaded && catalogue ? QString::fromStdString(d.m_targetString) : QString());
  for (QWidget* w : findChildren<QWidget*>()) w->setEnabled(enabled);
  m_saveButton->setEnabled(catalogue);
  const bool alarms = kind == LIST_KIND_ALARM;
  m_alarmLabel->setVisible(alarms);
  m_alarmKind->setVisible(alarms);
  if (alarms) Choose(m_alarmKind, loaded ? d.m_alarmKind : 0);
}

void CListSearchContentsWnd::ReadControls() {
  CListDoc& d = *m_doc;
  d.m_timeCondition = Value(m_timeCondition);
  int64_t from = FromDisplay(m_startDate->dateTime()), to = FromDisplay(m_endDate->dateTime());
  if (from > to) std::swap(from, to);
  d.m_fromTime = from, d.m_toTime = to;
  int count = m_count->text().toInt();
  if (count == 0) {
    count = 1;
    m_count->setText(QStringLiteral("1"));
  }
  d.m_relativeValue = count;
  d.m_relativeUnit = Value(m_unit);
  d.m_stringTarget = Value(m_target);
  d.m_targetString = m_searchString->text().toStdString();
  d.m_alarmKind = Value(m_alarmKind);
}

void CListSearchContentsWnd::OnSearchStart() {
  const int kind = m_doc->m_listKind;
  if (!((kind >= LIST_KIND_TAG && kind <= LIST_KIND_BATCH) || kind == LIST_KIND_GRAPH)) return;
  ReadControls();
  m_doc->m_searchTime = CurrentTickTime().ticks;
  m_doc->m_conditionsOn = true;
  m_doc->Notify(LIST_NOTIFY_CHANGED);
}

void CListSearchContentsWnd::OnSaveCondition() {
  const vt::CatalogueSources sources = m_doc->Sources();
  CSearchConditionSaveDialog dialog(sources.conditions, this);
  if (dialog.DoModal() != 1) return;
  ReadControls();
  const CListDoc& d = *m_doc;
  SaveSearchCondition(sources, d.m_targetString, dialog.Name(), d.m_listKind, d.m_instSerialNo,
                      d.m_timeCondition, d.m_fromTime, d.m_toTime, d.m_relativeValue, d.m_relativeUnit,
                      d.m_stringTarget, d.m_alarmKind);
}

class CListWnd::CNavigationObserver : public CObserver {
 public:
  CNavigationObserver(CListWnd* wnd, CNavigationDoc* doc) : wnd_(wnd), doc_(doc) { doc_->Attach(this); }
  ~CNavigationObserver() override { doc_->Detach(this); }
  void Update(int code) override { wnd_->OnNavigation(code); }

 private:
  CListWnd* wnd_;
  CNavigationDoc* doc_;
};

CListWnd::CListWnd(CListDoc* listDoc, CNavigationDoc* navigationDoc, QWidget* parent)
    : QWidget(parent), m_listDoc(listDoc), m_navDoc(navigationDoc) {
  setObjectName(QStringLiteral("searchPane"));
  m_splitter = new QSplitter(Qt::Vertical, this);
  m_splitter->setObjectName(QStringLiteral("search.splitter"));
  m_splitter->setChildrenCollapsible(false);
  m_host = new QScrollArea(m_splitter);
  m_host->setObjectName(QStringLiteral("search.host"));
  m_host->setMinimumHeight(50);
  m_host->setWidgetResizable(true);
  m_contents = new CListSearchContentsWnd(listDoc);
  m_host->setWidget(m_contents);
  m_host->setBackgroundRole(QPalette::Base);
  m_report = new CListReportWnd(listDoc, m_splitter);
  m_splitter->addWidget(m_host);
  m_splitter->addWidget(m_report);
  // The conditions keep their height when the pane grows or shrinks; the list takes the rest.
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({m_contents->sizeHint().height() + 4, 200});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_splitter);
  m_observer = std::make_unique<CNavigationObserver>(this, navigationDoc);
}

CListWnd::~CListWnd() {
  m_observer.reset();
  m_report->SaveColumnLayout();
}

void CListWnd::SwitchList(int listKind) {
  m_report->SaveColumnLayout();
  m_listDoc->m_listKind = listKind;
  m_listDoc->m_conditionsOn = false;
  m_listDoc->m_sortOrder = 0;
  m_listDoc->m_sortColumn = -1;
}

void CListWnd::OnNavigation(int code) {
  switch (code) {
    case CNavigationDoc::NAV_NOTIFY_MODE:
      if (m_navDoc->m_mode == CNavigationDoc::MODE_GRAPH) {
        SwitchList(LIST_KIND_GRAPH);
        m_contents->UpdateFromDocument();
        m_report->FillList(true);
      }
      if (m_navDoc->m_mode != CNavigationDoc::MODE_DATA) break;
      [[fallthrough]];
    case CNavigationDoc::NAV_NOTIFY_SELECTION:
      SwitchList(m_navDoc->m_mode == CNavigationDoc::MODE_DATA
                     ? CNavigationDoc::ListKindOfNode(m_navDoc->m_selectionKind)
                     : LIST_KIND_NONE);
      m_listDoc->m_instSerialNo = m_navDoc->m_selectionKey;
      m_contents->UpdateFromDocument();
      if (m_listDoc->m_conditionLoaded) m_listDoc->m_conditionsOn = true;
      m_report->FillList(true);
      break;
    case CNavigationDoc::NAV_NOTIFY_ADDED:
      m_report->FillList(true);
      break;
    case CNavigationDoc::NAV_NOTIFY_BRING_FORWARD:
      if (bringForward) bringForward();
      break;
    default:
      break;
  }
}
