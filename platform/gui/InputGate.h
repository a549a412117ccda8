// InputGate: input given while the user-interface thread was busy for long (a trend refill that
// read data files) is stale by the time it is handled: clicks and key repeats would act on a
// picture the user never saw. Closing the gate drops every queued key, mouse and wheel event
// stamped up to now, except the first button release, which ends a drag that began before.
// Events stamped later pass. User-interface thread only.
#pragma once
#include <cstdint>

namespace vt {

class InputGate {
 public:
  // Starts watching input stamps (the first call to any of these does it too; call it early so
  // that the gate knows the clock before it is first closed).
  static void Install();
  // Drops what is queued up to the window system's time of now: the last input event's stamp
  // plus the time since it arrived.
  static void DropQueuedInput();
  // Drops queued input stamped at or before stamp (milliseconds of the window system's clock).
  static void DropInputStampedUpTo(uint64_t stamp);
  // The window system's time of now as the gate estimates it.
  static uint64_t Now();
};

}  // namespace vt
