// vtstore: a command-line driver for data storages, for developers and benchmarks.
//
//   vtstore create NAME   creates the data root when missing and a storage named NAME, makes it
//                         the current (attached) one and prints its folder
//   vtstore list          prints one line per storage: name, folder, status, "current" mark
//   vtstore query ...     prints the rows of a catalogue list (see QueryCommand.h)
//   vtstore import|trash|restore|purge|files ...   see ImportCommands.cpp
//   vtstore import-folder STORAGE DIR [--subfolders] [--mode auto|manual|open]
//                         one run of the import worker; prints the operation-log lines it wrote
//   vtstore batch STORAGE GUID [--records CH FROM TO]
//                         prints a batch's files, time blocks and records (BatchCommand.h)
//   vtstore check|rebuild STORAGE, vtstore backup STORAGE DIR, vtstore restore NAME DIR
//                         maintenance of a whole storage (MaintenanceCommands.cpp)
//
// The data root is the program's: <VANTREL_ROOT>/Morvane/Vantrel/DATA. The exit status is 0 only
// when the command succeeded and all of its output was written.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/Paths.h"
#include "store/VTDataStorageManager.h"
#include "tools/vtstore/BatchCommand.h"
#include "tools/vtstore/ImportCommands.h"
#include "tools/vtstore/ImportFolderCommand.h"
#include "tools/vtstore/MaintenanceCommands.h"
#include "tools/vtstore/QueryCommand.h"

namespace {

const char* StatusName(int status) {
  switch (status) {
    case AREA_STATUS_OK:
      return "OK";
    case AREA_STATUS_CORRUPTED:
      return "CORRUPTED";
    case AREA_STATUS_ABORTED:
      return "ABORTED";
    case AREA_STATUS_ABNORMAL_FILES:
      return "ABNORMALFILES";
    default:
      return "UNKNOWN";
  }
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: vtstore create NAME | vtstore list | vtstore import STORAGE FILE... |\n"
      "       vtstore trash|restore|purge STORAGE PATH | vtstore files STORAGE |\n"
      "       vtstore import-folder STORAGE DIR [--subfolders] [--mode auto|manual|open] |\n"
      "       vtstore query STORAGE KIND [options] |\n"
      "       vtstore batch STORAGE GUID [--records CH FROM TO] |\n"
      "       vtstore check|rebuild STORAGE | vtstore backup STORAGE DIR | vtstore restore NAME DIR\n");
  return 2;
}

int Create(CVTDataStorageManager& manager, const std::string& name) {
  if (int rc = manager.CreateStorage(name); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot create storage '%s' (result %d)\n", name.c_str(), rc);
    return 1;
  }
  if (int rc = manager.Attach(name); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot attach storage '%s' (result %d)\n", name.c_str(), rc);
    return 1;
  }
  std::string folder;
  manager.GetStorageFolder(name, folder);
  std::printf("%s\n", folder.c_str());
  return 0;
}

int List(CVTDataStorageManager& manager) {
  int capacity = manager.GetCount();
  std::vector<SDataAreaInfo> records(static_cast<std::size_t>(capacity > 0 ? capacity : 1));
  int count = 0;
  if (int rc = manager.ListWithStatus(records.data(), capacity, count); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot list the storages (result %d)\n", rc);
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    const SDataAreaInfo& r = records[std::size_t(i)];
    std::printf("%s\t%s\t%s\t%s\n", r.name.c_str(), r.folder.c_str(), StatusName(r.status),
                r.attached ? "current" : "");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  CVTDataStorageManager manager;
  std::string root = vt::JoinPath(vt::ProgramRoot(), "Morvane/Vantrel/DATA");
  if (int rc = manager.Open(root); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot open the data root %s (result %d)\n", root.c_str(), rc);
    return 1;
  }
  int rc;
  if (args[0] == "create" && args.size() == 2) {
    rc = Create(manager, args[1]);
  } else if (args[0] == "list" && args.size() == 1) {
    rc = List(manager);
  } else if (IsMaintenanceCommand(args)) {
    rc = RunMaintenanceCommand(manager, args);
  } else if (IsImportCommand(args[0])) {
    rc = RunImportCommand(manager, args);
  } else if (args[0] == "import-folder") {
    rc = RunImportFolderCommand(manager, args);
  } else if (args[0] == "batch") {
    rc = RunBatchCommand(manager, args);
  } else if (args[0] == "query") {
    rc = vtstore_cli::RunQueryCommand(manager, {args.begin() + 1, args.end()});
  } else {
    return Usage();
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure of the command.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "vtstore: cannot write the output\n");
    return 1;
  }
  return rc;
}
