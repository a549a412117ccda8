// The from-to range: seconds broken down in the display zone, picker changes turned back into
// UTC seconds, and OK giving the same range for both orders of entry.
#include <gtest/gtest.h>

#include <optional>

#include "document/ui/FromToRange.h"
#undef slots
#include <QDialogButtonBox>
#include <QPushButton>

#include "document/ui/qt/CVantrelFromToDialog.h"
#include "recorder/SharedTimeZone.h"
#include "testing/ScopedEnvironment.h"

namespace {

class FromToRangeTest : public ::testing::Test {
 protected:
  // Nine hours east of UTC, without daylight saving; the display zone follows the computer's.
  void SetUp() override {
    zone_.emplace("Asia/Tokyo");
    SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  // The display zone is process-wide: the tests after these see the machine's zone again.
  void TearDown() override {
    zone_.reset();
    SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  std::optional<vt_test::ScopedTimeZone> zone_;
};

// 2023-11-14 22:13:20 UTC, 2023-11-15 07:13:20 in the display zone.
constexpr int64_t kT = 1700000000;

TEST_F(FromToRangeTest, FieldsAreTheDisplayZoneBreakdown) {
  vt_ui::CVantrelFromToRange r(kT, kT + 3600);
  const vt::SystemTime& from = r.Fields(false);
  EXPECT_EQ(from.wYear, 2023);
  EXPECT_EQ(from.wMonth, 11);
  EXPECT_EQ(from.wDay, 15);
  EXPECT_EQ(from.wHour, 7);
  EXPECT_EQ(from.wMinute, 13);
  EXPECT_EQ(from.wSecond, 20);
  EXPECT_EQ(from.wMilliseconds, 0);
  EXPECT_EQ(r.Fields(true).wHour, 8);
}

TEST_F(FromToRangeTest, PickerChangesBecomeUtcSeconds) {
  vt_ui::CVantrelFromToRange r(kT, kT + 3600);
  r.SetDate(false, 2023, 11, 16);  // one day later, same clock time
  EXPECT_EQ(r.From(), kT + 86400);
  r.SetTime(true, 0, 0, 0);  // 2023-11-15 00:00:00 in the zone: 2023-11-14 15:00 UTC
  EXPECT_EQ(r.To(), kT - (7 * 3600 + 13 * 60 + 20));
  r.SetDate(true, 2023, 2, 30);  // no such day: nothing changes
  EXPECT_EQ(r.To(), kT - (7 * 3600 + 13 * 60 + 20));
}

TEST_F(FromToRangeTest, BothOrdersOfEntryGiveOneRange) {
  vt_ui::CVantrelFromToRange forward(kT, kT), backward(kT, kT);
  forward.SetTime(true, 9, 0, 0);
  backward.SetTime(false, 9, 0, 0);
  forward.Accept();
  backward.Accept();
  EXPECT_EQ(forward.From(), backward.From());
  EXPECT_EQ(forward.To(), backward.To());
  EXPECT_LT(forward.From(), forward.To());
  EXPECT_EQ(backward.Fields(false).wHour, 7);
}

// The dialog: pickers start at the range, are limited to 1990 .. 2030, write every change into
// the range, and OK puts a To before From in order.
TEST_F(FromToRangeTest, DialogEditsTheRange) {
  vt_ui::CVantrelFromToRange r(kT, kT + 3600);
  vt_ui::CVantrelFromToDialog dialog(r);
  EXPECT_EQ(dialog.windowTitle(), "Trend display section specification");
  EXPECT_EQ(dialog.DatePicker(false)->date(), QDate(2023, 11, 15));
  EXPECT_EQ(dialog.TimePicker(true)->time(), QTime(8, 13, 20));
  EXPECT_EQ(dialog.DatePicker(true)->minimumDate(), QDate(1990, 1, 1));
  EXPECT_EQ(dialog.DatePicker(true)->maximumDate(), QDate(2030, 12, 31));

  dialog.DatePicker(false)->setDate(QDate(2023, 11, 16));  // From a day later, after To
  EXPECT_EQ(r.From(), kT + 86400);
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(r.From(), kT + 3600);
  EXPECT_EQ(r.To(), kT + 86400);
}

}  // namespace
