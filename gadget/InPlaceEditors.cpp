// The in-place editors (see InPlaceEditors.h).
#include "gadget/InPlaceEditors.h"

#include <algorithm>

#include "gadget/GRoot.h"
#include "platform/base/Text.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"
#include "platform/gui/VirtualKeys.h"

namespace {

int CloseCodeOf(uint32_t vk) {
  const int shift = vt::CurrentDesktop().IsKeyDown(vt::kVkShift) ? 1 : 0;
  return (vk == vt::kVkReturn ? kEditEndEnter : kEditEndTab) + shift;
}

void PostEditEnd(CGPrimitive* gadget, int closeCode) {
  if (vt::HostWindow* host = gadget->GetHostWindow())
    vt::PostMessage(host->Handle(), WM_GADGET_EDITEND, 0, closeCode);
}

// The byte offset of a character position in UTF-8 text (the end when past it).
std::size_t ByteOffset(const std::string& text, int chars) {
  std::size_t pos = 0;
  for (int i = 0; i < chars && pos < text.size(); ++i) pos = vt::Utf8Next(text, pos);
  return std::min(pos, text.size());
}

int CharCount(std::string_view text) {
  int n = 0;
  for (std::size_t pos = 0; pos < text.size(); pos = vt::Utf8Next(text, pos)) ++n;
  return n;
}

}  // namespace

CTextEdit::CTextEdit(std::unique_ptr<vt::InPlaceEdit> control) : m_control(std::move(control)) {
  if (!m_control) return;
  m_control->onKeyDown = [this](uint32_t vk) { return OnKey(vk); };
  m_control->onChar = [](uint32_t ch) { return ch == 9 || ch == 13 || ch == 27; };
  if (!m_control->IsPassword()) m_control->onPaste = [this] { PasteFirstLine(); };
}

CTextEdit::~CTextEdit() = default;

CPasswdEdit::CPasswdEdit(std::unique_ptr<vt::InPlaceEdit> control) : CTextEdit(std::move(control)) {}

bool CTextEdit::OnKey(uint32_t vk) {
  if (vk == vt::kVkReturn || vk == vt::kVkTab) {
    Commit(CloseCodeOf(vk));
    return true;
  }
  return vk == vt::kVkEscape;  // Escape neither cancels nor reaches the control
}

void CTextEdit::Open(CGPrimitive* gadget, const vt::Font* font, const vt::Rect& rect, const std::string& text,
                     int margin) {
  if (!m_control) return;
  m_gadget = gadget;
  m_control->Move(rect, true);
  m_control->SetFont(font);
  m_control->SetMargins(margin, margin);
  m_control->SetText(text);
  m_control->SetSelection(0, -1);
  m_control->Show(true);
  m_control->Focus();
}

void CTextEdit::Commit(int closeCode) {
  if (!m_control) return;
  const std::string text = m_control->Text();
  m_control->Show(false);
  // A handler may delete the gadget; the root then clears m_gadget, so it is read anew.
  if (m_gadget) m_gadget->FireEvent(GEVENT_EDIT_STORE);
  if (m_gadget) m_gadget->SetEditText(text);
  if (m_gadget) m_gadget->FireEvent(GEVENT_CHANGED);
  if (m_gadget) PostEditEnd(m_gadget, closeCode);
}

void CTextEdit::PasteFirstLine() {
  const std::optional<std::string> clip = vt::CurrentDesktop().ClipboardText();
  if (!clip) return;
  const std::string line = clip->substr(0, clip->find('\r'));
  const std::string old = m_control->Text();
  auto [from, to] = m_control->Selection();
  if (to < 0) to = CharCount(old);
  if (from > to) std::swap(from, to);
  const std::size_t a = ByteOffset(old, from);
  const std::size_t b = ByteOffset(old, to);
  // The text after the selection is kept also for a text of several lines.
  m_control->SetText(old.substr(0, a) + line + old.substr(b));
  const int caret = from + CharCount(line);
  m_control->SetSelection(caret, caret);
}

CCombo::CCombo(std::unique_ptr<vt::InPlaceCombo> control) : m_control(std::move(control)) {
  if (!m_control) return;
  m_control->onKeyDown = [this](uint32_t vk) {
    if (vk != vt::kVkReturn && vk != vt::kVkTab) return false;
    Close(CloseCodeOf(vk));
    return true;
  };
  m_control->onSelChange = [this] { OnSelChange(); };
}

CCombo::~CCombo() = default;

int CCombo::KeyOf(int index) const {
  if (m_keyTable.empty()) return index;
  return index >= 0 && index < m_itemCount ? m_keyTable[std::size_t(index)] : -1;
}

void CCombo::Open(CGPrimitive* gadget, const vt::Rect& rect, int listHeight, const vt::Font* font,
                  int itemCount, const std::string* itemTexts, const int* keyTable, int currentKey,
                  int showList) {
  if (!m_control) return;
  m_gadget = gadget;
  m_itemCount = std::max(itemCount, 0);
  m_keyTable.clear();
  if (keyTable) m_keyTable.assign(keyTable, keyTable + m_itemCount);
  m_currentIndex = currentKey;
  if (keyTable) {
    auto it = std::find(m_keyTable.begin(), m_keyTable.end(), currentKey);
    m_currentIndex = it == m_keyTable.end() ? -1 : int(it - m_keyTable.begin());
  }
  m_font = font;
  m_control->SetFont(font);
  m_control->ResetContent();
  for (int i = 0; i < m_itemCount; ++i) {
    int item = keyTable ? m_keyTable[std::size_t(i)] : i;
    m_control->AddString(item >= 0 && item < m_itemCount && itemTexts ? itemTexts[item] : std::string());
  }
  m_control->SetCurSel(m_currentIndex);
  if (m_control->CurSel() < 0) {
    std::string text;
    if (gadget) gadget->GetEditText(&text);
    m_control->SetText(text);
  }
  const int fieldHeight = rect.bottom - rect.top;
  listHeight = std::max(listHeight, fieldHeight);
  m_control->Move(vt::Rect{rect.left - 1, rect.top - 1, rect.right, rect.bottom + listHeight + 1}, false);
  m_control->SetFieldHeight(fieldHeight - 4);
  m_control->ShowDropDown(showList != 0);
  m_control->Show(true);
  m_control->Focus();
}

void CCombo::Close(int closeCode) {
  if (!m_control) return;
  m_control->Show(false);
  if (!m_gadget) return;
  const int sel = m_control->CurSel();
  if (sel != m_currentIndex) {
    m_currentIndex = sel;
    m_gadget->SetSelectedIndex(KeyOf(sel));
    if (m_gadget) m_gadget->FireEvent(GEVENT_CHANGED);
  }
  if (m_gadget) PostEditEnd(m_gadget, closeCode);
}

void CCombo::OnSelChange() {
  const int sel = m_control->CurSel();
  if (sel != m_currentIndex) {
    m_currentIndex = sel;
    if (m_gadget) m_gadget->FireEvent(GEVENT_EDIT_STORE);
    if (m_gadget) m_gadget->SetSelectedIndex(KeyOf(sel));
    if (m_gadget) {
      CGRoot* root = m_gadget->GetRootGadget();
      if (root) root->BorrowWindowDC();
      m_gadget->FireEvent(GEVENT_CHANGED);
      if (root) root->ReturnWindowDC();
    }
  }
  m_control->Invalidate();
}
