// vtstore's commands on the files of one storage, by the storage's name:
//
//   vtstore import STORAGE FILE...   imports each file on its own (one ImportFile each) and
//                                    prints per file: result code, copy path, file
//   vtstore trash STORAGE PATH       moves a stored file (FILES/...) to the deleted data
//   vtstore restore STORAGE PATH     restores a deleted file (TRASH/...), prints its new path
//   vtstore purge STORAGE PATH       deletes a stored or deleted file for good
//   vtstore files STORAGE            prints the stored files: path and batch GUID
//
// import exits 1 when a file was neither stored nor found stored or deleted already; the
// others exit 1 on a non-zero result. Bad arguments exit 2.
#include "tools/vtstore/ImportCommands.h"

#include <cstdio>
#include <memory>

#include "store/VTDataStorage.h"

namespace {

int Refuse(const char* message) {
  std::fprintf(stderr, "vtstore: %s\n", message);
  return 2;
}

// Opens the storage listed under that name; prints why not.
bool OpenStorage(CVTDataStorageManager& manager, const std::string& name, CVTDataStorage& storage) {
  std::string folder;
  if (manager.GetStorageFolder(name, folder) != STORE_OK || folder.empty()) {
    std::fprintf(stderr, "vtstore: no storage named '%s'\n", name.c_str());
    return false;
  }
  if (int rc = storage.OpenAt(folder); rc != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot open storage '%s' in %s (result %d)\n", name.c_str(),
                 folder.c_str(), rc);
    return false;
  }
  return true;
}

int Import(CVTDataStorage& storage, const std::vector<std::string>& files) {
  bool allStored = true;
  for (const std::string& file : files) {
    std::string copy;
    int rc = storage.ImportFile(file, &copy);
    std::printf("%d\t%s\t%s\n", rc, copy.c_str(), file.c_str());
    std::fflush(stdout);
    if (rc != STORE_OK && rc != STORE_IMPORTED_ALREADY && rc != STORE_IN_TRASH) allStored = false;
  }
  return allStored ? 0 : 1;
}

int Files(CVTDataStorage& storage) {
  std::unique_ptr<CVTTable> table = storage.NewTable();
  if (!table ||
      table->Prepare("SELECT file.file_path, continuous_data_info.cont_data_guid FROM file JOIN "
                     "continuous_data_info ON file.cont_data_id = continuous_data_info.cont_data_id "
                     "ORDER BY continuous_data_info.cont_data_id, file.start_data_no, file.file_path;") !=
          STORE_OK ||
      table->Execute() != STORE_OK) {
    std::fprintf(stderr, "vtstore: cannot read the stored files\n");
    return 1;
  }
  for (int rc = table->Fetch(); rc == STORE_ROW; rc = table->Fetch()) {
    std::string path, batch;
    table->GetText(0, path);
    table->GetText(1, batch);
    std::printf("%s\t%s\n", path.c_str(), batch.c_str());
  }
  return 0;
}

int Report(const char* what, const std::string& path, int rc) {
  if (rc == STORE_OK) return 0;
  std::fprintf(stderr, "vtstore: cannot %s '%s' (result %d)\n", what, path.c_str(), rc);
  return 1;
}

}  // namespace

bool IsImportCommand(const std::string& command) {
  return command == "import" || command == "trash" || command == "restore" || command == "purge" ||
         command == "files";
}

int RunImportCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args) {
  const std::string& command = args.at(0);
  if (args.size() < 2) return Refuse(("'" + command + "' needs a storage name").c_str());
  const bool onePath = command == "trash" || command == "restore" || command == "purge";
  if (command == "import" && args.size() < 3) return Refuse("'import' needs at least one file");
  if (onePath && args.size() != 3) return Refuse(("'" + command + "' needs one stored path").c_str());
  if (command == "files" && args.size() != 2) return Refuse("'files' takes only the storage name");
  CVTDataStorage storage;
  if (!OpenStorage(manager, args[1], storage)) return 1;
  if (command == "import") return Import(storage, std::vector<std::string>(args.begin() + 2, args.end()));
  if (command == "files") return Files(storage);
  if (command == "trash")
    return Report("move to the deleted data", args[2], storage.MoveFileToTrash(args[2]));
  if (command == "purge") return Report("purge", args[2], storage.PurgeFile(args[2]));
  std::string copy;
  int rc = storage.RestoreFile(args[2], &copy);
  if (rc == STORE_OK) std::printf("%s\n", copy.c_str());
  return Report("restore", args[2], rc);
}
