// vtstore's commands on the files of one storage (import, trash, restore, purge, files).
#pragma once
#include <string>
#include <vector>

#include "store/VTDataStorageManager.h"

bool IsImportCommand(const std::string& command);
// args[0] is the command; returns the process's exit code.
int RunImportCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args);
