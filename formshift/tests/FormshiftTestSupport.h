// Test support for Formshift: a fresh folder per test that is also the workbook writer's temp
// folder, the converted-file log as a list, a display zone with daylight saving held the way
// the program holds it, and the output of a shell command (workbook reader, nm).
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "formshift/CFileConverter.h"
#include "recorder/SharedTimeZone.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace formshift::test {

// The program's display zone for a test: the computer's zone pinned to central European time
// (UTC+1, daylight saving UTC+2 from the last Sunday of March to the last Sunday of October)
// and written into the shared record by a holder like the program's.
class CentralEuropeanDisplayZone {
 public:
  CentralEuropeanDisplayZone() : zone_("CET-1CEST,M3.5.0,M10.5.0/3") {
    holder_.SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  SharedTimeZone& Holder() { return holder_; }

 private:
  vt_test::ScopedTimeZone zone_;
  SharedTimeZone holder_;
};

// Times of 2010 in UTC, with their wall-clock time in central European time.
constexpr int32_t kMay10At0900Utc = 1273482000;       // 11:00:00 daylight time
constexpr int32_t kJan10At0900Utc = 1263114000;       // 10:00:00 standard time
constexpr int32_t kBeforeSpringForward = 1269737999;  // 2010-03-28 01:59:59
constexpr int32_t kAtSpringForward = 1269738000;      // 2010-03-28 03:00:00
constexpr int32_t kBeforeFallBack = 1288486799;       // 2010-10-31 02:59:59 daylight time
constexpr int32_t kAtFallBack = 1288486800;           // 2010-10-31 02:00:00 standard time

class ConverterTest : public testing::Test {
 protected:
  ConverterTest() : temp_("TMPDIR", folder_ / "temp") { vt::CreateFolder(folder_ / "temp"); }
  std::string Path(const std::string& name) const { return folder_ / name; }

  vt_test::TempFolder folder_;
  vt_test::ScopedEnv temp_;
};

std::vector<std::string> Log(CFileConverter& converter);
// The names in a folder, sorted.
std::vector<std::string> Entries(const std::string& folder);

// stdout of a shell command, or nullopt when it exits with a status other than 0.
std::optional<std::string> CommandOutput(const std::string& command);

// What the independent workbook reader sees, one fact a line ("cell 0 1 2 date 2010-5-10 11:0:0
// \"yyyy\\/m\\/d;@\"", ...); nullopt when the reader is not installed.
std::optional<std::vector<std::string>> ReadWorkbook(const std::string& path);

}  // namespace formshift::test
