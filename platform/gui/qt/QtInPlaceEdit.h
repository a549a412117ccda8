// The in-place text and password editors over QLineEdit, children of a host widget.
//
// One line is enough for gadget editing: Enter ends the edit and a paste keeps the first line.
// Tab and Shift+Tab are caught before Qt's focus chain sees them, so they reach onKeyDown; the
// wheel is swallowed (or handed to the host when the host asks for it); the context menu is off so that every
// paste goes through Paste(). A skin frame is painted after the control's own painting.
#pragma once
#include <QPointer>

#include "platform/gui/InPlaceEdit.h"

class QWidget;

namespace vt {

class EditorLineEdit;

class QtInPlaceEdit final : public InPlaceEdit {
 public:
  QtInPlaceEdit(QWidget* host, bool password, int id, const Rect& r);
  ~QtInPlaceEdit() override;

  int Id() const override { return id_; }
  bool IsPassword() const override { return password_; }
  void Move(const Rect& r, bool repaint) override;
  Rect Bounds() const override;
  void SetFont(const Font* font) override;
  void SetMargins(int32_t left, int32_t right) override;
  void SetText(std::string_view utf8) override;
  std::string Text() const override;
  void SetSelection(int from, int to) override;
  std::pair<int, int> Selection() const override;
  void ReplaceSelection(std::string_view utf8) override;
  void Show(bool show) override;
  bool IsVisible() const override;
  void Focus() override;
  bool HasFocus() const override;
  void Invalidate() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;

  // The control itself, for tests that type into it.
  QWidget* Widget() const;

 private:
  QPointer<EditorLineEdit> edit_;
  int id_;
  bool password_;
};

}  // namespace vt
