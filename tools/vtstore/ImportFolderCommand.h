// vtstore import-folder: one run of the import worker over a folder, printing the operation-log
// lines the run wrote.
#pragma once
#include <string>
#include <vector>

#include "store/VTDataStorageManager.h"

// args[0] is "import-folder"; returns the process's exit code.
int RunImportFolderCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args);
