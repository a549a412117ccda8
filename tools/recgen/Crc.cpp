// Bitwise CRC-16 for the generator: slow but obviously right, and independent of the readers'
// table-driven one.
#include "tools/recgen/Crc.h"

namespace recgen {

uint16_t Crc16(const uint8_t* data, std::size_t size, uint16_t crc) {
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
  }
  return crc;
}

}  // namespace recgen
