// The converted-file log: the paths of the output files a conversion wrote, in the order written.
#pragma once
#include <string>
#include <vector>

class CovnertedFileLogManagerIF {
 public:
  virtual ~CovnertedFileLogManagerIF() = default;
  virtual unsigned GetConvertedFileNum() const = 0;
  // Empty for an index not below the count.
  virtual std::string GetConvertedFilePath(unsigned index) const = 0;
  virtual std::vector<std::string> GetConvertedFileList() const = 0;
};

class CovnertedFileLogManager : public CovnertedFileLogManagerIF {
 public:
  unsigned GetConvertedFileNum() const override { return unsigned(paths_.size()); }
  std::string GetConvertedFilePath(unsigned index) const override {
    return index < paths_.size() ? paths_[index] : std::string();
  }
  std::vector<std::string> GetConvertedFileList() const override { return paths_; }
  virtual void AddConvertedFile(const std::string& path) { paths_.push_back(path); }

 private:
  std::vector<std::string> paths_;
};
