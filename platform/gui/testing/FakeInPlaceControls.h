// In-place controls for tests: plain state that tests read, and typing and key presses that go
// through the same hooks as the real controls.
#pragma once
#include <string>
#include <vector>

#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"

namespace vt {

class FakeInPlaceEdit : public InPlaceEdit {
 public:
  FakeInPlaceEdit(bool password, int id, const Rect& r) : id_(id), password_(password), bounds_(r) {}

  // A key press: onKeyDown first; unhandled Enter, Tab and Escape insert nothing. True when the
  // hook handled it.
  bool PressKey(uint32_t vk);
  // Typing: each character through onChar, then into the selection.
  void Type(std::string_view utf8);

  int Id() const override { return id_; }
  bool IsPassword() const override { return password_; }
  void Move(const Rect& r, bool) override { bounds_ = r; }
  Rect Bounds() const override { return bounds_; }
  void SetFont(const Font* font) override { font_ = font; }
  void SetMargins(int32_t left, int32_t right) override { margins_ = {left, right}; }
  void SetText(std::string_view utf8) override;
  std::string Text() const override { return text_; }
  void SetSelection(int from, int to) override;
  std::pair<int, int> Selection() const override { return selection_; }
  void ReplaceSelection(std::string_view utf8) override;
  void Show(bool show) override { visible_ = show; }
  bool IsVisible() const override { return visible_; }
  void Focus() override { focused_ = true; }
  bool HasFocus() const override { return focused_; }
  void Invalidate() override { ++invalidations_; }
  void Cut() override;
  void Copy() override;
  void Paste() override;

  const Font* font() const { return font_; }
  // The frame a paint would draw now.
  std::optional<std::array<ColorRef, 4>> skinFrame() const {
    return onSkinFrame ? onSkinFrame() : std::nullopt;
  }
  std::pair<int32_t, int32_t> margins() const { return margins_; }
  int invalidations() const { return invalidations_; }
  std::string clipboard;  // what Cut and Copy put and the default Paste takes

 private:
  int id_;
  bool password_;
  Rect bounds_;
  const Font* font_ = nullptr;
  std::pair<int32_t, int32_t> margins_{0, 0};
  std::string text_;
  std::pair<int, int> selection_{0, 0};  // byte offsets
  bool visible_ = false;
  bool focused_ = false;
  int invalidations_ = 0;
};

class FakeInPlaceCombo : public InPlaceCombo {
 public:
  FakeInPlaceCombo(int id, const Rect& r) : id_(id), bounds_(r) {}

  bool PressKey(uint32_t vk);
  // The user picks an item: the selection changes and onSelChange runs.
  void Choose(int index);

  int Id() const override { return id_; }
  void Move(const Rect& r, bool) override { bounds_ = r; }
  Rect Bounds() const override { return bounds_; }
  void SetFont(const Font* font) override { font_ = font; }
  void ResetContent() override;
  int AddString(std::string_view utf8) override;
  int Count() const override { return int(items_.size()); }
  std::string ItemText(int index) const override;
  void SetCurSel(int index) override;
  int CurSel() const override { return selection_; }
  void SetText(std::string_view utf8) override { text_ = std::string(utf8); }
  std::string Text() const override { return selection_ >= 0 ? items_[std::size_t(selection_)] : text_; }
  void SetFieldHeight(int32_t height) override { fieldHeight_ = height; }
  void ShowDropDown(bool show) override { dropped_ = show; }
  bool IsDroppedDown() const override { return dropped_; }
  void Show(bool show) override { visible_ = show; }
  bool IsVisible() const override { return visible_; }
  void Focus() override { focused_ = true; }
  bool HasFocus() const override { return focused_; }
  void Invalidate() override { ++invalidations_; }

  const Font* font() const { return font_; }
  int32_t fieldHeight() const { return fieldHeight_; }
  int invalidations() const { return invalidations_; }

 private:
  int id_;
  Rect bounds_;
  const Font* font_ = nullptr;
  std::vector<std::string> items_;
  int selection_ = -1;
  std::string text_;
  int32_t fieldHeight_ = 0;
  bool dropped_ = false;
  bool visible_ = false;
  bool focused_ = false;
  int invalidations_ = 0;
};

}  // namespace vt
