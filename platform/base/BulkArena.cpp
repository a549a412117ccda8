// BulkArena: bump allocation from anonymous mappings with the large-page hint (see BulkArena.h).
#include "platform/base/BulkArena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cassert>
#include <cstdint>

#include "platform/base/FaultCountdown.h"

namespace vt {

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;
// The smallest mapping: large enough that a table of a few hundred megabytes takes a handful.
constexpr std::size_t kMinMapping = std::size_t(64) << 20;

FaultCountdown g_failingMapping;

}  // namespace

void BulkArenaTestHook::FailNthMapping(int64_t n) { g_failingMapping.Arm(n); }

BulkArena::~BulkArena() {
  for (const Mapping& m : mappings_) munmap(m.base, m.size);
}

void* BulkArena::Allocate(std::size_t bytes, std::size_t alignment) {
  assert(alignment != 0 && (alignment & (alignment - 1)) == 0 && alignment <= 4096);
  if (bytes == 0) bytes = 1;
  auto aligned = [alignment](char* p) {
    return reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(p) + alignment - 1) & ~(alignment - 1));
  };
  if (next_ && aligned(next_) <= end_ && std::size_t(end_ - aligned(next_)) >= bytes) {
    char* p = aligned(next_);
    next_ = p + bytes;
    return p;
  }
  if (bytes > std::size_t(-1) - 2 * kLargePage) return nullptr;
  // Whole large pages, with one more so that the start can be moved to a large-page boundary.
  const std::size_t want = std::max(kMinMapping, (bytes + kLargePage - 1) / kLargePage * kLargePage);
  const std::size_t size = want + kLargePage;
  if (g_failingMapping.Fires()) return nullptr;
  void* raw = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  char* base = static_cast<char*>(raw);
  char* start =
      reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(base) + kLargePage - 1) & ~(kLargePage - 1));
  // Only a hint: without large pages the memory works the same, page by page.
  madvise(start, want, MADV_HUGEPAGE);
  mappings_.push_back(Mapping{base, size});
  mapped_ += size;
  next_ = start + bytes;
  end_ = start + want;
  return start;
}

}  // namespace vt
