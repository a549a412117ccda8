// Named file mappings: one zeroed block per name, shared by its holders in this process.
//
// The registry keeps a weak reference per name; the holders keep the block alive. Every copy
// of a holder's reference is made or dropped under the registry mutex, so the reference count
// read there is exact and the last Close removes the name before anyone can reopen it.
#include "platform/base/FileMapping.h"

#include <cassert>
#include <map>
#include <mutex>
#include <new>

namespace vt {

struct NamedFileMapping::Block {
  std::string name;
  std::unique_ptr<uint8_t[]> data;
  std::size_t size = 0;
};

namespace {

struct MappingRegistry {
  std::mutex mutex;
  std::map<std::string, std::weak_ptr<void>, std::less<>> blocks;
};

MappingRegistry& TheMappings() {
  // Never destroyed: holders that are static objects close after static destruction began.
  static MappingRegistry* registry = new MappingRegistry;
  return *registry;
}

}  // namespace

NamedFileMapping::NamedFileMapping() = default;

NamedFileMapping::~NamedFileMapping() { Close(); }

bool NamedFileMapping::Open(std::string_view name, std::size_t size, bool* alreadyExisted) {
  Close();
  if (alreadyExisted) *alreadyExisted = false;
  if (name.empty()) return false;
  MappingRegistry& registry = TheMappings();
  std::lock_guard lock(registry.mutex);
  auto it = registry.blocks.find(name);
  if (it != registry.blocks.end()) {
    std::shared_ptr<Block> existing = std::static_pointer_cast<Block>(it->second.lock());
    assert(existing);  // the last Close erases the name
    if (alreadyExisted) *alreadyExisted = true;
    if (size > existing->size) return false;
    block_ = std::move(existing);
    return true;
  }
  if (size == 0) return false;
  auto block = std::make_shared<Block>();
  block->name = std::string(name);
  block->data.reset(new (std::nothrow) uint8_t[size]());
  if (!block->data) return false;
  block->size = size;
  registry.blocks.emplace(block->name, std::weak_ptr<void>(block));
  block_ = std::move(block);
  return true;
}

void NamedFileMapping::Close() {
  if (!block_) return;
  MappingRegistry& registry = TheMappings();
  std::lock_guard lock(registry.mutex);
  if (block_.use_count() == 1) registry.blocks.erase(block_->name);
  block_.reset();
}

bool NamedFileMapping::IsOpen() const { return block_ != nullptr; }

uint8_t* NamedFileMapping::Data() const { return block_ ? block_->data.get() : nullptr; }

std::size_t NamedFileMapping::Size() const { return block_ ? block_->size : 0; }

}  // namespace vt
