// CVTColumns: see CVTColumns.h.
#include "recorder/CVTColumns.h"

#include <cassert>

void vt::CVTColumns::Reset(int kind, int channels, int count) {
  assert(channels >= 0 && count >= 0);
  kind_ = kind;
  count_ = count;
  channels_ = channels;
  if (columns_.size() < std::size_t(channels)) columns_.resize(std::size_t(channels));
  for (int k = 0; k < channels; ++k) {
    Column& c = columns_[std::size_t(k)];
    c.channelIndex = -1;
    c.valueType = VALUE_TYPE_NONE;
    c.hasSamples = false;
  }
  first_ = TickTime();
  intervalMs_ = 0;
}
