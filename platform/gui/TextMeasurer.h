// How wide a text is in a font: the one place where real glyph advances enter layout.
//
// Everything that places or fits text asks the current measurer, so tests can install one with
// fixed advances and check placement arithmetic without depending on the installed fonts. The
// measurer is process-wide and used on the user-interface thread only.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

namespace vt {

class Font;

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Advance width in pixels of the UTF-8 text drawn in font on one line.
  virtual int32_t TextWidth(const Font& font, std::string_view utf8) const = 0;
};

// The measurer in use (the one over Qt's font metrics unless a test installed another).
const TextMeasurer& CurrentTextMeasurer();
// Installs a measurer; null restores the default. Returns the one it replaced (null for the default).
std::shared_ptr<const TextMeasurer> InstallTextMeasurer(std::shared_ptr<const TextMeasurer> measurer);

// Installs a measurer for the life of the object, then puts the previous one back.
class ScopedTextMeasurer {
 public:
  explicit ScopedTextMeasurer(std::shared_ptr<const TextMeasurer> measurer)
      : previous_(InstallTextMeasurer(std::move(measurer))) {}
  ~ScopedTextMeasurer() { InstallTextMeasurer(std::move(previous_)); }
  ScopedTextMeasurer(const ScopedTextMeasurer&) = delete;
  ScopedTextMeasurer& operator=(const ScopedTextMeasurer&) = delete;

 private:
  std::shared_ptr<const TextMeasurer> previous_;
};

}  // namespace vt
