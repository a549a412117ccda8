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

int RecorderStateOfRaw(int32_t raw, int valueSize, RecorderFormat format) {
  // Every reserved value lies in 0x7F7F..0x8006 (16-bit) or 0x7F7F7F7F..0x80058005 (32-bit):
  // measured values, nearly all of them, leave at once.
  if (valueSize == 2 ? (uint16_t(raw) < 0x7F7F || uint16_t(raw) > 0x8006)
                     : (uint32_t(raw) < 0x7F7F7F7Fu || uint32_t(raw) > 0x80058005u))
    return 0;
  for (const ReservedValue& r : kReserved) {
    if (r.newerOnly && format != RecorderFormat::Newer) continue;
    if (valueSize == 2 ? uint16_t(raw) == r.raw16 : (r.raw32 != 0 && uint32_t(raw) == r.raw32))
      return r.state;
  }
  return 0;
}
