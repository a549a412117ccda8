// `vtstore batch STORAGE GUID [--records CH FROM TO]`: prints a batch of continuous data as the
// stored-data model sees it: its span and counts, its files, its time blocks and, when asked, the
// records of one channel between two times (UTC, "YYYY-MM-DD HH:MM:SS[.mmm]" with a blank or a
// "T" between date and time, or raw ticks), read for the whole batch with the gaps between files
// filled. Times are printed in UTC.
#pragma once
#include <string>
#include <vector>

class CVTDataStorageManager;

// args: GUID [--records CH FROM TO]; storageFolder is the storage's folder. Returns the exit
// code; what to print goes to out, a failure's message to error.
int BatchCommand(const std::string& storageFolder, const std::vector<std::string>& args, std::string& out,
                 std::string& error);

// The whole command as main runs it: args as main has them ("batch" STORAGE GUID ...), the storage
// found by name in the manager's list; prints and returns the exit code.
int RunBatchCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args);
