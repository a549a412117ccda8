// GUIDs: creation, the 8-4-4-4-12 upper-case text without braces, and the 16-byte binary
// layout used in stored records (Data1 as 32-bit little-endian, Data2 and Data3 as 16-bit
// little-endian, Data4 as its 8 bytes in order).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};

  static Guid Create();  // random (version 4)
  // Accepts the text with or without braces, letters in either case.
  static bool Parse(std::string_view text, Guid& out);
  static Guid FromBytes(const uint8_t bytes[16]);

  std::string ToText() const;  // "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", upper case
  std::array<uint8_t, 16> ToBytes() const;
  void ToBytes(uint8_t bytes[16]) const;
  bool IsNull() const;

  friend bool operator==(const Guid&, const Guid&) = default;
};

}  // namespace vt
