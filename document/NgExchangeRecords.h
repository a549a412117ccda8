// The records a trend channel exchanges with the trend display, and their byte layouts: the
// 200-byte axis setting (the trend display's own record), and the 392-byte mark record with its
// 336-byte note (the 56-byte channel setting is in trend/NgChannelSetting.h). The byte forms are
// little-endian, field by field, text fields cut and NUL-terminated; they are what saved and copied records
// carry.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "recorder/PreciseTime.h"
#include "trend/MarkRecords.h"
#include "trend/NgChannelSetting.h"
#include "trend/RecordBytes.h"
#include "trend/YAxis.h"

namespace vt {

inline constexpr size_t kAxisSettingBytes = 200;
inline constexpr size_t kMarkNoteBytes = 336;
inline constexpr size_t kMarkDataBytes = 392;

std::array<uint8_t, kAxisSettingBytes> AxisSettingBytes(const SNgAxisSetting& r);
std::array<uint8_t, kMarkDataBytes> MarkDataBytes(const SNgMarkData& r);

}  // namespace vt
