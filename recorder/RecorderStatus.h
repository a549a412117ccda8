// Small shared pieces that travel with the readers' data: the mapping of recorder value states
// to the sample status the display and export show, the status of a difference of two samples,
// and the order of recording GUIDs (the comparator of every map keyed by a GUID).
#pragma once
#include "platform/base/Guid.h"

// Sample status of a recorder state code (0 value, 6 +OVER, 7 -OVER, 8 SKIP, 9 ILLEGAL,
// 10 LACK, 11 INVALID, 12 BURNOUT, 3 no data).
int RecorderStateToSampleStatus(int recorderState);

// The text a sample of a special status shows in place of its value ("+OVER" to "BURNOUT" for
// 6 to 12); null for the other statuses, whose texts differ between the places that show them.
const char* SampleStatusText(int status);

// Status of minuend - subtrahend from the two samples' statuses.
int GetDifferenceStatus(int minuendStatus, int subtrahendStatus);

// True when a orders before b: Data1 unsigned, then Data2 and Data3, then Data4 byte by byte.
// The order equals that of the upper-case text form.
bool IsGuidLess(const vt::Guid& a, const vt::Guid& b);

struct GuidLess {
  bool operator()(const vt::Guid& a, const vt::Guid& b) const { return IsGuidLess(a, b); }
};
