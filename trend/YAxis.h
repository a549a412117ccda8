// The Y axes of the trend graph: the value-to-pixel mappings that traces, cursors and trips use
// (linear or base-10 logarithmic, with over-range states placed beyond the ends), the three
// label steps and the grid step, the label format and width, and the drawing of labels, ticks,
// axis line and the rotated title. The mouse handling, buttons and zoom gadget of an axis are
// built with the Y-axis strip; an axis here keeps the zoom code of its record.
#pragma once
#include <cstdint>
#include <string>

#include "trend/Axis.h"

enum : int { LABELS_INITIAL = 0, LABELS_OFF = 1, LABELS_ON = 2 };
enum : int { SCALE_LINEAR = 0, SCALE_LOG = 1 };

// The largest float: where the trend display has no sample value.
constexpr double kNgNoValue = 3.4028234663852886e38;
// The smallest normal float, standing in for a log-scale bound of 0 or less.
constexpr double kNgLogFloor = 1.1754943508222875e-38;

struct SNgAxisSetting {
  uint8_t shown = 0;
  uint8_t legendFlag = 0;
  int16_t labelMode = 0;
  int16_t scaleType = 0;
  int16_t exponent = 0;
  int16_t zoom = 0;
  int16_t gridLevel = 0;
  uint32_t colour = 0;
  char name[128] = {};
  char unit[8] = {};
  double lowerPosition = 0;
  double upperPosition = 100;
  double spanLower = 0;
  double spanUpper = 0;
  double scaleMinimum = 0;
  double scaleMaximum = 0;
};

class CGNgZoom;

class CGYAxis : public CGAxis {
 public:
  CGYAxis(CGCore* parent, int left);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGYAxis); }

  using CGPrimitive::SetRange;
  void SetRange(double minimum, double maximum) override;
  void SetExponent(int flag) override;
  void ApplyPrintScale(int scale) override { ScalePrintRects(scale); }
  void ScalePrintRects(int scale) override;
  vt::ColorRef GetPrintForeColor() const override { return g_printInColour ? m_colour : 0x02000000; }

  virtual int PixelToValue(int y, double* value) = 0;
  virtual void ValuePairToPixels(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip) = 0;
  virtual int ValueToPixel(double value, int* state) = 0;
  virtual void UpdateLabelFormat();
  virtual void DrawScale(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour) {
    (void)dc, (void)r, (void)colour;
  }
  virtual int ValueToPrintPixel(double value, int* state) = 0;

  // A label in the current format (exponent forms with three exponent digits).
  std::string FormatLabel(double value) const;
  // The length of the longest label the axis would show, 0 when none.
  int MeasureLabelWidth() const;

  int m_scaleType = 0;
  int m_column = 0;
  int m_labelWidth = 6;
  int m_shown = 1;
  int m_clip = 0;
  double m_minimum = -100;
  double m_maximum = 100;
  int m_gridLevel = 0;
  double m_labelSteps[3] = {100, 50, 20};
  int m_decimals = 0;
  int m_formatWidth = 6;  // the width in the format text (the label width may differ)
  bool m_exponentFormat = false;
  CGFont* m_titleFont = nullptr;
  CGFont* m_printTitleFont = nullptr;

 protected:
  virtual double LogLower() const;
  virtual double LogUpper() const;
};

class CGNgYAxis : public CGYAxis {
 public:
  CGNgYAxis(CGCore* parent, int left);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgYAxis); }

  void Draw(vt::DeviceContext* dc) override;
  void LayoutTree() override;
  using CGYAxis::SetRange;
  void SetRange(double minimum, double maximum) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  int DrawGrid(vt::DeviceContext* dc, int x0, int x1, vt::ColorRef colour) override;
  int PrintGrid(vt::DeviceContext* dc, int x0, int x1, vt::ColorRef colour) override;
  int PixelToValue(int y, double* value) override;
  void ValuePairToPixels(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip) override;
  int ValueToPixel(double value, int* state) override;
  void UpdateLabelFormat() override;
  void DrawScale(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour) override;
  int ValueToPrintPixel(double value, int* state) override;
  virtual void ValuePairToPrintPixels(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip);

  void SetSetting(const SNgAxisSetting* record);
  void GetSetting(SNgAxisSetting* record) const;
  void SetGridStep();

  // ---- the mouse on an axis (YAxisMouse.cpp) ----
  // The hover area: the axis grown by its hover margins.
  void GetRect(vt::Rect* out) const override;
  void Layout() override;
  bool HitTest(int x, int y, int mask) const override;
  void SetBackColor(vt::ColorRef c) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseHover(int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void EraseDragFeedback(vt::DeviceContext* dc) override;
  vt::Rect GetDragFeedbackRect() const;

  // The zoom gadget, the label toggle and the reset button (the reset button calls the
  // NgAxisZoomHook held at this moment).
  void CreateButtons();
  void ToggleLabels();
  static void OnToggleLabels(CGPrimitive* button, int code, void* data);
  // 0 none, 1 top edge, 2 bottom edge, 3 body, 4 scale side, 5 on the zoom gadget.
  int GetHitZone(int x, int y) const;
  // The window cursor for a zone: 344 move, 345 zoom, the north-south sizing or the arrow.
  uint32_t CursorForZone(int zone) const;
  void UpdateCursor();
  // The dragged place as fractions of the band, stored as the current and free-layout place.
  void StorePositions();
  void DrawDragFrame();
  CGNgZoom* Zoom() const;
  // The hover background, frame and (in the free arrangement) grip.
  void DrawHover(vt::DeviceContext* dc);
  // The band of the manager: top and height (0 outside a manager).
  void Band(int* top, int* height) const;

  // Title composition (exposed for the tests): the pieces drawn and whether there are two.
  struct Title {
    std::string text;  // one-piece text, or the unit part of a two-piece title
    bool twoPiece = false;
  };
  Title ComposeAxisTitle(vt::DeviceContext* dc, const vt::Font* font, int length) const;

  double m_currentTop = 0, m_currentBottom = 1;
  double m_storedTop = 0, m_storedBottom = 1;
  int m_labelMode = 0;
  double m_spanLower = 0, m_spanUpper = 0;
  double m_gridStep = 1.0;
  double m_referenceSpan = 0;
  double m_logLower = 0, m_logUpper = 0;
  int m_printLineWidth = 1;
  int m_zoom = 0;  // the zoom code of the record, kept for the zoom gadget

  // Mouse state (hover, drag in the free arrangement) and the buttons above the axis.
  uint8_t m_hovered = 0;
  int m_dragMode = 0;
  uint8_t m_moved = 0;
  vt::Rect m_dragStart;
  int m_hoverLeft = 0, m_hoverRight = 0, m_hoverTop = 0, m_hoverBottom = 0;
  CGPrimitive* m_labelButton = nullptr;
  CGPrimitive* m_resetButton = nullptr;

 protected:
  double LogLower() const override { return m_logLower; }
  double LogUpper() const override { return m_logUpper; }

 private:
  int MapValue(double value, int* state, int top, int bottom) const;
  void MapPair(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip, int top, int bottom) const;
  void DrawScaleIn(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, const vt::Font* labelFont,
                   const vt::Font* titleFont, bool print);
  void DrawLinearLabels(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, int tmHeight);
  void DrawLogLabels(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, int tmHeight);
  template <class F>
  void ForEachLogMark(const vt::Rect& r, int tmHeight, F mark) const;
  void DrawLogTicks(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, int tmHeight);
  void DrawTitle(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, const vt::Font* titleFont,
                 int length, int x, int gap);
};
