// The mark list screen (see MarkList.h).
#include "document/ui/MarkList.h"

#include <algorithm>

GADGET_DEFINE_RECORD(CGVTListScreenMark, CGListScreen)

namespace {
constexpr vt::ColorRef kPrintText = 0x02000000;
// Fixed columns; the comment column after the title takes the owner's width.
constexpr int kTimeWidth = 182, kTitleWidth = 154, kUserWidth = 98, kGroupsWidth = 98, kOperationWidth = 182;
constexpr int kTitleFit = 150, kUserFit = 90, kGroupsFit = 90;
constexpr int kInset = 4;
constexpr int kNoFit = ListRowCells::kNoFit;
// The fixed columns plus 259 pixels of comment column.
constexpr int kMinimumWidth = 973;
}  // namespace

CGVTListScreenMark::CGVTListScreenMark(CGCore* parent) : CGListScreen(parent, 1133) { m_frameStyle = 1; }

CGVTListScreenMark::~CGVTListScreenMark() = default;

const SGClassInfo* CGVTListScreenMark::GetClassInfo() const { return GCLASS(CGVTListScreenMark); }

void CGVTListScreenMark::TakeSource(CGVantrelDoc* doc) {
  m_source = doc->GetMarkDataManager();
  m_items.SetSource(m_source);
}

void CGVTListScreenMark::OnUpdate(int hint, void* data) {
  // Every broadcast may follow a change of the ring.
  m_items.MarkStale();
  auto* doc = static_cast<CGVantrelDoc*>(data);
  switch (hint) {
    case 4:
    case 10:
    case 15:
    case 16:
      if (doc) {
        TakeSource(doc);
        SelectByTime(doc->GetCursorATime(), doc->GetCursorBTime());
      }
      RelayoutList();
      CGListScreen::OnUpdate(hint, data);
      break;
    case 8:
    case 9:
    case 22:
    case 29:
      if (doc) SelectByTime(doc->GetCursorATime(), doc->GetCursorBTime());
      RelayoutList();
      CGListScreen::OnUpdate(hint, data);
      break;
    default:
      CGListScreen::OnUpdate(hint, data);
      break;
  }
}

void CGVTListScreenMark::SelectByTime(TickTime first, TickTime second) {
  m_firstTime = first;
  m_secondTime = second;
  if (first.ticks < 0 || second.ticks < 0) {
    m_firstLine = m_secondLine = -1;
    return;
  }
  const TickTime lo = std::min(first, second), hi = std::max(first, second);
  const int n = GetRowCount();
  int i1 = 0;
  while (i1 < n && m_items.At(i1)->GetTime() < lo) ++i1;
  int i2 = i1;
  while (i2 < n && !(hi < m_items.At(i2)->GetTime())) ++i2;
  if (first < second) {
    m_firstLine = i1;
    m_secondLine = i2;
  } else {
    m_firstLine = i2;
    m_secondLine = i1;
  }
  ClampLinesToRowCount();
}

void CGVTListScreenMark::SelectRange(int a, int b) { vt::SelectRowsByTime(this, &m_items, a, b); }

bool CGVTListScreenMark::IsRowSelected(int row) {
  const CGVantrelMarkData* item = m_items.At(row);
  if (!item) return false;
  const TickTime t = item->GetTime();
  const TickTime lo = std::min(m_firstTime, m_secondTime), hi = std::max(m_firstTime, m_secondTime);
  return !(t < lo) && !(hi < t);
}

int32_t CGVTListScreenMark::GetContentWidth() { return std::max(m_rect.Width(), kMinimumWidth); }

void CGVTListScreenMark::DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected) {
  const CGVantrelMarkData* item = m_items.At(row);
  if (!item) return;
  // Entries 4 and 5 in an active list, 6 and 7 otherwise.
  const int colour = (m_style == GSTYLE_ACTIVE ? 4 : 6) + (selected ? 1 : 0);
  ListRowCells cells(dc, rect, g_listColors[colour], ListFont());
  cells.Text(kTimeWidth, kInset, kNoFit, item->GetTimeText());
  cells.Text(kTitleWidth, 0, kTitleFit, item->GetTitle());
  cells.Text(m_commentWidth, 0, m_commentWidth - kInset, item->GetComment());
  cells.Text(kUserWidth, kInset, kUserFit, item->GetUserName());
  cells.Text(kGroupsWidth, kInset, kGroupsFit, item->GetGroupText());
  cells.Text(kOperationWidth, kInset, kNoFit, item->GetOperationTimeText());
}

void CGVTListScreenMark::BuildPrintRows() {
  m_printRows.clear();
  const int n = GetRowCount();
  for (int i = 0; i < n; ++i) {
    if (m_printSelection && !IsRowSelected(i)) continue;
    const CGVantrelMarkData* item = m_items.At(i);
    m_printRows.push_back({item->GetTimeText(), item->GetTitle(), item->GetComment(), item->GetUserName(),
                           item->GetGroupText(), item->GetOperationTimeText()});
  }
}

void CGVTListScreenMark::PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags) {
  (void)flags;
  if (printRow < 0 || printRow >= GetPrintRowCount()) return;
  const std::array<std::string, 6>& texts = m_printRows[std::size_t(printRow)];
  const int s = GetPrintScale();
  ListRowCells cells(dc, rect, kPrintText, PrintFont());
  cells.Text(kTimeWidth * s, kInset * s, kNoFit, texts[0]);
  cells.Text(kTitleWidth * s, 0, kTitleFit * s, texts[1]);
  cells.Text(m_printCommentWidth, 0, m_printCommentWidth - kInset * s, texts[2]);
  cells.Text(kUserWidth * s, kInset * s, kUserFit * s, texts[3]);
  cells.Text(kGroupsWidth * s, kInset * s, kGroupsFit * s, texts[4]);
  cells.Text(kOperationWidth * s, kInset * s, kNoFit, texts[5]);
}
