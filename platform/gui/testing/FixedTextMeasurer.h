// A text measurer for tests: every character (UTF-8 sequence) advances by the same width.
#pragma once
#include "platform/gui/TextMeasurer.h"

namespace vt {

class FixedTextMeasurer final : public TextMeasurer {
 public:
  explicit FixedTextMeasurer(int32_t advance) : advance_(advance) {}
  int32_t TextWidth(const Font& font, std::string_view utf8) const override;
  int32_t Advance() const { return advance_; }

 private:
  int32_t advance_;
};

}  // namespace vt
