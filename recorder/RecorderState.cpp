// RecorderState: see RecorderState.h.
#include "recorder/RecorderState.h"

namespace {

struct ReservedValue {
  uint16_t raw16;
  uint32_t raw32;  // 0: no 32-bit counterpart
  int state;
  bool newerOnly;
};

constexpr ReservedValue kReserved[] = {
    {0x7FFF, 0x7FFF7FFFu, 6, false},
    {0x8001, 0x80018001u, 7, false},
    {0x7FFA, 0, 8, false},
    {0x8006, 0, 9, false},
    {0x8002, 0x80028002u, 10, false},
    {0x8003, 0x80038003u, 11, false},
    {0x8004, 0x80048004u, 12, false},
    {0x8005, 0x80058005u, 13, false},
    {0x7F7F, 0x7F7F7F7Fu, 14, true},
};

}  // namespace

int RecorderStateOfReservedRaw(int32_t raw, int valueSize, RecorderFormat format) {
  for (const ReservedValue& r : kReserved) {
    if (r.newerOnly && format != RecorderFormat::Newer) continue;
    if (valueSize == 2 ? uint16_t(raw) == r.raw16 : (r.raw32 != 0 && uint32_t(raw) == r.raw32))
      return r.state;
  }
  return 0;
}
