// The older-format generator checked from outside: both checksums of generated files verified
// by an independent CRC implementation (Python's crcmod), the ring placement of records and
// the places of the fields the readers depend on.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/base/ByteOrder.h"
#include "testing/TempFolder.h"
#include "tools/recgen/OlderRecorderFile.h"

using namespace recgen;

namespace {

// Runs the checker on a file; "ok" when both checksums match.
std::string CheckWithCrcmod(const std::string& path, std::size_t headerCrcAt) {
  std::string cmd =
      "/usr/bin/python3 -c \"import sys, crcmod.predefined as c\n"
      "f = c.mkCrcFun('modbus'); b = open(sys.argv[1], 'rb').read(); h = int(sys.argv[2])\n"
      "hs = int.from_bytes(b[h:h+2], 'little'); ds = int.from_bytes(b[-2:], 'little')\n"
      "print('ok' if f(b[:h]) == hs and f(b[h+2:-2]) == ds else 'mismatch')\" " +
      path + " " + std::to_string(headerCrcAt) + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return "no python";
  char buf[256] = {};
  std::string out;
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

TEST(OlderRecorderFile, ChecksumsAgreeWithAnIndependentImplementation) {
  if (std::system("/usr/bin/python3 -c 'import crcmod' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3-crcmod is not installed";
  vt_test::TempFolder dir;
  for (OlderLayout layout : {OlderLayout::Fixed, OlderLayout::Directory}) {
    OlderModel m = SampleOlderModel(layout, 1, 7);
    m.messages = {{"m", {}, 1002, 0, 0, "u"}};
    m.scrambleDirectory = true;
    OlderFile f = WriteOlder(m);
    std::string path = dir / "f.DDS";
    ASSERT_TRUE(f.WriteTo(path));
    EXPECT_EQ(CheckWithCrcmod(path, f.headerCrcAt), "ok");
    f.BreakDataCrc();
    ASSERT_TRUE(f.WriteTo(path));
    EXPECT_EQ(CheckWithCrcmod(path, f.headerCrcAt), "mismatch");
  }
}

TEST(OlderRecorderFile, LayoutOfHeaderAndRing) {
  OlderModel m = SampleOlderModel(OlderLayout::Fixed, 0, 10);
  m.ringStart = 5;
  OlderFile f = WriteOlder(m);
  const uint8_t* b = f.bytes.data();
  EXPECT_EQ(b[0], 'u');
  EXPECT_EQ(b[2], 'M');
  EXPECT_EQ(vt::LoadBe16(b + 84), 3);
  EXPECT_EQ(vt::LoadBe16(b + 86), 8);  // 2 + 2 + 4
  EXPECT_EQ(vt::LoadBe32(b + 92), 10u);
  EXPECT_EQ(vt::LoadBe16(b + 82), f.dataAreaAt);
  EXPECT_EQ(f.headerCrcAt, 318u);
  EXPECT_EQ(f.channelTableAt, 320u);
  EXPECT_EQ(f.bytes.size(), f.dataAreaAt + 10 * 8 + 2);
  // Record 0 in slot 5, record 6 in slot 1; the computed channel's 32-bit value after both
  // 16-bit ones.
  EXPECT_EQ(int16_t(vt::LoadBe16(&f.bytes[f.RecordAt(5)])), m.records[0][0]);
  EXPECT_EQ(int16_t(vt::LoadBe16(&f.bytes[f.RecordAt(1) + 2])), m.records[6][1]);
  EXPECT_EQ(int32_t(vt::LoadBe32(&f.bytes[f.RecordAt(1) + 4])), m.records[6][2]);

  OlderModel d = SampleOlderModel(OlderLayout::Directory, 1, 2);
  OlderFile g = WriteOlder(d);
  EXPECT_EQ(g.bytes[1], 0x80);
  EXPECT_EQ(vt::LoadBe16(&g.bytes[206]), 1);  // only the display-group section
  EXPECT_EQ(g.headerCrcAt, 208u + 16 + 2);
  EXPECT_EQ(g.bytes[208], 0x30);
  EXPECT_EQ(vt::LoadBe32(&g.bytes[212]), g.groupsAt);
  EXPECT_EQ(vt::LoadBe32(&g.bytes[80]), g.dataAreaAt);
  EXPECT_EQ(vt::LoadBe16(&g.bytes[86]), 16);  // minimum and maximum of each channel
}

}  // namespace
