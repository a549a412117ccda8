// The little-endian field writers and readers (see RecordBytes.h).
#include "trend/RecordBytes.h"

#include <cstring>
#include <type_traits>

namespace vt {

namespace {

// The length of text cut to at most max bytes without splitting a UTF-8 character.
size_t CutLength(const std::string& text, size_t max) {
  if (text.size() <= max) return text.size();
  size_t n = max;
  while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

template <class T>
void PutRaw(uint8_t* b, size_t at, T v) {
  using U =
      std::conditional_t<sizeof(T) == 8, uint64_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>;
  U u;
  std::memcpy(&u, &v, sizeof u);
  for (size_t i = 0; i < sizeof u; ++i) b[at + i] = uint8_t(u >> (8 * i));
}

template <class T>
T GetRaw(const uint8_t* b, size_t at) {
  using U =
      std::conditional_t<sizeof(T) == 8, uint64_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>;
  U u = 0;
  for (size_t i = 0; i < sizeof u; ++i) u = U(u | U(U(b[at + i]) << (8 * i)));
  T v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

}  // namespace

void CopyTextField(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  if (size == 0) return;
  std::memcpy(field, text.data(), CutLength(text, size - 1));
}

void PutU8(uint8_t* b, size_t at, uint8_t v) { b[at] = v; }
void PutI16(uint8_t* b, size_t at, int16_t v) { PutRaw(b, at, v); }
void PutI32(uint8_t* b, size_t at, int32_t v) { PutRaw(b, at, v); }
void PutU32(uint8_t* b, size_t at, uint32_t v) { PutRaw(b, at, v); }
void PutI64(uint8_t* b, size_t at, int64_t v) { PutRaw(b, at, v); }
void PutF64(uint8_t* b, size_t at, double v) { PutRaw(b, at, v); }
void PutText(uint8_t* b, size_t at, size_t size, const std::string& text) {
  CopyTextField(reinterpret_cast<char*>(b + at), size, text);
}
int16_t GetI16(const uint8_t* b, size_t at) { return GetRaw<int16_t>(b, at); }
int32_t GetI32(const uint8_t* b, size_t at) { return GetRaw<int32_t>(b, at); }
uint32_t GetU32(const uint8_t* b, size_t at) { return GetRaw<uint32_t>(b, at); }
int64_t GetI64(const uint8_t* b, size_t at) { return GetRaw<int64_t>(b, at); }
double GetF64(const uint8_t* b, size_t at) { return GetRaw<double>(b, at); }
std::string GetText(const uint8_t* b, size_t at, size_t size) {
  size_t n = 0;
  while (n < size && b[at + n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(b + at), n);
}

}  // namespace vt
