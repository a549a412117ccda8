// GUIDs: text form, binary layout and round trips.
#include <gtest/gtest.h>

#include <set>

#include "platform/base/Guid.h"

namespace {

TEST(Guid, TextAndBinaryLayout) {
  vt::Guid g;
  ASSERT_TRUE(vt::Guid::Parse("{0123abcd-4567-89ef-0011-223344556677}", g));
  EXPECT_EQ(g.data1, 0x0123ABCDu);
  EXPECT_EQ(g.data2, 0x4567u);
  EXPECT_EQ(g.data3, 0x89EFu);
  EXPECT_EQ(g.ToText(), "0123ABCD-4567-89EF-0011-223344556677");
  const std::array<uint8_t, 16> expected = {0xCD, 0xAB, 0x23, 0x01, 0x67, 0x45, 0xEF, 0x89,
                                            0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
  EXPECT_EQ(g.ToBytes(), expected);
  EXPECT_EQ(vt::Guid::FromBytes(expected.data()), g);
}

TEST(Guid, ParseRejectsMalformedText) {
  vt::Guid g;
  for (const char* bad : {"", "0123ABCD-4567-89EF-0011-22334455667", "0123ABCD-4567-89EF-0011-2233445566778",
                          "0123ABCD+4567-89EF-0011-223344556677", "0123ABCG-4567-89EF-0011-223344556677",
                          "{0123ABCD-4567-89EF-0011-223344556677"}) {
    EXPECT_FALSE(vt::Guid::Parse(bad, g)) << bad;
  }
}

TEST(Guid, CreatedGuidsAreDistinctAndRoundTrip) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    vt::Guid g = vt::Guid::Create();
    EXPECT_FALSE(g.IsNull());
    std::string text = g.ToText();
    EXPECT_TRUE(seen.insert(text).second);
    vt::Guid back;
    ASSERT_TRUE(vt::Guid::Parse(text, back));
    EXPECT_EQ(back, g);
    EXPECT_EQ(vt::Guid::FromBytes(g.ToBytes().data()), g);
  }
}

}  // namespace
