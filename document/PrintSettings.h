// The print settings of a graph document (336 bytes in saved graphs, stored as they are) and the
// display settings block (40 bytes) that saved graphs carry beside it. Both are written and read
// field by field, little-endian; the reserved bytes are written as zero and not kept.
#pragma once
#include <array>
#include <cstdint>
#include <string>

inline constexpr int PRINT_GROUP_BYTES = 50;
inline constexpr std::size_t kPrintSettingsBytes = 336;
inline constexpr std::size_t kGraphSettingsBytes = 40;

namespace vt {

struct SPrintSettings {
  int16_t range = 0;      // 0 all data, 1 the cursor range
  int16_t colour = 0;     // 0 colour
  int16_t pageSpan = 1;   // 0 all data, 1, 8, 12 or 24 hours a page, 5 the hours below
  int16_t thickness = 1;  // 0.25, 0.5, 1.0, 1.5 or 3.0 pt
  std::array<uint8_t, PRINT_GROUP_BYTES> printedGroups{};  // 1 = printed
  std::string comment;                                     // at most 255 bytes are kept
  int32_t hoursPerPage = 1;                                // 1..1000, for page span 5

  std::array<uint8_t, kPrintSettingsBytes> ToBytes() const;
  static SPrintSettings FromBytes(const uint8_t* bytes);
};

// The display state saved with a graph.
struct SGraphSettings {
  uint32_t backColour = 0x02FFFFFF;
  uint32_t gridColour = 0x025E5E5E;
  uint8_t legendShown = 1;
  uint8_t axisClip = 0;
  int16_t axisGrouping = 0;  // 0 none, 1 unit, 2 unit and scale
  int32_t legendMode = 1;
  int64_t timeScale = 10000;  // ms per division
  int32_t axisLayout = 4;
  int32_t traceThickness = 1;
  uint8_t sheetPadding = 1;
  uint8_t cursorValuesShown = 1;
  int32_t cursorTransparency = 70;

  std::array<uint8_t, kGraphSettingsBytes> ToBytes() const;
  static SGraphSettings FromBytes(const uint8_t* bytes);
};

}  // namespace vt
