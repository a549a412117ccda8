// Shared helpers of the trend tests: a progress overlay that records what it is told.
#pragma once
#include <string>
#include <vector>

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

}  // namespace trend_test
