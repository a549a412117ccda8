// Texts of the sample states.
#include "trend/NgChannel.h"

const char* NgStateText(int state) {
  switch (state) {
    case NGS_VALUE:
    case NGS_NO_DATA:
      return "";
    case NGS_PLUS_OVER:
      return "+OVER";
    case NGS_MINUS_OVER:
      return "-OVER";
    case NGS_SKIP:
      return "SKIP";
    case NGS_ILLEGAL:
      return "ILLEGAL";
    case NGS_LACK:
      return "LACK";
    case NGS_INVALID:
      return "INVALID";
    case NGS_BURNOUT:
      return "BURNOUT";
    default:
      return "- OFF -";
  }
}
