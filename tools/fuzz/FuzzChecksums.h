// Checksum repair for fuzz inputs of any origin: walks a (mutated) file the way the reader does,
// block by block from the header, and rewrites each checksum the walk reaches, stopping where
// the structure no longer allows a step. Mutations then reach the structure checks instead of
// ending at the first checksum.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vtfuzz {

void FixNewerChecksums(uint8_t* data, std::size_t size);
void FixOlderChecksums(uint8_t* data, std::size_t size);

}  // namespace vtfuzz
