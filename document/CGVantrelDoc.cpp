// The graph document: construction, cursors, groups, printing, header texts and hints (see
// CGVantrelDoc.h). Loading lives in CGVantrelDocLoad.cpp, the time axis, searches and marks in
// CGVantrelDocAxis.cpp.
#include "document/CGVantrelDoc.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "document/GraphTimeTexts.h"
#include "gadget/GPrimitive.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/Numbers.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/MessageBox.h"
#include "store/CVTBatchCache.h"
#include "store/CatalogueLookups.h"

GADGET_DEFINE_RECORD(CGVantrelDoc, CGDocument)
GADGET_DEFINE_RECORD(CGVantrelBeginEndTime, CGCore)

namespace {

vt::GraphWindowHost* g_host = nullptr;

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

}  // namespace

namespace vt {
GraphWindowHost* GetGraphWindowHost() { return g_host; }
GraphWindowHost* SetGraphWindowHost(GraphWindowHost* host) {
  GraphWindowHost* previous = g_host;
  g_host = host;
  return previous;
}
}  // namespace vt

CGVantrelBeginEndTime::~CGVantrelBeginEndTime() {
  m_start = m_end = TickTime();
  m_rowCount = 0;
}

std::string FormatInterval(int32_t ms) {
  if (ms < 1000) return vt::FormatC("%u mSec", unsigned(ms));
  if (ms > 59999) return vt::FormatC("%u Min", unsigned(ms / 60000));
  return vt::FormatC("%u Sec", unsigned(ms / 1000));
}

CGVantrelDoc::CGVantrelDoc(CGCore* rootMaster, vt::GraphDocumentOwner* owner)
    : CGDocument(rootMaster, owner), owner_(owner) {
  m_container = new CGCore(GROUP_CONTAINER_ID, this);
  for (int i = 0; i < GROUP_COUNT; ++i) {
    auto* group = new CGVantrelGroupData(m_container);
    group->SetNumber(i + 1);
    group->SetChannelOwner(this);
  }
  m_marks = new CGVantrelMarkDataManager(this);
  m_alarms = new CGVantrelAlarmDataManager(this);
  m_alarmLoader = std::make_unique<VTAlarmLoader>(m_alarms);
  m_print.printedGroups[std::size_t(m_currentGroup)] = 1;
  if (vt::GraphWindowHost* host = vt::GetGraphWindowHost()) {
    if (std::optional<vt::GraphDisplayDefaults> d = host->GetDisplayDefaults()) {
      m_gridColour = d->gridColour;
      m_backColour = d->backColour;
      if (d->tagDisplay >= 0 && d->tagDisplay <= 2) m_tagMode = d->tagDisplay;
      m_cursorValuesShown = d->cursorDisp == 0 ? 1 : 0;
      m_cursorTransparency = d->cursorTrans == 0 ? 70 : 0;
      m_traceThickness = d->waveThick;
      m_sheetPadding = d->cellValue == 0 ? 1 : 0;
    }
  }
  m_batchesInUse.clear();
}

CGVantrelDoc::~CGVantrelDoc() {
  // A running conversion is cancelled and joined before anything goes.
  if (m_conversion) m_conversion->Cancel();
  WaitForConvertThread();
  DetachRepeaters();
  m_batchesInUse.clear();
  m_alarmLoader.reset();
  // The groups give their batches back before the cache outlives them; the subtree goes with
  // the CGDocument part.
  delete m_container;
  m_container = nullptr;
}

void CGVantrelDoc::SetModified() {
  if (owner_) owner_->SetModifiedFlag(true);
}

vt::WindowHandle CGVantrelDoc::MainWindow() const {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetMainWindow() : 0;
}

bool CGVantrelDoc::WindowLayoutDiffers(const std::vector<SGraphWindowEntry>& open, int count,
                                       const SGraphWindowEntry* records) {
  if (int(open.size()) != count) return true;
  for (int i = 0; i < count; ++i) {
    const SGraphWindowEntry& a = open[std::size_t(i)];
    const SGraphWindowEntry& b = records[i];
    if (a.viewKind != b.viewKind || a.flags != b.flags) return true;
    if ((a.flags & 1) && (a.minX != b.minX || a.minY != b.minY)) return true;
    if ((a.flags & 2) && (a.maxX != b.maxX || a.maxY != b.maxY)) return true;
    if (!(a.flags & 3) &&
        (a.showCmd != b.showCmd || a.normalLeft != b.normalLeft || a.normalTop != b.normalTop ||
         a.normalRight != b.normalRight || a.normalBottom != b.normalBottom))
      return true;
  }
  return false;
}

void CGVantrelDoc::CheckWindowLayout() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  if (!host) return;
  const int count = std::clamp(m_windowCount, 0, int(m_windows.size()));
  if (WindowLayoutDiffers(host->GetDocumentWindowPlacements(this), count, m_windows.data())) SetModified();
}

void CGVantrelDoc::BroadcastItemHint(int hint, void* item) {
  m_hintItem = item;
  UpdateAll(hint, this);
  m_hintItem = nullptr;
}

void CGVantrelDoc::AttachRepeaters() {
  // The lists of the tool windows read the names the items carry.
  m_alarms->SetNameKind(m_tagMode);
  for (int id : {CURSOR_REPEATER_ID, STATISTICS_REPEATER_ID})
    if (CGCore* r = FindById(id); r && IsKindOfClass(r, GCLASS(CGPrimitive)))
      static_cast<CGPrimitive*>(r)->OnUpdate(HINT_REPEATERS, this);
}

void CGVantrelDoc::DetachRepeaters() {
  for (int id : {CURSOR_REPEATER_ID, STATISTICS_REPEATER_ID})
    if (CGCore* r = FindById(id); r && IsKindOfClass(r, GCLASS(CGPrimitive)))
      static_cast<CGPrimitive*>(r)->OnUpdate(HINT_REPEATERS, nullptr);
}

vt::DocTemplate* CGVantrelDoc::GetGraphTemplate() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetGraphTemplate() : nullptr;
}

vt::DocTemplate* CGVantrelDoc::GetListTemplate() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetListTemplate() : nullptr;
}

vt::DocTemplate* CGVantrelDoc::GetSheetTemplate() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetSheetTemplate() : nullptr;
}

// --- cursors ----------------------------------------------------------------------------------

void CGVantrelDoc::SetCursors(std::optional<TickTime> a, std::optional<TickTime> b) {
  if (!a && !b) return;
  m_cursorA = a ? *a : *b;
  m_cursorB = b ? *b : *a;
}

int CGVantrelDoc::GetCursorTimes(PreciseTime* a, PreciseTime* b) const {
  if (!HasCursor()) {
    *a = *b = PreciseTime{-1, 0.0};
    return -1;
  }
  *a = ToPrecise(m_cursorA);
  *b = ToPrecise(m_cursorB);
  return 0;
}

void CGVantrelDoc::EraseCursors() {
  m_cursorA = m_cursorB = TickTime();
  SetModified();
  UpdateAll(HINT_CURSORS, this);
}

bool CGVantrelDoc::SetCursorsFromTimes(PreciseTime a, PreciseTime b) {
  bool stored = false;
  auto take = [&stored](const PreciseTime& t, TickTime* cursor) {
    if (t.seconds <= 0) return;
    const PreciseTime now = ToPrecise(*cursor);
    if (now.seconds == t.seconds && std::fabs(now.fraction - t.fraction) < 1e-4) return;
    *cursor = TickTime::FromPreciseTime(t);
    stored = true;
  };
  take(a, &m_cursorA);
  take(b, &m_cursorB);
  return stored;
}

void CGVantrelDoc::SetCursor(bool cursorB, TickTime t) { (cursorB ? m_cursorB : m_cursorA) = t; }

// --- groups -----------------------------------------------------------------------------------

CGVantrelGroupData* CGVantrelDoc::GetGroup(int index) const {
  if (!m_container || index < 0) return nullptr;
  return static_cast<CGVantrelGroupData*>(m_container->GetChildAt(index));
}

int CGVantrelDoc::CountGroupsWithData() const {
  int n = 0;
  if (!m_container) return 0;
  for (CGCore* c = m_container->GetFirstChild(); c; c = m_container->NextChild(c))
    if (static_cast<CGVantrelGroupData*>(c)->GetChannelCount() > 0) ++n;
  return n;
}

int CGVantrelDoc::FirstEmptyGroup() const {
  for (int i = 0; i < GROUP_COUNT; ++i)
    if (CGVantrelGroupData* g = GetGroup(i); g && g->GetChannelCount() == 0) return i;
  return 0;
}

void CGVantrelDoc::ValidateCurrentGroup() {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g || g->GetChannelCount() == 0) m_currentGroup = 0;
}

void CGVantrelDoc::SetCurrentGroup(int index) {
  if (CGVantrelGroupData* old = GetCurrentGroup()) old->ReleaseChannelData();
  m_currentGroup = index;
  m_print.printedGroups.fill(0);
  if (index >= 0 && index < PRINT_GROUP_BYTES) m_print.printedGroups[std::size_t(index)] = 1;
  UpdatePrintGroups();
}

// --- printing ---------------------------------------------------------------------------------

void CGVantrelDoc::UpdatePrintGroups() {
  m_printedGroupCount = 0;
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    if (!g || g->GetChannelCount() == 0 || m_print.printedGroups[std::size_t(i)] != 1) continue;
    ++m_printedGroupCount;
    // The cursor range needs a cursor; without one the group prints all its data.
    if (m_print.range == 1 && HasCursor())
      g->SetPrintRange(m_cursorA, m_cursorB);
    else
      g->SetPrintRange(g->GetDataBegin(), g->GetDataEnd());
    g->SetPageSpan(m_print.pageSpan, m_print.hoursPerPage);
  }
}

void CGVantrelDoc::PreparePrint() {
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    if (!g || g->GetChannelCount() == 0 || m_print.range != 1) continue;
    if (HasCursor())
      g->SetPrintRange(m_cursorA, m_cursorB);
    else
      g->SetPrintRange(g->GetDataBegin(), g->GetDataEnd());
    g->SetPageSpan(m_print.pageSpan, m_print.hoursPerPage);
  }
}

CGVantrelGroupData* CGVantrelDoc::GetPrintedGroup(int n) const {
  // Counted as the printed group count is: marked for printing and holding channels.
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    if (!g || g->GetChannelCount() == 0 || m_print.printedGroups[std::size_t(i)] != 1) continue;
    if (n-- == 0) return g;
  }
  return nullptr;
}

int CGVantrelDoc::CountPrintPages() {
  int pages = 0;
  for (int n = 0; n < m_printedGroupCount; ++n)
    if (CGVantrelGroupData* g = GetPrintedGroup(n)) pages += g->GetPrintPageCount();
  return pages;
}

double CGVantrelDoc::GetPrintTraceThickness() const {
  switch (m_print.thickness) {
    case 0:
      return 0.088197;
    case 2:
      return 0.352788;
    case 3:
      return 0.529182;
    case 4:
      return 1.058364;
    default:
      return 0.176394;
  }
}

void CGVantrelDoc::SetPrintSettings(const vt::SPrintSettings& settings) {
  // The block keeps at most 255 bytes of comment and its terminator.
  m_print = vt::SPrintSettings::FromBytes(settings.ToBytes().data());
  m_printComment = m_print.comment;
  UpdatePrintGroups();
}

void CGVantrelDoc::SetCurrentPrintRange() {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g || g->GetChannelCount() == 0) return;
  g->SetPrintRange(g->GetDataBegin(), g->GetDataEnd());
  g->SetPageSpan(m_print.pageSpan, m_print.hoursPerPage);
}

// --- batches and header -----------------------------------------------------------------------

void CGVantrelDoc::RegisterBatch(const vt::Guid& batch) { m_batchesInUse.insert(batch); }

void CGVantrelDoc::LoadHeaderInfo() {
  if (m_batchesInUse.size() != 1) return;
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(*m_batchesInUse.begin());
  if (!batch) return;
  if (batch->BuildHeaderInfo() == 0) m_headerInfo = batch->GetHeaderInfo();
  CVTBatchCache::Instance().Release(batch);
}

std::string CGVantrelDoc::GetBatchNameText() const {
  return m_headerInfo.hasBatchInfo ? m_headerInfo.batchName : std::string();
}

std::string CGVantrelDoc::GetSampleRateText() const { return FormatInterval(m_headerInfo.dataInterval); }
std::string CGVantrelDoc::GetStartTimeText() const { return vt::FormatDateTimeMs(m_headerInfo.startTime); }
std::string CGVantrelDoc::GetStopTimeText() const { return vt::FormatDateTimeMs(m_headerInfo.stopTime); }

std::string CGVantrelDoc::GetStartConditionText() const { return StartFactorText(m_headerInfo.startFactor); }
std::string CGVantrelDoc::GetStopConditionText() const { return StopFactorText(m_headerInfo.stopFactor); }

std::string CGVantrelDoc::GetTimeCorrectionText() const {
  return m_headerInfo.timeChangeCount > 0 ? "Yes" : "No";
}

// The whole 64-bit count: a long recording must not print a negative number.
std::string CGVantrelDoc::GetDataCountText() const {
  return vt::FormatC("%lld", static_cast<long long>(m_headerInfo.dataCount));
}

// --- channel maps, sheet and clipboard --------------------------------------------------------

void CGVantrelDoc::RebuildChannelMaps() {
  VTAlarmLoader::ChannelSets shown;
  VTAlarmLoader::ChannelNames names(&VTAlarmLoader::KeyLess);
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    for (int slot = 0; g && slot < GROUP_CHANNEL_LIMIT; ++slot) {
      CGVantrelNgChannel* c = g->GetChannel(slot);
      if (!c) continue;
      vt::SVantrelChannelNames n;
      c->GetName(&n.channelText, NAME_CHANNEL_NO);
      c->GetName(&n.tagNo, NAME_TAG_NO);
      c->GetName(&n.tagName, NAME_TAG);
      names[{c->GetBatchGuid(), c->GetChannelNumber()}] = n;
      if (c->IsShown()) shown[c->GetBatchGuid()].insert(c->GetChannelNumber());
    }
  }
  m_alarmLoader->LoadAlarms(shown, names);
  // Alarms loaded now carry the document's name kind too.
  m_alarms->SetNameKind(m_tagMode);
}

void CGVantrelDoc::ShowSelectedChannelProperties() {
  CGVantrelGroupData* g = GetCurrentGroup();
  CGVantrelNgChannel* c = g ? g->GetSelectedChannel() : nullptr;
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  if (c && host) host->SetSelectedChannel(c->GetBatchGuid(), c->GetChannelNumber());
}

bool CGVantrelDoc::CanShowSheet() {
  for (int i = 0; i < GROUP_COUNT; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    if (g && g->GetChannelCount() > 0 && !g->CanShowSheet()) return false;
  }
  return true;
}

bool CGVantrelDoc::CanCopySheetRows() {
  if (m_converting || !HasCursor()) return false;
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g || g->GetChannelCount() == 0) return false;
  // Both rows found and in order: a missing row must not pass as a small count.
  const int64_t rows = g->CountRows(std::min(m_cursorA, m_cursorB), std::max(m_cursorA, m_cursorB));
  return rows >= 1 && rows <= COPY_ROW_LIMIT;
}

std::string CGVantrelDoc::GetCursorRangeText() {
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return {};
  return g->FormatRows(std::min(m_cursorA, m_cursorB), std::max(m_cursorA, m_cursorB));
}

void CGVantrelDoc::CopyCursorRangeToClipboard() {
  if (!vt::CurrentDesktop().SetClipboardText(GetCursorRangeText()))
    DisplayMessage(MainWindow(), 10220, vt::kMbOk);
}

// --- switches ---------------------------------------------------------------------------------

void CGVantrelDoc::SetTagMode(int mode) {
  m_tagMode = mode;
  // The alarm items carry the name they show; they take it before the lists redraw.
  m_alarms->SetNameKind(mode);
  SetModified();
  UpdateAll(HINT_TAG_MODE, this);
}

void CGVantrelDoc::SetAlarmsShown(bool shown) {
  m_alarmsShown = shown ? 1 : 0;
  SetModified();
  UpdateAll(HINT_ALARMS_SHOWN, this);
}

void CGVantrelDoc::SetLegendShown(bool shown) {
  m_legendShown = shown ? 1 : 0;
  SetModified();
  UpdateAll(HINT_LEGEND_SHOWN, this);
}

void CGVantrelDoc::SetGraphColours(uint32_t grid, uint32_t back) {
  m_gridColour = grid;
  m_backColour = back;
  SetModified();
  UpdateAll(HINT_COLOURS, this);
}
