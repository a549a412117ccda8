// The byte form of the channel setting record (see NgChannelSetting.h).
#include "trend/NgChannelSetting.h"

#include "trend/RecordBytes.h"

namespace vt {

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

SNgChannelSetting ChannelSettingFromBytes(const uint8_t* b) {
  SNgChannelSetting r;
  r.shown = b[0];
  r.reserved = b[1];
  r.index = GetI16(b, 2);
  r.channelIndex = GetI16(b, 4);
  r.axisIndex = GetI16(b, 6);
  for (int i = 0; i < 4; ++i) r.tripShown[i] = GetI16(b, 8 + 2 * size_t(i));
  for (int i = 0; i < 4; ++i) r.tripValue[i] = GetF64(b, 16 + 8 * size_t(i));
  r.colour = GetU32(b, 48);
  r.extra = GetI32(b, 52);
  return r;
}

}  // namespace vt
