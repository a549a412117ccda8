// WrappedVecorString: the converted-file log, an ordered list of paths.
#pragma once
#include <string>
#include <vector>

class WrappedVecorString {
 public:
  virtual ~WrappedVecorString() = default;
  std::vector<std::string> paths;
};
