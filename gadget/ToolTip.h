// The single tooltip of the process: one line of text shown near the cursor, kept inside the
// work area, never taking the focus. The root master makes it on first use; roots set its text
// and show or hide it.
#pragma once
#include <memory>
#include <string>

#include "platform/gui/Geometry.h"

class CGFont;
namespace vt {
class ToolTipWindow;
}

class CToolTip {
 public:
  explicit CToolTip(CGFont* font);
  ~CToolTip();
  void SetText(const std::string& text) { m_text = text; }
  const std::string& GetText() const { return m_text; }
  // Hides it when show is 0 or the text is empty; else places it below the cursor (above it
  // near the bottom of the work area, shifted left near its right side) and shows it.
  void Show(int show);
  bool IsVisible() const;
  // Where Show puts a text of this size for a cursor at cursor.
  static vt::Rect Placement(vt::Point cursor, vt::Size text, const vt::Rect& workArea);

 private:
  std::string m_text;
  CGFont* m_font;
  std::unique_ptr<vt::ToolTipWindow> m_window;
};
