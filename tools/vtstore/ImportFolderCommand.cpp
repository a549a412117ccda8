// vtstore import-folder STORAGE DIR [--subfolders] [--mode auto|manual|open]
//
// Runs the import worker once on the storage of that name, on its own thread as the program
// does, and prints the operation-log lines the run wrote (date and time included, without the
// CR). auto makes DIR the only automatic-import folder, manual imports the folder, open imports
// the data files found directly in DIR as the list of a file-open import. Exits 0 when the run
// ended normally and booked no failure, 1 otherwise, 2 on bad arguments.
#include "tools/vtstore/ImportFolderCommand.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTImportManager.h"
#include "store/VTDataStorage.h"

namespace {

int Refuse(const char* message) {
  std::fprintf(stderr, "vtstore: %s\n", message);
  return 2;
}

}  // namespace

int RunImportFolderCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args) {
  if (args.size() < 3)
    return Refuse("usage: vtstore import-folder STORAGE DIR [--subfolders] [--mode auto|manual|open]");
  bool subfolders = false;
  int mode = IMPORT_MODE_AUTOMATIC;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (args[i] == "--subfolders") {
      subfolders = true;
    } else if (args[i] == "--mode" && i + 1 < args.size()) {
      const std::string& m = args[++i];
      if (m == "auto")
        mode = IMPORT_MODE_AUTOMATIC;
      else if (m == "manual")
        mode = IMPORT_MODE_MANUAL;
      else if (m == "open")
        mode = IMPORT_MODE_FILE_OPEN;
      else
        return Refuse("--mode is auto, manual or open");
    } else {
      return Refuse("unknown option of import-folder");
    }
  }
  const std::string& name = args[1];
  const std::string& dir = args[2];
  std::string folder;
  if (manager.GetStorageFolder(name, folder) != STORE_OK || folder.empty()) {
    std::fprintf(stderr, "vtstore: no storage named '%s'\n", name.c_str());
    return 1;
  }
  CVTDataStorage storage;
  if (int rc = storage.SetPaths(folder); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot use storage folder %s (result %d)\n", folder.c_str(), rc);
    return 1;
  }

  vt::SAutoImportFolder table[AUTO_IMPORT_FOLDER_COUNT];
  table[0] = {true, subfolders, dir, vt::AUTO_IMPORT_CONVERT_NONE};
  CVTImportManager worker;
  worker.SetStorage(&storage);
  worker.SetBasePath(vt::ProgramRoot());
  worker.SetFolderTable(table);
  worker.SetMode(mode);
  if (mode == IMPORT_MODE_MANUAL) worker.SetFolder(dir, subfolders);
  if (mode == IMPORT_MODE_FILE_OPEN) {
    std::vector<vt::FolderEntry> entries;
    vt::ListFolder(dir, entries);
    std::vector<std::string> files;
    for (const auto& e : entries)
      if (!e.isFolder && CVTImportManager::IsDataFileName(e.name)) files.push_back(vt::JoinPath(dir, e.name));
    worker.SetFileCount(int(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) worker.SetFile(int(i), files[i]);
  }

  // The log of this run: whatever today's file of the storage holds beyond its size now.
  std::string databaseName;
  if (storage.Open() == STORE_OK) storage.GetDatabaseName(databaseName);
  storage.Close();
  const std::string logPath = COperationLog::FileNameFor(
      COperationLog::StorageFolderFor(vt::JoinPath(vt::ProgramRoot(), "Morvane/Vantrel/LOG"), databaseName) +
          "/import",
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
          .count());
  uint64_t before = 0;
  vt::GetFileSize(logPath, before);
  if (!worker.Start()) {
    std::fprintf(stderr, "vtstore: cannot start the import worker\n");
    return 1;
  }
  while (!worker.IsIdle()) std::this_thread::sleep_for(std::chrono::milliseconds(2));

  std::string text;
  vt::ReadWholeFile(logPath, text);
  bool clean = true;
  for (std::size_t at = std::size_t(before); at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::printf("%s\n", line.c_str());
    // Error lines and an early end make the command fail.
    if (line.find("  E[") != std::string::npos || line.find("DISTURB IMPORT") != std::string::npos)
      clean = false;
    at = end + 1;
  }
  return clean ? 0 : 1;
}
