// CVantrelFromToRange: the values behind the "Time axis From To" dialog. From and To are seconds
// since 1970 UTC; the dialog's pickers show and edit them as calendar fields in the display time
// zone. A date picker changes the year, month and day of its record, a time picker the hour,
// minute and second; the record is then turned back into UTC seconds. OK swaps a From later
// than To, so both orders of entry give the same range.
#pragma once
#include <cstdint>

#include "platform/base/TimeEngine.h"

namespace vt_ui {

class CVantrelFromToRange {
 public:
  CVantrelFromToRange(int64_t from, int64_t to);

  int64_t From() const { return from_; }
  int64_t To() const { return to_; }
  const vt::SystemTime& Fields(bool to) const { return to ? toFields_ : fromFields_; }
  void SetDate(bool to, int year, int month, int day);
  void SetTime(bool to, int hour, int minute, int second);
  // The dialog's OK.
  void Accept();

 private:
  void Store(bool to);

  int64_t from_, to_;
  vt::SystemTime fromFields_, toFields_;
};

// How the document runs the dialog: true on OK with range holding the result. The window side
// installs the dialog; without one the command does nothing.
class FromToPicker {
 public:
  virtual ~FromToPicker() = default;
  virtual bool Run(CVantrelFromToRange& range) = 0;
};
void SetFromToPicker(FromToPicker* picker);
FromToPicker* GetFromToPicker();

}  // namespace vt_ui
