// The Qt side of a Font: the QFont that draws it and Qt's metrics of it, made once (measuring
// asks them for every text). For vtgui's own sources, Qt window code and tests.
#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string_view>

#include "platform/gui/Font.h"

namespace vt {

struct Font::Native {
  QFont font;
  QFontMetrics metrics{font};
};

inline const QFont& QtFontOf(const Font& font) { return font.NativeFont().font; }
inline const QFontMetrics& QtMetricsOf(const Font& font) { return font.NativeFont().metrics; }

// The family a face name resolves to ("Arial" -> "Liberation Sans" when installed).
QString ResolveFontFamily(std::string_view face);

}  // namespace vt
