// Field decoders of the older-format reader library: time records into seconds since 1970 and
// the trace colour table.
#include "recorder/RecorderCalendarTime.h"
#include "recorder/older/RecFileState.h"

int64_t RecFileRecordSeconds(const uint8_t* r) {
  if (r[5] >= 0x80) return -1;
  const int year = RecorderYear(int8_t(r[0]));
  return LocalCalendarToSeconds(year, int8_t(r[1]), int8_t(r[2]), int8_t(r[3]), int8_t(r[4]), r[5],
                                int8_t(r[7]));
}

uint32_t RecFileColour(unsigned index) {
  static const uint8_t kRgb[16][3] = {{255, 0, 0},     {0, 128, 0},     {0, 0, 255},     {138, 43, 226},
                                      {165, 42, 42},   {255, 165, 0},   {154, 205, 50},  {173, 216, 230},
                                      {238, 130, 238}, {128, 128, 128}, {0, 255, 0},     {0, 255, 255},
                                      {0, 0, 139},     {255, 255, 0},   {192, 192, 192}, {128, 0, 128}};
  if (index >= 16) return 0;
  return uint32_t(kRgb[index][0]) | (uint32_t(kRgb[index][1]) << 8) | (uint32_t(kRgb[index][2]) << 16);
}
