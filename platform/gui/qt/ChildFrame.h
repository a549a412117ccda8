// ChildFrame: the frame of one view inside the main window's MDI area. It holds a ViewWidget,
// the host window that owns the view; it keeps the placement the saved graphs record (show
// state and its own normal rectangle, kept while minimised or maximised, so that applying a
// placement and reading it back gives the same numbers); it restores and activates itself; and
// its closing goes through the document, which may keep it open. Its view and the view's
// document take part in the main window's command route while the frame is the active child.
#pragma once
#include <QMdiSubWindow>
#include <memory>
#include <vector>

#include "platform/gui/CommandRouter.h"
#include "platform/gui/Document.h"
#include "platform/gui/qt/HostWidget.h"
#include "platform/gui/qt/MdiFrameWindow.h"

class QMdiArea;

namespace vt {

// The host window of a view; it owns the view and deletes it before it goes itself.
class ViewWidget : public HostWidget {
  Q_OBJECT

 public:
  explicit ViewWidget(QWidget* parent = nullptr) : HostWidget(parent) {}
  ~ViewWidget() override;
  void SetView(std::unique_ptr<View> view);
  View* GetView() const { return view_.get(); }
  std::unique_ptr<View>& ViewSlot() { return view_; }

 private:
  std::unique_ptr<View> view_;
};

class ChildFrame : public QMdiSubWindow, public ViewFrame, public MdiChildRoute {
  Q_OBJECT

 public:
  explicit ChildFrame(QMdiArea* area);
  ~ChildFrame() override;

  // Takes the view; it draws on this frame's view widget.
  void SetView(std::unique_ptr<View> view);
  View* GetView() const;
  ViewWidget* GetViewWidget() const { return viewWidget_; }

  // ViewFrame
  HostWindow* Host() override { return viewWidget_; }
  void SetTitle(const std::string& utf8) override;
  WindowPlacement GetPlacement() const override;
  void SetPlacement(const WindowPlacement& placement) override;
  void RestoreAndActivate() override;
  bool Close() override;

  // MdiChildRoute: the view, then its document.
  ChildRoute CommandRoute() const override;

  // The child frames of area, front to back.
  static std::vector<ChildFrame*> FramesFrontToBack(QMdiArea* area);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void KeepNormalRect();

  QMdiArea* area_;
  ViewWidget* viewWidget_;
  Rect normal_;
  Point minPosition_{-1, -1}, maxPosition_{-1, -1};
  uint32_t flags_ = 0;
  bool applying_ = false;
  // Asked at each route, so they always reach the view and document of this moment.
  mutable CommandMap viewCommands_, documentCommands_;
};

// Makes child frames in one MDI area (the templates' frame maker).
class MdiFrameMaker : public FrameMaker {
 public:
  explicit MdiFrameMaker(QMdiArea* area) : area_(area) {}
  ViewFrame* MakeFrame(std::unique_ptr<View> view, const std::string& title) override;

 private:
  QMdiArea* area_;
};

}  // namespace vt
