// A font made from a LogFont: the Qt font that draws it and the metrics layout code relies on.
//
// Layouts are computed from tmHeight, so the reported cell height is exactly |lfHeight| (16 when
// it is 0) whichever real font stands behind it. The Qt font gets the largest pixel size whose
// ascent + descent fits into that height; the spare pixels are internal leading above the
// glyphs. "Arial" (and an empty face) resolves to Liberation Sans, which has Arial's advances.
#pragma once
#include <QFont>
#include <QFontMetrics>
#include <memory>

#include "platform/gui/Geometry.h"
#include "platform/gui/LogFont.h"

namespace vt {

class Font {
 public:
  // Null when no font at all can be made (a height above 4000 pixels is refused).
  static std::unique_ptr<Font> Create(const LogFont& logFont);

  const LogFont& Log() const { return log_; }
  const TextMetrics& Metrics() const { return metrics_; }
  int32_t Escapement() const { return log_.escapement; }
  const QFont& QtFont() const { return qfont_; }
  // Qt's metrics of the font, made once (measuring asks them for every text).
  const QFontMetrics& QtMetrics() const { return qmetrics_; }

  // The family a face name resolves to ("Arial" -> "Liberation Sans" when installed).
  static QString ResolveFamily(std::string_view face);

 private:
  Font() : qmetrics_(qfont_) {}
  LogFont log_;
  TextMetrics metrics_;
  QFont qfont_;
  QFontMetrics qmetrics_;
};

}  // namespace vt
