// The legend panel at the right of the trend graph: a title bar with a mode toggle button and
// one of the two legend trees below it. It keeps the legend's data (one entry per channel,
// one per Y axis with copies of the entries of its channels), builds both trees from the
// graph window's channel and axis records, carries the user's choices from one tree into the
// other when the mode switches, and reports them back into the records.
//
// What the legends ask of the panel goes to the enclosing trend panel: its channel selection,
// the Y axes and arrangement of its strip, the traces of the graph body.
#pragma once
#include "gadget/GSelector.h"
#include "trend/LegendTree.h"
#include "trend/NgChannel.h"
#include "trend/NgChannelSetting.h"
#include "trend/YAxis.h"

class CGTogIconButton;
class CGLabel;

enum NG_LEGEND_MODE : int { LEGEND_CHANNEL = 1, LEGEND_AXIS = 2 };

// The string id of the legend title; the graph root sets it before graphs are built.
extern uint32_t g_ngLegendTitleId;
// The legend-bar image of the graph skin: {image id, mask id, cell width, cell height}, and the
// toggle button's icon strip.
extern int32_t g_ngLegendBarSkin[4];
extern int32_t g_ngLegendToggleIcons;

class CGNgLegendList : public CGSelector, public NgLegendOwner {
 public:
  CGNgLegendList(CGCore* graph, int width);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgLegendList); }

  void BuildLegends();
  void SetMode(int mode);
  void SetData(const SNgChannelSetting* channels, const SNgAxisSetting* axes, int channelCount,
               int axisCount);
  void GetChannelStates(int n, SNgChannelSetting* out);
  void GetAxisStates(int n, SNgAxisSetting* out);
  void SelectInLegend(int axis, int channel);
  int FindAxisOfChannel(int channel) const;
  int FirstShownChannelOfAxis(int axis);

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void SetBackColor(vt::ColorRef c) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  void BuildEntries(const SNgChannelSetting* channels, int channelCount, const SNgAxisSetting* axes,
                    int axisCount);
  void ReadBack();
  void SyncEntries(int mode);
  void PushData();

  // NgLegendOwner: to the enclosing panel (the graph body's selection without one).
  void SelectChannel(int channel, int axis) override;
  void SetAxisStyle(int axis, int style) override;
  void SetTraceStyle(int trace, int style) override;
  void ReapplyAxisLayout() override;
  CGPrimitive* HookSource() override;

  int32_t m_selectedAxis = -1;
  int32_t m_selectedChannel = -1;
  int32_t m_axisCount = 0;
  int32_t m_channelCount = 0;
  int32_t m_mode = 0;
  int32_t m_nameKind = 0;
  vt::ColorRef m_backColour = 0x02FFFFFF;
  int32_t m_boundCount = 0;
  CGNgChannel** m_boundChannels = nullptr;
  SNgLegendChannelEntry m_channels[kNgLegendEntries];
  SNgLegendAxisEntry m_axes[kNgLegendEntries];
  CGFont* m_printFont = nullptr;
  int32_t m_printFrameWidth = 1;

  CGTogIconButton* m_toggle = nullptr;
  CGLabel* m_title = nullptr;
  CGNgAxisLegend* m_axisLegend = nullptr;
  CGNgChLegend* m_channelLegend = nullptr;

 private:
  vt::CGNgLegendManager* Current() const;
  vt::CGNgLegendScreen* ChannelScreen() const;
  vt::CGNgLegendScreen* AxisScreen() const;
  int m_printScale = 1;
};
