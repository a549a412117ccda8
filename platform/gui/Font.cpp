// Font resolution: face substitution, pixel-size search and metrics with a fixed cell height.
#include "platform/gui/Font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <utility>

#include "platform/base/Text.h"
#include "platform/gui/qt/QtFont.h"

namespace vt {

namespace {

constexpr int32_t kDefaultHeight = 16;
constexpr int32_t kMaxHeight = 4000;

bool FamilyInstalled(const QString& family) {
  static const QStringList families = QFontDatabase::families();
  return families.contains(family, Qt::CaseInsensitive);
}

// The largest pixel size whose real cell fits. The search loads a font engine for every size it
// tries, and its answer depends only on the font's description and the cell: it is kept for the
// next font made alike (every dialog makes its font anew). Fonts may be made on any thread.
int FittingPixelSize(const QFont& description, int32_t cell) {
  static std::mutex lock;
  static std::map<std::pair<QString, int32_t>, int> found;
  const std::pair<QString, int32_t> key(description.key(), cell);
  {
    const std::lock_guard<std::mutex> guard(lock);
    const auto it = found.find(key);
    if (it != found.end()) return it->second;
  }
  QFont q = description;
  int pixels = cell;
  for (; pixels > 1; --pixels) {
    q.setPixelSize(pixels);
    const QFontMetrics fm(q);
    if (fm.ascent() + fm.descent() <= cell) break;
  }
  const std::lock_guard<std::mutex> guard(lock);
  found.emplace(key, pixels);
  return pixels;
}

}  // namespace

Font::Font() : native_(std::make_unique<Native>()) {}

Font::Font(const Font& other)
    : log_(other.log_), metrics_(other.metrics_), native_(std::make_unique<Native>(*other.native_)) {}

Font& Font::operator=(const Font& other) {
  log_ = other.log_;
  metrics_ = other.metrics_;
  *native_ = *other.native_;
  return *this;
}

Font::~Font() = default;

QString ResolveFontFamily(std::string_view face) {
  static const QString liberation = QStringLiteral("Liberation Sans");
  if (face.empty() || EqualsNoCaseAscii(face, "Arial")) {
    return FamilyInstalled(liberation) ? liberation : QStringLiteral("Arial");
  }
  return QString::fromUtf8(face.data(), qsizetype(face.size()));
}

std::unique_ptr<Font> Font::Create(const LogFont& logFont) {
  int32_t cell = logFont.height == 0 ? kDefaultHeight : std::abs(logFont.height);
  if (cell > kMaxHeight) return nullptr;
  std::unique_ptr<Font> font(new Font);
  font->log_ = logFont;

  QFont q(ResolveFontFamily(logFont.FaceName()));
  q.setWeight(QFont::Weight(std::clamp(logFont.weight == 0 ? 400 : logFont.weight, 1, 1000)));
  q.setItalic(logFont.italic != 0);
  q.setUnderline(logFont.underline != 0);
  q.setStrikeOut(logFont.strikeOut != 0);
  q.setStyleStrategy(QFont::StyleStrategy(QFont::NoSubpixelAntialias | QFont::PreferMatch));
  q.setHintingPreference(QFont::PreferFullHinting);

  const int pixels = FittingPixelSize(q, cell);
  q.setPixelSize(pixels);
  const QFontMetrics fm(q);

  TextMetrics& m = font->metrics_;
  m.height = cell;
  m.descent = std::min<int32_t>(fm.descent(), cell);
  m.ascent = cell - m.descent;
  m.internalLeading = std::max<int32_t>(0, cell - pixels);
  m.externalLeading = 0;
  m.aveCharWidth = fm.averageCharWidth();
  m.maxCharWidth = fm.maxWidth();
  font->native_->font = q;
  font->native_->metrics = fm;
  return font;
}

}  // namespace vt
