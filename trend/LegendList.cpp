// The legend list: its children, the entries built from the records, the two directions of
// syncing between the trees, the read-back into the records, selection and print.
#include "trend/LegendList.h"

#include <algorithm>
#include <cstring>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GLabel.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/StringTable.h"
#include "trend/GraphBody.h"
#include "trend/NgWaveform.h"
#include "trend/YAxisStrip.h"

uint32_t g_ngLegendTitleId = 5002;
int32_t g_ngLegendBarSkin[4] = {12197, 0, 1, 20};
int32_t g_ngLegendToggleIcons = 12203;

namespace {

CGNgLegendList* ListOf(CGPrimitive* source) {
  return static_cast<CGNgLegendList*>(source->FindAncestorOfClass(GCLASS(CGNgLegendList)));
}

void AfterSelection(CGNgLegendList* list) {
  CGPrimitive* panel = list->HookSource();
  if (NgSelectionHook) NgSelectionHook(panel, 0, 0);
  if (panel) panel->Update();
}

void OnAxisSelection(CGPrimitive* source, int, void*) {
  CGNgLegendList* list = ListOf(source);
  if (!list) return;
  int channel = -1, axis = -1;
  const CGTreeScreen* s = list->m_axisLegend ? list->m_axisLegend->TreeScreen() : nullptr;
  if (s && s->m_selected && s->m_selected->TreeParent()) {
    axis = s->m_selected->TreeParent()->TreeIndex();
    const int j = s->m_selected->TreeIndex();
    if (axis < kNgLegendEntries) channel = list->m_axes[axis].channels[j].position;
  }
  list->SelectChannel(channel, axis);
  AfterSelection(list);
}

void OnChannelSelection(CGPrimitive* source, int, void*) {
  CGNgLegendList* list = ListOf(source);
  if (!list) return;
  const CGTreeScreen* s = list->m_channelLegend ? list->m_channelLegend->TreeScreen() : nullptr;
  const int channel = s && s->m_selected ? s->m_selected->TreeIndex() : -1;
  list->SelectChannel(channel, -1);
  AfterSelection(list);
}

void OnModeToggle(CGPrimitive* source, int, void*) {
  CGNgLegendList* list = ListOf(source);
  if (!list) return;
  list->SetMode(list->m_mode == LEGEND_CHANNEL ? LEGEND_AXIS : LEGEND_CHANNEL);
  list->ReadBack();
  list->SyncEntries(LEGEND_CHANNEL);
  list->PushData();
  list->LayoutTree();
  list->Update();
}

// A text field copied up to its size, then cut to fit the destination with its terminator.
void CopyBounded(char* dst, size_t dstSize, const char* src, size_t srcSize) {
  const size_t n = std::min(strnlen(src, srcSize), dstSize - 1);
  std::memcpy(dst, src, n);
  dst[n] = 0;
}

}  // namespace

CGNgLegendList::CGNgLegendList(CGCore* graph, int width)
    : CGSelector(graph, 0, 0, 0, GSTYLE_ACTIVE, width, 0, 1) {
  m_frameStyle = 0;
  m_opaque = 0;
  m_backColor = 0x02000000;
}

void CGNgLegendList::BuildLegends() {
  m_toggle = new CGTogIconButton(this, 3, 12, 16, 16, 0, GSTYLE_ACTIVE, 0x02FFFFFF, "", 16, 16,
                                 g_ngLegendToggleIcons, 0);
  m_toggle->AddEventCallback(GEVENT_CHANGED, OnModeToggle, nullptr, 0);
  m_title = new CGLabel(this, 0, 10, m_rect.Width(), 20, 0, 0, vt::kNoColor, kAlignCenter, 0x02FFFFFF, 12,
                        vt::LoadString(g_ngLegendTitleId).c_str());
  m_axisLegend = new CGNgAxisLegend(this);
  m_axisLegend->CreateParts();
  m_axisLegend->m_owner = this;
  m_axisLegend->AddEventCallback(GEVENT_CHANGED, OnAxisSelection, nullptr, 0);
  m_channelLegend = new CGNgChLegend(this);
  m_channelLegend->CreateParts();
  m_channelLegend->m_owner = this;
  m_channelLegend->AddEventCallback(GEVENT_CHANGED, OnChannelSelection, nullptr, 0);
}

vt::CGNgLegendScreen* CGNgLegendList::ChannelScreen() const {
  return m_channelLegend ? m_channelLegend->LegendScreen() : nullptr;
}

vt::CGNgLegendScreen* CGNgLegendList::AxisScreen() const {
  return m_axisLegend ? m_axisLegend->LegendScreen() : nullptr;
}

vt::CGNgLegendManager* CGNgLegendList::Current() const {
  if (m_mode == LEGEND_AXIS) return m_axisLegend;
  return m_channelLegend;
}

void CGNgLegendList::SetMode(int mode) {
  m_mode = mode;
  const bool channel = mode == LEGEND_CHANNEL;
  if (m_toggle) m_toggle->SetValue(channel ? 1 : 0);
  if (m_channelLegend) m_channelLegend->SetStyle(channel ? GSTYLE_ACTIVE : 0);
  if (m_axisLegend) m_axisLegend->SetStyle(channel ? 0 : GSTYLE_ACTIVE);
}

void CGNgLegendList::SetData(const SNgChannelSetting* channels, const SNgAxisSetting* axes, int channelCount,
                             int axisCount) {
  // The entry arrays hold 100 of each; more are not shown.
  m_channelCount = std::clamp(channelCount, 0, kNgLegendEntries);
  m_axisCount = std::clamp(axisCount, 0, kNgLegendEntries);
  BuildEntries(channels, m_channelCount, axes, m_axisCount);
  if (vt::CGNgLegendScreen* s = ChannelScreen()) BuildChannelTree(s, m_channelCount);
  if (vt::CGNgLegendScreen* s = AxisScreen()) BuildAxisTree(s, m_axisCount, m_axes);
  PushData();
  SetBackColor(m_backColour);
}

void CGNgLegendList::BuildEntries(const SNgChannelSetting* channels, int channelCount,
                                  const SNgAxisSetting* axes, int axisCount) {
  for (SNgLegendChannelEntry& e : m_channels) e = SNgLegendChannelEntry{};
  for (int i = 0; i < channelCount; ++i) {
    const SNgChannelSetting& r = channels[i];
    SNgLegendChannelEntry& e = m_channels[i];
    e.position = int16_t(i);
    e.axisIndex = r.axisIndex;
    e.shown = r.shown;
    e.colour = r.colour;
    // A channel index outside the bound channels names nothing.
    std::string name;
    if (r.channelIndex >= 0 && r.channelIndex < m_boundCount && m_boundChannels &&
        m_boundChannels[r.channelIndex])
      m_boundChannels[r.channelIndex]->GetName(&name, m_nameKind);
    TruncateTextBytes(&name, int(sizeof e.name) - 1);  // never half a character
    CopyBounded(e.name, sizeof e.name, name.c_str(), name.size());
  }
  for (SNgLegendAxisEntry& a : m_axes) a = SNgLegendAxisEntry{};
  for (int j = 0; j < axisCount; ++j) {
    SNgLegendAxisEntry& a = m_axes[j];
    a.checked = axes[j].shown;
    a.expanded = axes[j].legendFlag;
    CopyBounded(a.unit, sizeof a.unit, axes[j].unit, sizeof axes[j].unit);
    a.colour = axes[j].colour;
    for (int i = 0; i < channelCount; ++i)
      if (m_channels[i].axisIndex == j) a.channels[a.channelCount++] = m_channels[i];
  }
}

void CGNgLegendList::ReadBack() {
  if (vt::CGNgLegendScreen* s = ChannelScreen()) ReadChannelTree(s, m_channels, m_channelCount);
  if (vt::CGNgLegendScreen* s = AxisScreen()) ReadAxisTree(m_axes, s, m_axisCount);
}

void CGNgLegendList::SyncEntries(int mode) {
  for (int j = 0; j < m_axisCount; ++j) {
    SNgLegendAxisEntry& a = m_axes[j];
    bool any = false;
    for (int k = 0; k < a.channelCount; ++k) {
      SNgLegendChannelEntry& sub = a.channels[k];
      if (sub.position < 0 || sub.position >= kNgLegendEntries) continue;
      if (m_mode == mode)
        m_channels[sub.position].shown = sub.shown;
      else
        sub.shown = m_channels[sub.position].shown;
      any = any || sub.shown;
    }
    if (m_mode != mode) a.checked = any ? 1 : 0;
  }
}

void CGNgLegendList::PushData() {
  if (vt::CGNgLegendScreen* s = ChannelScreen()) SetChannelTreeData(m_channels, s, m_channelCount);
  if (vt::CGNgLegendScreen* s = AxisScreen()) SetAxisTreeData(m_axes, s, m_axisCount);
}

void CGNgLegendList::GetChannelStates(int n, SNgChannelSetting* out) {
  ReadBack();
  SyncEntries(LEGEND_AXIS);
  n = std::min(n, kNgLegendEntries);
  for (int i = 0; i < n; ++i) {
    out[i].shown = uint8_t(m_channels[i].shown & 1);
    out[i].index = m_channels[i].position;
  }
}

void CGNgLegendList::GetAxisStates(int n, SNgAxisSetting* out) {
  ReadBack();
  SyncEntries(LEGEND_AXIS);
  n = std::min(n, kNgLegendEntries);
  for (int i = 0; i < n; ++i) {
    out[i].shown = uint8_t(m_axes[i].checked & 1);
    out[i].legendFlag = uint8_t(m_axes[i].expanded & 1);
  }
}

void CGNgLegendList::SelectInLegend(int axis, int channel) {
  m_selectedAxis = axis;
  m_selectedChannel = channel;
  if (vt::CGNgLegendScreen* s = ChannelScreen())
    s->m_selected = s->m_root && channel >= 0 ? s->m_root->TreeChildAt(channel) : nullptr;
  vt::CGNgLegendScreen* s = AxisScreen();
  if (!s) return;
  if (axis < 0 || channel < 0 || axis >= m_axisCount) {
    s->m_selected = nullptr;
    return;
  }
  const SNgLegendAxisEntry& a = m_axes[axis];
  for (int j = 0; j < a.channelCount; ++j)
    if (a.channels[j].position == channel) {
      CGTreeNode* axisNode = s->m_root ? s->m_root->TreeChildAt(axis) : nullptr;
      s->m_selected = axisNode ? axisNode->TreeChildAt(j) : nullptr;
      return;
    }
  // Not on that axis: the axis legend keeps its highlight.
}

int CGNgLegendList::FindAxisOfChannel(int channel) const {
  for (int j = 0; j < kNgLegendEntries; ++j)
    for (int k = 0; k < m_axes[j].channelCount; ++k)
      if (m_axes[j].channels[k].position == channel) return j;
  return -1;
}

int CGNgLegendList::FirstShownChannelOfAxis(int axis) {
  ReadBack();
  if (m_mode == LEGEND_CHANNEL) {
    for (int i = 0; i < m_channelCount; ++i)
      if (m_channels[i].shown && m_channels[i].axisIndex == axis) return m_channels[i].position;
    return -1;
  }
  if (axis < 0 || axis >= kNgLegendEntries) return -1;
  for (int k = 0; k < m_axes[axis].channelCount; ++k)
    if (m_axes[axis].channels[k].shown) return m_axes[axis].channels[k].position;
  return -1;
}

void CGNgLegendList::SetBackColor(vt::ColorRef c) {
  m_backColour = c;
  if (m_axisLegend) m_axisLegend->SetBackColor(c);
  if (m_channelLegend) m_channelLegend->SetBackColor(c);
}

void CGNgLegendList::Layout() {
  vt::CGNgLegendManager* shown = m_mode == LEGEND_AXIS ? static_cast<vt::CGNgLegendManager*>(m_axisLegend)
                                                       : static_cast<vt::CGNgLegendManager*>(m_channelLegend);
  vt::CGNgLegendManager* hidden = shown == m_axisLegend ? static_cast<vt::CGNgLegendManager*>(m_channelLegend)
                                                        : static_cast<vt::CGNgLegendManager*>(m_axisLegend);
  if (shown) {
    shown->SetStyle(GSTYLE_ACTIVE);
    shown->SetBounds(0, 29, m_rect.Width(), std::max(m_rect.Height() - 50, 0));
  }
  if (hidden) hidden->SetStyle(0);
  if (m_title) m_title->SetWidth(m_rect.Width());
}

void CGNgLegendList::Draw(vt::DeviceContext* dc) {
  CGBitmap* bar = g_rootMaster ? g_rootMaster->GetBitmap(g_ngLegendBarSkin[0]) : nullptr;
  vt::Rect a;
  GetAbsoluteRect(&a);
  const vt::Rect dest{a.left, a.top + 10, a.right, a.top + 30};
  if (bar && bar->GetBitmap())
    StretchBlendBitmap(dc, bar->GetBitmap(), nullptr,
                       vt::Rect{0, 0, g_ngLegendBarSkin[2], g_ngLegendBarSkin[3]}, dest);
  else
    dc->FillSolidRect(dest, 0x02707070);  // no skin image: a plain grey bar
}

void CGNgLegendList::ScalePrintRects(int s) {
  m_printScale = s;
  m_printFont = GetSharedFont(14 * s, 0, 0);
  const int fh = 14 * s;
  if (vt::CGNgLegendManager* m = Current()) {
    m->SetPrintBounds(2 * s, fh + 20 * s, m_printRect.Width() - 2 * s, m_printRect.Height());
    if (vt::CGNgLegendScreen* screen = m->LegendScreen()) screen->ApplyPrintScale(s);
  }
}

void CGNgLegendList::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  const int s = m_printScale;
  dc->SelectClipRect(&a);
  DrawSolidFrame(dc, vt::Rect{a.left, a.top, a.right - m_printFrameWidth * s, a.bottom}, m_printFrameWidth, 1,
                 0x02000000, 0x02FFFFFF);
  const int fh = 14 * s;
  DrawAlignedText(dc, vt::Rect{a.left, a.top + 10 * s, a.right, a.top + 10 * s + fh}, kAlignCenter,
                  0x02000000, m_printFont ? m_printFont->GetFont() : nullptr,
                  vt::LoadString(g_ngLegendTitleId));
}

// ---- requests of the trees ----

namespace {
CGNgGraph* GraphOf(const CGCore* list) {
  return static_cast<CGNgGraph*>(list->FindAncestorOfClass(GCLASS(CGNgGraph)));
}
CGNgWaveform* PanelOf(const CGCore* list) {
  return static_cast<CGNgWaveform*>(list->FindAncestorOfClass(GCLASS(CGNgWaveform)));
}
}  // namespace

void CGNgLegendList::SelectChannel(int channel, int axis) {
  if (CGNgWaveform* panel = PanelOf(this))
    panel->SelectChannel(channel, axis);
  else if (CGNgGraph* g = GraphOf(this))
    g->SelectChannel(channel, axis);
  else
    SelectInLegend(axis, channel);
}

void CGNgLegendList::SetAxisStyle(int axis, int style) {
  CGNgYAxisManager* manager = FindNgYAxisManager(this);
  if (CGNgYAxis* a = manager && axis >= 0 ? manager->GetAxis(axis) : nullptr) a->SetStyle(style);
}

void CGNgLegendList::SetTraceStyle(int trace, int style) {
  if (CGNgGraph* g = GraphOf(this)) g->SetTraceStyle(trace, style);
}

void CGNgLegendList::ReapplyAxisLayout() {
  if (CGNgYAxisManager* manager = FindNgYAxisManager(this)) manager->SetLayout(manager->m_layout);
}

CGPrimitive* CGNgLegendList::HookSource() {
  if (CGNgWaveform* panel = PanelOf(this)) return panel;
  if (CGNgGraph* g = GraphOf(this)) return g;
  return this;
}
