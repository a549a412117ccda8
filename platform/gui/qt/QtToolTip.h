// The tooltip window over a frameless QWidget shown without activation.
#pragma once
#include <QWidget>

#include "platform/gui/ToolTipWindow.h"

namespace vt {

class QtToolTip final : public QWidget, public ToolTipWindow {
 public:
  QtToolTip();
  void SetText(std::string_view utf8, const Font* font) override;
  std::string Text() const override { return text_.toUtf8().toStdString(); }
  void ShowAt(const Rect& screenRect) override;
  void Hide() override { hide(); }
  bool IsVisible() const override { return isVisible(); }
  Rect ScreenRect() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString text_;
  const Font* font_ = nullptr;
};

}  // namespace vt
