// The graph window's per-channel display record: whether the trace is shown, the record's own
// position in the root's array (written back by the legend), the channel's index in the bound
// channel array, the Y axis it is drawn against, the four trip flags and values and the colour.
// Saved graphs and copies carry it as 56 little-endian bytes, written and read field by field:
// shown u8 @0, pad @1, position i16 @2, channel index i16 @4, Y-axis index i16 @6, trip flags
// i16[4] @8, trip values f64[4] @16, colour u32 @48, pad @52.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

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
std::array<uint8_t, kChannelSettingBytes> ChannelSettingBytes(const SNgChannelSetting& r);
SNgChannelSetting ChannelSettingFromBytes(const uint8_t* b);

}  // namespace vt
