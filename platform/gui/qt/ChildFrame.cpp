// ChildFrame: placement with our own normal rectangle, restore and activate, the z-order walk,
// and the closing order through the document.
#include "platform/gui/qt/ChildFrame.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace vt {

ViewWidget::~ViewWidget() {
  // The view's root draws on this widget: it goes first.
  view_.reset();
}

void ViewWidget::SetView(std::unique_ptr<View> view) {
  view_ = std::move(view);
  SetClient(view_.get());
}

ChildFrame::ChildFrame(QMdiArea* area) : QMdiSubWindow(nullptr), area_(area), viewWidget_(new ViewWidget) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(viewWidget_);
  viewWidget_->SetFrame(this);
  if (area_) area_->addSubWindow(this);
}

ChildFrame::~ChildFrame() = default;

void ChildFrame::SetView(std::unique_ptr<View> view) { viewWidget_->SetView(std::move(view)); }

View* ChildFrame::GetView() const { return viewWidget_ ? viewWidget_->GetView() : nullptr; }

void ChildFrame::SetTitle(const std::string& utf8) { setWindowTitle(QString::fromStdString(utf8)); }

WindowPlacement ChildFrame::GetPlacement() const {
  WindowPlacement p;
  p.flags = flags_;
  p.showCmd = isMinimized() ? kShowMinimized : isMaximized() ? kShowMaximized : kShowNormal;
  p.minPosition = minPosition_;
  p.maxPosition = maxPosition_;
  p.normal = normal_;
  return p;
}

void ChildFrame::SetPlacement(const WindowPlacement& placement) {
  applying_ = true;
  flags_ = placement.flags;
  minPosition_ = placement.minPosition;
  maxPosition_ = placement.maxPosition;
  normal_ = placement.normal;
  const QRect normal(placement.normal.left, placement.normal.top,
                     placement.normal.right - placement.normal.left,
                     placement.normal.bottom - placement.normal.top);
  if (isMinimized() || isMaximized()) showNormal();
  setGeometry(normal);
  if (placement.showCmd == kShowMinimized)
    showMinimized();
  else if (placement.showCmd == kShowMaximized)
    showMaximized();
  else
    show();
  applying_ = false;
}

void ChildFrame::RestoreAndActivate() {
  if (isMinimized()) showNormal();
  if (area_) area_->setActiveSubWindow(this);
  if (viewWidget_) viewWidget_->setFocus(Qt::OtherFocusReason);
}

bool ChildFrame::Close() { return close(); }

ChildRoute ChildFrame::CommandRoute() const {
  View* view = GetView();
  viewCommands_.SetTarget(view);
  documentCommands_.SetTarget(view ? view->GetDocument() : nullptr);
  return {&viewCommands_, &documentCommands_, nullptr};
}

std::vector<ChildFrame*> ChildFrame::FramesFrontToBack(QMdiArea* area) {
  std::vector<ChildFrame*> out;
  if (!area) return out;
  const QList<QMdiSubWindow*> list = area->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.crbegin(); it != list.crend(); ++it)
    if (auto* f = qobject_cast<ChildFrame*>(*it)) out.push_back(f);
  return out;
}

void ChildFrame::closeEvent(QCloseEvent* e) {
  if (!viewWidget_ || !viewWidget_->GetView()) {
    QMdiSubWindow::closeEvent(e);
    return;
  }
  ViewWidget* widget = viewWidget_;
  const bool closed = Document::CloseView(widget->ViewSlot(), [this, widget] {
    widget->SetClient(nullptr);
    viewWidget_ = nullptr;
    setWidget(nullptr);
    delete widget;
    hide();
  });
  if (!closed) {
    e->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(e);
}

void ChildFrame::KeepNormalRect() {
  // Only a frame in its normal state tells its normal rectangle; minimised and maximised ones
  // keep the last one (or the one applied).
  if (applying_ || isMinimized() || isMaximized() || !isVisible()) return;
  const QRect g = geometry();
  normal_ = Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void ChildFrame::moveEvent(QMoveEvent* e) {
  QMdiSubWindow::moveEvent(e);
  KeepNormalRect();
}

void ChildFrame::resizeEvent(QResizeEvent* e) {
  QMdiSubWindow::resizeEvent(e);
  KeepNormalRect();
}

void ChildFrame::changeEvent(QEvent* e) {
  QMdiSubWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) KeepNormalRect();
}

ViewFrame* MdiFrameMaker::MakeFrame(std::unique_ptr<View> view, const std::string& title) {
  auto* frame = new ChildFrame(area_);
  frame->SetTitle(title);
  View* v = view.get();
  frame->SetView(std::move(view));
  v->Attach(v->GetDocument(), frame);
  frame->resize(area_ ? area_->width() * 3 / 4 : 640, area_ ? area_->height() * 3 / 4 : 480);
  frame->show();
  return frame;
}

}  // namespace vt
