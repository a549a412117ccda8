// The time axis of the trend graph: the one place where times become x positions and back,
// the tick marks and labels whose placement follows the time per division (regular multiples,
// local midnights, hour and calendar scans in the display zone), the start-date and division
// boxes, the title with its unit hint, and the vertical grid lines of the plot area.
//
// The generic axis classes below it keep only what every trend time axis carries: the shown
// span and division of a horizontal axis, and the constructor defaults and texts of the
// sample-index time axis (its own index model is never drawn in the trend panel).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "trend/Axis.h"
#include "trend/TrendTime.h"

// String ids of the time axis: title, none, sec/div, min/div, hour/div, day/div, month/div.
extern uint32_t g_timeAxisTextIds[7];
// The text of one of those ids from the string table ("" for id 0 or an id the table lacks).
std::string LoadTimeAxisText(int index);

class CGXAxis : public CGAxis {
 public:
  explicit CGXAxis(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGXAxis); }
  virtual void RecalcRange() {}

  double m_shownStart = 0;
  double m_shownEnd = 240;
  double m_division = 30;
};

class CGTrendAxis : public CGXAxis {
 public:
  explicit CGTrendAxis(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTrendAxis); }
  void SetSize(int w, int h) override;
  virtual void RecalcDivision();
  virtual void UpdateUnitText();
  virtual void UpdateTitle();
  virtual void RecalcPrintRange() {}
  virtual void UpdatePrintUnitText() {}

  int m_zoom = 1;
  double m_offset = 0;
  double m_sampleInterval = 1.0;
  int64_t m_baseTime = 0;
  int64_t m_firstIndex = 0;
  int m_relative = 0;
  uint32_t m_titleIds[2] = {0, 0};
  double m_printDivision = 1.0;
};

// One tick or label position: x and the time the label names (seconds since 1970).
struct TimeMark {
  int x;
  double time;
};

enum class TimePlacement { kRegular, kMidnight, kHourScan, kMondays, kMonths, kQuarters };

class CGNgTAxis : public CGTrendAxis {
 public:
  explicit CGNgTAxis(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgTAxis); }

  void Draw(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  int DrawGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour) override;
  int PrintGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour) override;
  void RecalcRange() override;
  void UpdateUnitText() override;
  void UpdateTitle() override;
  void RecalcPrintRange() override;
  void UpdatePrintUnitText() override;

  void GetShownRange(PreciseTime* start, PreciseTime* end) const;
  int TimeToX(PreciseTime t) const;
  void GetPrintRange(PreciseTime* start, PreciseTime* end) const { GetShownRange(start, end); }
  int TimeToPrintX(PreciseTime t) const;
  PreciseTime XToTime(int x) const;
  PreciseTime XToTimeClamped(int x) const;

  // Placement and texts by division (exposed for the tests).
  static TimePlacement LabelPlacement(double division);
  static TimePlacement TickPlacement(double division);
  static std::string UnitTextFor(double division);
  static std::string FormatDivisionText(double division);
  // The label text of a mark under a division.
  static std::string FormatLabel(double division, double time);
  // Marks over [left, left + width) for the range s .. e in seconds. labels: the label column
  // walk (columns 0 .. width); otherwise the tick walk (0 .. width - 1).
  static std::vector<TimeMark> Marks(TimePlacement placement, double s, double e, double division, int left,
                                     int width, bool labels);

  PreciseTime m_shownRangeStart;
  PreciseTime m_shownRangeEnd;
  int m_printLineWidth = 1;

  // Where the boxes stand, as offsets from the axis's own edges, so that they move with the
  // axis: the division box ends at the axis's right edge + m_divisionBoxShift, the start-date
  // box begins at its left edge + m_dateBoxShift + 1. The graph body sets them at layout (the
  // plot area's right + the trip column + 1, and the graph's left); an axis outside a graph
  // keeps the box ends at its own edges.
  int m_divisionBoxShift = 1;
  int m_printDivisionBoxShift = 0;
  int m_dateBoxShift = 0;
  int m_printDateBoxShift = 0;

 private:
  void DrawAll(vt::DeviceContext* dc, const vt::Rect& a, const vt::Font* font, int fontHeight,
               vt::ColorRef colour, vt::ColorRef boxColour, int lineWidth, int divisionRight, int dateLeft,
               const std::string& unit);
  void DrawTicks(vt::DeviceContext* dc, int left, int width, int top, int bottom, vt::ColorRef colour);
  // The range mapped: an empty one is widened by a division each side.
  void MappedRange(PreciseTime* start, double* span) const;
};
