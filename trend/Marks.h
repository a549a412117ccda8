// The marks of the trend graph: labelled flags set at points in time. Every mark whose time lies
// in the shown range shows as a flag in the strip above the plot and as a line of its colour
// across the plot; a mark may carry a note balloon (MarkNotes.h) positioned from the point where
// the flag meets the line. The mark manager holds the marks, takes and gives the exchange
// records, and draws the mark lines for the plot area. Marks and notes go back to the object
// pool when released and keep the double-click handler they were first given.
#pragma once
#include <string>

#include "gadget/GGroup.h"
#include "trend/MarkRecords.h"
#include "trend/NgHooks.h"
#include "trend/TrendRecords.h"

class CGFont;
class CGNgMarkNote;
class CGNgTAxis;

class CGNgMark : public CGPrimitive {
 public:
  CGNgMark(CGCore* parent, int id);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgMark); }

  void Release() override;
  void Draw(vt::DeviceContext* dc) override;
  void Paint(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void Layout() override;
  bool HitTest(int x, int y, int mask) const override;
  void GetChildOffset(vt::Point* out) const override;
  void SetBackColor(vt::ColorRef c) override;
  void SetText(const std::string& text) override { m_label = text; }
  void GetText(std::string* out) override { *out = m_label; }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  void SetData(int id, int shape, uint32_t groupLow, uint32_t groupHigh, PreciseTime time, const char* label,
               vt::ColorRef colour);
  void UpdateFromRecord(const SNgMarkData& record);
  void SetNotes(const SNgMarkData& record);
  void UpdateNotes(const SNgMarkData& record);
  CGNgMarkNote* AddNote(int id);
  void DeleteNotes();
  void GetRecord(SNgMarkData* record) const;
  // The point where the flag meets the mark line, in root coordinates; false when the mark's
  // time lies outside the time axis.
  bool GetAnchor(vt::Point* out) const;
  bool GetPrintAnchor(vt::Point* out) const;

  PreciseTime m_time;
  vt::ColorRef m_colour = 0;
  int m_shape = 0;
  uint32_t m_groupLow = 0, m_groupHigh = 0;
  int m_noteCount = 0;
  std::string m_label;
  CGFont* m_font = nullptr;
  CGFont* m_printFont = nullptr;

 private:
  // The polygon and label of a shape at anchor (x, y) for size (w, h) and notch s.
  void DrawShape(vt::DeviceContext* dc, const vt::Font* font, int x, int y, int w, int h, int s);
  // The top-left for the shape at anchor a, in the coordinates of origin o; false for no shape.
  bool PlaceFor(vt::Point a, vt::Point o, int w, int h, vt::Point* out) const;
};

class CGNgMarkManager : public CGGroup {
 public:
  explicit CGNgMarkManager(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgMarkManager); }

  void Draw(vt::DeviceContext* dc) override { (void)dc; }
  void Layout() override;
  bool HitTest(int x, int y, int mask) const override;
  void SetBackColor(vt::ColorRef c) override;
  void ScalePrintRects(int scale) override;
  virtual void DrawMarkLines(vt::DeviceContext* dc, int top, int bottom);
  virtual void PrintMarkLines(vt::DeviceContext* dc, int top, int bottom);

  CGNgMark* AddMark(int id, int shape, uint32_t groupLow, uint32_t groupHigh, const char* label,
                    vt::ColorRef colour, PreciseTime time);
  void SetMarks(int count, const SNgMarkData* records);
  // Writes at most capacity records (the marks in ring order) and answers how many it wrote;
  // *count gets the number of marks.
  int GetMarks(int* count, SNgMarkData* records, int capacity) const;
  CGNgMark* FindMark(int id) const;
  void DeleteMark(int id);
  void UpdateMark(int id, const SNgMarkData& record);

  int m_markCount = 0;

 private:
  void DrawLines(vt::DeviceContext* dc, int top, int bottom, bool print);
};

// Registers hook as the gadget's double-click (event 13) handler, called as hook (gadget, 13, 0).
void RegisterNgHookCallback(CGPrimitive* gadget, NgHook hook);
namespace vt {

// The time axis of the graph body above node (its first child of that class), or null.
CGNgTAxis* NgGraphTimeAxis(const CGCore* node);

}  // namespace vt
