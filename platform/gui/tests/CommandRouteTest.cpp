// The command route: which link runs a command and what its enablers make of it; the actions,
// menus and toolbars built over it; and the menu and toolbar resources themselves.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QWidget>
#include <set>
#include <string>
#include <vector>

#include "platform/gui/CommandRouter.h"
#include "platform/gui/MenuResources.h"
#include "platform/gui/qt/CommandBars.h"

namespace {

using vt::CmdUI;
using vt::CommandMap;
using vt::CommandRouter;

// Five links whose maps note which of them ran a command.
class RouteTest : public testing::Test {
 protected:
  void SetUp() override {
    router_.SetChildRoute([this] {
      return childOpen_ ? vt::ChildRoute{&maps_[0], &maps_[1], &maps_[2]} : vt::ChildRoute{};
    });
    router_.SetMainFrame(&maps_[CommandRouter::kMainFrame]);
    router_.SetApplication(&maps_[CommandRouter::kApplication]);
  }
  CommandMap::Handler Runs(int link) {
    return [this, link] { ran_ += std::to_string(link); };
  }
  static CommandMap::Enabler Says(bool enabled, bool checked) {
    return [enabled, checked](CmdUI& ui) {
      ui.Enable(enabled);
      ui.SetCheck(checked);
    };
  }

  CommandMap maps_[CommandRouter::kLinkCount];
  CommandRouter router_;
  bool childOpen_ = true;
  std::string ran_;
};

TEST_F(RouteTest, FirstHandlerRunsAndFirstEnablerDecides) {
  const int V = CommandRouter::kView, D = CommandRouter::kDocument, F = CommandRouter::kChildFrame,
            M = CommandRouter::kMainFrame, A = CommandRouter::kApplication;
  maps_[V].On(1, Runs(V));  // a handler alone
  maps_[V].On(2, Runs(V));  // the view comes before the main frame
  maps_[M].On(2, Runs(M));
  maps_[M].OnUpdate(3, Says(true, true));  // an enabler early, the handler late
  maps_[A].On(3, Runs(A));
  maps_[M].OnUpdate(4, Says(true, false));  // said to be available, nobody runs it
  maps_[D].OnUpdate(6, Says(false, true));  // an early enabler refuses a late handler
  maps_[M].On(6, Runs(M));
  maps_[F].On(7, Runs(F));  // a handler without enabler before an enabler
  maps_[A].OnUpdate(7, Says(false, false));
  maps_[D].On(8, Runs(D), Says(true, true));  // handler and enabler in one link

  struct Case {
    int id;
    bool enabled;
    bool checked;
    const char* ranBy;
  };
  const Case cases[] = {
      {1, true, false, "0"}, {2, true, false, "0"}, {3, true, true, "4"},  {4, false, false, ""},
      {5, false, false, ""}, {6, false, true, ""},  {7, true, false, "2"}, {8, true, true, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const CmdUI ui = router_.Update(c.id);
    EXPECT_EQ(ui.Enabled(), c.enabled);
    EXPECT_EQ(ui.Checked(), c.checked);
    ran_.clear();
    EXPECT_EQ(router_.Execute(c.id), c.ranBy[0] != 0);
    EXPECT_EQ(ran_, c.ranBy);
  }
}

TEST_F(RouteTest, WithoutAnActiveChildOnlyTheFrameAndApplicationTakePart) {
  maps_[CommandRouter::kView].On(1, Runs(0));
  maps_[CommandRouter::kDocument].On(2, Runs(1));
  maps_[CommandRouter::kApplication].On(2, Runs(4));
  childOpen_ = false;
  EXPECT_FALSE(router_.Update(1).Enabled());
  EXPECT_FALSE(router_.Execute(1));
  EXPECT_TRUE(router_.Execute(2));
  EXPECT_EQ(ran_, "4");
}

TEST_F(RouteTest, HandlerMayRemoveItsOwnCommand) {
  CommandMap& frame = maps_[CommandRouter::kMainFrame];
  frame.On(9, [&] {
    frame.Remove(9);
    ran_ += "x";
  });
  EXPECT_TRUE(router_.Execute(9));
  EXPECT_FALSE(router_.Execute(9));
  EXPECT_EQ(ran_, "x");
}

// A document or view as a link's target: the ids its OnUpdateCommand answers for are its own
// (enabled as it says); a command reaching it is offered to its OnCommand first, and one it
// declines goes on along the route; the map's own entries come before the target.
class TargetSpy : public vt::CommandTarget {
 public:
  bool OnCommand(int id) override {
    ran.push_back(id);
    return id != 3;
  }
  bool OnUpdateCommand(int id, vt::CommandStatus& status) override {
    if (id == 4) return false;  // runs, but never said it handles it
    status.enabled = id != 2;
    status.checked = id == 1;
    return id >= 1 && id <= 3;
  }
  std::vector<int> ran;
};

TEST_F(RouteTest, TargetsAnswerTheIdsTheirMapsDoNotHold) {
  TargetSpy view;
  maps_[0].SetTarget(&view);
  maps_[CommandRouter::kApplication].On(3, Runs(4));
  maps_[CommandRouter::kApplication].On(4, Runs(4));
  maps_[0].On(5, Runs(0));
  EXPECT_TRUE(router_.Update(1).Enabled());
  EXPECT_TRUE(router_.Update(1).Checked());
  EXPECT_FALSE(router_.Update(2).Enabled());
  EXPECT_TRUE(router_.Execute(1));
  EXPECT_FALSE(router_.Execute(2));
  // Declined by the target: the application runs it.
  EXPECT_TRUE(router_.Execute(3));
  // Enabled by the application's handler, it is still offered to the target first, which runs it.
  EXPECT_TRUE(router_.Execute(4));
  EXPECT_TRUE(router_.Execute(5));
  EXPECT_EQ(view.ran, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(ran_, "40");
  maps_[0].SetTarget(nullptr);
  EXPECT_FALSE(router_.Update(1).Enabled());
}

TEST(MenuResources, EveryMenuIsWellFormedAndNamesItsCommands) {
  for (int id : {128, 131, 334, 335, 336, 337, 338, 349}) {
    SCOPED_TRACE(id);
    const auto items = vt::LoadMenu(id);
    ASSERT_FALSE(items.empty());
    const bool bar = id == 128 || id == 131;
    int previous = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const vt::MenuItem& item = items[i];
      EXPECT_LE(item.level, previous + 1) << i;  // a level opens only under a popup
      if (i > 0 && item.level > items[i - 1].level) {
        EXPECT_EQ(items[i - 1].kind, vt::MenuItem::kPopup) << i;
      }
      if (bar && item.level == 0) {
        EXPECT_EQ(item.kind, vt::MenuItem::kPopup) << i;
      }
      EXPECT_EQ(item.kind == vt::MenuItem::kCommand, item.id > 0) << i;
      previous = item.level;
    }
  }
  EXPECT_TRUE(vt::LoadMenu(999).empty());
  // The context menus hold exactly the commands the catalogue shows in them.
  std::set<int> trash;
  for (const vt::MenuItem& item : vt::LoadMenu(338))
    if (item.id) trash.insert(item.id);
  EXPECT_EQ(trash, (std::set<int>{32789, 32809, 32811}));
  // Every toolbar button and accelerator is a command of a menu, so its state shows there too.
  std::set<int> inMenus;
  for (int id : {128, 131})
    for (const vt::MenuItem& item : vt::LoadMenu(id)) inMenus.insert(item.id);
  for (int bar : {129, 130})
    for (const vt::ToolbarButton& button : vt::LoadToolbar(bar))
      if (button.id) {
        EXPECT_TRUE(inMenus.count(button.id)) << button.id;
      }
  for (const vt::Accelerator& a : vt::LoadAccelerators(128)) EXPECT_TRUE(inMenus.count(a.id)) << a.id;
}

TEST(CommandBars, ActionsFollowTheRouteWhenMenusOpenAndAfterEachCommand) {
  QWidget window;
  CommandMap frame;
  CommandRouter router;
  router.SetMainFrame(&frame);
  bool shown = false;
  frame.On(
      59392, [&] { shown = !shown; },
      [&](CmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(shown);
      });
  vt::CommandBars bars(&window, router);
  const std::vector<QMenu*>& menus = bars.Menus(128);
  ASSERT_EQ(menus.size(), 5u);
  QAction* toolbar = window.findChild<QAction*>("cmd.59392");
  QAction* display = window.findChild<QAction*>("cmd.32814");
  ASSERT_TRUE(toolbar && display);
  EXPECT_EQ(toolbar->text(), "&Tool Bar");
  EXPECT_EQ(toolbar->statusTip(), "Show or hide the toolbar");

  // The View menu opening runs the enablers of its items.
  EXPECT_FALSE(toolbar->isEnabled());
  emit menus[2]->aboutToShow();
  EXPECT_TRUE(toolbar->isEnabled());
  EXPECT_FALSE(toolbar->isChecked());
  EXPECT_FALSE(display->isEnabled());  // nobody handles it yet

  toolbar->trigger();  // runs the command, then every action is brought up to date
  EXPECT_TRUE(shown);
  EXPECT_TRUE(toolbar->isChecked());

  // Context menus and toolbars share the actions.
  QMenu* popup = bars.BuildPopup(336, &window);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->actions().size(), 2);
  EXPECT_EQ(popup->actions()[0], window.findChild<QAction*>("cmd.32825"));
  EXPECT_EQ(bars.BuildPopup(4711, &window), nullptr);
  QToolBar bar(&window);
  bars.FillToolBar(&bar, 130);
  EXPECT_EQ(bar.actions().size(), 9);  // eight buttons and one separator
}

}  // namespace
