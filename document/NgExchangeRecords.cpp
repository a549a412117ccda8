// Byte forms of the trend exchange records, written field by field.
#include "document/NgExchangeRecords.h"

#include <cstring>

namespace vt {

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
