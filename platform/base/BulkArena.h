// BulkArena: memory for large tables that are filled once and dropped as a whole.
//
// A table of tens of millions of cells spends much of its building time taking page faults on
// its fresh memory, one per 4 KiB. The arena hands out blocks from large anonymous mappings that
// ask the kernel for large pages, so the same memory arrives in a few hundred faults; nothing is
// given back before the arena goes. Memory is only committed where it is touched, so an unused
// tail of a mapping costs address space, not memory.
//
// When no memory can be mapped, Allocate answers null and BulkAllocator throws std::bad_alloc, as
// the heap's allocator does; BulkArenaTestHook makes that happen on purpose.
//
// BulkAllocator puts a standard container's large blocks in an arena and its small ones on the
// heap: containers that grow a little at a time do not leave their old blocks in the arena.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace vt {

class BulkArena {
 public:
  BulkArena() = default;
  ~BulkArena();
  BulkArena(const BulkArena&) = delete;
  BulkArena& operator=(const BulkArena&) = delete;

  // A block of `bytes` bytes aligned to `alignment` (a power of two of at most 4096), valid until
  // the arena is destroyed; null when no memory can be mapped.
  void* Allocate(std::size_t bytes, std::size_t alignment);
  // Bytes of address space mapped (the memory in use is at most this).
  std::size_t MappedBytes() const { return mapped_; }

 private:
  struct Mapping {
    char* base;
    std::size_t size;
  };
  std::vector<Mapping> mappings_;
  char* next_ = nullptr;
  char* end_ = nullptr;
  std::size_t mapped_ = 0;
};

// Process-wide test control of every arena.
struct BulkArenaTestHook {
  // The nth mapping any arena makes from now fails (1 the next one); 0 turns the failure off.
  static void FailNthMapping(int64_t n);
};

template <class T>
class BulkAllocator {
 public:
  using value_type = T;
  // A container assigned from another takes that one's arena with its blocks.
  using propagate_on_container_copy_assignment = std::true_type;
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;
  // Blocks of at least this size come from the arena.
  static constexpr std::size_t kArenaBlock = 256 * 1024;

  explicit BulkAllocator(BulkArena* arena = nullptr) noexcept : arena_(arena) {}
  template <class U>
  BulkAllocator(const BulkAllocator<U>& other) noexcept : arena_(other.arena()) {}

  T* allocate(std::size_t n) {
    if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
    if (arena_ && n * sizeof(T) >= kArenaBlock) {
      if (void* p = arena_->Allocate(n * sizeof(T), alignof(T))) return static_cast<T*>(p);
      throw std::bad_alloc();
    }
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (arena_ && n * sizeof(T) >= kArenaBlock) return;  // the arena frees it when it goes
    std::allocator<T>().deallocate(p, n);
  }
  BulkArena* arena() const noexcept { return arena_; }

  friend bool operator==(const BulkAllocator& a, const BulkAllocator& b) noexcept {
    return a.arena_ == b.arena_;
  }

 private:
  BulkArena* arena_;
};

}  // namespace vt
