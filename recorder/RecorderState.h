// The recorder state of a raw sample: the recorders write reserved values in place of a
// measurement (over range either way, skipped, illegal, lacking, invalid, burn-out, and in the
// newer format one more code). Both file formats read them through this one table.
#pragma once
#include <cstdint>

enum class RecorderFormat { Older, Newer };

// The state code of a raw value of valueSize bytes (2: the low 16 bits count, 4: all 32 bits),
// else 0 for a measured value. Code 14 exists in the newer format only.
int RecorderStateOfRaw(int32_t raw, int valueSize, RecorderFormat format);
