// CGVantrelListRoot: the two list pages, their header buttons and column widths, sorting, and
// the row selection that moves the document's cursors (see CGVantrelListRoot.h).
#include "document/ui/CGVantrelListRoot.h"

#include <algorithm>
#include <new>

#include "document/ui/AlarmList.h"
#include "document/ui/AlarmListArt.h"
#include "document/ui/MarkList.h"
#include "document/ui/VTFlatButton.h"
#include "gadget/GPageController.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/sheet/GList.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVantrelListRoot, CGSkRoot)

namespace {

constexpr int kShown = 3;
constexpr vt::ColorRef kListBack = 0x025E5E5E;
constexpr int kBarWidth = 16, kHeaderHeight = 18, kRowStep = 18;
constexpr uint32_t kIdsAlarmPage = 3215, kIdsMarkPage = 3216;
constexpr uint32_t kIdsChannelNumber = 1012, kIdsTagName = 1010, kIdsTagNo = 1011;

// One header column: its caption, width (0 for the stretching one) and the items' sort column.
struct Column {
  uint32_t caption;
  int width;
  int sortColumn;
};
constexpr Column kAlarmColumns[] = {
    {3205, 84, 4}, {1012, 0, 1}, {3218, 70, 2}, {3217, 128, 3}, {618, 182, 5}};
constexpr Column kMarkColumns[] = {{618, 182, 1}, {3109, 154, 2}, {3110, 0, 3},
                                   {617, 98, 4},  {3108, 98, 5},  {3219, 182, 6}};
constexpr int kAlarmColumnCount = int(std::size(kAlarmColumns));
constexpr int kMarkColumnCount = int(std::size(kMarkColumns));

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

}  // namespace

CGVantrelListRoot* ListRootOf(CGCore* gadget) {
  CGCore* root = gadget ? gadget->GetRoot() : nullptr;
  return root && IsKindOfClass(root, GCLASS(CGVantrelListRoot)) ? static_cast<CGVantrelListRoot*>(root)
                                                                : nullptr;
}

CGVantrelListRoot::CGVantrelListRoot(CGVantrelDoc* doc, vt::HostWindow* host)
    : CGSkRoot(doc, host, 1), doc_(doc) {}

const SGClassInfo* CGVantrelListRoot::GetClassInfo() const { return GCLASS(CGVantrelListRoot); }

CGVantrelListRoot* CGVantrelListRoot::Create(vt::HostWindow* host, CGVantrelDoc* doc) {
  auto* root = new (std::nothrow) CGVantrelListRoot(doc, host);
  if (!root) return nullptr;
  if (host) {
    const vt::Rect r = host->ClientRect();
    root->SetSize(r.right - r.left, r.bottom - r.top);
  }
  root->Build();
  root->controller_->SetValue(kAlarmPage);
  root->OnUpdate(HINT_REPEATERS, doc);
  root->LayoutTree();
  root->SetColumnWidths();
  return root;
}

CGListScreen* CGVantrelListRoot::MakePage(int page) {
  auto* tab = new CGSkTabPage(controller_, kShown, 80,
                              vt::LoadString(page == kAlarmPage ? kIdsAlarmPage : kIdsMarkPage));
  auto* list = new CGList(tab);
  list->SetOpaque(1);
  list->SetBackColor(kListBack);
  list->m_barWidth = kBarWidth;
  auto* strip = new CGGroup(list, 0, 0, 0, GSTYLE_ACTIVE, 10, kHeaderHeight, 0, 1, kListBack);
  auto* header = new CGSkRowColumn(strip, 0, 0, 0, GSTYLE_ACTIVE, 10, kHeaderHeight);
  header->mode = kRowColumnLeftToRight;
  header->SetOpaque(1);
  list->m_header = header;
  (new CGSkVScrollBar(list, 0, 0, page == kAlarmPage ? kAlarmBarId : kMarkBarId, GSTYLE_ACTIVE, kBarWidth,
                      kBarWidth, kRowStep))
      ->Build(1);
  (new CGSkHScrollBar(list, 0, 0, 0, GSTYLE_ACTIVE, kBarWidth, kBarWidth, kRowStep))->Build(1);
  CGListScreen* screen = page == kAlarmPage
                             ? static_cast<CGListScreen*>(alarms_ = new CGVTListScreenAlarm(list))
                             : static_cast<CGListScreen*>(marks_ = new CGVTListScreenMark(list));
  screen->AddEventCallback(GEVENT_CHANGED, &OnSelectionChanged, nullptr, 0);
  const Column* columns = page == kAlarmPage ? kAlarmColumns : kMarkColumns;
  const int count = page == kAlarmPage ? kAlarmColumnCount : kMarkColumnCount;
  const int firstId = page == kAlarmPage ? kFirstAlarmButtonId : kFirstMarkButtonId;
  for (int i = 0; i < count; ++i) {
    auto* button = new CGVTFlatButton(columns[i].width, firstId + i, header, columns[i].caption);
    button->AddEventCallback(GEVENT_CLICKED, &OnHeaderClicked, nullptr, 0);
  }
  return screen;
}

void CGVantrelListRoot::Build() {
  // The alarm screen takes its type icons when it is made.
  RegisterAlarmTypeIcons();
  controller_ = new CGSkPageController(this, 0, 0, 0, kShown, 0, 0, 200);
  controller_->SetBackColor(kListBack);
  controller_->CreateTabScrollButtons(1);
  MakePage(kAlarmPage);
  MakePage(kMarkPage);
  SetChannelCaption();
}

void CGVantrelListRoot::Layout() {
  if (CGPrimitive* first = static_cast<CGPrimitive*>(GetFirstChild()))
    first->SetBounds(0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
}

CGList* CGVantrelListRoot::GetList(int page) const {
  CGListScreen* screen = page == kAlarmPage ? static_cast<CGListScreen*>(alarms_) : marks_;
  return screen ? static_cast<CGList*>(screen->GetParent()) : nullptr;
}

void CGVantrelListRoot::SetColumnWidths() {
  for (int page : {kAlarmPage, kMarkPage}) {
    CGList* list = GetList(page);
    if (!list || !list->m_header) continue;
    // The screen's own width: the list's less its frame, margin and a shown vertical bar. The
    // root's width would overshoot by the tab page's frame and always scroll.
    const int width = list->m_body ? list->m_body->Rect().Width() : 0;
    const bool alarms = page == kAlarmPage;
    const int stretch = alarms ? std::max(kAlarmStretchMin, width - kAlarmFixed)
                               : std::max(kMarkStretchMin, width - kMarkFixed);
    if (alarms)
      alarms_->m_channelWidth = stretch;
    else
      marks_->m_commentWidth = stretch;
    const Column* columns = alarms ? kAlarmColumns : kMarkColumns;
    int total = 0, i = 0;
    for (CGCore* c = list->m_header->GetFirstChild(); c; c = list->m_header->NextChild(c), ++i) {
      const int w = columns[i].width ? columns[i].width : stretch;
      static_cast<CGPrimitive*>(c)->SetWidth(w);
      total += w;
    }
    list->m_header->SetWidth(total);
    list->LayoutTree();
  }
}

void CGVantrelListRoot::SetChannelCaption() {
  auto* button = static_cast<CGPrimitive*>(FindById(kAlarmChannelButtonId));
  if (!button) return;
  const int kind = doc_ ? doc_->GetTagMode() : 0;
  button->SetText(vt::LoadString(kind == 0 ? kIdsChannelNumber : kind == 2 ? kIdsTagNo : kIdsTagName));
}

void CGVantrelListRoot::Repaint() {
  LayoutTree();
  SetColumnWidths();
  Redraw();
}

void CGVantrelListRoot::OnUpdate(int hint, void* data) {
  switch (hint) {
    case HINT_REPEATERS:
    case HINT_RELOADED:
    case HINT_TIME_POSITION:
      // The screens take their rows from the document's managers again.
      CGSkRoot::OnUpdate(HINT_REPEATERS, data);
      Repaint();
      break;
    case HINT_MARK_ADDED:
    case HINT_MARKS_DELETED:
    case HINT_DAYLIGHT_SAVING:
    case HINT_MARK_CHANGED:
      // The rings changed (released items may be gone): the screens must hear it before they
      // draw a row again.
      CGSkRoot::OnUpdate(hint, data);
      Repaint();
      break;
    case HINT_TAG_MODE:
      LayoutTree();
      SetColumnWidths();
      SetChannelCaption();
      CGSkRoot::OnUpdate(hint, data);
      Redraw();
      break;
    case HINT_ALARMS_SHOWN:
    case HINT_LEGEND_SHOWN:
    case HINT_COLOURS:
    case HINT_CHANNEL_SELECTED:
      break;
    default:
      CGSkRoot::OnUpdate(hint, data);
      break;
  }
}

void CGVantrelListRoot::OnSize(int32_t cx, int32_t cy) {
  CGSkRoot::OnSize(cx, cy);
  SetSize(cx, cy);
  LayoutTree();
  SetColumnWidths();
}

void CGVantrelListRoot::ActivateWindow() { BringOwnerToFront(); }

void CGVantrelListRoot::SortByColumn(int page, int column) {
  if (page != kAlarmPage && page != kMarkPage) return;
  CGSortCore* items = page == kAlarmPage ? static_cast<CGSortCore*>(doc_->GetAlarmDataManager())
                                         : static_cast<CGSortCore*>(doc_->GetMarkDataManager());
  CGListScreen* screen = page == kAlarmPage ? static_cast<CGListScreen*>(alarms_) : marks_;
  if (!items || !screen || column < 1 || column > 31) return;
  uint32_t& bits = descending_[std::size_t(page)];
  const uint32_t bit = uint32_t(1) << column;
  items->Sort(bits & bit ? -column : column);
  bits ^= bit;
  // The screen's row array follows the new order; its marker lines go.
  screen->OnUpdate(0, nullptr);
  screen->m_firstLine = screen->m_secondLine = -1;
  screen->Redraw();
  screen->Flush();
}

void CGVantrelListRoot::OnHeaderClicked(CGPrimitive* source, int, void*) {
  CGVantrelListRoot* root = ListRootOf(source);
  if (!root) return;
  const int id = source->GetId();
  if (id >= kFirstAlarmButtonId && id < kFirstAlarmButtonId + kAlarmColumnCount)
    root->SortByColumn(kAlarmPage, kAlarmColumns[id - kFirstAlarmButtonId].sortColumn);
  else if (id >= kFirstMarkButtonId && id < kFirstMarkButtonId + kMarkColumnCount)
    root->SortByColumn(kMarkPage, kMarkColumns[id - kFirstMarkButtonId].sortColumn);
}

void CGVantrelListRoot::OnSelectionChanged(CGPrimitive* source, int, void*) {
  CGVantrelListRoot* root = ListRootOf(source);
  if (!root || !IsKindOfClass(source, GCLASS(CGListScreen))) return;
  auto* screen = static_cast<CGListScreen*>(source);
  CGVantrelDoc* doc = root->doc_;
  int hint = 0;
  if (doc->SetCursorsFromTimes(ToPrecise(screen->GetSelectedBeginTime()),
                               ToPrecise(screen->GetSelectedEndTime()))) {
    if (auto* owner = static_cast<vt::GraphDocumentOwner*>(doc->GetDocument())) owner->SetModifiedFlag(true);
    hint = HINT_CURSORS;
  }
  doc->UpdateAllExceptWindow(root->GetHostWindow(), hint, doc);
  // The other page selects its rows between the same cursors.
  CGListScreen* other = screen == root->alarms_ ? static_cast<CGListScreen*>(root->marks_)
                                                : static_cast<CGListScreen*>(root->alarms_);
  if (other && hint) other->OnUpdate(hint, doc);
}
