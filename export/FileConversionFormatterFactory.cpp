// Formatter factories and their registry (see FileConversionFormatterFactory.h).
#include "export/FileConversionFormatterFactory.h"

#include <cctype>

namespace {

std::string Lower(std::string s) {
  for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

// The two factories live for the whole process; the registry refers to them without owning.
template <class T>
std::shared_ptr<FileConversionFormatterFactory> StaticFactory() {
  static T factory;
  return std::shared_ptr<FileConversionFormatterFactory>(&factory, [](FileConversionFormatterFactory*) {});
}

}  // namespace

std::shared_ptr<IFileConversionFormatter> FileConversionFormatterFactory::Create(const std::string& path) {
  return default_ ? default_->Create(path) : nullptr;
}

void FileConversionFormatterFactory::RegisterFactory(
    const std::string& extension, std::shared_ptr<FileConversionFormatterFactory> factory) {
  byExtension_.try_emplace(Lower(extension), std::move(factory));
}

std::shared_ptr<FileConversionFormatterFactory> FileConversionFormatterFactory::FactoryFor(
    const std::string& extension) const {
  auto it = byExtension_.find(Lower(extension));
  return it == byExtension_.end() ? default_ : it->second;
}

std::shared_ptr<IFileConversionFormatter> VTDataFileConversionFormatterFactory::Create(
    const std::string& path) {
  return std::make_shared<VTDataFileConversionFormatter>(path);
}

std::shared_ptr<IFileConversionFormatter> VTQRFileConversionFormatterFactory::Create(
    const std::string& path) {
  return std::make_shared<VTQRFileConversionFormatter>(path);
}

FileConversionFormatterFactory& GetFormatterRegistry() {
  static FileConversionFormatterFactory* registry = [] {
    auto* r = new FileConversionFormatterFactory;
    r->SetDefaultFactory(StaticFactory<VTDataFileConversionFormatterFactory>());
    r->RegisterFactory("dds", StaticFactory<VTQRFileConversionFormatterFactory>());
    r->RegisterFactory("dev", StaticFactory<VTQRFileConversionFormatterFactory>());
    return r;
  }();
  return *registry;
}

std::string GetExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::shared_ptr<IFileConversionFormatter> CreateFormatterForPath(FileConversionFormatterFactory& registry,
                                                                 const std::string& path) {
  const std::string extension = GetExtension(path);
  std::shared_ptr<FileConversionFormatterFactory> factory =
      extension.empty() ? nullptr : registry.FactoryFor(extension);
  return factory ? factory->Create(path) : registry.Create(path);
}
