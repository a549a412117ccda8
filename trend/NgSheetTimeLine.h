// The time column of the trend sheet: one cell per row with the row's date and time of day in
// the display zone, with as many decimals of seconds as the fastest bound channel needs, and
// an icon when marks lie at that row. It is also where rows are selected: a click selects one
// row, dragging or Shift+click extends the selection, and a double click on a row asks the
// application (through the mark-click hook) to open that row's mark.
#pragma once
#include <string>

#include "gadget/sheet/GSkSheetLine.h"
#include "trend/NgSheet.h"

class CGNgSTimeLine : public CGSkSLine {
 public:
  CGNgSTimeLine(CGCore* sheet, int id, int style, int lineStatesOn, int width, int cellFrameWidth,
                int fontSize, const char* title);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSTimeLine); }

  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  virtual void PrintLine(vt::DeviceContext* dc, const vt::Rect& rect, int row);

  // Borrowed; null entries are skipped.
  void SetChannels(int count, CGNgChannel* const* channels) {
    m_channelCount = count;
    m_channels = channels;
  }
  void SetTimeSource(CGNgTime* source) { m_timeSource = source; }
  void UpdateWidth();
  // The smallest sample interval of the bound channels (FLT_MAX without any).
  double GetMinSampleInterval() const;
  void GetRowTimeText(int row, std::string* text) const;
  int GetMarkCount(int row) const;
  vt::ColorRef GetMarkColour(int row) const;
  // The mark-icon cell of a row; -1 for no icon.
  int MarkIconCell(int row, int lineState) const;

  int m_channelCount = 0;
  CGNgChannel* const* m_channels = nullptr;
  CGNgTime* m_timeSource = nullptr;
  int m_markClickArmed = 0;
  CGFont* m_timeFont = nullptr;
  int m_baseWidth;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

// The decimals (0-4) that the interval needs when written with four decimals.
int GetIntervalDecimals(double interval);
// The row time text for the given number of decimals, in the display zone.
std::string FormatRowTime(PreciseTime t, int decimals);
// The printed mark flag: a pennant, with a cross bar when count >= 2.
void DrawMarkSymbol(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef fill, vt::ColorRef pen,
                    int count, int scale);
