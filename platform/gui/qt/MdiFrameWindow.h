// The multi-document main window: a QMainWindow around a QMdiArea, with the command route, the
// menus of the frame and of its child windows, a window handle for posted messages, file drops
// and a workspace kept in the profile.
//
// The active child is tracked here rather than asked of the MDI area: Qt reports no active
// sub-window while a dock, a floating pane or a tool window has the focus, but the commands of
// the graph window the user last worked in must stay available then. The tracked child is the
// last one activated that is still open; when it closes, the area's top child takes its place.
//
// A child window takes part in the command route when it implements MdiChildRoute.
#pragma once
#include <QByteArray>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "platform/base/WindowHandles.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/qt/CommandBars.h"

namespace vt {

class Profile;

class MdiChildRoute {
 public:
  virtual ~MdiChildRoute() = default;
  virtual ChildRoute CommandRoute() const = 0;
};

class MdiFrameWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The longest dropped path taken; a longer one is not imported rather than cut short.
  static constexpr int kMaxDropPath = 260;

  explicit MdiFrameWindow(QWidget* parent = nullptr);
  ~MdiFrameWindow() override;

  WindowHandle Handle() const { return handle_; }
  QMdiArea* MdiArea() const { return area_; }
  CommandRouter& Router() { return router_; }
  CommandBars& Bars() { return *bars_; }
  // The frame's own commands (the main-frame link of the route); the window arrangement and
  // Exit are already in it.
  CommandMap& FrameCommands() { return frameCommands_; }

  // The menu the frame shows alone, and the one it shows while a child window is active.
  void SetMenus(int frameMenu, int childMenu);
  int ShownMenu() const { return shownMenu_; }

  // The child the commands go to; null when none is open.
  QMdiSubWindow* ActiveChild() const { return active_; }

  // The layout of bars and panes and the window's own place, in the profile's "Workspace" section.
  void SaveWorkspace(Profile& profile) const;
  // False when the profile holds no (usable) workspace; the layout then stays as built.
  bool RestoreWorkspace(const Profile& profile);

 protected:
  // A posted or sent private message; the default answers 0.
  virtual LResult OnMessage(uint32_t message, WParam wParam, LParam lParam);
  // The one file taken from a drop.
  virtual void OnDropFile(const std::string& path);
  // The close box, Alt+F4 or Exit of an enabled frame (restored first when minimised). The
  // default closes the window.
  virtual void OnClose();
  virtual void OnActiveChildChanged() {}

  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void OnSubWindowActivated(QMdiSubWindow* window);
  void ChildGone(QObject* child);
  void Track(QMdiSubWindow* window);

  QMdiArea* area_;
  CommandRouter router_;
  CommandMap frameCommands_;
  std::unique_ptr<CommandBars> bars_;
  QPointer<QMdiSubWindow> active_;
  int frameMenu_ = 0;
  int childMenu_ = 0;
  int shownMenu_ = 0;
  bool closing_ = false;
  WindowHandle handle_ = 0;
};

}  // namespace vt
