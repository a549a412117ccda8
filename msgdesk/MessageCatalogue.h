// The message catalogue: every message number with its severity and text, and the severity
// table that gives each severity its caption, letter and icon.
#pragma once
#include <cstdint>

#include "msgdesk/Msgdesk.h"

namespace msgdesk {

struct MessageRow {
  int key;
  MESSAGE_SEVERITY severity;
  const char* text;
};

struct SeverityRow {
  const char* caption;
  const char* letter;
  uint32_t iconFlags;
};

// The first row with the key in table order, or null.
const MessageRow* FindMessage(int key);
// The row of a severity 0..2, or null for any other value.
const SeverityRow* FindSeverity(int severity);

}  // namespace msgdesk
