// RecorderCrc16: see RecorderCrc.h. The table is built once at compile time.
#include "recorder/RecorderCrc.h"

#include <array>

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    uint16_t c = uint16_t(i);
    for (int k = 0; k < 8; ++k) c = (c & 1) ? uint16_t((c >> 1) ^ 0xA001) : uint16_t(c >> 1);
    t[size_t(i)] = c;
  }
  return t;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t RecorderCrc16(const uint8_t* data, std::size_t size, uint16_t crc) {
  for (std::size_t i = 0; i < size; ++i) crc = uint16_t((crc >> 8) ^ kTable[(crc ^ data[i]) & 0xFF]);
  return crc;
}
