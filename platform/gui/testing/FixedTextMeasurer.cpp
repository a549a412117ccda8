// Fixed-advance measuring: the width is the character count times the advance.
#include "platform/gui/testing/FixedTextMeasurer.h"

#include "platform/base/Text.h"

namespace vt {

int32_t FixedTextMeasurer::TextWidth(const Font&, std::string_view utf8) const {
  int32_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); i = Utf8Next(utf8, i)) ++count;
  return count * advance_;
}

}  // namespace vt
