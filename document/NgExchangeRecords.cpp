// Byte forms of the trend exchange records, written field by field.
#include "document/NgExchangeRecords.h"

#include <cstring>

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

std::array<uint8_t, kChannelSettingBytes> ChannelSettingBytes(const SNgChannelSetting& r) {
  std::array<uint8_t, kChannelSettingBytes> out{};
  uint8_t* b = out.data();
  PutU8(b, 0, r.shown);
  PutU8(b, 1, r.reserved);
  PutI16(b, 2, r.index);
  PutI16(b, 4, r.channelIndex);
  PutI16(b, 6, r.axisIndex);
  for (int i = 0; i < 4; ++i) PutI16(b, 8 + 2 * size_t(i), r.tripShown[i]);
  for (int i = 0; i < 4; ++i) PutF64(b, 16 + 8 * size_t(i), r.tripValue[i]);
  PutU32(b, 48, r.colour);
  PutI32(b, 52, r.extra);
  return out;
}

std::array<uint8_t, kAxisSettingBytes> AxisSettingBytes(const SNgAxisSetting& r) {
  std::array<uint8_t, kAxisSettingBytes> out{};
  uint8_t* b = out.data();
  PutU8(b, 0, r.shown);
  PutU8(b, 1, r.legendFlag);
  PutI16(b, 2, r.labelMode);
  PutI16(b, 4, r.scaleType);
  PutI16(b, 6, r.exponent);
  PutI16(b, 8, r.zoom);
  PutI16(b, 10, r.gridLevel);
  PutU32(b, 12, r.colour);
  std::memcpy(b + 16, r.name, sizeof r.name);
  std::memcpy(b + 144, r.unit, sizeof r.unit);
  PutF64(b, 152, r.lowerPosition);
  PutF64(b, 160, r.upperPosition);
  PutF64(b, 168, r.spanLower);
  PutF64(b, 176, r.spanUpper);
  PutF64(b, 184, r.scaleMinimum);
  PutF64(b, 192, r.scaleMaximum);
  return out;
}

std::array<uint8_t, kMarkDataBytes> MarkDataBytes(const SNgMarkData& r) {
  std::array<uint8_t, kMarkDataBytes> out{};
  uint8_t* b = out.data();
  PutI32(b, 0, r.id);
  PutI32(b, 4, r.markKind);
  PutI64(b, 8, int64_t(r.groupMask));
  PutI64(b, 16, r.time.seconds);
  PutF64(b, 24, r.time.fraction);
  std::memcpy(b + 32, r.label, sizeof r.label);
  PutU32(b, 48, r.colour);
  PutI32(b, 52, r.noteCount);
  // The note: kind, two bytes of alignment, position, value, title, comment.
  PutI16(b, 56, r.note.kind);
  PutI32(b, 60, r.note.position);
  PutF64(b, 64, r.note.value);
  std::memcpy(b + 72, r.note.title, sizeof r.note.title);
  std::memcpy(b + 136, r.note.comment, sizeof r.note.comment);
  return out;
}

}  // namespace vt
