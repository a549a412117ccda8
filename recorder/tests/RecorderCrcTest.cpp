// The recorder checksum against a plain bit-by-bit reference of the same polynomial: every
// length around the sixteen-byte steps, odd start offsets, chained pieces and start values.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "recorder/RecorderCrc.h"

namespace {

uint16_t BitwiseCrc(const uint8_t* data, std::size_t size, uint16_t crc) {
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
  }
  return crc;
}

TEST(RecorderCrcTest, AgreesWithTheBitwiseReferenceForEveryLengthOffsetAndStart) {
  std::vector<uint8_t> bytes(300);
  uint32_t seed = 12345;
  for (uint8_t& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = uint8_t(seed >> 16);
  }
  for (std::size_t offset : {0, 1, 3, 7}) {
    for (std::size_t size = 0; size + offset <= 200; ++size) {
      for (uint16_t start : {uint16_t(0xFFFF), uint16_t(0), uint16_t(0x1234)}) {
        ASSERT_EQ(RecorderCrc16(bytes.data() + offset, size, start),
                  BitwiseCrc(bytes.data() + offset, size, start))
            << offset << " " << size << " " << start;
      }
    }
  }
  // Chained over pieces it is the checksum of the whole.
  const uint16_t whole = RecorderCrc16(bytes.data(), bytes.size());
  EXPECT_EQ(RecorderCrc16(bytes.data() + 37, bytes.size() - 37, RecorderCrc16(bytes.data(), 37)), whole);
  // The known check value of this polynomial for "123456789".
  const uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(RecorderCrc16(check, sizeof check), 0x4B37);
}

}  // namespace
