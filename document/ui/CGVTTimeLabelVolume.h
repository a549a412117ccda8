// CGVTTimeLabelVolume: one point in time shown as a date line over a time line with
// milliseconds, in the display time zone, with a step-down and a step-up button beside it. The
// tool windows use it: the cursor-control window steps the cursors with its buttons (each press,
// and each 100 ms repeat while held, moves the time by the button's step and fires event 1), the
// statistics window shows its section times in two that are not enabled and so have no buttons.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GDigitalVolume.h"
#include "recorder/TickTime.h"

GADGET_DECLARE_RECORD(CGVTTimeLabelVolume)
GADGET_DECLARE_RECORD(CGVTVolumeDownButton)
GADGET_DECLARE_RECORD(CGVTVolumeUpButton)

// A step button of the time box; the step is in milliseconds, 0 until the owner sets one (a
// press then changes nothing).
class CGVTVolumeDownButton : public CGSkVolumeDownButton {
 public:
  using CGSkVolumeDownButton::CGSkVolumeDownButton;
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  int64_t m_step = 0;
};

class CGVTVolumeUpButton : public CGSkVolumeUpButton {
 public:
  using CGSkVolumeUpButton::CGSkVolumeUpButton;
  const SGClassInfo* GetClassInfo() const override;
  void OnClick() override;
  int64_t m_step = 0;
};

class CGVTTimeLabelVolume : public CGSkDigitalVolume64 {
 public:
  // Without the visible and enabled style the box has no step buttons and only shows.
  CGVTTimeLabelVolume(CGCore* parent, int left, int top, int width, int height, int id, int style);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void SetText(const std::string& text) override { m_text = text; }
  void GetText(std::string* out) override { *out = m_text; }
  using CGSkDigitalVolume64::SetRange;
  // Kept for the owner; stepping does not consult it.
  void SetRange(int64_t low, int64_t high) override { m_lowerTime = low, m_upperTime = high; }

  // Stores the time and shows it as "yyyy/mm/dd\nhh:mm:ss.fff" in the display time zone; a time
  // that cannot be broken into calendar fields leaves the text as it was.
  void SetTime(TickTime time);
  TickTime GetTime() const { return m_time; }
  // The step of both buttons in milliseconds; nothing without buttons.
  void SetStep(int64_t ms);
  int64_t GetStep() const;
  // Moves the time by delta ms; when it changed, redraws at once and fires event 1.
  void StepBy(int64_t deltaMs);
  CGVTVolumeDownButton* TimeDownButton() const;
  CGVTVolumeUpButton* TimeUpButton() const;

  std::string m_text;
  TickTime m_time;
  int64_t m_lowerTime = 0, m_upperTime = 0;

 private:
  // The first 10 characters (the date) above the centre line, the last 12 (the time) below it.
  void DrawLines(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, CGFont* font);
};

// The time box's text of a time, or "" when it cannot be broken into calendar fields.
std::string FormatTimeBoxText(TickTime time);
