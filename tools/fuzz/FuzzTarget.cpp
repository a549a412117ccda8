// libFuzzer entry point: the reader to fuzz is named by VT_FUZZ_READER ("newer" by default).
#include <cstdlib>

#include "tools/fuzz/FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vtfuzz::FuzzReader* reader = [] {
    const char* name = std::getenv("VT_FUZZ_READER");
    const vtfuzz::FuzzReader* r = vtfuzz::FindFuzzReader(name ? name : "newer");
    if (r == nullptr) std::abort();
    return r;
  }();
  vtfuzz::RunOnBytes(*reader, data, size);
  return 0;
}
