// The statistics window, its root and its gadget (see CDlgCalculate.h).
#include "document/ui/CDlgCalculate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/CGVantrelDoc.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/CGVTTimeLabelVolume.h"
#include "document/ui/ToolWindowLink.h"
#include "gadget/GLabel.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkButton.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetDigitals.h"
#include "gadget/sheet/GSkSheetLine.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WaitCursor.h"

GADGET_DEFINE_RECORD(CGVTCalculate, CGGroup)
GADGET_DEFINE_RECORD(CGVTCalculateRoot, CGVTDialogRoot)

namespace {

constexpr int kWidth = 473, kHeight = 389;
constexpr vt::ColorRef kBackColor = 0x02ECEAE6;
constexpr uint32_t kIdsSection = 3191, kIdsRecalc = 3196, kIdsTitle = 3197, kIdsCopy = 3249;
constexpr uint32_t kIdsCalculating = 32790;
constexpr uint32_t kColumnTitles[4] = {3192, 3193, 3194, 3195};
constexpr int kMsgLongRange = 10016, kMsgFailed = 10220;

vt::WindowHandle MainWindow() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetMainWindow() : 0;
}

CGVTCalculate* CalculateOf(CGPrimitive* gadget) {
  for (CGCore* c = gadget; c; c = c->GetParent())
    if (IsKindOfClass(c, GCLASS(CGVTCalculate))) return static_cast<CGVTCalculate*>(c);
  return nullptr;
}

void OnRecalcClicked(CGPrimitive* source, int, void*) {
  if (auto* dialog = dynamic_cast<CDlgCalculate*>(DialogOf(source)))
    dialog->SendCommand(CDlgCalculate::kCommandId);
}

void OnCopyClicked(CGPrimitive* source, int, void*) {
  if (CGVTCalculate* calculate = CalculateOf(source)) calculate->CopyStatistics();
}

// The channel's owner while its figures are read: everything as the document says, and the
// pending events handled whenever the walk offers (at most every 20 ms).
class PumpingOwner : public vt::NgChannelOwner {
 public:
  explicit PumpingOwner(vt::NgChannelOwner* inner) : inner_(inner) {}
  bool PadsSheetCells() const override { return inner_ ? inner_->PadsSheetCells() : true; }
  int GetNameKind() const override { return inner_ ? inner_->GetNameKind() : 0; }
  void AddBatchInUse(const vt::Guid& batch) override {
    if (inner_) inner_->AddBatchInUse(batch);
  }
  void ProcessPendingEvents() override { vt::PumpBriefly(1); }

 private:
  vt::NgChannelOwner* inner_;
};

bool AskLongRange(vt::WindowHandle owner) {
  return DisplayMessage(owner, kMsgLongRange, vt::kMbOkCancel) == vt::kIdOk;
}

uint32_t LineTitleId(int nameKind) { return nameKind == 1 ? 1010 : nameKind == 2 ? 1011 : 1012; }

std::string ChannelLineText(CGVantrelNgChannel* c, int nameKind) {
  std::string name, unit;
  c->GetName(&name, nameKind);
  c->GetUnit(&unit);
  return name + "[" + unit + "]";
}

}  // namespace

std::string StatisticsTitle(const CGVantrelDoc* doc) {
  std::string title = vt::LoadString(kIdsTitle);
  if (!doc) return title;
  const CGVantrelGroupData* group = doc->GetCurrentGroup();
  return title + "[" + doc->m_graphName + ":" + (group ? group->GetName() : std::string()) + "]";
}

// ---- CGVTCalculate ----

CGVTCalculate::CGVTCalculate(CGCore* root) : CGGroup(root, 0, 0, 0, GSTYLE_ACTIVE, kWidth, kHeight) {
  m_confirmLongRange = &AskLongRange;
  new CGLabel(this, 1, 1, 80, 45, 0, kAlignCenter, 0x02000000, kIdsSection);
  m_timeA = new CGVTTimeLabelVolume(this, 81, 1, 100, 45, kTimeAId, GSTYLE_VISIBLE);
  new CGLabel(this, 181, 1, 20, 45, 0, 0, 0, kAlignCenter, 0x02000000, 12, "-");
  m_timeB = new CGVTTimeLabelVolume(this, 201, 1, 100, 45, kTimeBId, GSTYLE_VISIBLE);
  auto* recalc = new CGSkPushButton(this, 311, 2, 150, 20, kRecalcId, GSTYLE_ACTIVE, kIdsRecalc);
  recalc->AddEventCallback(GEVENT_CLICKED, &OnRecalcClicked, nullptr, 0);
  auto* copy = new CGSkPushButton(this, 311, 25, 150, 20, kCopyId, GSTYLE_ACTIVE, kIdsCopy);
  copy->AddEventCallback(GEVENT_CLICKED, &OnCopyClicked, nullptr, 0);

  m_sheet = new CGSkSheet(this, 0, 47, kWidth, kHeight - 47, kSheetId, GSTYLE_ACTIVE, 1, 16, 0, 18);
  auto* vbar = new CGVScrollBar(m_sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 18);
  vbar->Build(1);
  auto* body = new CGSkSheetScreen(m_sheet, 0, GSTYLE_ACTIVE);
  new CGSkSColumn(m_sheet, 0, GSTYLE_ACTIVE, 20);
  m_lines = new CGSkSChannelLine(m_sheet, 12);
  m_lines->SetText(vt::LoadString(LineTitleId(0)));
  const int ids[4] = {kMinId, kMaxId, kPeakId, kMeanId};
  for (int i = 0; i < 4; ++i) m_columns[i] = new CGSkSDigitals(body, ids[i], 80, kColumnTitles[i]);
}

const SGClassInfo* CGVTCalculate::GetClassInfo() const { return GCLASS(CGVTCalculate); }

void CGVTCalculate::ForgetDocument(CGVantrelDoc* doc) {
  if (doc && doc != m_document) return;
  m_document = nullptr;
  m_nameKind = -1;
  m_lineCount = 0;
  m_timeA->SetText(std::string());
  m_timeB->SetText(std::string());
  m_sheet->SetLineCount(0);
  m_sheet->LayoutTree();
}

void CGVTCalculate::OnUpdate(int hint, void* data) {
  auto* doc = static_cast<CGVantrelDoc*>(data);
  switch (hint) {
    case HINT_STATISTICS:
      Recalculate(doc);
      return;
    case HINT_REPEATERS:
      // Another graph window: its table comes with the next calculation, never the previous
      // window's figures under its title.
      if (doc != m_document) ForgetDocument(nullptr);
      m_document = doc;
      return;
    case HINT_CURSOR_A:
    case HINT_CURSOR_B:
    case HINT_CURSORS:
      if (doc == m_document) ClearIfSectionChanged(doc);
      return;
    case HINT_DAYLIGHT_SAVING:
      m_timeA->SetTime(m_timeA->GetTime());
      m_timeB->SetTime(m_timeB->GetTime());
      LayoutTree();
      return;
    default:
      CGGroup::OnUpdate(hint, data);
  }
}

void CGVTCalculate::EmptyFigures(int lines) {
  for (CGSDigitals* column : m_columns)
    for (int i = 0; i < lines && i < column->LineCount(); ++i) column->m_statuses[size_t(i)] = 3;
}

void CGVTCalculate::ClearIfSectionChanged(CGVantrelDoc* doc) {
  if (!doc) return;
  PreciseTime a, b;
  doc->GetCursorTimes(&a, &b);
  if (a.seconds == m_sectionA.seconds && a.fraction == m_sectionA.fraction &&
      b.seconds == m_sectionB.seconds && b.fraction == m_sectionB.fraction)
    return;
  m_timeA->SetText(std::string());
  m_timeB->SetText(std::string());
  const CGVantrelGroupData* group = doc->GetCurrentGroup();
  EmptyFigures(group ? group->GetChannelCount() : 0);
}

void CGVTCalculate::Recalculate(CGVantrelDoc* doc) {
  if (m_busy) return;
  m_busy = true;
  vt::ScopedWaitCursor wait;
  m_document = doc;
  if (doc) m_nameKind = doc->GetTagMode();

  // Lines: one per shown channel of the current group.
  m_lines->SetText(vt::LoadString(LineTitleId(m_nameKind)));
  CGVantrelGroupData* group = doc ? doc->GetCurrentGroup() : nullptr;
  int shown = 0;
  for (int slot = 0; group && slot < GROUP_CHANNEL_LIMIT; ++slot)
    if (CGVantrelNgChannel* c = group->GetChannel(slot); c && c->IsShown()) ++shown;
  shown = std::min(shown, kMaxLines);
  m_sheet->SetLineCount(shown);
  m_lineCount = shown;
  int line = 0;
  for (int slot = 0; group && slot < GROUP_CHANNEL_LIMIT && line < shown; ++slot) {
    CGVantrelNgChannel* c = group->GetChannel(slot);
    if (!c || !c->IsShown()) continue;
    m_lines->SetLineText(line, ChannelLineText(c, m_nameKind));
    m_lines->SetLineColor(line, c->GetColour());
    ++line;
  }
  EmptyFigures(shown);
  m_sheet->LayoutTree();
  if (!doc || !group) {
    m_busy = false;
    return;
  }

  // Section: the cursors, else the union of the shown channels' data.
  m_timeA->SetText(std::string());
  m_timeB->SetText(std::string());
  if (doc->HasCursor()) {
    doc->GetCursorTimes(&m_sectionA, &m_sectionB);
  } else {
    bool first = true;
    for (int slot = 0; slot < GROUP_CHANNEL_LIMIT; ++slot) {
      CGVantrelNgChannel* c = group->GetChannel(slot);
      if (!c || !c->IsShown()) continue;
      PreciseTime t0, t1;
      c->GetDataRange(&t0, &t1);
      if (first || t0 < m_sectionA) m_sectionA = t0;
      if (first || t1 > m_sectionB) m_sectionB = t1;
      first = false;
    }
  }
  if (group->GetChannelCount() > 0) {
    const TickTime a = TickTime::FromPreciseTime(m_sectionA), b = TickTime::FromPreciseTime(m_sectionB);
    m_timeA->SetRange(a.ticks, a.ticks);
    m_timeA->SetTime(a);
    m_timeB->SetRange(b.ticks, b.ticks);
    m_timeB->SetTime(b);
  }

  if (doc->IsLongRange(group) && m_confirmLongRange) {
    vt::DialogWindow* dialog = DialogOf(this);
    if (dialog) dialog->EnableParent(false);
    const bool go = m_confirmLongRange(MainWindow());
    if (dialog) dialog->EnableParent(true);
    if (!go) {
      m_busy = false;
      return;
    }
  }

  vt::DialogWindow* dialog = DialogOf(this);
  std::unique_ptr<CDlgProgressbar> progress;
  if (dialog) {
    dialog->EnableParent(false);
    progress = std::make_unique<CDlgProgressbar>(dialog->GetSafeHwnd(), 0);
    progress->ShowProgressPercent(kIdsCalculating);
  }
  FillFigures(doc, progress.get());
  if (progress) {
    progress->EnableParent(true);
    progress->ShowWindow(false);
    progress.reset();
  }
  if (dialog) dialog->EnableParent(true);
  m_busy = false;
}

void CGVTCalculate::FillFigures(CGVantrelDoc* doc, CDlgProgressbar* progress) {
  CGVantrelGroupData* group = doc->GetCurrentGroup();
  PreciseTime t0 = m_sectionA, t1 = m_sectionB;
  if (t1 < t0) std::swap(t0, t1);
  const int n = group->GetChannelCount();
  int index = 0, line = 0;
  auto report = [&](int step) {
    if (progress && n > 0) progress->SetProgressPercent(double(step) / double(4 * n) * 100.0);
  };
  for (int slot = 0; slot < GROUP_CHANNEL_LIMIT && index < n; ++slot) {
    CGVantrelNgChannel* c = group->GetChannel(slot);
    if (!c) continue;
    const int k = index++;
    if (!c->IsShown()) {
      report(4 * k + 4);
      continue;
    }
    const int l = line++;
    if (l >= m_lineCount) break;
    PreciseTime d0, d1;
    c->GetDataRange(&d0, &d1);
    const bool overlaps = (t0 >= d0 && t0 <= d1) || (t1 >= d0 && t1 <= d1) || (d0 >= t0 && d1 <= t1);
    if (!overlaps) {
      report(4 * k + 4);
      continue;
    }
    for (CGSDigitals* column : m_columns) {
      column->SetLineDecimals(l, c->GetDecimals());
      column->SetLineExponent(l, c->IsExponent());
    }
    // One walk gives all three figures; the events handled meanwhile go through the owner.
    double min = 0, max = 0, mean = 0;
    uint16_t status = 0;
    vt::NgChannelOwner* owner = c->GetOwner();
    PumpingOwner pumping(owner);
    c->SetOwner(&pumping);
    c->GetStatisticsOver(t0, t1, &min, &max, &mean, &status);
    c->SetOwner(owner);
    const int state = (status >> 12) & 0xF;
    m_columns[0]->SetLineValue(l, min);
    m_columns[0]->m_statuses[size_t(l)] = state;
    report(4 * k + 1);
    m_columns[1]->SetLineValue(l, max);
    m_columns[1]->m_statuses[size_t(l)] = state;
    report(4 * k + 2);
    m_columns[2]->SetLineValue(l, max - min);
    m_columns[2]->m_statuses[size_t(l)] = state != 0 ? 3 : 0;
    report(4 * k + 3);
    if (c->GetDataKind() == DATA_SINGLE) {
      m_columns[3]->SetLineValue(l, mean);
      m_columns[3]->m_statuses[size_t(l)] = state;
    } else {
      m_columns[3]->m_statuses[size_t(l)] = 3;
    }
    report(4 * k + 4);
  }
}

std::string CGVTCalculate::GetStatisticsText() {
  auto timeText = [](CGVTTimeLabelVolume* t) {
    std::string s = t->m_text;
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
  };
  std::string text = vt::LoadString(kIdsSection) + "\t" + timeText(m_timeA) + "\r\n";
  text += "\t\t" + timeText(m_timeB) + "\r\n";
  if (m_nameKind >= 0 && m_nameKind <= 2) text += vt::LoadString(LineTitleId(m_nameKind));
  for (uint32_t id : kColumnTitles) text += "\t" + vt::LoadString(id);
  text += "\t\r\n";
  for (int i = 0; i < m_lineCount; ++i) {
    std::string cell;
    m_lines->GetLineText(i, &cell);
    text += cell;
    for (CGSDigitals* column : m_columns) {
      column->GetLineValueText(i, &cell);
      text += "\t" + cell;
    }
    text += "\t\r\n";
  }
  return text;
}

void CGVTCalculate::CopyStatistics() {
  if (!vt::CurrentDesktop().SetClipboardText(GetStatisticsText()))
    DisplayMessage(MainWindow(), kMsgFailed, vt::kMbOk);
}

// ---- CGVTCalculateRoot ----

CGVTCalculateRoot::CGVTCalculateRoot() : vt::CGVTDialogRoot(kWidth, kHeight, kBackColor) {}

const SGClassInfo* CGVTCalculateRoot::GetClassInfo() const { return GCLASS(CGVTCalculateRoot); }

CGVTCalculate* CGVTCalculateRoot::Calculate() const {
  CGCore* c = GetFirstChild();
  return IsKindOfClass(c, GCLASS(CGVTCalculate)) ? static_cast<CGVTCalculate*>(c) : nullptr;
}

void CGVTCalculateRoot::OnUpdate(int hint, void* data) {
  vt::HostWindow* host = GetHostWindow();
  const bool shown = host && host->IsVisible();
  if (!shown) {
    // Hidden, it does no work; but a document that detaches is never kept.
    if (hint == HINT_REPEATERS && Calculate()) Calculate()->ForgetDocument(nullptr);
    return;
  }
  if (hint == HINT_REPEATERS)
    if (vt::DialogWindow* dialog = DialogOf(this))
      dialog->SetWindowText(StatisticsTitle(static_cast<CGVantrelDoc*>(data)));
  vt::CGVTDialogRoot::OnUpdate(hint, data);
  Redraw();
}

void CGVTCalculateRoot::OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) {
  if (repeat < 2 && (vk & 0xFF) == 'C' && vt::CurrentDesktop().IsKeyDown(vt::kVkControl) &&
      !vt::CurrentDesktop().IsKeyDown(vt::kVkShift))
    if (CGVTCalculate* calculate = Calculate()) calculate->CopyStatistics();
  vt::CGVTDialogRoot::OnKeyDown(vk, repeat, flags);
}

CGVTCalculateRoot* CreateCalculateRoot() {
  auto* root = new CGVTCalculateRoot;
  new CGVTCalculate(root);
  root->LayoutTree();
  return root;
}

// ---- CDlgCalculate ----

CDlgCalculate::CDlgCalculate(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent, Kind::Tool) {
  Create();
}

CDlgCalculate::~CDlgCalculate() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgCalculate::OnInitDialog() {
  if (!m_root) m_root = static_cast<CGVTCalculateRoot*>(TakePooledRoot(GCLASS(CGVTCalculateRoot)));
  if (!m_root) m_root = CreateCalculateRoot();
  SetWindowText(StatisticsTitle(nullptr));
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgCalculate::SetDocument(CGVantrelDoc* doc) {
  if (!m_root) return;
  SetWindowText(StatisticsTitle(doc));
  m_root->OnUpdate(HINT_STATISTICS, doc);
}

void CDlgCalculate::SendCommand(int id) {
  if (commandSink) commandSink(id);
}

vt::LResult CDlgCalculate::WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  if (message == WM_VT_TOOLROOT) return reinterpret_cast<vt::LResult>(static_cast<CGRoot*>(m_root));
  return vt::DialogWindow::WindowProc(message, wParam, lParam);
}
