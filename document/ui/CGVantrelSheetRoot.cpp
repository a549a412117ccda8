// CGVantrelSheetRoot: building the tab row, binding the sheet to the current group, the hint
// table and the trend sheet's hooks (see CGVantrelSheetRoot.h).
#include "document/ui/CGVantrelSheetRoot.h"

#include <vector>

#include "document/ui/CGVantrelGraphRoot.h"
#include "document/ui/GroupTabPages.h"
#include "document/ui/MarkEditor.h"
#include "gadget/GPageController.h"
#include "platform/gui/HostWindow.h"
#include "trend/NgHooks.h"
#include "trend/NgSheet.h"
#include "trend/NgSheetTimeLine.h"

GADGET_DEFINE_RECORD(CGVantrelSheetRoot, CGSkRoot)

namespace {

constexpr int kGroupCount = 50;
constexpr int kShown = 3;
constexpr int kMaxTabWidth = 256;
constexpr uint32_t kIdsTime = 5001;

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

void SetPageTitle(CGTabPage* page, const std::string& name) {
  page->m_title = name;
  page->SetHelpText((name + "\n" + name).c_str());
}

}  // namespace

CGVantrelSheetRoot* SheetRootOf(CGCore* gadget) {
  CGCore* root = gadget ? gadget->GetRoot() : nullptr;
  return root && IsKindOfClass(root, GCLASS(CGVantrelSheetRoot)) ? static_cast<CGVantrelSheetRoot*>(root)
                                                                 : nullptr;
}

CGVantrelSheetRoot::CGVantrelSheetRoot(CGVantrelDoc* doc, vt::HostWindow* host)
    : CGSkRoot(doc, host, 1), doc_(doc) {}

const SGClassInfo* CGVantrelSheetRoot::GetClassInfo() const { return GCLASS(CGVantrelSheetRoot); }

void CGVantrelSheetRoot::Build() {
  SetNgSheetSkin(DefaultNgSheetSkin());
  SetNgSheetBitmaps(DefaultNgSheetBitmaps());
  SetNgSheetTimeTitleIds(kIdsTime, 0);
  SetNgSheetMarkClickCallback(&OnMarkClickHook);
  SetNgSheetColumnSelectCallback(&OnColumnSelectHook);
  SetNgSheetRowSelectCallback(&OnRowSelectHook);

  controller_ = vt::BuildGroupTabPages(this, doc_, kMaxTabWidth);
  controller_->AddEventCallback(GEVENT_CHANGED, &OnTabChanged, nullptr, 0);
}

void CGVantrelSheetRoot::Layout() {
  if (CGPrimitive* first = static_cast<CGPrimitive*>(GetFirstChild()))
    first->SetBounds(0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
}

CGNgSDigital* CGVantrelSheetRoot::FindSheet() const {
  return static_cast<CGNgSDigital*>(FindByClass(GCLASS(CGNgSDigital)));
}

void CGVantrelSheetRoot::MarkModified() {
  if (auto* owner = static_cast<vt::GraphDocumentOwner*>(doc_->GetDocument())) owner->SetModifiedFlag(true);
}

void CGVantrelSheetRoot::Repaint() {
  LayoutTree();
  Redraw();
}

void CGVantrelSheetRoot::ScrollToTime(PreciseTime t) {
  CGNgSDigital* sheet = FindSheet();
  if (!sheet || !sheet->m_timeSource || t.seconds == -1) return;
  const int row = sheet->m_timeSource->FindRow(t);
  if (row >= 0) sheet->ScrollToLine(row);
}

void CGVantrelSheetRoot::ApplyCursors(bool toCursorB) {
  CGNgSDigital* sheet = FindSheet();
  if (!sheet) return;
  PreciseTime a, b;
  if (doc_->GetCursorTimes(&a, &b) == -1) {
    sheet->SetSelectionTimes(PreciseTime{-1, 0.0}, PreciseTime{-1, 0.0});
    return;
  }
  sheet->SetSelectionTimes(a, b);
  const TickTime on = toCursorB ? doc_->GetCursorBTime() : doc_->GetCursorATime();
  if (on.ticks != 0) ScrollToTime(ToPrecise(on));
}

void CGVantrelSheetRoot::ShowCurrentGroup(bool toTimePosition) {
  if (!controller_) return;
  for (int i = 0; i < kGroupCount; ++i) {
    CGTabPage* page = controller_->PageAt(i);
    CGVantrelGroupData* g = doc_->GetGroup(i);
    if (!page || !g) continue;
    page->SetStyle(g->GetChannelCount() > 0 ? kShown : 0);
    SetPageTitle(page, g->GetName());
  }
  const int current = doc_->GetCurrentGroupIndex();
  controller_->SetValue(current);
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  CGTabPage* page = controller_->PageAt(current);
  CGNgSDigital* sheet = FindSheet();
  if (!g || !page) return;
  if (g->GetChannelCount() == 0) {
    if (sheet && sheet->GetParent() == page) sheet->Release();
    Repaint();
    return;
  }
  if (!sheet) {
    sheet = new CGNgSDigital(page, 0, 0, 0, 0, current, kShown, 1, 16, 0, 18);
    sheet->Build();
  } else {
    sheet->Detach();
    sheet->LinkAsLastChild(page);
    sheet->SetStyle(kShown);
  }
  sheet->SetId(current);

  channels_.clear();
  for (int i = 0; i < g->GetChannelCount(); ++i) channels_.push_back(g->GetChannel(i));
  sheet->SetChannels(int(channels_.size()), channels_.data());
  sheet->SelectColumn(g->GetSelectedChannelIndex());
  CGVantrelNgTime& rows = g->EnsureRowTime();
  sheet->SetTimeSource(&rows);
  g->SetRowMarks(doc_->GetMarkDataManager());
  sheet->SetLineCount(rows.GetRowCount());
  sheet->ResetSelection(1);
  sheet->ShowAlarms(doc_->m_alarmsShown);
  sheet->SetPadding(doc_->m_sheetPadding);
  sheet->SetNameKind(doc_->m_tagMode);
  PreciseTime a, b;
  if (doc_->GetCursorTimes(&a, &b) == -1) a = b = PreciseTime{-1, 0.0};
  sheet->SetSelectionTimes(a, b);
  doc_->ShowSelectedChannelProperties();
  LayoutTree();
  const TickTime to = toTimePosition ? doc_->GetTimePosition() : doc_->GetCursorBTime();
  if (to.ticks != 0) ScrollToTime(ToPrecise(to));
  Redraw();
}

void CGVantrelSheetRoot::OnUpdate(int hint, void* data) {
  CGNgSDigital* sheet = FindSheet();
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  switch (hint) {
    case HINT_CURSOR_A:
      ApplyCursors(false);
      Repaint();
      break;
    case HINT_CURSOR_B:
    case HINT_CURSORS:
      ApplyCursors(true);
      Repaint();
      break;
    case HINT_RELOADED:
      if (data) ShowCurrentGroup(false);
      break;
    case HINT_TIME_POSITION:
      if (data) ShowCurrentGroup(true);
      break;
    case HINT_MARK_ADDED:
    case HINT_MARKS_DELETED:
    case HINT_MARK_CHANGED:
      if (g) g->SetRowMarks(doc_->GetMarkDataManager());
      Repaint();
      break;
    case HINT_TAG_MODE:
      if (sheet) sheet->SetNameKind(doc_->m_tagMode);
      Repaint();
      break;
    case HINT_ALARMS_SHOWN:
      if (sheet) sheet->ShowAlarms(doc_->m_alarmsShown);
      Repaint();
      break;
    case HINT_DAYLIGHT_SAVING:
      Repaint();
      break;
    case HINT_CHANNEL_SELECTED:
      if (sheet && g) {
        sheet->SelectColumn(g->GetSelectedChannelIndex());
        sheet->LayoutTree();
        sheet->Redraw();
      }
      break;
    default:
      CGSkRoot::OnUpdate(hint, data);
      break;
  }
}

void CGVantrelSheetRoot::OnSize(int32_t cx, int32_t cy) {
  CGSkRoot::OnSize(cx, cy);
  SetSize(cx, cy);
  LayoutTree();
}

void CGVantrelSheetRoot::Copy() { doc_->CopyCursorRangeToClipboard(); }

void CGVantrelSheetRoot::ActivateWindow() { BringOwnerToFront(); }

void CGVantrelSheetRoot::SetPadding(int mode) {
  CGNgSDigital* sheet = FindSheet();
  if (!sheet) return;
  doc_->m_sheetPadding = uint8_t(mode);
  MarkModified();
  sheet->SetPadding(mode);
  Repaint();
}

void CGVantrelSheetRoot::StepTabRow() {
  const int current = doc_->GetCurrentGroupIndex();
  controller_->SetValue(current);
  if (CGTabPage* page = controller_->PageAt(current)) {
    SetPageTitle(page, doc_->GetCurrentGroup() ? doc_->GetCurrentGroup()->GetName() : std::string());
    page->SetStyle(kShown);
  }
}

void CGVantrelSheetRoot::AppendGroup() {
  const int first = doc_->FirstEmptyGroup();
  doc_->SetCurrentGroup(first < 0 ? 0 : first);
  StepTabRow();
  Repaint();
  // The graph view's tab row takes the same step; its panel stays as it is.
  for (CGCore* c = doc_->GetFirstChild(); c; c = doc_->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGVantrelGraphRoot))) {
      auto* graph = static_cast<CGVantrelGraphRoot*>(c);
      CGSkPageController* tabs = graph->GetPageController();
      if (!tabs) continue;
      tabs->SetValue(doc_->GetCurrentGroupIndex());
      if (CGTabPage* page = tabs->PageAt(doc_->GetCurrentGroupIndex())) {
        SetPageTitle(page, doc_->GetCurrentGroup() ? doc_->GetCurrentGroup()->GetName() : std::string());
        page->SetStyle(kShown);
      }
      graph->LayoutTree();
      graph->Redraw();
    }
}

void CGVantrelSheetRoot::FollowAppendedGroup() {
  if (!controller_) return;
  StepTabRow();
  if (CGTabPage* page = controller_->PageAt(doc_->GetCurrentGroupIndex()))
    if (auto* sheet = static_cast<CGPrimitive*>(page->FindByClass(GCLASS(CGNgSDigital)))) sheet->SetStyle(0);
  Repaint();
}

bool CGVantrelSheetRoot::CanPrint() {
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  return g && g->GetChannelCount() > 0 && g->EnsureRowTime().GetRowCount() <= kPrintRowLimit;
}

// ---- hooks ----

void CGVantrelSheetRoot::OnMarkClickHook(CGPrimitive* source, int, int) {
  CGVantrelSheetRoot* root = SheetRootOf(source);
  CGNgSDigital* sheet = root ? root->FindSheet() : nullptr;
  CGVantrelGroupData* g = root ? root->doc_->GetCurrentGroup() : nullptr;
  if (!sheet || !g || sheet->m_timeSource != &g->GetRowTime()) return;
  SNgMarkData record;
  if (!g->GetRowTime().GetRowFirstMark(sheet->m_selectionFirst, &record)) return;
  vt_ui::EditDocumentMark(root->doc_, root->GetHostWindow(), record);
}

void CGVantrelSheetRoot::OnColumnSelectHook(CGPrimitive* source, int, int) {
  CGVantrelSheetRoot* root = SheetRootOf(source);
  CGNgSDigital* sheet = root ? root->FindSheet() : nullptr;
  CGVantrelGroupData* g = root ? root->doc_->GetCurrentGroup() : nullptr;
  if (!sheet || !g || sheet->GetSelectedColumn() == g->GetSelectedChannelIndex()) return;
  root->MarkModified();
  g->SetSelectedChannelIndex(sheet->GetSelectedColumn());
  root->doc_->ShowSelectedChannelProperties();
  root->doc_->UpdateAllExceptWindow(root->GetHostWindow(), HINT_CHANNEL_SELECTED, root->doc_);
}

void CGVantrelSheetRoot::OnRowSelectHook(CGPrimitive* source, int, int) {
  CGVantrelSheetRoot* root = SheetRootOf(source);
  CGNgSDigital* sheet = root ? root->FindSheet() : nullptr;
  if (!sheet) return;
  PreciseTime first{-1, 0.0}, last{-1, 0.0};
  sheet->GetSelectionTimes(&first, &last);
  if (!root->doc_->SetCursorsFromTimes(first, last)) return;
  root->MarkModified();
  root->doc_->UpdateAllExceptWindow(root->GetHostWindow(), HINT_CURSORS, root->doc_);
}

void CGVantrelSheetRoot::OnTabChanged(CGPrimitive* source, int, void*) {
  CGVantrelSheetRoot* root = SheetRootOf(source);
  if (!root) return;
  CGVantrelDoc* doc = root->doc_;
  int index = 0;
  root->controller_->GetValue(&index);
  if (index == doc->GetCurrentGroupIndex()) return;
  doc->SetCurrentGroup(index);
  root->MarkModified();
  doc->UpdateAll(HINT_RELOADED, doc);
  root->MarkModified();
}
