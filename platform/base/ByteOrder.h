// Loads and stores of fixed-width integers in a given byte order, from and to byte buffers.
// Byte layouts are read and written field by field with these, never by casting structs.
#pragma once
#include <cstdint>

namespace vt {

constexpr uint16_t LoadLe16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
constexpr uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
constexpr uint64_t LoadLe64(const uint8_t* p) {
  return uint64_t(LoadLe32(p)) | (uint64_t(LoadLe32(p + 4)) << 32);
}
constexpr uint16_t LoadBe16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
constexpr uint32_t LoadBe32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
constexpr uint64_t LoadBe64(const uint8_t* p) {
  return (uint64_t(LoadBe32(p)) << 32) | uint64_t(LoadBe32(p + 4));
}

constexpr void StoreLe16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
constexpr void StoreLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
constexpr void StoreLe64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = uint8_t(v >> (8 * i));
}
constexpr void StoreBe16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v >> 8);
  p[1] = uint8_t(v);
}
constexpr void StoreBe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * (3 - i)));
}
constexpr void StoreBe64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = uint8_t(v >> (8 * (7 - i)));
}

// Reads in the byte order chosen at run time (recorder files come in both).
constexpr uint16_t Load16(const uint8_t* p, bool bigEndian) { return bigEndian ? LoadBe16(p) : LoadLe16(p); }
constexpr uint32_t Load32(const uint8_t* p, bool bigEndian) { return bigEndian ? LoadBe32(p) : LoadLe32(p); }
constexpr uint64_t Load64(const uint8_t* p, bool bigEndian) { return bigEndian ? LoadBe64(p) : LoadLe64(p); }
constexpr void Store16(uint8_t* p, uint16_t v, bool bigEndian) {
  bigEndian ? StoreBe16(p, v) : StoreLe16(p, v);
}
constexpr void Store32(uint8_t* p, uint32_t v, bool bigEndian) {
  bigEndian ? StoreBe32(p, v) : StoreLe32(p, v);
}
constexpr void Store64(uint8_t* p, uint64_t v, bool bigEndian) {
  bigEndian ? StoreBe64(p, v) : StoreLe64(p, v);
}

}  // namespace vt
