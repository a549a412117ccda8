// The Qt face of the command route: one QAction per command id, menus, context menus and
// toolbars built from the compiled-in tables, and the enablers run at the right moments.
//
// Every action carries the object name "cmd.<id>", so tests and the frame find it by id. A
// chosen action goes to the router; afterwards every action is brought up to date, since a
// command may change what the others offer. A menu updates its own actions when it opens, and
// toolbar buttons, which are always in view, are updated on a 200 ms tick.
#pragma once
#include <QAction>
#include <QMenu>
#include <QObject>
#include <QTimer>
#include <QToolBar>
#include <map>
#include <vector>

#include "platform/gui/CommandRouter.h"

class QMenuBar;

namespace vt {

class CommandBars : public QObject {
  Q_OBJECT

 public:
  static constexpr int kToolbarTickMs = 200;

  // Actions live in (and are shortcuts of) window.
  CommandBars(QWidget* window, const CommandRouter& router);
  ~CommandBars() override;

  // The action of a command id, made on first use.
  QAction* Action(int id);
  QAction* FindAction(int id) const;

  // The top-level menus of a menu resource, made once and kept (they belong to the window).
  const std::vector<QMenu*>& Menus(int menuId);
  // Replaces what the menu bar shows by the menus of menuId.
  void ShowMenus(QMenuBar* bar, int menuId);
  // A context menu of one of the popup resources (owned by parent); null for an unknown id.
  QMenu* BuildPopup(int menuId, QWidget* parent);
  // Fills a toolbar with the buttons of a toolbar resource and its pictures.
  void FillToolBar(QToolBar* bar, int toolbarId);
  // Gives the accelerators of an accelerator resource to their actions.
  void InstallAccelerators(int acceleratorsId);

  // Runs the enablers of these actions, or of every action.
  void UpdateActions(const QList<QAction*>& actions);
  void UpdateAll();

 private:
  void Fill(QMenu* menu, int menuId, std::size_t& index, int level);
  void OnTriggered(int id);

  QWidget* window_;
  const CommandRouter& router_;
  std::map<int, QAction*> actions_;
  std::map<int, std::vector<QMenu*>> menus_;
  std::vector<QAction*> tickActions_;  // toolbar buttons and accelerators
  QTimer tick_;
};

}  // namespace vt
