// The alarm list screen (see AlarmList.h).
#include "document/ui/AlarmList.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/Bitmap.h"

GADGET_DEFINE_RECORD(CGVTListScreenAlarm, CGListScreen)

namespace {
constexpr vt::ColorRef kText = 0x02000000;
constexpr vt::ColorRef kSelectedText = 0x02FFFFFF;
// Fixed columns; the channel column between status and level takes the owner's width.
constexpr int kStatusWidth = 84, kLevelWidth = 70, kTypeWidth = 112, kIconWidth = 16, kTimeWidth = 182;
// The printed type column also takes the icon's place.
constexpr int kPrintTypeWidth = kTypeWidth + kIconWidth;
constexpr int kInset = 4;
constexpr int kNoFit = ListRowCells::kNoFit;
// The fixed columns plus 203 pixels of channel column.
constexpr int kMinimumWidth = 667;
}  // namespace

CGVTListScreenAlarm::CGVTListScreenAlarm(CGCore* parent) : CGListScreen(parent, 1132) {
  m_frameStyle = 1;
  if (g_rootMaster) {
    m_iconImage = g_rootMaster->GetBitmap(kAlarmTypeIconsId);
    m_iconMask = g_rootMaster->GetBitmap(kAlarmTypeIconsMaskId);
  }
}

CGVTListScreenAlarm::~CGVTListScreenAlarm() = default;

const SGClassInfo* CGVTListScreenAlarm::GetClassInfo() const { return GCLASS(CGVTListScreenAlarm); }

void CGVTListScreenAlarm::SelectCursorRange(CGVantrelDoc* doc) {
  PreciseTime a{-1, 0.0}, b{-1, 0.0};
  doc->GetCursorTimes(&a, &b);
  SelectByTime(TickTime::FromPreciseTime(a), TickTime::FromPreciseTime(b));
}

void CGVTListScreenAlarm::OnUpdate(int hint, void* data) {
  // Every broadcast may follow a change of the ring.
  m_items.MarkStale();
  auto* doc = static_cast<CGVantrelDoc*>(data);
  switch (hint) {
    case 4:
      if (doc) {
        m_source = doc->GetAlarmDataManager();
        m_items.SetSource(m_source);
        SelectCursorRange(doc);
      }
      CGListScreen::OnUpdate(hint, data);
      RelayoutList();
      break;
    case 5:
    case 6:
    case 7:
    case 18:  // the tag display mode changes the channel column
      CGListScreen::OnUpdate(hint, data);
      RelayoutList();
      break;
    case 8:
    case 9:
    case 22:
    case 29:
      if (doc) SelectCursorRange(doc);
      CGListScreen::OnUpdate(hint, data);
      RelayoutList();
      break;
    default:
      CGListScreen::OnUpdate(hint, data);
      break;
  }
}

void CGVTListScreenAlarm::SelectByTime(TickTime first, TickTime second) {
  m_selBeginTime = second < first ? second : first;
  m_selEndTime = second < first ? first : second;
  m_firstLine = m_secondLine = -1;
}

void CGVTListScreenAlarm::SelectRange(int a, int b) { vt::SelectRowsByTime(this, &m_items, a, b); }

bool CGVTListScreenAlarm::IsRowSelected(int row) {
  const CGVantrelAlarmData* item = m_items.At(row);
  if (!item) return false;
  const TickTime t = item->GetTime();
  return !(t < m_selBeginTime) && !(m_selEndTime < t);
}

int32_t CGVTListScreenAlarm::GetContentWidth() { return std::max(m_rect.Width(), kMinimumWidth); }

int CGVTListScreenAlarm::GetIconIndex(int32_t alarmType) {
  return alarmType >= kAlarmTypeHigh && alarmType <= kAlarmTypeDelayLow ? alarmType : 0;
}

void CGVTListScreenAlarm::DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected) {
  const CGVantrelAlarmData* item = m_items.At(row);
  if (!item) return;
  ListRowCells cells(dc, rect, selected ? kSelectedText : kText, ListFont());
  cells.Text(kStatusWidth, kInset, kNoFit, item->GetStatusText());
  cells.Text(m_channelWidth, kInset, m_channelWidth - 2 * kInset, item->GetChannelLabel());
  cells.Text(kLevelWidth, kInset, kNoFit, item->GetLevelText());
  cells.Text(kTypeWidth, kInset, kNoFit, item->GetTypeText());
  const vt::Rect iconCell = cells.Next(kIconWidth);
  if (const int icon = GetIconIndex(item->GetAlarmType()); icon != 0 && m_iconImage)
    DrawBitmapCellTransparent(dc, iconCell, m_iconImage->GetBitmap(),
                              m_iconMask ? m_iconMask->GetBitmap() : nullptr, icon, kAlarmTypeIconSize,
                              kAlarmTypeIconSize);
  cells.Text(kTimeWidth, 0, kNoFit, item->GetTimeText());
}

void CGVTListScreenAlarm::BuildPrintRows() {
  m_printRows.clear();
  const int n = GetRowCount();
  for (int i = 0; i < n; ++i) {
    if (m_printSelection && !IsRowSelected(i)) continue;
    const CGVantrelAlarmData* item = m_items.At(i);
    m_printRows.push_back({item->GetStatusText(), item->GetChannelNumberText(), item->GetLevelText(),
                           item->GetTypeText(), item->GetTimeText()});
  }
}

void CGVTListScreenAlarm::GetPageRows(int page, int* first, int* last) { SplitPrintPage(page, first, last); }

void CGVTListScreenAlarm::PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags) {
  (void)flags;
  if (printRow < 0 || printRow >= GetPrintRowCount()) return;
  const std::array<std::string, 5>& texts = m_printRows[std::size_t(printRow)];
  const int s = GetPrintScale();
  ListRowCells cells(dc, rect, kText, PrintFont());
  cells.Text(kStatusWidth * s, kInset * s, kNoFit, texts[0]);
  cells.Text(m_printChannelWidth, kInset * s, m_printChannelWidth - 2 * kInset * s, texts[1]);
  cells.Text(kLevelWidth * s, kInset * s, kNoFit, texts[2]);
  cells.Text(kPrintTypeWidth * s, kInset * s, kNoFit, texts[3]);
  cells.Text(kTimeWidth * s, 0, kNoFit, texts[4]);
}
