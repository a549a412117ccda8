// Shared helpers of the trend tests: a progress overlay that records what it is told, and a
// display zone pinned to a TZ value.
#pragma once
#include <string>
#include <vector>

#include "recorder/SharedTimeZone.h"
#include "testing/ScopedEnvironment.h"
#include "trend/NgProgressSink.h"

namespace trend_test {

class RecordingProgress : public NgProgressSink {
 public:
  struct Percents {
    double channel, total;
  };
  std::vector<Percents> percents;
  std::vector<std::string> texts;
  std::vector<bool> visibility;
  int shows = 0;
  int paints = 0;
  void SetPercents(double c, double t) override { percents.push_back({c, t}); }
  void SetChannelText(const std::string& text) override { texts.push_back(text); }
  void SetVisible(bool v) override { visibility.push_back(v); }
  void ShowNow() override { ++shows; }
  void PaintNow() override { ++paints; }
};

// Sets TZ and shows times in that zone (the display zone follows the computer's) for the
// life of the object; the zone in use afterwards is whatever the next test pins.
class ScopedDisplayZone {
 public:
  explicit ScopedDisplayZone(const char* tz) : tz_(tz) {
    SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
  }

 private:
  vt_test::ScopedTimeZone tz_;
};

}  // namespace trend_test
