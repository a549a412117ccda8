// The in-place drop-down list over QComboBox, a child of a host widget.
//
// Move gets the rectangle of field and list together, as the old control took it; the field
// takes the item height set by SetFieldHeight plus its frame (the rectangle's height until
// then) and the list shows as many items as fit into the rest. A user's choice (click or keys in the list)
// reports onSelChange; SetCurSel does not.
#pragma once
#include <QPointer>

#include "platform/gui/InPlaceCombo.h"

class QWidget;

namespace vt {

class EditorComboBox;

class QtInPlaceCombo final : public InPlaceCombo {
 public:
  QtInPlaceCombo(QWidget* host, int id, const Rect& r);
  ~QtInPlaceCombo() override;

  int Id() const override { return id_; }
  void Move(const Rect& r, bool repaint) override;
  Rect Bounds() const override { return bounds_; }
  void SetFont(const Font* font) override;
  void ResetContent() override;
  int AddString(std::string_view utf8) override;
  int Count() const override;
  std::string ItemText(int index) const override;
  void SetCurSel(int index) override;
  int CurSel() const override;
  void SetText(std::string_view utf8) override;
  std::string Text() const override;
  void SetFieldHeight(int32_t height) override;
  void ShowDropDown(bool show) override;
  bool IsDroppedDown() const override;
  void Show(bool show) override;
  bool IsVisible() const override;
  void Focus() override;
  bool HasFocus() const override;
  void Invalidate() override;

  QWidget* Widget() const;

 private:
  void Place();
  QPointer<EditorComboBox> combo_;
  int id_;
  Rect bounds_;
  int32_t fieldHeight_ = 0;
  bool settingSelection_ = false;
};

}  // namespace vt
