// vtstore's maintenance commands: check, rebuild, backup and restore of a whole storage.
#pragma once
#include <string>
#include <vector>

#include "store/VTDataStorageManager.h"

// Whether args name a maintenance command. "restore" is one only with an absolute folder as
// its second argument (a backup); with a path below TRASH it restores a deleted file.
bool IsMaintenanceCommand(const std::vector<std::string>& args);
// args[0] is the command; returns the process's exit code.
int RunMaintenanceCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args);
