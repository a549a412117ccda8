// The data columns of the trend sheet, one per channel: for every visible row the column reads
// its channel at the row's time and shows the value, greyed when it is the padded value of a
// neighbouring sample, or leaves the cell empty; four small icons per cell tell which alarm
// levels were active. The title holds the channel name, the unit, a strip in the channel's
// colour and, for the selected column, four corner marks. Nothing is cached between paints.
#pragma once
#include <string>

#include "gadget/sheet/GSheetArray.h"
#include "trend/NgSheet.h"

// One row as read from the channel.
struct NgRowRead {
  int inData = 0;
  int exact = 0;
  double value = 0;  // the value, or the minimum of a pair
  double max = 0;
  uint16_t status = 0;
  bool read = false;  // false without channel or row source
};

class CGNgSData : public CGSheetArray {
 public:
  CGNgSData(CGCore* parent, int id, int style, int lineStatesOn, int width, int cellFrameWidth, int fontSize)
      : CGSheetArray(parent, id, style, lineStatesOn, width, cellFrameWidth, fontSize, "") {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSData); }
  void GetText(std::string* out) override { *out = m_name; }
  void Draw(vt::DeviceContext* dc) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void DrawTitle(vt::DeviceContext* dc, int top, int bottom) override { DrawTitleCell(dc, top, bottom, 0); }
  void DrawTitlePressed(vt::DeviceContext* dc, int top, int bottom) override {
    DrawTitleCell(dc, top, bottom, 1);
  }
  void DrawTitleHot(vt::DeviceContext* dc, int top, int bottom) override {
    DrawTitleCell(dc, top, bottom, 2);
  }
  void PrintTitle(vt::DeviceContext* dc, int top, int bottom) override;

  void SetChannel(CGNgChannel* channel) { m_channel = channel; }
  void SetTimeSource(CGNgTime* source) { m_timeSource = source; }
  void SetSelected(int flag) { m_selected = flag; }
  void SetNameKind(int kind) {
    m_nameKind = kind;
    Refresh();
  }
  void ShowAlarms(int flag) { m_showAlarms = flag; }
  void SetPadding(int flag) { m_padding = flag; }
  void SetPrintColour(int flag) { m_printColour = flag; }
  void Refresh();
  void GetUnitText(std::string* text) const;
  void FormatCellText(int state, double value, std::string* text) const;
  NgRowRead ReadRow(int row) const;
  bool IsMinMax() const { return m_minMax; }
  // The alarm-icon cell of level bit i.
  static int AlarmIconCell(uint16_t status, int bit, bool selected, bool exact, bool inside);
  // The upper title line that fits the width: 1 when text fits as it is, else 0 (see the title).
  int GetTitleLine(vt::DeviceContext* dc, int width, const vt::Font* font, vt::Size* extent,
                   std::string* text) const;

  int m_selected = 0;
  int m_showAlarms = 0;
  int m_padding = 0;
  int m_nameKind = NAME_CHANNEL_NO;
  int m_decimals = 2;
  std::string m_name;
  std::string m_unit;
  std::string m_valueFormat;
  vt::ColorRef m_colour = 0x02FFFFFF;
  CGNgChannel* m_channel = nullptr;
  CGNgTime* m_timeSource = nullptr;
  int m_printColour = 0;

 protected:
  bool m_minMax = false;

 private:
  void DrawRow(vt::DeviceContext* dc, int line, const vt::Rect& r);
  void DrawDataCell(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                    const NgRowRead& rd, int lineState, bool even, const std::string& text);
  void DrawAlarmIcons(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                      const NgRowRead& rd);
  void DrawCornerMarks(vt::DeviceContext* dc, const vt::Rect& rect, int state);
  void DrawTitleCell(vt::DeviceContext* dc, int top, int bottom, int look);
  void PrintValueCell(vt::DeviceContext* dc, const vt::Rect& rect, const NgRowRead& rd,
                      const std::string& text);
  void PrintAlarmMarks(vt::DeviceContext* dc, const vt::Rect& rect, const NgRowRead& rd);
  // The bracketed unit and its width in the font.
  int UnitExtent(vt::DeviceContext* dc, const vt::Font* font, std::string* unit) const;
  bool Shows(const NgRowRead& rd) const { return rd.read && rd.inData && (m_padding || rd.exact); }
};

class CGNgSNormalData : public CGNgSData {
 public:
  using CGNgSData::CGNgSData;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSNormalData); }
};

class CGNgSMinMaxData : public CGNgSData {
 public:
  CGNgSMinMaxData(CGCore* parent, int id, int style, int lineStatesOn, int width, int cellFrameWidth,
                  int fontSize)
      : CGNgSData(parent, id, style, lineStatesOn, width, cellFrameWidth, fontSize) {
    m_minMax = true;
  }
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSMinMaxData); }
};
