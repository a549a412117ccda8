// RecorderStatus: see RecorderStatus.h.
#include "recorder/RecorderStatus.h"

int RecorderStateToSampleStatus(int recorderState) {
  switch (recorderState) {
    case 0:
      return 0;
    case 1:
    case 2:
    case 4:
    case 5:
      return recorderState;
    case 6:
      return 6;
    case 7:
      return 7;
    case 8:
    case 9:
      return 12;
    case 10:
      return 8;
    case 11:
      return 9;
    case 12:
      return 10;
    case 13:
      return 11;
    default:
      return 3;
  }
}

const char* SampleStatusText(int status) {
  switch (status) {
    case 6:
      return "+OVER";
    case 7:
      return "-OVER";
    case 8:
      return "SKIP";
    case 9:
      return "ILLEGAL";
    case 10:
      return "LACK";
    case 11:
      return "INVALID";
    case 12:
      return "BURNOUT";
    default:
      return nullptr;
  }
}

int GetDifferenceStatus(int minuendStatus, int subtrahendStatus) {
  auto reduce = [](int s) { return (s == 0 || s == 6 || s == 7) ? s : -1; };
  const int a = reduce(minuendStatus);
  const int b = reduce(subtrahendStatus);
  if (a == -1 || b == -1) return 11;
  if (a == 0) return b == 0 ? 0 : (b == 6 ? 7 : 6);
  if (a == 6) return b == 6 ? 11 : 6;
  return b == 7 ? 11 : 7;  // a == 7
}

bool IsGuidLess(const vt::Guid& a, const vt::Guid& b) {
  if (a.data1 != b.data1) return a.data1 < b.data1;
  if (a.data2 != b.data2) return a.data2 < b.data2;
  if (a.data3 != b.data3) return a.data3 < b.data3;
  return a.data4 < b.data4;
}
