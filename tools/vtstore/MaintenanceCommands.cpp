// vtstore's maintenance commands (see MaintenanceCommands.h).
//
//   vtstore check STORAGE          the consistency check; the status becomes OK or CORRUPTED
//   vtstore rebuild STORAGE        the index rebuilt from the stored files
//   vtstore backup STORAGE DIR     a copy of the whole storage into the new folder DIR
//   vtstore restore NAME DIR       the backup in DIR restored as a new storage NAME
//
// Each file the operation reaches is printed as it is reached ("check", "index", "trash" or
// "copy", a tab, the file), and the last line is "result", a tab and the store result. The exit
// status is 0 only for result 0.
#include "tools/vtstore/MaintenanceCommands.h"

#include <cstdio>

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

}  // namespace

bool IsMaintenanceCommand(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  const std::string& command = args[0];
  if (command == "check" || command == "rebuild" || command == "backup") return true;
  return command == "restore" && args.size() == 3 && IsAbsolute(args[2]);
}

int RunMaintenanceCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args) {
  const std::string& command = args[0];
  const bool withFolder = command == "backup" || command == "restore";
  if (args.size() != (withFolder ? 3u : 2u)) {
    std::fprintf(stderr,
                 "usage: vtstore check|rebuild STORAGE | vtstore backup STORAGE DIR | "
                 "vtstore restore NAME DIR\n");
    return 2;
  }
  manager.SetProgress([](const char* step, const std::string& item) {
    std::printf("%s\t%s\n", step, item.c_str());
    std::fflush(stdout);
  });
  int rc;
  if (command == "check") {
    rc = manager.CheckStorage(args[1]);
  } else if (command == "rebuild") {
    rc = manager.RebuildStorage(args[1]);
  } else if (command == "backup") {
    rc = manager.BackupStorage(args[1], args[2]);
  } else {
    rc = manager.RestoreBackup(args[2], args[1]);
  }
  manager.SetProgress({});
  std::printf("result\t%d\n", rc);
  if (rc == STORE_NOT_FOUND) std::fprintf(stderr, "vtstore: no storage named '%s'\n", args[1].c_str());
  return rc == STORE_OK ? 0 : 1;
}
