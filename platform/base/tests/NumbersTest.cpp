// Numbers: C conventions whatever the process locale, and the three-digit exponent form.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "testing/TempFolder.h"

namespace {

TEST(Numbers, ExponentFormHasThreeDigits) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {12.5, 3, "1.250E+001"}, {-0.00125, 2, "-1.25E-003"}, {0.0, 1, "0.0E+000"},
      {1e100, 0, "1E+100"},    {1.5e-300, 1, "1.5E-300"},   {123456.0, 4, "1.2346E+005"},
  };
  for (const auto& c : cases) EXPECT_EQ(vt::FormatExp3(c.value, c.decimals), c.text);
}

TEST(Numbers, ParsingTakesWholeNumbersOnly) {
  double d = 0;
  EXPECT_TRUE(vt::ParseDouble(" 1.5 ", d));
  EXPECT_EQ(d, 1.5);
  EXPECT_TRUE(vt::ParseDouble("+2e3", d));
  EXPECT_EQ(d, 2000.0);
  EXPECT_FALSE(vt::ParseDouble("1,5", d));
  EXPECT_FALSE(vt::ParseDouble("", d));
  EXPECT_FALSE(vt::ParseDouble("1.5x", d));
  int64_t i = 0;
  EXPECT_TRUE(vt::ParseInt64("-42", i));
  EXPECT_EQ(i, -42);
  EXPECT_FALSE(vt::ParseInt64("99999999999999999999", i));
  uint64_t u = 0;
  EXPECT_FALSE(vt::ParseUInt64("-1", u));
}

// Under a decimal-comma locale (as Qt sets it from a German environment) the output stays "C".
TEST(Numbers, FormattingIgnoresADecimalCommaLocale) {
  vt_test::TempFolder dir;
  std::string command = "localedef -i de_DE -f UTF-8 " + dir.path() + "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "localedef could not build de_DE";
  setenv("LOCPATH", dir.path().c_str(), 1);
  ASSERT_NE(setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  char plain[32];
  std::snprintf(plain, sizeof plain, "%.2f", 1.5);
  EXPECT_STREQ(plain, "1,50");  // the locale really is in force
  EXPECT_EQ(vt::FormatC("%.2f;%g", 1.5, 0.25), "1.50;0.25");
  EXPECT_EQ(vt::FormatExp3(12.5, 3), "1.250E+001");
  double d = 0;
  EXPECT_TRUE(vt::ParseDouble("1.5", d));
  EXPECT_EQ(d, 1.5);
  setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
}

TEST(Numbers, LongOutputIsNotCut) {
  std::string s = vt::FormatC("%0300d|", 7);
  EXPECT_EQ(s.size(), 301u);
  EXPECT_EQ(s.back(), '|');
}

}  // namespace
