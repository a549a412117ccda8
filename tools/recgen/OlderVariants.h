// The older-format files that matter, valid and damaged, each with the open result the reader
// (and so the factory) must give: 0 opened, 1 the first or last record cannot be read, 30 not a
// file the reader accepts. Structural damage is followed by fresh checksums, so that the
// structure check, not a checksum, is what refuses the file. Tests run the table; the fuzz
// driver seeds from it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace recgen {

struct OlderVariant {
  std::string name;
  std::string extension;  // ".DEV" for event data, ".DDS" for display data
  std::vector<uint8_t> bytes;
  int openResult = 0;
};

std::vector<OlderVariant> OlderVariants();

}  // namespace recgen
