// The cursor-control window, its root, its gadget and its two table classes (see
// CDlgCursorControl.h).
#include "document/ui/CDlgCursorControl.h"

#include <algorithm>

#include "document/CGVantrelDoc.h"
#include "document/ui/CGVTTimeLabelVolume.h"
#include "document/ui/ToolWindowLink.h"
#include "gadget/GLabel.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetSkin.h"
#include "gadget/sheet/GSkSheet.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"
#include "recorder/RecorderStatus.h"

GADGET_DEFINE_RECORD(CGVTMinMaxChannelLine, CGSkSChannelLine)
GADGET_DEFINE_RECORD(CGVTSAlarmDigitals, CGSkSAlarmDigitals)
GADGET_DEFINE_RECORD(CGVTCursorControl, CGGroup)
GADGET_DEFINE_RECORD(CGVTCursorControlRoot, CGVTDialogRoot)

namespace {

constexpr int kWidth = 453, kHeight = 462;
constexpr vt::ColorRef kTableBack = 0x025E5E5E;
constexpr uint32_t kIdsMax = 3182, kIdsMin = 3183, kIdsValueA = 3184, kIdsValueB = 3185,
                   kIdsDifference = 3186;
constexpr uint32_t kIdsCursorA = 3187, kIdsCursorB = 3188, kIdsSpan = 3189, kIdsTitle = 3190, kIdsTime = 5001;
constexpr int kStripHeight = 4, kMarkColumn = 32;

uint32_t LineTitleId(int nameKind) { return nameKind == 1 ? 1010 : nameKind == 2 ? 1011 : 1012; }

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }

// Hints whose data is not the document but an item of it (a mark, a container, a record).
bool CarriesItem(int hint) {
  return hint == HINT_MARK_ADDED || hint == HINT_MARKS_DELETED || hint == HINT_MARK_CHANGED;
}

void OnTimeChanged(CGPrimitive* source, int, void*) {
  for (CGCore* c = source; c; c = c->GetParent())
    if (IsKindOfClass(c, GCLASS(CGVTCursorControl))) {
      static_cast<CGVTCursorControl*>(c)->MoveCursor(source->GetId() == CGVTCursorControl::kTimeBId);
      return;
    }
}

}  // namespace

// ---- CGVTMinMaxChannelLine ----

const SGClassInfo* CGVTMinMaxChannelLine::GetClassInfo() const { return GCLASS(CGVTMinMaxChannelLine); }

void CGVTMinMaxChannelLine::SetLineCount(int count) {
  CGSkSChannelLine::SetLineCount(count);
  // Grown with the count, never shrunk.
  if (size_t(count) > m_units.size()) {
    m_units.resize(size_t(count));
    m_kinds.resize(size_t(count), DATA_SINGLE);
  }
}

void CGVTMinMaxChannelLine::SetLineUnit(int line, const std::string& unit) {
  if (line >= 0 && size_t(line) < m_units.size()) m_units[size_t(line)] = unit;
}

void CGVTMinMaxChannelLine::SetLineKind(int line, int kind) {
  if (line >= 0 && size_t(line) < m_kinds.size()) m_kinds[size_t(line)] = kind;
}

int CGVTMinMaxChannelLine::LineKind(int line) const {
  return line >= 0 && size_t(line) < m_kinds.size() ? m_kinds[size_t(line)] : DATA_SINGLE;
}

void CGVTMinMaxChannelLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  // A channel owns two lines; each cell draws the whole pair, clipped to what is shown.
  const int first = line - line % 2;
  const int h = cell.Height();
  const vt::Rect pair{cell.left, line % 2 ? cell.top - h : cell.top, cell.right,
                      (line % 2 ? cell.top : cell.top + h) + h};
  const int state = GetEffectiveLineStyle(first);
  const std::string label = first < LineCount() ? Label(first) : std::string();
  const std::string unit = size_t(first) < m_units.size() ? m_units[size_t(first)] : std::string();
  const vt::Rect body{pair.left, pair.top, pair.right - kMarkColumn, pair.bottom};
  DrawSheetCellFrame(dc, true, false, 1, body);
  dc->FillSolidRect(vt::Rect{body.left + 1, body.bottom - 1 - kStripHeight, body.right - 1, body.bottom - 1},
                    LineColor(first));
  const int middle = (pair.top + pair.bottom) / 2;
  CGFont* font = GetLabelFont(dc, label);
  auto text = [&](const vt::Rect& r, const std::string& s) {
    if (state == GSTYLE_ACTIVE)
      DrawAlignedText(dc, r, kAlignCenter, 0x02000000, FontOf(font), s);
    else
      DrawEmbossedText(dc, r, kAlignCenter, 0x00808080, FontOf(font), s);
  };
  text(vt::Rect{body.left + 2, body.top, body.right - 2, middle}, label);
  text(vt::Rect{body.left + 2, middle, body.right - 2, body.bottom - 1 - kStripHeight}, unit);
  const vt::Rect upper{body.right, pair.top, pair.right, middle},
      lower{body.right, middle, pair.right, pair.bottom};
  DrawSheetCellFrame(dc, true, false, 1, upper);
  DrawSheetCellFrame(dc, false, false, 1, lower);
  if (LineKind(first) == DATA_PAIRS) {
    text(upper, vt::LoadString(kIdsMax));
    text(lower, vt::LoadString(kIdsMin));
  }
}

// ---- CGVTSAlarmDigitals ----

CGVTSAlarmDigitals::CGVTSAlarmDigitals(CGCore* parent, int id, uint32_t titleId)
    : CGSkSAlarmDigitals(parent, id, titleId) {}

const SGClassInfo* CGVTSAlarmDigitals::GetClassInfo() const { return GCLASS(CGVTSAlarmDigitals); }

void CGVTSAlarmDigitals::SetLineCount(int count) {
  CGSkSAlarmDigitals::SetLineCount(count);
  if (size_t(count) > m_marksShown.size()) m_marksShown.resize(size_t(count), 0);
}

void CGVTSAlarmDigitals::SetMarksShown(int line, bool shown) {
  if (line >= 0 && size_t(line) < m_marksShown.size()) m_marksShown[size_t(line)] = shown ? 1 : 0;
}

bool CGVTSAlarmDigitals::MarksShown(int line) const {
  return line >= 0 && size_t(line) < m_marksShown.size() && m_marksShown[size_t(line)] != 0;
}

void CGVTSAlarmDigitals::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const int shown = m_showAlarms;
  if (!MarksShown(line)) m_showAlarms = 0;
  CGSkSAlarmDigitals::DrawCell(dc, line, cell);
  m_showAlarms = shown;
}

// ---- CGVTCursorControl ----

CGVTCursorControl::CGVTCursorControl(CGCore* root)
    : CGGroup(root, 0, 0, 0, GSTYLE_ACTIVE, kWidth, kHeight, 0, 1, kTableBack) {
  struct Caption {
    int id, x, width;
    uint32_t text;
  };
  for (const Caption& c : {Caption{1112, 1, 136, 0}, Caption{1113, 137, 100, kIdsCursorA},
                           Caption{1114, 237, 100, kIdsCursorB}, Caption{1115, 337, 116, kIdsSpan}}) {
    auto* label = new CGSkButtonLabel(this, c.x, 1, c.width, 24, c.id, kAlignCenter, 0x02FFFFFF, c.text);
    if (!c.text) label->SetText(std::string());
  }
  new CGSkButtonLabel(this, 1, 25, 136, 30, 0, kAlignCenter, 0x02FFFFFF, kIdsTime);
  m_timeA = new CGVTTimeLabelVolume(this, 137, 25, 100, 30, kTimeAId, GSTYLE_ACTIVE);
  m_timeB = new CGVTTimeLabelVolume(this, 237, 25, 100, 30, kTimeBId, GSTYLE_ACTIVE);
  m_span = new CGSpanLabel(this);
  m_span->SetBounds(337, 25, 116, 30);

  m_sheet = new CGSkSheet(this, 0, 56, kWidth, kHeight - 56, kSheetId, GSTYLE_ACTIVE, 1, 16, 0, 16);
  auto* vbar = new CGVScrollBar(m_sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16);
  vbar->Build(1);
  auto* body = new CGSkSheetScreen(m_sheet, 0, GSTYLE_ACTIVE);
  new CGSkSColumn(m_sheet, 0, GSTYLE_ACTIVE, 20);
  m_lines = new CGVTMinMaxChannelLine(m_sheet, 12);
  m_lines->SetText(vt::LoadString(LineTitleId(0)));
  m_valueA = new CGVTSAlarmDigitals(body, kValueAId, kIdsValueA);
  m_valueB = new CGVTSAlarmDigitals(body, kValueBId, kIdsValueB);
  m_difference = new CGVTSAlarmDigitals(body, kDifferenceId, kIdsDifference);
  m_difference->SetShowAlarms(0);
  m_timeA->AddEventCallback(GEVENT_CHANGED, &OnTimeChanged, nullptr, 0);
  m_timeB->AddEventCallback(GEVENT_CHANGED, &OnTimeChanged, nullptr, 0);
}

const SGClassInfo* CGVTCursorControl::GetClassInfo() const { return GCLASS(CGVTCursorControl); }

void CGVTCursorControl::OnUpdate(int hint, void* data) {
  if (!CarriesItem(hint)) m_document = static_cast<CGVantrelDoc*>(data);
  switch (hint) {
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 10:
    case 16:
    case 18:
    case 22:
    case 24:
    case 27:
    case 28:
    case 29:
    case 31:
      RebuildTable();
      return;
    case HINT_CURSOR_A:
    case HINT_CURSOR_B:
      ShowCursorTimes();
      ShowCursorValues();
      return;
    default:
      CGGroup::OnUpdate(hint, data);
  }
}

void CGVTCursorControl::RebuildTable() {
  CGVantrelDoc* doc = m_document;
  CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
  m_mixed = false;
  int lines = 0;
  if (doc) {
    m_lines->SetText(vt::LoadString(LineTitleId(doc->GetTagMode())));
    for (int slot = 0; group && slot < GROUP_CHANNEL_LIMIT; ++slot)
      if (CGVantrelNgChannel* c = group->GetChannel(slot); c && c->IsShown()) lines += 2;
  }
  lines = std::min(lines, kMaxLines);
  m_sheet->SetLineCount(lines);
  for (CGVTSAlarmDigitals* column : {m_valueA, m_valueB, m_difference})
    for (int i = 0; i < lines; ++i) column->m_statuses[size_t(i)] = 3;

  TickTime spanStart, spanEnd;
  bool first = true, anyChannel = false;
  int rank = 0;
  vt::Guid batch;
  for (int slot = 0; group && slot < GROUP_CHANNEL_LIMIT; ++slot) {
    CGVantrelNgChannel* c = group->GetChannel(slot);
    if (!c) continue;
    if (!anyChannel)
      batch = c->GetBatchGuid();
    else if (!(c->GetBatchGuid() == batch))
      m_mixed = true;
    anyChannel = true;
    if (first || c->GetStartTicks() < spanStart) spanStart = c->GetStartTicks();
    if (first || c->GetEndTicks() > spanEnd) spanEnd = c->GetEndTicks();
    first = false;
    if (slot == group->GetSelectedChannelIndex()) {
      const auto step = int64_t(c->GetSampleInterval() * 1000.0);
      m_timeA->SetStep(step);
      m_timeB->SetStep(step);
    }
    if (!c->IsShown() || 2 * rank + 1 >= lines) continue;
    const int i = 2 * rank++;
    const int kind = c->GetDataKind();
    std::string name, unit;
    c->GetName(&name, doc->GetTagMode());
    c->GetUnit(&unit);
    for (int l : {i, i + 1}) {
      m_lines->SetLineKind(l, kind);
      m_lines->SetLineColor(l, c->GetColour());
      m_lines->SetLineText(l, name);
      m_lines->SetLineUnit(l, "[" + unit + "]");
      for (CGVTSAlarmDigitals* column : {m_valueA, m_valueB, m_difference}) {
        column->SetLineDecimals(l, c->GetDecimals());
        column->SetLineExponent(l, c->IsExponent());
      }
    }
    for (CGVTSAlarmDigitals* column : {m_valueA, m_valueB}) {
      column->SetMarksShown(i, kind == DATA_PAIRS);
      column->SetMarksShown(i + 1, true);
    }
  }
  m_timeA->SetRange(spanStart.ticks, spanEnd.ticks);
  m_timeB->SetRange(spanStart.ticks, spanEnd.ticks);
  for (CGVTTimeLabelVolume* t : {m_timeA, m_timeB}) {
    const int style = m_mixed ? GSTYLE_VISIBLE : GSTYLE_ACTIVE;
    if (t->TimeDownButton()) t->TimeDownButton()->SetStyle(style);
    if (t->TimeUpButton()) t->TimeUpButton()->SetStyle(style);
  }
  m_sheet->LayoutTree();
  ShowCursorTimes();
  ShowCursorValues();
}

void CGVTCursorControl::ShowCursorTimes() {
  m_timeA->SetText(std::string());
  m_timeB->SetText(std::string());
  m_span->SetText(std::string());
  m_timeA->SetStyle(GSTYLE_VISIBLE | GSTYLE_MASKED);
  m_timeB->SetStyle(GSTYLE_VISIBLE | GSTYLE_MASKED);
  m_span->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  CGVantrelDoc* doc = m_document;
  const CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
  if (!group || group->GetChannelCount() == 0 || !doc->HasCursor()) return;
  m_timeA->SetStyle(GSTYLE_ACTIVE);
  m_timeB->SetStyle(GSTYLE_ACTIVE);
  m_span->SetStyle(GSTYLE_ACTIVE);
  const TickTime a = doc->GetCursorATime(), b = doc->GetCursorBTime();
  m_timeA->SetTime(a);
  m_timeB->SetTime(b);
  const TickTime early = a < b ? a : b, late = a < b ? b : a;
  const int64_t ms = late.DiffMilliseconds(early);
  const int64_t seconds = ms / 1000;
  m_span->SetSpan(double(ms % 1000) / 1000.0, &seconds);
}

void CGVTCursorControl::ShowCursorValues() {
  CGVantrelDoc* doc = m_document;
  CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
  if (!group) return;
  const int alarms = doc->AreAlarmsShown() ? 1 : 0;
  m_valueA->SetShowAlarms(alarms);
  m_valueB->SetShowAlarms(alarms);
  const PreciseTime a = ToPrecise(doc->GetCursorATime()), b = ToPrecise(doc->GetCursorBTime());
  const int lines = m_sheet->m_lineCount;
  int rank = 0;
  auto put = [](CGVTSAlarmDigitals* column, int line, double value, int state, int alarmBits) {
    column->SetLineValue(line, value);
    column->m_statuses[size_t(line)] = state;
    if (alarmBits >= 0) column->SetLineAlarms(line, alarmBits);
  };
  for (int slot = 0; slot < GROUP_CHANNEL_LIMIT; ++slot) {
    CGVantrelNgChannel* c = group->GetChannel(slot);
    if (!c || !c->IsShown()) continue;
    const int i = 2 * rank++;
    if (i + 1 >= lines) break;
    if (c->GetDataKind() == DATA_PAIRS) {
      double lowA = 0, highA = 0, lowB = 0, highB = 0;
      uint16_t sa = 0, sb = 0;
      c->ReadMinMaxAt(a, &lowA, &highA, &sa);
      c->ReadMinMaxAt(b, &lowB, &highB, &sb);
      const int highStateA = (sa >> 8) & 0xF, highStateB = (sb >> 8) & 0xF;
      const int lowStateA = (sa >> 12) & 0xF, lowStateB = (sb >> 12) & 0xF;
      put(m_valueA, i, highA, highStateA, sa & 0xF);
      put(m_valueB, i, highB, highStateB, sb & 0xF);
      put(m_difference, i, highB - highA, GetDifferenceStatus(highStateB, highStateA), -1);
      put(m_valueA, i + 1, lowA, lowStateA, sa & 0xF);
      put(m_valueB, i + 1, lowB, lowStateB, sb & 0xF);
      put(m_difference, i + 1, lowB - lowA, GetDifferenceStatus(lowStateB, lowStateA), -1);
    } else if (c->GetDataKind() == DATA_SINGLE) {
      double va = 0, vb = 0;
      uint16_t sa = 0, sb = 0;
      c->ReadValueAt(a, &va, &sa);
      c->ReadValueAt(b, &vb, &sb);
      for (CGVTSAlarmDigitals* column : {m_valueA, m_valueB, m_difference}) column->m_statuses[size_t(i)] = 3;
      const int stateA = (sa >> 12) & 0xF, stateB = (sb >> 12) & 0xF;
      put(m_valueA, i + 1, va, stateA, sa & 0xF);
      put(m_valueB, i + 1, vb, stateB, sb & 0xF);
      put(m_difference, i + 1, vb - va, GetDifferenceStatus(stateB, stateA), -1);
    }
  }
}

void CGVTCursorControl::MoveCursor(bool cursorB) {
  CGVantrelDoc* doc = m_document;
  CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
  // Without a selected channel there is no grid to step on (its step may be an old one).
  CGVantrelNgChannel* c =
      group && group->GetSelectedChannelIndex() >= 0 ? group->GetSelectedChannel() : nullptr;
  if (!c) return;
  const CGVTTimeLabelVolume* box = cursorB ? m_timeB : m_timeA;
  PreciseTime read;
  double low = 0, high = 0;
  uint16_t status = 0;
  c->ReadMinMaxFrom(ToPrecise(box->GetTime()), &read, &low, &high, &status);
  const TickTime t = TickTime::FromPreciseTime(read);
  if (cursorB)
    doc->SetCursors(doc->GetCursorATime(), t);
  else
    doc->SetCursors(t, doc->GetCursorBTime());
  if (auto* owner = dynamic_cast<vt::GraphDocumentOwner*>(doc->GetDocument())) owner->SetModifiedFlag(true);
  doc->UpdateAll(cursorB ? HINT_CURSOR_B : HINT_CURSOR_A, doc);
}

// ---- CGVTCursorControlRoot ----

CGVTCursorControlRoot::CGVTCursorControlRoot() : vt::CGVTDialogRoot(kWidth, kHeight) {}

const SGClassInfo* CGVTCursorControlRoot::GetClassInfo() const { return GCLASS(CGVTCursorControlRoot); }

CGVTCursorControl* CGVTCursorControlRoot::Control() const {
  CGCore* c = GetFirstChild();
  return IsKindOfClass(c, GCLASS(CGVTCursorControl)) ? static_cast<CGVTCursorControl*>(c) : nullptr;
}

void CGVTCursorControlRoot::OnUpdate(int hint, void* data) {
  vt::HostWindow* host = GetHostWindow();
  CGVTCursorControl* control = Control();
  if (!host || !host->IsVisible()) {
    // Hidden, the table waits for the next attach; but a document is never kept past its
    // detaching, nor one that another has replaced.
    if (hint == HINT_REPEATERS && control) control->SetDocument(nullptr);
    return;
  }
  CGVantrelDoc* doc =
      CarriesItem(hint) ? (control ? control->GetDocument() : nullptr) : static_cast<CGVantrelDoc*>(data);
  if (auto* dialog = dynamic_cast<CDlgCursorControl*>(DialogOf(this))) {
    const CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
    dialog->SetTitle(doc ? doc->m_graphName : std::string(), group ? group->GetName() : std::string());
  }
  vt::CGVTDialogRoot::OnUpdate(hint, data);
  Redraw();
}

CGVTCursorControlRoot* CreateCursorControlRoot() {
  auto* root = new CGVTCursorControlRoot;
  new CGVTCursorControl(root);
  root->LayoutTree();
  if (CGVTCursorControl* control = root->Control()) control->RebuildTable();
  return root;
}

// ---- CDlgCursorControl ----

CDlgCursorControl::CDlgCursorControl(vt::WindowHandle parent)
    : vt::DialogWindow(kTemplateId, parent, Kind::Tool) {
  Create();
}

CDlgCursorControl::~CDlgCursorControl() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgCursorControl::OnInitDialog() {
  if (!m_root) m_root = static_cast<CGVTCursorControlRoot*>(TakePooledRoot(GCLASS(CGVTCursorControlRoot)));
  if (!m_root) m_root = CreateCursorControlRoot();
  SetTitle(std::string(), std::string());
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgCursorControl::SetTitle(const std::string& graphName, const std::string& groupName) {
  std::string title = vt::LoadString(kIdsTitle);
  if (!graphName.empty()) title += "[" + graphName + (groupName.empty() ? "" : ":" + groupName) + "]";
  SetWindowText(title);
}

vt::LResult CDlgCursorControl::WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  if (message == WM_VT_TOOLROOT) return reinterpret_cast<vt::LResult>(static_cast<CGRoot*>(m_root));
  return vt::DialogWindow::WindowProc(message, wParam, lParam);
}
