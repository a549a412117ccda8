// Formcast32: the text layout byte for byte, the handle rules that Formshift relies on, tables
// beyond spreadsheet sizes, write failures, two threads at once, and the exported interface.
#include "formcast32/Formcast32.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "platform/base/FileSystem.h"
#include "testing/TempFolder.h"

namespace {

class Formcast32Test : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_ / name; }
  vt_test::TempFolder folder_;
};

TEST_F(Formcast32Test, WritesTheDocumentedLayout) {
  short h = FCvtOpen(Path("t.txt").c_str(), 4);
  ASSERT_GE(h, 0);
  EXPECT_EQ(FCvtInit(h, 0, 0, 0, 0), 0);  // whole-file conversions announce no size
  EXPECT_EQ(FCvtWriteString(h, 0, 0, "Tag"), 0);
  EXPECT_EQ(FCvtWriteString(h, 0, 2, "\"2010/05/10\""), 0);  // a skipped column stays empty
  EXPECT_EQ(FCvtWriteString(h, 0, 1, "mid"), 0);             // any order within the row
  EXPECT_EQ(FCvtWriteDouble(h, 1, 0, 12.5, 3), 0);
  EXPECT_EQ(FCvtWriteDouble(h, 1, 1, -0.25, 0), 0);
  EXPECT_EQ(FCvtWriteDouble(h, 1, 2, 0.1, -1), 0);
  EXPECT_EQ(FCvtWriteExp(h, 1, 3, 1234.5678, 4), 0);
  EXPECT_EQ(FCvtWriteExp(h, 1, 4, -0.00012, 2), 0);
  // Rows 2 and 3 hold nothing; row 4 has a text with separators in it, an empty text, and a
  // cell written twice.
  EXPECT_EQ(FCvtWriteString(h, 4, 0, "a\tb\r\nc"), 0);
  EXPECT_EQ(FCvtWriteString(h, 4, 1, ""), 0);
  EXPECT_EQ(FCvtWriteString(h, 4, 2, "first"), 0);
  EXPECT_EQ(FCvtWriteString(h, 4, 2, "gr\xC3\xBC\xC3\x9F"), 0);
  EXPECT_EQ(FCvtClose(h), 0);
  EXPECT_EQ(vt_test::ReadFileBytes(Path("t.txt")),
            "Tag\tmid\t\"2010/05/10\"\r\n"
            "12.500\t-0\t0.1\t1.2346E+03\t-1.20E-04\r\n"
            "\r\n"
            "\r\n"
            "a b  c\t\tgr\xC3\xBC\xC3\x9F\r\n");
}

TEST_F(Formcast32Test, HandlesAndKinds) {
  EXPECT_EQ(FCvtClose(-1), 0);  // no file open: nothing to close
  for (short kind : {4, 33, 3}) {
    std::string path = Path("k" + std::to_string(kind) + ".txt");
    short h = FCvtOpen(path.c_str(), kind);
    ASSERT_GE(h, 0) << kind;
    EXPECT_EQ(FCvtInit(h, 0, 0, 65536, 256), 0);
    EXPECT_EQ(FCvtWriteDouble(h, 0, 0, 1.0, 1), 0);
    EXPECT_EQ(FCvtClose(h), 0);
    EXPECT_EQ(vt_test::ReadFileBytes(path), "1.0\r\n") << kind;
    // A closed handle is refused everywhere.
    EXPECT_EQ(FCvtInit(h, 0, 0, 0, 0), -1);
    EXPECT_EQ(FCvtWriteString(h, 0, 0, "x"), -1);
    EXPECT_EQ(FCvtWriteDouble(h, 0, 0, 1.0, 1), -1);
    EXPECT_EQ(FCvtWriteExp(h, 0, 0, 1.0, 1), -1);
    EXPECT_EQ(FCvtClose(h), -1);
  }
  for (short kind : {0, 1, 2, 5, 34, -1}) {
    EXPECT_EQ(FCvtOpen(Path("bad.txt").c_str(), kind), -1) << kind;
    EXPECT_FALSE(vt::PathExists(Path("bad.txt"))) << kind;
  }
  EXPECT_EQ(FCvtOpen(nullptr, 4), -1);
  EXPECT_EQ(FCvtOpen(Path("missing/x.txt").c_str(), 4), -1);
  for (short h : {short(-2), short(0), short(999)}) EXPECT_EQ(FCvtWriteString(h, 0, 0, "x"), -1) << h;
}

// A symbolic link at the path is refused, whether it leads nowhere or to a file: the table
// never lands where a link points.
TEST_F(Formcast32Test, NeverOpensThroughALink) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("real.txt"), "keep"));
  ASSERT_EQ(::symlink(Path("nowhere.txt").c_str(), Path("dangling.txt").c_str()), 0);
  ASSERT_EQ(::symlink(Path("real.txt").c_str(), Path("live.txt").c_str()), 0);
  for (const char* name : {"dangling.txt", "live.txt"})
    EXPECT_EQ(FCvtOpen(Path(name).c_str(), 4), -1) << name;
  EXPECT_FALSE(vt::PathExists(Path("nowhere.txt")));
  EXPECT_EQ(vt_test::ReadFileBytes(Path("real.txt")), "keep");
}

TEST_F(Formcast32Test, RefusedCellsLeaveTheFileUsable) {
  short h = FCvtOpen(Path("r.txt").c_str(), 4);
  ASSERT_GE(h, 0);
  EXPECT_EQ(FCvtWriteString(h, 3, 0, "row3"), 0);
  EXPECT_EQ(FCvtWriteString(h, 2, 0, "earlier row"), -1);
  EXPECT_EQ(FCvtWriteString(h, -1, 0, "x"), -1);
  EXPECT_EQ(FCvtWriteString(h, 3, -1, "x"), -1);
  EXPECT_EQ(FCvtWriteString(h, 3, 1, nullptr), -1);
  EXPECT_EQ(FCvtWriteDouble(h, 3, 1, std::nan(""), 2), -1);
  EXPECT_EQ(FCvtWriteExp(h, 3, 1, std::numeric_limits<double>::infinity(), 2), -1);
  EXPECT_EQ(FCvtWriteExp(h, 3, 1, 1.0, -1), -1);
  EXPECT_EQ(FCvtWriteDouble(h, 3, 1, 2.0, 0), 0);
  EXPECT_EQ(FCvtClose(h), 0);
  EXPECT_EQ(vt_test::ReadFileBytes(Path("r.txt")), "\r\n\r\n\r\nrow3\t2\r\n");
}

TEST_F(Formcast32Test, RowsAndColumnsBeyondSpreadsheetLimits) {
  short h = FCvtOpen(Path("big.txt").c_str(), 4);
  ASSERT_GE(h, 0);
  EXPECT_EQ(FCvtWriteString(h, 70000, 300, "far"), 0);
  EXPECT_EQ(FCvtClose(h), 0);
  std::string expected;
  for (int i = 0; i < 70000; ++i) expected += "\r\n";
  expected += std::string(300, '\t') + "far\r\n";
  EXPECT_EQ(vt_test::ReadFileBytes(Path("big.txt")), expected);
}

TEST_F(Formcast32Test, FailedWriteFailsTheClose) {
  if (!vt::PathExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  short h = FCvtOpen("/dev/full", 4);
  ASSERT_GE(h, 0);
  EXPECT_EQ(FCvtWriteString(h, 0, 0, "lost"), 0);  // held until the row is done
  EXPECT_EQ(FCvtClose(h), -1);
  EXPECT_TRUE(vt::PathExists("/dev/full"));  // only files of its own are removed
  EXPECT_EQ(FCvtClose(h), -1);               // the handle is gone all the same
}

TEST_F(Formcast32Test, TwoThreadsWriteTheirOwnFiles) {
  constexpr int kRows = 3000;
  auto write = [&](const std::string& name, double offset) {
    short h = FCvtOpen(Path(name).c_str(), 4);
    ASSERT_GE(h, 0);
    for (int r = 0; r < kRows; ++r) {
      ASSERT_EQ(FCvtWriteDouble(h, r, 0, r + offset, 1), 0);
      ASSERT_EQ(FCvtWriteString(h, r, 1, name.c_str()), 0);
    }
    ASSERT_EQ(FCvtClose(h), 0);
  };
  std::thread a(write, "a.txt", 0.0), b(write, "b.txt", 0.5);
  a.join();
  b.join();
  for (auto [name, offset] : {std::pair{"a.txt", 0.0}, std::pair{"b.txt", 0.5}}) {
    std::string expected;
    for (int r = 0; r < kRows; ++r) {
      char line[64];
      std::snprintf(line, sizeof line, "%.1f\t%s\r\n", r + offset, name);
      expected += line;
    }
    EXPECT_EQ(vt_test::ReadFileBytes(Path(name)), expected) << name;
  }
}

TEST(Formcast32Library, ExportsExactlyTheSixFunctions) {
  FILE* pipe = ::popen("nm -D --defined-only '" FORMCAST32_LIBRARY "' 2>/dev/null", "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  if (::pclose(pipe) != 0) GTEST_SKIP() << "nm is not available";
  std::set<std::string> names;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string address, kind, name;
    fields >> address >> kind >> name;
    if (!name.empty()) names.insert(name);
  }
  EXPECT_EQ(names, (std::set<std::string>{"FCvtOpen", "FCvtInit", "FCvtWriteString", "FCvtWriteDouble",
                                          "FCvtWriteExp", "FCvtClose"}));
}

}  // namespace
