// Reading what the program logged, for the application tests: every line of every operation
// log below a folder.
#pragma once
#include <string>

namespace app_test {

std::string ReadLogs(const std::string& folder);

}  // namespace app_test
