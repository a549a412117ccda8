// Commands by id and the route they take.
//
// A menu item, toolbar button or accelerator names a command by its integer id. The router hands
// the id along a fixed route: the active view of the active child window, that view's document,
// the child frame, the main frame, then the application; the first link whose command map has a
// handler for the id runs it. Enablers travel the same route and decide whether the command is
// available and checked: the first link with an enabler for the id decides; a link with only a
// handler enables the command; a command nobody handles is disabled. So a command whose owner
// is not there yet stays greyed out instead of doing nothing when chosen.
#pragma once
#include <array>
#include <functional>
#include <map>

#include "platform/gui/CommandTarget.h"

namespace vt {

// What an enabler says about one command.
class CmdUI {
 public:
  explicit CmdUI(int id) : id_(id) {}
  int Id() const { return id_; }
  void Enable(bool on = true) { enabled_ = on; }
  void SetCheck(bool on = true) { checked_ = on; }
  bool Enabled() const { return enabled_; }
  bool Checked() const { return checked_; }

 private:
  int id_;
  bool enabled_ = false;
  bool checked_ = false;
};

// The commands one object handles: an optional action and an optional enabler per id.
class CommandMap {
 public:
  using Handler = std::function<void()>;
  using Enabler = std::function<void(CmdUI&)>;

  // An action; an enabler may come with it (none: always enabled, never checked).
  void On(int id, Handler handler, Enabler enabler = {});
  // Only an enabler: what it says holds, but choosing the command goes on along the route.
  void OnUpdate(int id, Enabler enabler);
  void Remove(int id);
  // A document or view asked about the ids the map has no entry of its own for: it handles an
  // id when its OnUpdateCommand answers for it. Null removes it.
  void SetTarget(CommandTarget* target) { target_ = target; }

  bool HasHandler(int id) const;
  // Runs the handler; false when there is none.
  bool Execute(int id) const;
  // Fills ui from the enabler, or enables it when only a handler exists; false when the map has
  // neither for the id.
  bool Update(CmdUI& ui) const;

 private:
  struct Entry {
    Handler handler;
    Enabler enabler;
  };
  std::map<int, Entry> entries_;
  CommandTarget* target_ = nullptr;
};

// The three links an active child window offers; any may be null.
struct ChildRoute {
  const CommandMap* view = nullptr;
  const CommandMap* document = nullptr;
  const CommandMap* frame = nullptr;
};

class CommandRouter {
 public:
  enum Link { kView, kDocument, kChildFrame, kMainFrame, kApplication, kLinkCount };

  // Where the child links come from: asked at every route, so the active child is always the
  // current one.
  void SetChildRoute(std::function<ChildRoute()> provider) { childRoute_ = std::move(provider); }
  void SetMainFrame(const CommandMap* map) { mainFrame_ = map; }
  void SetApplication(const CommandMap* map) { application_ = map; }

  // The first handler on the route runs; false when none did (or the command is disabled).
  bool Execute(int id) const;
  // The state of the command as the route decides it.
  CmdUI Update(int id) const;

 private:
  std::array<const CommandMap*, kLinkCount> Route() const;

  std::function<ChildRoute()> childRoute_;
  const CommandMap* mainFrame_ = nullptr;
  const CommandMap* application_ = nullptr;
};

}  // namespace vt
