// Formatter factories and the process-wide registry that picks one by a file's extension: the
// older file types ("dds", "dev") get their own formatter, every other path the default one.
// Extensions are compared without case; the extension is the text after the last '.' of the
// whole path.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "export/FileConversionFormatter.h"

class FileConversionFormatterFactory {
 public:
  virtual ~FileConversionFormatterFactory() = default;
  // The base delegates to its default factory (null without one).
  virtual std::shared_ptr<IFileConversionFormatter> Create(const std::string& path);

  void SetDefaultFactory(std::shared_ptr<FileConversionFormatterFactory> factory) {
    default_ = std::move(factory);
  }
  // The first registration of an extension stays.
  void RegisterFactory(const std::string& extension, std::shared_ptr<FileConversionFormatterFactory> factory);
  std::shared_ptr<FileConversionFormatterFactory> FactoryFor(const std::string& extension) const;

 private:
  std::shared_ptr<FileConversionFormatterFactory> default_;
  std::map<std::string, std::shared_ptr<FileConversionFormatterFactory>> byExtension_;
};

class VTDataFileConversionFormatterFactory : public FileConversionFormatterFactory {
 public:
  std::shared_ptr<IFileConversionFormatter> Create(const std::string& path) override;
};

class VTQRFileConversionFormatterFactory : public FileConversionFormatterFactory {
 public:
  std::shared_ptr<IFileConversionFormatter> Create(const std::string& path) override;
};

// The registry, with the default factory and the older types registered on first use.
FileConversionFormatterFactory& GetFormatterRegistry();
std::shared_ptr<IFileConversionFormatter> CreateFormatterForPath(FileConversionFormatterFactory& registry,
                                                                 const std::string& path);
// The text after the last '.' of the whole path; empty without one.
std::string GetExtension(const std::string& path);
