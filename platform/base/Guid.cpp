// GUIDs (see Guid.h). Random GUIDs come from the kernel's random source.
#include "platform/base/Guid.h"

#include <sys/random.h>
#include <cstdio>
#include <random>

#include "platform/base/ByteOrder.h"

namespace vt {

Guid Guid::Create() {
  uint8_t bytes[16];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n <= 0) break;
    got += std::size_t(n);
  }
  if (got < sizeof bytes) {
    static thread_local std::mt19937_64 fallback{std::random_device{}()};
    for (auto& b : bytes) b = uint8_t(fallback());
  }
  Guid g = FromBytes(bytes);
  g.data3 = uint16_t((g.data3 & 0x0FFF) | 0x4000);   // version 4
  g.data4[0] = uint8_t((g.data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
  return g;
}

static int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Guid::Parse(std::string_view text, Guid& out) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
  if (text.size() != 36) return false;
  uint8_t bytes[16];
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (text[i] != '-') return false;
      ++i;
      continue;
    }
    int hi = HexValue(text[i]), lo = HexValue(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes[n++] = uint8_t(hi * 16 + lo);
    i += 2;
  }
  // The text shows Data1..Data3 as numbers, so their bytes appear most significant first.
  Guid g;
  g.data1 = LoadBe32(bytes);
  g.data2 = LoadBe16(bytes + 4);
  g.data3 = LoadBe16(bytes + 6);
  for (int i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
  out = g;
  return true;
}

Guid Guid::FromBytes(const uint8_t bytes[16]) {
  Guid g;
  g.data1 = LoadLe32(bytes);
  g.data2 = LoadLe16(bytes + 4);
  g.data3 = LoadLe16(bytes + 6);
  for (int i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
  return g;
}

std::string Guid::ToText() const {
  char buffer[37];
  std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", data1, data2,
                data3, data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
  return buffer;
}

void Guid::ToBytes(uint8_t bytes[16]) const {
  StoreLe32(bytes, data1);
  StoreLe16(bytes + 4, data2);
  StoreLe16(bytes + 6, data3);
  for (int i = 0; i < 8; ++i) bytes[8 + i] = data4[i];
}

std::array<uint8_t, 16> Guid::ToBytes() const {
  std::array<uint8_t, 16> out;
  ToBytes(out.data());
  return out;
}

bool Guid::IsNull() const { return *this == Guid{}; }

}  // namespace vt
