// The exchange record of a mark and its note: what the graph window and the trend panel pass
// for each mark (one record after the other in arrays). In memory only; the byte form that
// saved and copied records carry is written field by field next to the other exchange records.
#pragma once
#include <cstdint>

#include "recorder/PreciseTime.h"

// The flag shapes of a mark; any other value is laid out and drawn as nothing.
enum NG_MARK_SHAPE : int32_t {
  MARK_FLAG_LEFT = 1,
  MARK_FLAG_RIGHT = 2,
  MARK_FLAG_CENTRE = 3,
  MARK_PENNANT = 4
};

struct SNgMarkNote {
  int16_t kind = 0;        // state: 0 collapsed, 1 expanded
  int32_t position = 0;    // horizontal position in pixels from the mark line
  double value = 0;        // vertical position, a fraction of the plot height
  char title[64] = {};     // NUL-terminated
  char comment[256] = {};  // NUL-terminated
};

struct SNgMarkData {
  int32_t id = 0;
  int32_t markKind = 0;    // NG_MARK_SHAPE
  uint64_t groupMask = 0;  // low word in bits 0-31; carried through, never interpreted
  PreciseTime time;
  char label[16] = {};  // NUL-terminated
  uint32_t colour = 0;
  int32_t noteCount = 0;  // 0 or 1
  SNgMarkNote note;       // these records carry exactly one note
};
