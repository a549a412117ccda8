// The records a trend channel exchanges with the trend display, and their byte layouts: the
// 56-byte channel setting, the 200-byte axis setting (the trend display's own record), and the
// 392-byte mark record with its 336-byte note. The byte forms are little-endian, field by field,
// text fields cut and NUL-terminated; they are what saved and copied records carry.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "recorder/PreciseTime.h"
#include "trend/MarkRecords.h"
#include "trend/YAxis.h"

struct SNgChannelSetting {
  uint8_t shown = 0;
  uint8_t reserved = 0;
  int16_t index = 0;
  int16_t channelIndex = 0;
  int16_t axisIndex = 0;
  int16_t tripShown[4] = {0, 0, 0, 0};
  double tripValue[4] = {0, 0, 0, 0};
  uint32_t colour = 0;
  int32_t extra = 0;
};

namespace vt {

inline constexpr size_t kChannelSettingBytes = 56;
inline constexpr size_t kAxisSettingBytes = 200;
inline constexpr size_t kMarkNoteBytes = 336;
inline constexpr size_t kMarkDataBytes = 392;

std::array<uint8_t, kChannelSettingBytes> ChannelSettingBytes(const SNgChannelSetting& r);
std::array<uint8_t, kAxisSettingBytes> AxisSettingBytes(const SNgAxisSetting& r);
std::array<uint8_t, kMarkDataBytes> MarkDataBytes(const SNgMarkData& r);

// Copies text into a fixed field of size bytes, cut to size - 1 bytes and NUL-terminated; the
// rest of the field is zeroed. A cut never splits a UTF-8 character.
void CopyTextField(char* field, size_t size, const std::string& text);

// Little-endian field writers over a byte buffer (at is the field's offset).
void PutU8(uint8_t* b, size_t at, uint8_t v);
void PutI16(uint8_t* b, size_t at, int16_t v);
void PutI32(uint8_t* b, size_t at, int32_t v);
void PutU32(uint8_t* b, size_t at, uint32_t v);
void PutI64(uint8_t* b, size_t at, int64_t v);
void PutF64(uint8_t* b, size_t at, double v);
// size bytes of a text field (cut and NUL-terminated as CopyTextField).
void PutText(uint8_t* b, size_t at, size_t size, const std::string& text);
int16_t GetI16(const uint8_t* b, size_t at);
int32_t GetI32(const uint8_t* b, size_t at);
uint32_t GetU32(const uint8_t* b, size_t at);
int64_t GetI64(const uint8_t* b, size_t at);
double GetF64(const uint8_t* b, size_t at);
// The text of a field of size bytes, up to its first NUL.
std::string GetText(const uint8_t* b, size_t at, size_t size);

}  // namespace vt
