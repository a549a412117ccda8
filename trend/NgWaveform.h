// The trend panel: the one gadget the graph window's root puts in its tree to show a group of
// up to 100 channels against time. It holds the Y-axis strip on the left, a splitter, the graph
// body on the right, and the load-progress overlay in its middle, and is the facade through
// which the root builds the graph, binds channels and ranges and changes widths and colours.
// Its paint is where the display buffers are refilled, with the overlay and the load-finished
// hook around that refill. User actions reach the root only through the hooks of NgHooks.h.
#pragma once
#include <vector>

#include "gadget/GRootMaster.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSplitter.h"
#include "trend/GraphBody.h"
#include "trend/MarkRecords.h"
#include "trend/NgChannelSetting.h"
#include "trend/NgProgress.h"
#include "trend/YAxisStrip.h"

class CGNgMark;

class CGNgWaveform : public CGRowColumn {
 public:
  explicit CGNgWaveform(CGCore* root);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgWaveform); }

  // Overlay, Y-axis strip, splitter and graph body; the legend argument goes to the graph
  // (the root passes 150 on screen and 250 for print).
  void Build(int legendWidth);
  void SetChannels(int count, const SNgChannelSetting* records, int axisCount,
                   const SNgAxisSetting* axisRecords);
  void SelectChannel(int channel, int axis);
  // The graph cursors' times; the value boxes hide until the cursor next places them.
  void SetCursorTimes(PreciseTime a, PreciseTime b);
  // Value boxes on (1) or off (0); they hide until the cursor next places them.
  void SetCursorValueMode(int mode);
  // Shows (nonzero) or hides the alarm strip at the bottom of the plot.
  void ShowAlarms(int flag);
  // The mark manager's AddMark; null when it could not be made.
  CGNgMark* AddMark(int id, int shape, uint32_t groupLow, uint32_t groupHigh, const char* label,
                    vt::ColorRef colour, PreciseTime time);
  // A mark id that no mark has: nothing happens.
  void DeleteMark(int id);
  void UpdateMark(const SNgMarkData* record);
  void SetDataRange(PreciseTime start, PreciseTime end);
  void SetVisibleRange(PreciseTime start, PreciseTime end);
  void GetVisibleRange(PreciseTime* start, PreciseTime* end) const;
  // Stores the print frame width (1 when it changed); the axis line width to the strip; the
  // rest to the graph body.
  int SetLineWidths(int axisLineWidth, int frameWidth, int tracePrintWidth, int timeAxisWidth);
  CGNgYAxis* GetYAxis(int index) const;
  int GetYAxisCount() const;
  CGNgYAxisManager* GetYAxisManager() const { return m_strip ? m_strip->Manager() : nullptr; }

  void SetForeColor(vt::ColorRef c) override;
  void SetBackColor(vt::ColorRef c) override;
  void Draw(vt::DeviceContext* dc) override;
  // Refills the buffers (with the overlay and the hook), then paints as any group.
  void Paint(vt::DeviceContext* dc) override;
  void Layout() override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  // Event callbacks: the splitter's release and a Y axis's click.
  static void OnSplitterMoved(CGPrimitive* splitter, int code, void* data);
  static void OnYAxisClicked(CGPrimitive* axis, int code, void* data);

  // The channel of an axis (the first shown channel drawn against it) and the axis of a channel,
  // as the legend has them; from the bound records when the graph has no legend. -1 when none.
  int ChannelOfAxis(int axis) const;
  int AxisOfChannel(int channel) const;

  CGNgProgress* m_progress = nullptr;
  CGNgYAxisScrlMgr* m_strip = nullptr;
  CGSkHSplitter* m_splitter = nullptr;
  CGNgGraph* m_graph = nullptr;
  int m_printFrameWidth = 1;
  std::vector<SNgChannelSetting> m_channelRecords;
};

// The application's root master; it keeps what the translucent drawing needs for the run.
class CGNgRootMaster : public CGRootMaster {
 public:
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgRootMaster); }
};

// The panel's and the graph's skins: the overlay, the Y axes' hover frame, zoom buttons and
// selection marker, the thin time scroll bar, the cursor value boxes' and the mark notes'
// colours, the mark notes' pictures, and the legend's title bar, toggle icons and check and
// expand cells. Called once before the first panel is built.
void SetNgWaveformSkin();
void SetNgGraphSkin();
