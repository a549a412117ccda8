// A font made from a LogFont: the metrics layout code relies on, and the Qt font that draws it
// (held out of sight; vtgui reaches it through platform/gui/qt/QtFont.h).
//
// Layouts are computed from tmHeight, so the reported cell height is exactly |lfHeight| (16 when
// it is 0) whichever real font stands behind it. The Qt font gets the largest pixel size whose
// ascent + descent fits into that height; the spare pixels are internal leading above the
// glyphs. "Arial" (and an empty face) resolves to Liberation Sans, which has Arial's advances.
#pragma once
#include <memory>

#include "platform/gui/Geometry.h"
#include "platform/gui/LogFont.h"

namespace vt {

class Font {
 public:
  // Null when no font at all can be made (a height above 4000 pixels is refused).
  static std::unique_ptr<Font> Create(const LogFont& logFont);
  ~Font();
  Font(const Font& other);
  Font& operator=(const Font& other);

  const LogFont& Log() const { return log_; }
  const TextMetrics& Metrics() const { return metrics_; }
  int32_t Escapement() const { return log_.escapement; }

  // The Qt font and its metrics; complete only in platform/gui/qt/QtFont.h.
  struct Native;
  const Native& NativeFont() const { return *native_; }

 private:
  Font();
  LogFont log_;
  TextMetrics metrics_;
  std::unique_ptr<Native> native_;
};

}  // namespace vt
