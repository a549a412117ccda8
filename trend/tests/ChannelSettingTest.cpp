// The channel setting record's 56-byte form: every field at its offset, little-endian, and read
// back field by field.
#include <gtest/gtest.h>

#include "trend/NgChannelSetting.h"
#include "trend/RecordBytes.h"

TEST(ChannelSettingTest, FieldsLieAtTheirOffsetsAndReadBack) {
  SNgChannelSetting r;
  r.shown = 1;
  r.index = 0x0102;
  r.channelIndex = 0x0304;
  r.axisIndex = -2;
  for (int i = 0; i < 4; ++i) r.tripShown[i] = int16_t(i + 1), r.tripValue[i] = 0.5 * (i + 1);
  r.colour = 0x02A0B0C0;
  const auto b = vt::ChannelSettingBytes(r);
  ASSERT_EQ(b.size(), 56u);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[1], 0);
  EXPECT_EQ(b[2], 0x02);
  EXPECT_EQ(b[3], 0x01);  // little-endian
  EXPECT_EQ(vt::GetI16(b.data(), 4), 0x0304);
  EXPECT_EQ(vt::GetI16(b.data(), 6), -2);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(vt::GetI16(b.data(), 8 + 2 * size_t(i)), i + 1);
    EXPECT_EQ(vt::GetF64(b.data(), 16 + 8 * size_t(i)), 0.5 * (i + 1));
  }
  EXPECT_EQ(b[48], 0xC0);
  EXPECT_EQ(vt::GetU32(b.data(), 48), 0x02A0B0C0u);
  EXPECT_EQ(vt::GetI32(b.data(), 52), 0);

  const SNgChannelSetting back = vt::ChannelSettingFromBytes(b.data());
  EXPECT_EQ(vt::ChannelSettingBytes(back), b);
  EXPECT_EQ(back.axisIndex, -2);
  EXPECT_EQ(back.tripValue[3], 2.0);
}
