// The in-place editors that a root lays over a gadget while it is edited: a text editor, a
// password editor and a drop-down list, each over a native control of the host window.
//
// Enter and Tab end an edit (Shift adds 1 to the close code); Escape does nothing; losing the
// focus does not end it. Ending stores the result into the gadget (event 7 before the text is
// stored, event 1 after) and posts WM_GADGET_EDITEND with the close code to the host; the
// root's OnEditEnd then lets the gadget finish (EndEdit). The gadget pointer stays set until
// then.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Geometry.h"

namespace vt {
class Font;
class InPlaceEdit;
class InPlaceCombo;
}  // namespace vt

class CGPrimitive;

class CTextEdit {
 public:
  // Takes the native control (null leaves the editor unusable) and installs its hooks.
  explicit CTextEdit(std::unique_ptr<vt::InPlaceEdit> control);
  virtual ~CTextEdit();
  // Places the control over rect (host client coordinates) and shows the text, all selected.
  void Open(CGPrimitive* gadget, const vt::Font* font, const vt::Rect& rect, const std::string& text,
            int margin);
  virtual void Commit(int closeCode);
  CGPrimitive* GetGadget() const { return m_gadget; }
  void ClearGadget() { m_gadget = nullptr; }
  vt::InPlaceEdit* Control() const { return m_control.get(); }

 protected:
  bool OnKey(uint32_t vk);
  // The first line of the clipboard text replaces the selection.
  void PasteFirstLine();

  std::unique_ptr<vt::InPlaceEdit> m_control;
  CGPrimitive* m_gadget = nullptr;
};

// The password editor: the same keys and commit, the control's own paste.
class CPasswdEdit : public CTextEdit {
 public:
  explicit CPasswdEdit(std::unique_ptr<vt::InPlaceEdit> control);
};

class CCombo {
 public:
  explicit CCombo(std::unique_ptr<vt::InPlaceCombo> control);
  ~CCombo();
  // Shows the items (position i shows item keyTable[i] with a table; a key outside the items
  // shows an empty text) and selects the position of currentKey. The table is copied.
  void Open(CGPrimitive* gadget, const vt::Rect& rect, int listHeight, const vt::Font* font, int itemCount,
            const std::string* itemTexts, const int* keyTable, int currentKey, int showList);
  void Close(int closeCode);
  CGPrimitive* GetGadget() const { return m_gadget; }
  void ClearGadget() { m_gadget = nullptr; }
  int GetCurrentIndex() const { return m_currentIndex; }
  vt::InPlaceCombo* Control() const { return m_control.get(); }
  const vt::Font* GetFont() const { return m_font; }

 private:
  int KeyOf(int index) const;
  void OnSelChange();

  std::unique_ptr<vt::InPlaceCombo> m_control;
  CGPrimitive* m_gadget = nullptr;
  int m_currentIndex = -1;
  int m_itemCount = 0;
  std::vector<int> m_keyTable;  // empty: the list index is the key
  const vt::Font* m_font = nullptr;
};
