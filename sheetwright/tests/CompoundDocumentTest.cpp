// Compound document: the sector layout worked out in advance, and the header, allocation
// tables, DIFAT sectors, directory and property sets as written.
#include <gtest/gtest.h>

#include <vector>

#include "SheetwrightTestSupport.h"
#include "sheetwright/CompoundDocument.h"
#include "sheetwright/WorkFile.h"
#include "sheetwright/Workbook.h"

namespace sheetwright::test {
namespace {

struct LayoutCase {
  uint64_t stream;
  uint64_t padded;
  uint32_t dataSectors, difat, fat, directory;
  uint64_t fileBytes;
};

TEST(CompoundLayout, SectorCountsByStreamSize) {
  const LayoutCase cases[] = {
      {3000, 4096, 24, 0, 1, 25, 13824},
      {4096, 4096, 24, 0, 1, 25, 13824},
      {4097, 4608, 25, 0, 1, 26, 14336},
      // One FAT sector covers 128 sectors, itself and the directory included.
      {512 * 110, 512 * 110, 126, 0, 1, 127, 512 * 129},
      {512 * 111, 512 * 111, 127, 0, 2, 129, 512 * 131},
      // 109 FAT sectors, the most the header lists, exactly fill their table.
      {7078912, 7078912, 13842, 0, 109, 13951, 512 * 13953},
      {7079424, 7079424, 13843, 1, 110, 13954, 512 * 13956},
      {512 * 30384, 512 * 30384, 30400, 2, 240, 30642, 512 * 30644},
  };
  for (const LayoutCase& c : cases) {
    CompoundLayout l = ComputeLayout(c.stream);
    EXPECT_EQ(l.paddedStreamBytes, c.padded) << c.stream;
    EXPECT_EQ(l.dataSectors, c.dataSectors) << c.stream;
    EXPECT_EQ(l.difatSectors, c.difat) << c.stream;
    EXPECT_EQ(l.fatSectors, c.fat) << c.stream;
    EXPECT_EQ(l.DirectorySector(), c.directory) << c.stream;
    EXPECT_EQ(l.FileBytes(), c.fileBytes) << c.stream;
  }
}

TEST(CompoundLayout, WholeFileStaysWithinTwoGigabytes) {
  // The largest stream a workbook may reach: its file, allocation tables and DIFAT included,
  // fits in 2 GB, and one more byte of stream would not.
  uint64_t low = 0, high = Workbook::kStreamLimit;
  ASSERT_TRUE(Workbook::WithinLimits(low));
  while (low + 1 < high) {
    uint64_t middle = low + (high - low) / 2;
    (Workbook::WithinLimits(middle) ? low : high) = middle;
  }
  const uint64_t largest = low;
  const CompoundLayout at = ComputeLayout(largest);
  EXPECT_LE(at.FileBytes(), Workbook::kFileLimit);
  EXPECT_GT(ComputeLayout(largest + 1).FileBytes(), Workbook::kFileLimit);
  EXPECT_GT(at.difatSectors, 0u);
  // The tables take their share: the stream stops short of the old stream-only limit, which
  // let 21 full sheets make a file of 2,163,480,064 bytes.
  EXPECT_LT(largest, Workbook::kStreamLimit);
  EXPECT_GT(largest, Workbook::kFileLimit - Workbook::kFileLimit / 100);
  EXPECT_FALSE(Workbook::WithinLimits(Workbook::kStreamLimit));
  EXPECT_GT(ComputeLayout(Workbook::kStreamLimit).FileBytes(), Workbook::kFileLimit);
}

TEST(CompoundLayout, FatCountIsTheSmallestThatCoversTheFile) {
  // The table search starts near its answer; the answer must still be the smallest count of
  // FAT sectors whose entries cover every sector of the file.
  for (uint64_t sectors :
       {8ull, 9ull, 110ull, 111ull, 13826ull, 13827ull, 16257ull, 16258ull, 4161536ull, 4194000ull}) {
    const CompoundLayout l = ComputeLayout(512 * sectors);
    const uint64_t covered = uint64_t(l.dataSectors) + l.difatSectors + l.fatSectors + 1;
    EXPECT_GE(128ull * l.fatSectors, covered) << sectors;
    const uint32_t fewer = l.fatSectors - 1;
    const uint32_t difatFewer = fewer <= 109 ? 0 : (fewer - 109 + 126) / 127;
    if (fewer > 0) {
      EXPECT_LT(128ull * fewer, uint64_t(l.dataSectors) + difatFewer + fewer + 1) << sectors;
    }
  }
}

class CompoundDocumentTest : public SheetwrightTest {
 protected:
  // Wraps a stream of n bytes (each byte its offset mod 251) and returns the file.
  std::vector<uint8_t> Wrap(uint64_t n) {
    WorkFile out;
    EXPECT_TRUE(out.Create(Path("doc.bin"), 1 << 20));
    std::vector<uint8_t> head(512, 0);
    EXPECT_TRUE(out.Write(head.data(), head.size()));
    std::vector<uint8_t> chunk(1 << 16);
    for (uint64_t done = 0; done < n;) {
      std::size_t k = std::size_t(std::min<uint64_t>(chunk.size(), n - done));
      for (std::size_t i = 0; i < k; ++i) chunk[i] = uint8_t((done + i) % 251);
      EXPECT_TRUE(out.Write(chunk.data(), k));
      done += k;
    }
    EXPECT_TRUE(WriteCompoundDocument(out, n));
    EXPECT_TRUE(out.Close());
    std::string s = ReadFile(Path("doc.bin"));
    return std::vector<uint8_t>(s.begin(), s.end());
  }
  static uint32_t Fat(const std::vector<uint8_t>& f, uint32_t firstFat, uint32_t sector) {
    return Le32(f, 512 * (std::size_t(firstFat) + 1) + 4 * std::size_t(sector));
  }
};

TEST_F(CompoundDocumentTest, SmallStreamHeaderTablesAndDirectory) {
  std::vector<uint8_t> f = Wrap(3000);
  ASSERT_EQ(f.size(), 13824u);
  EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 8),
            Bytes({0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}));
  const std::pair<std::size_t, uint32_t> header32[] = {
      {0x28, 0}, {0x2C, 1},          {0x30, 25}, {0x34, 0},  {0x38, 4096},       {0x3C, 0xFFFFFFFE},
      {0x40, 0}, {0x44, 0xFFFFFFFE}, {0x48, 0},  {0x4C, 24}, {0x50, 0xFFFFFFFF}, {0x1FC, 0xFFFFFFFF}};
  for (auto [at, value] : header32) EXPECT_EQ(Le32(f, at), value) << std::hex << at;
  EXPECT_EQ(Le16(f, 0x18), 0x3E);
  EXPECT_EQ(Le16(f, 0x1A), 3);
  EXPECT_EQ(Le16(f, 0x1C), 0xFFFE);
  EXPECT_EQ(Le16(f, 0x1E), 9);
  EXPECT_EQ(Le16(f, 0x20), 6);
  // The stream sits directly behind the header, padded with zeros to 4096 bytes.
  EXPECT_EQ(f[512 + 2999], 2999 % 251);
  EXPECT_EQ(f[512 + 3000], 0);

  // FAT (sector 24): three chains, its own sector, the directory, the rest free.
  for (uint32_t s = 0; s < 7; ++s) EXPECT_EQ(Fat(f, 24, s), s + 1);
  EXPECT_EQ(Fat(f, 24, 7), 0xFFFFFFFEu);
  EXPECT_EQ(Fat(f, 24, 8), 9u);
  EXPECT_EQ(Fat(f, 24, 15), 0xFFFFFFFEu);
  EXPECT_EQ(Fat(f, 24, 23), 0xFFFFFFFEu);
  EXPECT_EQ(Fat(f, 24, 24), 0xFFFFFFFDu);
  EXPECT_EQ(Fat(f, 24, 25), 0xFFFFFFFEu);
  EXPECT_EQ(Fat(f, 24, 26), 0xFFFFFFFFu);
  EXPECT_EQ(Fat(f, 24, 127), 0xFFFFFFFFu);

  // Directory (sector 25): name length, type, colour, siblings, child, start and size.
  struct Entry {
    const char* name;
    uint16_t nameBytes;
    uint8_t type;
    uint32_t left, right, child, start, size;
  };
  const Entry entries[] = {
      {"Root Entry", 22, 5, 0xFFFFFFFF, 0xFFFFFFFF, 2, 0xFFFFFFFE, 0},
      {"Workbook", 18, 2, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0, 4096},
      {"SummaryInformation", 38, 2, 1, 3, 0xFFFFFFFF, 8, 4096},
      {"DocumentSummaryInformation", 54, 2, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 16, 4096},
  };
  for (int i = 0; i < 4; ++i) {
    std::size_t e = 512 * 26 + 128 * std::size_t(i);
    std::string name;
    for (std::size_t k = 0; Le16(f, e + 2 * k) != 0; ++k) name += char(Le16(f, e + 2 * k));
    EXPECT_EQ(name, entries[i].name);
    EXPECT_EQ(Le16(f, e + 64), entries[i].nameBytes) << name;
    EXPECT_EQ(f[e + 66], entries[i].type) << name;
    EXPECT_EQ(f[e + 67], 1) << name;
    EXPECT_EQ(Le32(f, e + 68), entries[i].left) << name;
    EXPECT_EQ(Le32(f, e + 72), entries[i].right) << name;
    EXPECT_EQ(Le32(f, e + 76), entries[i].child) << name;
    EXPECT_EQ(Le32(f, e + 116), entries[i].start) << name;
    EXPECT_EQ(Le32(f, e + 120), entries[i].size) << name;
    EXPECT_EQ(Le32(f, e + 124), 0u) << name;
  }
  EXPECT_EQ(std::vector<uint8_t>(f.begin() + 512 * 26 + 80, f.begin() + 512 * 26 + 96),
            Bytes({0x20, 0x08, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46}));

  // The property sets: a 48-byte head naming one empty section.
  for (auto [sector, id] : {std::pair<std::size_t, std::vector<uint8_t>>{8, Bytes({0xE0, 0x85, 0x9F, 0xF2})},
                            {16, Bytes({0x02, 0xD5, 0xCD, 0xD5})}}) {
    std::size_t at = 512 * (sector + 1);
    EXPECT_EQ(Le16(f, at), 0xFFFE);
    EXPECT_EQ(Le32(f, at + 4), 0x00020105u);
    EXPECT_EQ(Le32(f, at + 24), 1u);
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + std::ptrdiff_t(at + 28), f.begin() + std::ptrdiff_t(at + 32)),
              id);
    EXPECT_EQ(Le32(f, at + 44), 48u);
    EXPECT_EQ(Le32(f, at + 48), 0u);
  }
}

TEST_F(CompoundDocumentTest, LargeStreamGetsADifatSector) {
  std::vector<uint8_t> f = Wrap(7079424);
  const uint32_t D = 13843, X = 1, F = 110;
  ASSERT_EQ(f.size(), 512u * 13956);
  EXPECT_EQ(Le32(f, 0x2C), F);
  EXPECT_EQ(Le32(f, 0x30), D + X + F);
  EXPECT_EQ(Le32(f, 0x44), D);
  EXPECT_EQ(Le32(f, 0x48), X);
  EXPECT_EQ(Le32(f, 0x4C), D + X);
  EXPECT_EQ(Le32(f, 0x4C + 4 * 108), D + X + 108);
  // The DIFAT sector holds the 110th FAT sector, 126 free entries and the end of its chain.
  std::size_t difat = 512 * (std::size_t(D) + 1);
  EXPECT_EQ(Le32(f, difat), D + X + 109);
  for (int i = 1; i < 127; ++i) EXPECT_EQ(Le32(f, difat + 4 * std::size_t(i)), 0xFFFFFFFFu) << i;
  EXPECT_EQ(Le32(f, difat + 508), 0xFFFFFFFEu);
  // The FAT marks the DIFAT and FAT sectors, ends the stream's chain and the directory.
  const uint32_t firstFat = D + X;
  auto fat = [&](uint32_t s) { return Le32(f, 512 * (std::size_t(firstFat) + s / 128 + 1) + 4 * (s % 128)); };
  EXPECT_EQ(fat(13826), 0xFFFFFFFEu);  // last sector of the Workbook stream
  EXPECT_EQ(fat(13825), 13826u);
  EXPECT_EQ(fat(D), 0xFFFFFFFCu);
  EXPECT_EQ(fat(D + X), 0xFFFFFFFDu);
  EXPECT_EQ(fat(D + X + F - 1), 0xFFFFFFFDu);
  EXPECT_EQ(fat(D + X + F), 0xFFFFFFFEu);
  EXPECT_EQ(fat(D + X + F + 1), 0xFFFFFFFFu);
  EXPECT_EQ(fat(F * 128 - 1), 0xFFFFFFFFu);
  // The stream's bytes are untouched and the directory records its size.
  EXPECT_EQ(f[512 + 7079423], 7079423 % 251);
  EXPECT_EQ(Le32(f, 512 * (std::size_t(D + X + F) + 1) + 128 + 120), 7079424u);
}

TEST_F(CompoundDocumentTest, DifatSectorsAreChained) {
  std::vector<uint8_t> f = Wrap(512 * 30384);
  const uint32_t D = 30400, X = 2, F = 240;
  ASSERT_EQ(f.size(), 512u * 30644);
  std::size_t first = 512 * (std::size_t(D) + 1), second = first + 512;
  EXPECT_EQ(Le32(f, first), D + X + 109);
  EXPECT_EQ(Le32(f, first + 4 * 126), D + X + 235);
  EXPECT_EQ(Le32(f, first + 508), D + 1);  // the next DIFAT sector
  EXPECT_EQ(Le32(f, second), D + X + 236);
  EXPECT_EQ(Le32(f, second + 12), D + X + F - 1);
  EXPECT_EQ(Le32(f, second + 16), 0xFFFFFFFFu);
  EXPECT_EQ(Le32(f, second + 504), 0xFFFFFFFFu);
  EXPECT_EQ(Le32(f, second + 508), 0xFFFFFFFEu);

  // An independent reader follows the chain to every FAT sector and finds the streams whole.
  int code = 0;
  RunCommand("/usr/bin/python3 -c 'import olefile' 2>/dev/null", code);
  if (code != 0) GTEST_SKIP() << "python3 with olefile is not installed";
  std::string out = RunCommand(
      "/usr/bin/python3 -c \"import olefile, sys; o = olefile.OleFileIO(sys.argv[1], "
      "raise_defects=olefile.DEFECT_POTENTIAL); d = o.openstream('Workbook').read(); "
      "print(len(o.parsing_issues), len(d), d[-1], o.get_size('DocumentSummaryInformation'))\" '" +
          Path("doc.bin") + "' 2>&1",
      code);
  EXPECT_EQ(code, 0) << out;
  EXPECT_EQ(out, "0 15556608 " + std::to_string((512 * 30384 - 1) % 251) + " 4096\n");
}

}  // namespace
}  // namespace sheetwright::test
