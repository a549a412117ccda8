// Fake in-place controls: text and selection kept in plain members.
#include "platform/gui/testing/FakeInPlaceControls.h"

#include <algorithm>

#include "platform/base/Text.h"
#include "platform/gui/VirtualKeys.h"

namespace vt {

bool FakeInPlaceEdit::PressKey(uint32_t vk) { return onKeyDown && onKeyDown(vk); }

void FakeInPlaceEdit::Type(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t next = Utf8Next(utf8, i);
    const std::string_view ch = utf8.substr(i, next - i);
    // The character as the real control reports it (its first UTF-16 unit), not its first byte.
    const std::u16string units = Utf8ToUtf16(ch);
    const uint32_t code = units.empty() ? static_cast<unsigned char>(ch[0]) : units[0];
    i = next;
    if (onChar && onChar(code)) continue;
    if (code == '\t' || code == '\r' || code == '\n' || code == 0x1B) continue;
    ReplaceSelection(ch);
  }
}

void FakeInPlaceEdit::SetText(std::string_view utf8) {
  text_ = std::string(utf8);
  selection_ = {int(text_.size()), int(text_.size())};
}

void FakeInPlaceEdit::SetSelection(int from, int to) {
  const int length = int(text_.size());
  from = std::clamp(from, 0, length);
  to = to < 0 ? length : std::clamp(to, 0, length);
  selection_ = {std::min(from, to), std::max(from, to)};
}

void FakeInPlaceEdit::ReplaceSelection(std::string_view utf8) {
  text_.replace(std::size_t(selection_.first), std::size_t(selection_.second - selection_.first), utf8);
  const int at = selection_.first + int(utf8.size());
  selection_ = {at, at};
}

void FakeInPlaceEdit::Cut() {
  Copy();
  ReplaceSelection("");
}

void FakeInPlaceEdit::Copy() {
  clipboard = text_.substr(std::size_t(selection_.first), std::size_t(selection_.second - selection_.first));
}

void FakeInPlaceEdit::Paste() {
  if (onPaste) {
    onPaste();
  } else {
    ReplaceSelection(clipboard);
  }
}

bool FakeInPlaceCombo::PressKey(uint32_t vk) { return onKeyDown && onKeyDown(vk); }

void FakeInPlaceCombo::Choose(int index) {
  if (index < 0 || index >= Count()) return;
  selection_ = index;
  if (onSelChange) onSelChange();
}

void FakeInPlaceCombo::ResetContent() {
  items_.clear();
  selection_ = -1;
}

int FakeInPlaceCombo::AddString(std::string_view utf8) {
  items_.emplace_back(utf8);
  return Count() - 1;
}

std::string FakeInPlaceCombo::ItemText(int index) const {
  return index >= 0 && index < Count() ? items_[std::size_t(index)] : std::string();
}

void FakeInPlaceCombo::SetCurSel(int index) { selection_ = index >= 0 && index < Count() ? index : -1; }

}  // namespace vt
