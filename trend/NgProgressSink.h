// What the data buffers and the plot area need of the panel's load-progress overlay: two
// percents, the channel line, visibility, and painting at once onto the window. The overlay
// gadget itself belongs to the trend panel; until it exists, a manager without one fills
// without reporting.
#pragma once
#include <string>

class NgProgressSink {
 public:
  virtual ~NgProgressSink() = default;
  virtual void SetPercents(double channelPercent, double totalPercent) = 0;
  virtual void SetChannelText(const std::string& text) = 0;
  virtual void SetVisible(bool visible) = 0;
  // The first painting of a show (captures what lies under the overlay).
  virtual void ShowNow() = 0;
  virtual void PaintNow() = 0;
};
