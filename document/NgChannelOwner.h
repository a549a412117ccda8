// What a bound trend channel asks of the document that holds it: whether sheet cells without a
// value are padded, which name the axis records carry, where the batches in use are collected,
// and a chance to handle pending events during a long statistics walk. A channel without an
// owner pads, names by channel number and handles no events.
#pragma once
#include "platform/base/Guid.h"

namespace vt {

class NgChannelOwner {
 public:
  virtual ~NgChannelOwner() = default;
  virtual bool PadsSheetCells() const = 0;
  // NG_NAME_KIND of the names shown for channels.
  virtual int GetNameKind() const = 0;
  virtual void AddBatchInUse(const Guid& batch) = 0;
  // Called at most every 20 ms while the statistics walk a long span.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace vt
