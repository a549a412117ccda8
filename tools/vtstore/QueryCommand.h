// `vtstore query`: prints the rows of one catalogue list of a storage, one line per row, with the
// list's columns separated by tabs (times as tick counts).
//
//   vtstore query STORAGE KIND [--serial S] [--from T --to T] [--keyword K] [--target N] [--sort N]
//
// STORAGE is a storage's name (or its folder); KIND is a list number 1-10 or its name
// (instruments, tags, alarms, groups, messages, files, batches, trash, graphs, conditions).
// --keyword matches the list's usual column (--target names another); --sort N sorts ascending by
// sort column N, --sort -N descending.
#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CVTDataStorageManager;

namespace vtstore_cli {

struct QueryOptions {
  std::string storage;
  int kind = 0;
  std::optional<std::string> serial;
  std::optional<int64_t> from, to;
  std::optional<std::string> keyword;
  int target = -1;  // -1: the list's usual column
  int sort = 0;
  int direction = 0;
};

// Reads the arguments after "query"; false with a message for anything it does not understand.
bool ParseQueryArguments(const std::vector<std::string>& args, QueryOptions& options, std::string& error);
// The rows of the list of the storage in folder; 0, or 1 when the query fails.
int QueryStorageFolder(const std::string& folder, const QueryOptions& options, std::ostream& out,
                       std::ostream& err);
// The whole command; the exit status.
int RunQueryCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args);

}  // namespace vtstore_cli
