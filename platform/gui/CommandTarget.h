// Something that handles menu commands by their ids: documents and views. OnCommand runs a
// command and says whether it was handled; OnUpdateCommand says whether it handles the id and,
// if so, fills in whether the command is enabled and checked.
#pragma once

namespace vt {

struct CommandStatus {
  bool enabled = true;
  bool checked = false;
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual bool OnCommand(int id) { return (void)id, false; }
  virtual bool OnUpdateCommand(int id, CommandStatus& status) { return (void)id, (void)status, false; }
};

}  // namespace vt
