// RecorderCrc16: see RecorderCrc.h. Sixteen tables, built once at compile time, let the loop take
// sixteen bytes per step (each table advances one byte's effect by one more byte position), which
// is what keeps the check of a whole file at open close to the speed of reading it. Short pieces
// and the tail go byte by byte through the first table.
#include "recorder/RecorderCrc.h"

#include <array>

namespace {

constexpr int kSlices = 16;

using Tables = std::array<std::array<uint16_t, 256>, kSlices>;

constexpr Tables MakeTables() {
  Tables t{};
  for (int i = 0; i < 256; ++i) {
    uint16_t c = uint16_t(i);
    for (int k = 0; k < 8; ++k) c = (c & 1) ? uint16_t((c >> 1) ^ 0xA001) : uint16_t(c >> 1);
    t[0][size_t(i)] = c;
  }
  for (int s = 1; s < kSlices; ++s)
    for (int i = 0; i < 256; ++i) {
      const uint16_t prev = t[size_t(s - 1)][size_t(i)];
      t[size_t(s)][size_t(i)] = uint16_t((prev >> 8) ^ t[0][prev & 0xFF]);
    }
  return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

uint16_t RecorderCrc16(const uint8_t* data, std::size_t size, uint16_t crc) {
  const auto& t = kTables;
  while (size >= kSlices) {
    // The register meets the first two bytes; the other fourteen enter as they are.
    const uint8_t b0 = uint8_t(data[0] ^ (crc & 0xFF));
    const uint8_t b1 = uint8_t(data[1] ^ (crc >> 8));
    crc = uint16_t(t[15][b0] ^ t[14][b1] ^ t[13][data[2]] ^ t[12][data[3]] ^ t[11][data[4]] ^ t[10][data[5]] ^
                   t[9][data[6]] ^ t[8][data[7]] ^ t[7][data[8]] ^ t[6][data[9]] ^ t[5][data[10]] ^
                   t[4][data[11]] ^ t[3][data[12]] ^ t[2][data[13]] ^ t[1][data[14]] ^ t[0][data[15]]);
    data += kSlices;
    size -= kSlices;
  }
  for (std::size_t i = 0; i < size; ++i) crc = uint16_t((crc >> 8) ^ t[0][(crc ^ data[i]) & 0xFF]);
  return crc;
}
