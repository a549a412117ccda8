// The print roots of a graph window.
#include "document/ui/CGVantrelPrintRoots.h"

#include <algorithm>

#include "document/ui/AlarmList.h"
#include "document/ui/CGVantrelGraphRoot.h"
#include "document/ui/MarkList.h"
#include "gadget/ClassRecords.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/StringTable.h"
#include "trend/Axis.h"
#include "trend/GraphBody.h"
#include "trend/NgSheet.h"
#include "trend/NgWaveform.h"
#include "trend/TimeAxis.h"

GADGET_DEFINE_RECORD(CGVantrelGraphPrintRoot, CGSkRoot)
GADGET_DEFINE_RECORD(CGVantrelListPrintRoot, CGSkRoot)
GADGET_DEFINE_RECORD(CGVantrelSheetPrintRoot, CGSkRoot)

namespace {

constexpr int kShown = 3;
GraphPrintTool* g_cursorTool = nullptr;
GraphPrintTool* g_statisticsTool = nullptr;

std::string CurrentRangeText(CGVantrelDoc* doc) {
  CGVantrelGroupData* g = doc ? doc->GetCurrentGroup() : nullptr;
  return g ? g->FormatPrintRange() : std::string();
}

int GroupIndexOf(CGVantrelDoc* doc, const CGVantrelGroupData* g) {
  for (int i = 0; i < GROUP_COUNT; ++i)
    if (doc->GetGroup(i) == g) return i;
  return -1;
}

}  // namespace

void SetGraphPrintTools(GraphPrintTool* cursorControl, GraphPrintTool* statistics) {
  g_cursorTool = cursorControl;
  g_statisticsTool = statistics;
}

DialogPrintTool::~DialogPrintTool() {
  if (g_cursorTool == this) g_cursorTool = nullptr;
  if (g_statisticsTool == this) g_statisticsTool = nullptr;
}

bool DialogPrintTool::IsShown() const { return m_window && m_root && m_window->IsWindowVisible(); }

vt::Size DialogPrintTool::MeasurePrint(vt::DeviceContext*, const vt::Rect& rect, int scale) {
  CGPrimitive* content = nullptr;
  for (CGCore* c = m_root ? m_root->GetFirstChild() : nullptr; c && !content; c = m_root->NextChild(c))
    if (IsPrimitive(c)) content = static_cast<CGPrimitive*>(c);
  if (!content) return vt::Size{};
  const int w = std::min(content->Rect().Width() * scale, rect.Width());
  const int h = std::min(content->Rect().Height() * scale, rect.Height());
  content->SetPrintBounds(0, 0, w, h);
  return vt::Size{w, h};
}

// ---- shared ----

vt::CGVantrelPrintRoot::CGVantrelPrintRoot(CGVantrelDoc* doc) : CGSkRoot(doc, nullptr, 0), m_doc(doc) {
  SetStyle(kShown);
  SetPrintHeader(1);
}

vt::CGVantrelPrintRoot::~CGVantrelPrintRoot() = default;

void vt::CGVantrelPrintRoot::TakeMetrics(vt::DeviceContext* dc) {
  SetPrintBounds(0, 0, dc->GetDeviceCaps(vt::DeviceCap::HorzRes), dc->GetDeviceCaps(vt::DeviceCap::VertRes));
  const int dpi = dc->GetDeviceCaps(vt::DeviceCap::LogPixelsY);
  m_margin = dpi / 8;
  m_headerFontHeight = dpi / 10;
  m_headerRowHeight = dpi / 6;
  g_printScale = ComputePrintScale(dc);
}

int vt::CGVantrelPrintRoot::HeaderHeight() const {
  return m_header ? CGVantrelPrintHeader::HeaderHeight(m_doc, m_headerRowHeight) : 0;
}

void vt::CGVantrelPrintRoot::MakeHeader(vt::DeviceContext* dc, const std::string& rangeText) {
  if (!m_doc) return;
  m_header = std::make_unique<CGVantrelPrintHeader>();
  m_header->SetPrintBounds(0, 0, m_printRect.Width(), 0);
  m_header->Build(dc, m_doc, m_headerFontHeight, m_headerRowHeight, CGVantrelPrintHeader::IsDetailed(m_doc));
  m_header->SetRangeText(rangeText);
}

void vt::CGVantrelPrintRoot::PrintHeader(vt::DeviceContext* dc, int page) {
  if (!m_header) return;
  m_header->SetPageNumber(page, m_pageCount);
  m_header->PrintSelf(dc, page);
}

void vt::CGVantrelPrintRoot::EndPrinting(vt::DeviceContext*, CPrintInfo*) { m_header.reset(); }

// ---- graph ----

CGVantrelGraphPrintRoot::CGVantrelGraphPrintRoot(CGVantrelDoc* doc) : vt::CGVantrelPrintRoot(doc) {}

void CGVantrelGraphPrintRoot::MeasureTools(vt::DeviceContext* dc) {
  const int W = m_printRect.Width(), V = m_printRect.Height(), H = HeaderHeight(), m = m_margin;
  const vt::Rect area{0, m + H, W, m + H + (V - 4 * m - H)};
  for (Tool* t : {&m_cursor, &m_statistics}) {
    t->size = vt::Size{};
    t->pages = 0;
    if (!t->shown) continue;
    t->size = t->tool->MeasurePrint(dc, area, GetPrintScale());
    if (CGRoot* root = t->tool->PrintRoot()) {
      root->SetPrintBounds(area.left, area.top, area.Width(), area.Height());
      root->ApplyPrintScale(GetPrintScale());
      t->pages = root->GetPrintPageCount(dc);
    }
  }
  // Both tools report their printed size already at the print scale; scaling the cursor
  // control's once more would keep it off the graph pages on any paper.
  m_combined = m_cursor.size.cy < (V - H) / 2 && m_statistics.size.cy < (V - H) / 2 &&
               m + m_statistics.size.cx + m_cursor.size.cx < W;
}

void CGVantrelGraphPrintRoot::BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) {
  TakeMetrics(dc);
  const int W = m_printRect.Width();
  const int mm = std::max(1, dc->GetDeviceCaps(vt::DeviceCap::HorzSize));
  const double perMm = double(W) / mm;
  m_traceWidth = std::max(1, int(m_doc->GetPrintTraceThickness() * perMm));
  m_thinWidth = std::max(1, int(0.1 * perMm));
  g_printInColour = m_doc->GetPrintSettings().colour == 0 ? 1 : 0;
  m_cursor = Tool{g_cursorTool, g_cursorTool && g_cursorTool->IsShown()};
  m_statistics = Tool{g_statisticsTool, g_statisticsTool && g_statisticsTool->IsShown()};
  MakeHeader(dc, CurrentRangeText(m_doc));
  MeasureTools(dc);
  m_pageCount = GetPrintPageCount(dc);
  if (info) info->maxPage = m_pageCount;
}

int CGVantrelGraphPrintRoot::GetPrintPageCount(vt::DeviceContext*) {
  const int graphPages = m_doc->CountPrintPages();
  return graphPages + (m_combined ? 0 : m_cursor.pages + m_statistics.pages);
}

void CGVantrelGraphPrintRoot::Print(vt::DeviceContext* dc, CPrintInfo* info) {
  const int p = info ? info->currentPage : 1;
  m_pageTools[0] = m_pageTools[1] = nullptr;
  m_firstPages[0] = m_firstPages[1] = 1;
  const int W = m_printRect.Width(), V = m_printRect.Height(), H = HeaderHeight(), m = m_margin;
  const int toolPages = m_combined ? 0 : m_cursor.pages + m_statistics.pages;
  const auto toolPage = [&](Tool& t, int slot, int first) {
    CGRoot* root = t.tool->PrintRoot();
    if (!root) return;
    root->SetPrintBounds(0, H + m, W, V - 4 * m - H);
    root->ApplyPrintScale(GetPrintScale());
    m_pageTools[slot] = root;
    m_firstPages[slot] = first;
    if (m_panel) m_panel->SetStyle(0);
  };
  if (!m_combined && m_cursor.shown && p <= m_cursor.pages) {
    toolPage(m_cursor, 0, 1);
  } else if (!m_combined && m_statistics.shown && p <= m_cursor.pages + m_statistics.pages) {
    toolPage(m_statistics, 1, m_cursor.pages + 1);
  } else {
    PrintGraphPage(dc, p, toolPages);
  }
  PrintTree(dc, p);
}

void CGVantrelGraphPrintRoot::PrintGraphPage(vt::DeviceContext* dc, int p, int toolPages) {
  CGVantrelGroupData* group = nullptr;
  int sum = 0;
  for (int n = 0; n < m_doc->GetPrintedGroupCount(); ++n) {
    CGVantrelGroupData* g = m_doc->GetPrintedGroup(n);
    if (!g) continue;
    const int pages = g->GetPrintPageCount();
    if (p <= pages + sum + toolPages) {
      group = g;
      break;
    }
    sum += pages;
  }
  if (!group) return;
  const int page = p - sum - toolPages - 1;
  const int s = GetPrintScale();
  const int W = m_printRect.Width(), V = m_printRect.Height(), H = HeaderHeight(), m = m_margin;
  vt::Rect rect{0, H + 2 * m, W, H + 2 * m + (V - 5 * m - H)};
  if (m_combined) {
    const int K = std::max(m_cursor.size.cy, m_statistics.size.cy);
    if (m_cursor.shown) m_pageTools[0] = m_cursor.tool->PrintRoot();
    if (m_statistics.shown) m_pageTools[1] = m_statistics.tool->PrintRoot();
    rect = vt::Rect{0, H + K + 2 * m, W, H + K + 2 * m + (V - 5 * m - K - H)};
    if (m_statistics.shown && m_pageTools[1]) {
      const int x = m_cursor.size.cx > 0 ? m_cursor.size.cx + m : 0;
      m_pageTools[1]->SetPrintBounds(x, m + H, W - x, V - 4 * m - H);
      m_pageTools[1]->ApplyPrintScale(s);
    }
    if (m_cursor.shown && m_pageTools[0]) {
      m_pageTools[0]->SetPrintBounds(0, m + H, W, V - 4 * m - H);
      m_pageTools[0]->ApplyPrintScale(s);
    }
  }
  if (!m_panel) {
    m_panel = new CGNgWaveform(this);
    m_panel->Build(250);
  }
  m_panel->SetStyle(kShown);
  // Laid out at the page's size in screen pixels, then scaled to the printer's.
  m_panel->SetBounds(0, 0, rect.Width() / s, rect.Height() / s);
  BindPanelToGroup(m_panel, m_doc, group, GroupIndexOf(m_doc, group));
  m_panel->SetLineWidths(m_thinWidth, m_thinWidth, m_traceWidth, m_thinWidth);
  PreciseTime start, end;
  group->GetPrintPageRange(page, &start, &end);
  m_panel->SetDataRange(start, end);
  m_panel->SetVisibleRange(start, end);
  m_panel->LayoutTree();
  m_panel->SetPrintBounds(rect.left, rect.top, rect.Width(), rect.Height());
  m_panel->ApplyPrintScale(s);
  if (CGNgTAxis* axis = m_panel->m_graph ? m_panel->m_graph->m_timeAxis : nullptr) {
    const vt::Font* previous = dc->SelectFont(axis->PrintLabelFont());
    const int label = std::max(1, int(dc->GetTextExtent("00:00:00.000").cx));
    dc->SelectFont(previous);
    // The printed axis draws its ticks, grid and labels at the panel's division: the screen's
    // division would crowd a page span with labels.
    axis->m_printDivision = group->GetPrintSecondsPerDivision(axis->PrintRect().Width() / label);
    axis->m_division = axis->m_printDivision;
    m_panel->ApplyPrintScale(s);
  }
}

void CGVantrelGraphPrintRoot::PrintSelf(vt::DeviceContext* dc, int page) {
  vt::CGVantrelPrintRoot::PrintSelf(dc, page);
  for (int i = 0; i < 2; ++i)
    if (m_pageTools[i]) m_pageTools[i]->PrintTree(dc, m_combined ? 1 : page - m_firstPages[i] + 1);
}

// ---- lists ----

vt::CGVantrelListPrintRoot::CGVantrelListPrintRoot(CGVantrelDoc* doc, int list, bool cursorRangeOnly)
    : vt::CGVantrelPrintRoot(doc), m_list(list) {
  if (list == 0)
    m_screen = new CGVTListScreenAlarm(this);
  else
    m_screen = new CGVTListScreenMark(this);
  m_screen->SetStyle(kShown);
  m_screen->OnUpdate(4, doc);
  m_screen->m_printSelection = cursorRangeOnly;
}

void vt::CGVantrelListPrintRoot::BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) {
  TakeMetrics(dc);
  const int s = GetPrintScale();
  const int W = m_printRect.Width(), V = m_printRect.Height(), m = m_margin;
  const int H = m_doc ? CGVantrelPrintHeader::HeaderHeight(m_doc, m_headerRowHeight) : 0;
  m_captionTop = m + H;
  m_captionHeight = 18 * s;
  m_captions.clear();
  if (m_list == 0) {
    auto* alarm = static_cast<CGVTListScreenAlarm*>(m_screen);
    const int stretch = std::min(406 * s, std::max(203 * s, W - 464 * s));
    alarm->m_printChannelWidth = stretch;
    m_captions = {{vt::LoadString(3205), 84 * s},
                  {vt::LoadString(1012), stretch},
                  {vt::LoadString(3218), 70 * s},
                  {vt::LoadString(3217), 128 * s},
                  {vt::LoadString(618), 182 * s}};
  } else {
    auto* mark = static_cast<CGVTListScreenMark*>(m_screen);
    const int stretch = std::min(1554 * s, std::max(259 * s, W - 714 * s));
    mark->m_printCommentWidth = stretch;
    m_captions = {{vt::LoadString(618), 182 * s},  {vt::LoadString(3109), 154 * s},
                  {vt::LoadString(3110), stretch}, {vt::LoadString(617), 98 * s},
                  {vt::LoadString(3108), 98 * s},  {vt::LoadString(3219), 182 * s}};
  }
  const int top = m_captionTop + m_captionHeight;
  m_screen->SetPrintBounds(0, top, W, V - top - m);
  m_screen->BuildPrintRows();
  m_screen->ScalePrintRects(s);
  MakeHeader(dc, CurrentRangeText(m_doc));
  m_pageCount = GetPrintPageCount(dc);
  if (m_header) m_pageCount = std::max(1, m_pageCount);
  if (info) info->maxPage = m_pageCount;
}

int vt::CGVantrelListPrintRoot::GetPrintPageCount(vt::DeviceContext* dc) {
  return m_screen->GetPrintPageCount(dc);
}

void vt::CGVantrelListPrintRoot::Print(vt::DeviceContext* dc, CPrintInfo* info) {
  if (!info || info->currentPage == 0) return;
  PrintTree(dc, info->currentPage);
}

void vt::CGVantrelListPrintRoot::PrintSelf(vt::DeviceContext* dc, int page) {
  vt::CGVantrelPrintRoot::PrintSelf(dc, page);
  vt::LogFont lf;
  lf.height = 14 * GetPrintScale();
  lf.SetFaceName("Arial");
  const std::unique_ptr<vt::Font> font = vt::Font::Create(lf);
  int x = 0;
  for (const auto& [caption, width] : m_captions) {
    vt::Rect cell{x, m_captionTop, x + width, m_captionTop + m_captionHeight};
    cell.left += 2 * GetPrintScale();
    DrawTextWithEllipsis(dc, cell, font.get(), 0x02000000, caption);
    x += width;
  }
}

// ---- sheet ----

vt::CGVantrelSheetPrintRoot::CGVantrelSheetPrintRoot(CGVantrelDoc* doc, int count,
                                                     CGNgChannel* const* channels, CGNgTime* rows)
    : vt::CGVantrelPrintRoot(doc) {
  m_sheet = new CGNgSDigital(this, 0, 0, 800, 600, 0, kShown, 1, 16, 0, 18);
  m_sheet->Build();
  m_sheet->SetChannels(count, channels);
  m_sheet->SetTimeSource(rows);
  m_sheet->SetLineCount(rows ? rows->GetRowCount() : 0);
  m_sheet->ResetSelection(0);
  if (doc) {
    CGVantrelGroupData* g = doc->GetCurrentGroup();
    if (g) m_sheet->SelectColumn(g->GetSelectedChannelIndex());
    m_sheet->ShowAlarms(doc->m_alarmsShown == 1);
    m_sheet->SetPadding(doc->m_sheetPadding);
    m_sheet->SetNameKind(doc->m_tagMode);
    PreciseTime a, b;
    if (doc->GetCursorTimes(&a, &b) != -1)
      m_sheet->SetSelectionTimes(a, b);
    else
      m_sheet->SetSelectionTimes(PreciseTime{-1, 0.0}, PreciseTime{-1, 0.0});
  }
}

vt::CGVantrelSheetPrintRoot* vt::CGVantrelSheetPrintRoot::ForCurrentGroup(CGVantrelDoc* doc) {
  CGVantrelGroupData* g = doc ? doc->GetCurrentGroup() : nullptr;
  if (!g || g->GetChannelCount() == 0) return nullptr;
  std::vector<CGNgChannel*> channels;
  for (int i = 0; i < g->GetChannelCount(); ++i) channels.push_back(g->GetChannel(i));
  return new vt::CGVantrelSheetPrintRoot(doc, int(channels.size()), channels.data(), &g->EnsureRowTime());
}

void vt::CGVantrelSheetPrintRoot::BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) {
  TakeMetrics(dc);
  m_sheet->SetPrintColour(m_doc && m_doc->GetPrintSettings().colour == 0 ? 1 : 0);
  SetPrintSelection(m_doc && m_doc->GetPrintSettings().range == 1 ? 1 : 0);
  MakeHeader(dc, CurrentRangeText(m_doc));
  m_pageCount = GetPrintPageCount(dc);
  if (!info) return;
  // The range: what the user typed, kept to the pages there are.
  const bool chosen = info->range == vt::PrintRange::Pages || info->range == vt::PrintRange::Selection;
  if (!info->preview && chosen) {
    m_fromPage = info->fromPage;
    m_toPage = info->toPage;
    if (m_fromPage < 0 || m_fromPage > m_pageCount) {
      m_fromPage = m_toPage = 0;
    } else {
      if (m_toPage <= 0) m_toPage = m_fromPage;
      if (m_toPage > m_pageCount) m_toPage = m_pageCount;
    }
  } else {
    m_fromPage = 1;
    m_toPage = m_pageCount;
  }
  m_nextPage = m_fromPage;
  if ((m_fromPage > kSheetPrintPageLimit || m_toPage > kSheetPrintPageLimit) && !info->preview) {
    // The job's loop counts 1 to 65,500 and the root prints its own next page each time.
    m_ownCounting = true;
    info->fromPage = info->minPage = 1;
    info->toPage = info->maxPage = kSheetPrintPageLimit;
  } else {
    m_ownCounting = false;
    info->fromPage = info->minPage = m_fromPage;
    info->toPage = info->maxPage = m_toPage;
  }
}

int vt::CGVantrelSheetPrintRoot::GetPrintPageCount(vt::DeviceContext*) {
  const int s = GetPrintScale();
  const int H = m_header ? CGVantrelPrintHeader::HeaderHeight(m_doc, m_headerRowHeight) : 0;
  const int W = m_printRect.Width(), h = m_printRect.Height() - H;
  if (W <= 0 || h <= 0) return 0;
  m_sheet->SetBounds(0, 0, W / s, h / s);
  m_sheet->LayoutTree();
  m_sheet->SetPrintBounds(0, H, W, h);
  m_sheet->ApplyPrintScale(s);
  return m_sheet->m_pagesAcross * m_sheet->m_pagesDown;
}

void vt::CGVantrelSheetPrintRoot::Print(vt::DeviceContext* dc, CPrintInfo* info) {
  if (!info || info->currentPage == 0) return;
  if (m_ownCounting) info->currentPage = m_nextPage;
  PrintTree(dc, info->currentPage);
  if (!m_ownCounting) return;
  ++m_nextPage;
  info->currentPage = m_nextPage > m_toPage ? info->maxPage : info->minPage;
}
