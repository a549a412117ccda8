// The command route and the command maps (see CommandRouter.h).
#include "platform/gui/CommandRouter.h"

#include <cassert>
#include <utility>

namespace vt {

void CommandMap::On(int id, Handler handler, Enabler enabler) {
  assert(handler);
  entries_[id] = Entry{std::move(handler), std::move(enabler)};
}

void CommandMap::OnUpdate(int id, Enabler enabler) {
  assert(enabler);
  entries_[id].enabler = std::move(enabler);
}

void CommandMap::Remove(int id) { entries_.erase(id); }

bool CommandMap::HasHandler(int id) const {
  const auto it = entries_.find(id);
  if (it != entries_.end()) return bool(it->second.handler);
  CommandStatus status;
  return target_ && target_->OnUpdateCommand(id, status);
}

bool CommandMap::Execute(int id) const {
  const auto it = entries_.find(id);
  if (it == entries_.end()) return target_ && target_->OnCommand(id);
  if (!it->second.handler) return false;
  // A copy: the handler may change this map (a window that closes removes its commands).
  const Handler handler = it->second.handler;
  handler();
  return true;
}

bool CommandMap::Update(CmdUI& ui) const {
  const auto it = entries_.find(ui.Id());
  if (it == entries_.end()) {
    CommandStatus status;
    if (!target_ || !target_->OnUpdateCommand(ui.Id(), status)) return false;
    ui.Enable(status.enabled);
    ui.SetCheck(status.checked);
    return true;
  }
  if (it->second.enabler) {
    it->second.enabler(ui);
  } else {
    ui.Enable(true);
  }
  return true;
}

std::array<const CommandMap*, CommandRouter::kLinkCount> CommandRouter::Route() const {
  const ChildRoute child = childRoute_ ? childRoute_() : ChildRoute{};
  return {child.view, child.document, child.frame, mainFrame_, application_};
}

bool CommandRouter::Execute(int id) const {
  const CmdUI state = Update(id);
  if (!state.Enabled()) return false;  // a disabled command is never run (an accelerator, a stale button)
  for (const CommandMap* map : Route())
    if (map && map->Execute(id)) return true;
  return false;
}

CmdUI CommandRouter::Update(int id) const {
  const auto route = Route();
  bool handled = false;
  for (const CommandMap* map : route) handled = handled || (map && map->HasHandler(id));
  for (const CommandMap* map : route) {
    CmdUI ui(id);
    if (map && map->Update(ui)) {
      if (!handled) ui.Enable(false);  // said to be available, but nobody would run it
      return ui;
    }
  }
  return CmdUI(id);
}

}  // namespace vt
