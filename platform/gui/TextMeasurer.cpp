// The default measurer over QFontMetrics, and the process-wide slot that tests replace.
#include "platform/gui/TextMeasurer.h"
#include "platform/gui/qt/QtFont.h"

#include "platform/gui/Font.h"

namespace vt {

namespace {

class QtTextMeasurer final : public TextMeasurer {
 public:
  int32_t TextWidth(const Font& font, std::string_view utf8) const override {
    if (utf8.empty()) return 0;
    return QtMetricsOf(font).horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
  }
};

std::shared_ptr<const TextMeasurer>& Installed() {
  static std::shared_ptr<const TextMeasurer> installed;
  return installed;
}

}  // namespace

const TextMeasurer& CurrentTextMeasurer() {
  static const QtTextMeasurer qtMeasurer;
  const auto& installed = Installed();
  return installed ? *installed : static_cast<const TextMeasurer&>(qtMeasurer);
}

std::shared_ptr<const TextMeasurer> InstallTextMeasurer(std::shared_ptr<const TextMeasurer> measurer) {
  auto previous = std::move(Installed());
  Installed() = std::move(measurer);
  return previous;
}

}  // namespace vt
