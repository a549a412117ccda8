// The description of a font as callers ask for it, and the metrics a device context reports.
//
// The record keeps the 60-byte layout of the old logical-font record (callers copy it whole and
// store it); faceName holds a NUL-terminated name of at most 31 bytes. height > 0 is the cell
// height in pixels; height < 0 is taken as the same size (see Font). escapement is in tenths of
// a degree, counter-clockwise (900 reads bottom to top).
#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vt {

struct LogFont {
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;  // 400 normal, 700 bold
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 0;
  uint8_t outPrecision = 0;
  uint8_t clipPrecision = 0;
  uint8_t quality = 0;
  uint8_t pitchAndFamily = 0;
  char faceName[32] = {};

  void SetFaceName(std::string_view face) {
    std::memset(faceName, 0, sizeof faceName);
    std::memcpy(faceName, face.data(), face.size() < sizeof faceName ? face.size() : sizeof faceName - 1);
  }
  std::string_view FaceName() const { return std::string_view(faceName, strnlen(faceName, sizeof faceName)); }
};
static_assert(sizeof(LogFont) == 60, "the logical-font record is copied whole as 60 bytes");

struct TextMetrics {
  int32_t height = 0;  // ascent + descent, always |lfHeight|
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t internalLeading = 0;
  int32_t externalLeading = 0;
  int32_t aveCharWidth = 0;
  int32_t maxCharWidth = 0;
};

inline LogFont MakeLogFont(std::string_view face, int32_t height, int32_t weight = 400, bool italic = false,
                           bool underline = false, int32_t escapement = 0) {
  LogFont lf;
  lf.height = height;
  lf.weight = weight;
  lf.italic = italic ? 1 : 0;
  lf.underline = underline ? 1 : 0;
  lf.escapement = escapement;
  lf.orientation = escapement;
  lf.SetFaceName(face);
  return lf;
}

}  // namespace vt
