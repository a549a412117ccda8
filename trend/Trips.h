// The trips of the trend graph: the four alarm set-point levels of every channel, 400 in all.
// Each shows as a dotted line across the plot at its level on the channel's Y axis and as a
// small tag in the strip beside the plot that shows the value and can be dragged up and down to
// change it. Only the selected channel's trips are drawn, hit and printed; trip i belongs to
// channel i / 4 and alarm level i mod 4. Values and shown flags come from the channel records
// and are read back from the manager.
#pragma once
#include <string>

#include "gadget/GGroup.h"
#include "trend/TrendRecords.h"

class CGNgYAxis;
class CGNgChannel;
class CGFont;
struct SNgChannelSetting;

constexpr int kNgTripCount = 400;

class CGTrip : public CGPrimitive {
 public:
  CGTrip(CGCore* manager, vt::ColorRef colour);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTrip); }

  void Draw(vt::DeviceContext* dc) override { DrawNormal(dc); }
  bool GetVisibleRect(vt::Rect* out) const override;
  void Paint(vt::DeviceContext* dc) override;
  void SetForeColor(vt::ColorRef c) override { m_colour = c; }
  vt::ColorRef GetForeColor() const override { return m_colour; }
  void SetValue(double v) override { m_value = v; }
  int GetValue(double* out) override { return *out = m_value, 0; }
  int SetFontSize(int size) override;
  void GetText(std::string* out) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void SetDecimals(int decimals) override;
  void SetExponent(int exponent) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;

  virtual void DrawNormal(vt::DeviceContext* dc) { DrawMarker(dc, m_colour); }
  virtual void DrawHighlighted(vt::DeviceContext* dc) { DrawMarker(dc, m_colour); }
  virtual void DrawMarker(vt::DeviceContext* dc, vt::ColorRef colour) { (void)dc, (void)colour; }

  // The level's screen point: x the trip's own origin, y on the axis (root coordinates). False
  // without an axis or when the level lies outside the axis.
  bool GetPosition(vt::Point* out) const;
  bool GetPrintPosition(vt::Point* out) const;

  double m_value = 0;
  vt::ColorRef m_colour;
  CGNgYAxis* m_yAxis = nullptr;
  int m_fontSize = 14;
  CGFont* m_font = nullptr;
  int m_decimals = 2;
  int m_exponent = 0;
  std::string m_format;

 protected:
  void RepaintHighlighted();
  int m_dragY = 0;
};

class CGNgTrip : public CGTrip {
 public:
  CGNgTrip(CGCore* manager, vt::ColorRef colour) : CGTrip(manager, colour) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgTrip); }

  bool HitTest(int x, int y, int mask) const override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  vt::ColorRef GetPrintForeColor() const override { return m_colour; }
  void DrawHighlighted(vt::DeviceContext* dc) override;
  void DrawMarker(vt::DeviceContext* dc, vt::ColorRef colour) override;

  void BindAxis(int axisIndex);
  bool IsOfSelectedChannel() const;
};

class CGTripManager : public CGGroup {
 public:
  explicit CGTripManager(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTripManager); }

  void Draw(vt::DeviceContext* dc) override { (void)dc; }
  void Paint(vt::DeviceContext* dc) override;
  void FillBackground(vt::DeviceContext* dc) override;
  void SetLineThickness(int pixels) { m_lineThickness = pixels; }

  int m_lineThickness = 1;
};

class CGNgTripManager : public CGTripManager {
 public:
  explicit CGNgTripManager(CGCore* parent) : CGTripManager(parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgTripManager); }

  void CreateTrips();
  void SetTrips(const SNgChannelSetting* records, int count);
  void GetTrips(int count, SNgChannelSetting* records) const;
  void DrawTripLines(vt::DeviceContext* dc, int left, int right);
  void PrintTripLines(vt::DeviceContext* dc, int left, int right);
  CGNgTrip* GetTrip(int index) const;

  // -1 until the graph's first channel selection: no trip is drawn or hit before it.
  int m_selected = -1;
  CGNgChannel** m_channels = nullptr;
  int m_channelCount = 0;
};

namespace vt {

// The colour of alarm level (trip index mod 4): red, blue, violet, orange.
vt::ColorRef NgTripLevelColour(int level);
// 0 or 1: the parity of the shown start in time-axis pixels, which dotted lines follow so that
// their dots keep their phase while the plot scrolls.
int NgDashPhase(const CGPrimitive* plot);

}  // namespace vt
