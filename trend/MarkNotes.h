// The note balloon of a mark: collapsed, a small plus icon on the mark line; expanded, a
// translucent rounded balloon with a title, a word-wrapped comment and a minus button, joined to
// the mark line by a connector. A click toggles it, a drag moves an expanded note up and down,
// and a double click opens the mark editor through the note's event. Notes are positioned from
// the mark's anchor and clipped to the plot area.
#pragma once
#include <string>
#include <vector>

#include "gadget/GPrimitive.h"
#include "trend/MarkRecords.h"
#include "trend/TrendRecords.h"

class CGFont;
class CGNgMark;

namespace vt {
class Path;
}

// Width of an expanded note and the offset by which positions of 0 or less are stored.
extern int g_ngNoteWidth;

// The notes' skin: button image and mask ids, button size, collapsed-icon image and mask ids,
// collapsed size.
struct SGNgMarkNoteSkin {
  int32_t buttonImage = 12199, buttonMask = 0, buttonWidth = 9, buttonHeight = 9;
  int32_t iconImage = 12201, iconMask = 12200, iconWidth = 9, iconHeight = 9;
};
void SetNgMarkNoteSkin(const SGNgMarkNoteSkin& skin);
const SGNgMarkNoteSkin& GetNgMarkNoteSkin();
// The built-in pictures of the button (a grey box with a minus) and the collapsed icon (a
// circle with a plus, and its circular mask), registered under the skin's shipped ids.
void RegisterNgMarkNoteArt();
// Balloon colours (ARGB): outline, top fill, bottom fill.
extern uint32_t g_ngNoteColours[3];

namespace vt {

// Word wrap by pixel width: a line ends at most with the character at which its width first
// reaches width; a multi-byte character whose first half reaches it starts the next line
// instead. Where that stretch holds a blank after some word, the line ends with the last word
// before the blank and the next line starts at the following word (the blanks between them are
// dropped); a word wider than the width alone is cut where the width is reached. Every line
// takes at least one whole character; characters are never split.
void NgWrapText(vt::DeviceContext* dc, const vt::Font* font, int width, const std::string& text,
                std::vector<std::string>* lines);

// The rounded outline with its title separator, and the frame and gradient fill drawn from it.
void NgAddRoundedPath(int diameter, vt::Path* path, int scale, int x, int y, int w, int h);
void NgDrawRoundedFrame(int radius, vt::DeviceContext* dc, int scale, uint32_t argb, int frames, int x, int y,
                        int w, int h);
void NgFillRoundedGradient(vt::DeviceContext* dc, int scale, uint32_t top, uint32_t bottom, int radius, int x,
                           int y, int w, int h);

}  // namespace vt

class CGNgMarkNote : public CGPrimitive {
 public:
  CGNgMarkNote(CGCore* mark, int id);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgMarkNote); }

  void Release() override;
  void Draw(vt::DeviceContext* dc) override;
  void Paint(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void GetOrigin(vt::Point* out) const override;
  void Layout() override;
  void SetBackColor(vt::ColorRef c) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void GetPrintOrigin(vt::Point* out) const override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  void SetRecord(const SNgMarkNote& record);
  // The record position of the stored horizontal position.
  int RecordPosition() const { return m_position < 0 ? m_position + g_ngNoteWidth : m_position; }
  // The rectangle (graph body coordinates) of the plot area the note lies over.
  bool GetPlotRect(vt::Rect* out, bool print) const;

  int m_state = 0;
  int m_position = 0;
  double m_value = 0;
  double m_dragStartValue = 0;
  int m_dragStartY = 0;
  int m_expandedHeight = 0;
  std::string m_title;
  std::string m_comment;
  vt::ColorRef m_textColour = 0x02FFFFFF;
  CGFont* m_font = nullptr;
  std::vector<std::string> m_lines;
  CGFont* m_printFont = nullptr;

 private:
  CGNgMark* Mark() const;
  void Relayout();
  // The wrapped comment for a font and width, kept until one of them or the comment changes.
  void Wrap(vt::DeviceContext* dc, const vt::Font* font, int width);
  void DrawConnector(vt::DeviceContext* dc, vt::Point anchor, const vt::Rect& r);
  void DrawTexts(vt::DeviceContext* dc, const vt::Font* font, int fontHeight, const vt::Rect& r, int margin,
                 int band, int titleRight);
  const vt::Font* wrapFont_ = nullptr;
  int wrapWidth_ = -1;
  std::string wrapText_;
};
