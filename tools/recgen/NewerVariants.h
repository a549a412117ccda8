// The corrupted and unusual newer-format files that matter, each with the results the reading
// chain must give: the block reader's code, the reader interface's code and the access class's
// (and so the factory's) open result. Tests run the table; the fuzz driver seeds from it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace recgen {

struct NewerVariant {
  std::string name;
  std::vector<uint8_t> bytes;
  int blockCode = 0;      // 0 opened, 2 read, 4 bad header or structure, 5-12 and 16 versions, 14 CRC
  int interfaceCode = 0;  // 0, 2 invalid, 8 read error, 12 checksum
  int openResult = 0;     // 0, 30 or 32
};

std::vector<NewerVariant> NewerVariants();

}  // namespace recgen
