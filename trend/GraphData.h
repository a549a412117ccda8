// The traces of the trend graph: one per channel, drawn from the channel's display buffer as a
// polyline through every sample, a bar per min/max pair, or a bar per pixel column, by the mode
// the buffer was filled in. Printing reads the channel directly at the printer's resolution.
// A trace without a Y axis draws nothing.
#pragma once
#include <cstdint>

#include "gadget/GPrimitive.h"
#include "trend/NgChannelSetting.h"
#include "trend/NgDataBuff.h"
#include "trend/TrendRecords.h"

class CGNgTAxis;
class CGYAxis;
class CGNgYAxis;
class CGChannel;

class CGGraphData : public CGPrimitive {
 public:
  explicit CGGraphData(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGGraphData); }
  bool GetVisibleRect(vt::Rect* out) const override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void SetForeColor(vt::ColorRef c) override { m_colour = c; }
  vt::ColorRef GetForeColor() const override { return m_colour; }
  void SetDataSource(void* source) override { m_dataSource = static_cast<CGChannel*>(source); }
  virtual void SetPenWidth(int width) { m_penWidth = width; }

  vt::ColorRef m_colour = 0x02FFFFFF;
  CGNgTAxis* m_timeAxis = nullptr;
  CGNgYAxis* m_yAxis = nullptr;
  CGChannel* m_dataSource = nullptr;
  int m_penWidth = 1;
};

class CGNgGraphData : public CGGraphData {
 public:
  explicit CGNgGraphData(CGCore* parent) : CGGraphData(parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgGraphData); }

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  virtual void DrawRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  virtual void GetShownRange(PreciseTime* start, PreciseTime* end) const;
  virtual void PrintRange(vt::DeviceContext* dc, PreciseTime start, PreciseTime end);
  virtual void GetPrintRange(PreciseTime* start, PreciseTime* end) const;

  // Colour, shown (style 3) or hidden (0), and the Y axis the record names among the panel's
  // axes (none past the last one).
  void ApplyChannelSetting(const SNgChannelSetting& record);
  int64_t GetSampleCount(PreciseTime start, PreciseTime end) const;
  void ReadValueAt(PreciseTime t, double* value, uint16_t* status) const;
  void ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) const;
  CGNgChannel* Channel() const { return m_buffer ? m_buffer->m_channel : nullptr; }

  CGNgDataBuff* m_buffer = nullptr;
  int m_printPenWidth = 1;

 private:
  struct Target;
  void DrawBuffer(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target);
  void DrawSamples(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target);
  void DrawPairs(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target);
  void DrawColumns(vt::DeviceContext* dc, const CGNgDataBuff& buffer, const Target& target);
};
