// Named file mapping with the lifetime the program's shared records rely on.
//
// All holders of one name share one block of memory. The first opener of a name gets it
// zeroed and is told it created it; the block lives while any holder has it open and is gone
// after the last close, so the next opener starts from zero again. Every user of a shared
// record lives in this process, so an in-process registry with reference counts is enough.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vt {

class NamedFileMapping {
 public:
  NamedFileMapping();
  ~NamedFileMapping();  // Close()
  NamedFileMapping(const NamedFileMapping&) = delete;
  NamedFileMapping& operator=(const NamedFileMapping&) = delete;

  // Opens the block of this name, creating it with `size` zero bytes when no holder has it.
  // An existing block keeps its size; a request larger than it fails.
  bool Open(std::string_view name, std::size_t size, bool* alreadyExisted = nullptr);
  void Close();
  bool IsOpen() const;
  uint8_t* Data() const;
  std::size_t Size() const;

 private:
  struct Block;
  std::shared_ptr<Block> block_;
};

}  // namespace vt
