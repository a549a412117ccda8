// libFuzzer entry points: the reader to fuzz is named by VT_FUZZ_READER ("newer" by default).
// The custom mutator runs libFuzzer's own mutation and then, three times in four, recomputes the
// checksums along the reader's block walk, so that most inputs get past the checksum tests to
// the structure checks behind them.
#include <cstdlib>

#include "tools/fuzz/FuzzReaders.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

const vtfuzz::FuzzReader& Reader() {
  static const vtfuzz::FuzzReader* reader = [] {
    const char* name = std::getenv("VT_FUZZ_READER");
    const vtfuzz::FuzzReader* r = vtfuzz::FindFuzzReader(name ? name : "newer");
    if (r == nullptr) std::abort();
    return r;
  }();
  return *reader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vtfuzz::RunOnBytes(Reader(), data, size);
  return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  size = LLVMFuzzerMutate(data, size, maxSize);
  if (seed % 4 != 0 && Reader().repair) Reader().repair(data, size);
  return size;
}
