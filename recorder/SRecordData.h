// Sample records: one measured sample of one channel as the readers deliver it and the record
// buffer (CVTData) keeps it. Event records carry one value per time, display records the minimum
// and the maximum the recorder kept for one display interval. Values are raw, never scaled.
#pragma once
#include <cstdint>

#include "recorder/TickTime.h"

// The kind of a recorder file, of a record buffer and of a batch.
enum DATA_KIND : int {
  DATA_KIND_NONE = -1,  // no buffer allocated, or the file's kind is unknown
  DATA_KIND_EVENT = 0,
  DATA_KIND_DISPLAY = 1,
};

// The value width of a record; the readers allocate with a channel's data type code, whose
// other codes (1, 7, 8) give a buffer without records.
enum RECORD_VALUE_TYPE : int {
  VALUE_TYPE_NONE = 0,
  VALUE_TYPE_SHORT = 3,  // signed 16-bit
  VALUE_TYPE_INT = 5,    // signed 32-bit
};

// Recorder state code of a value that carries no data (written by CVTData::AddNoData).
constexpr int RECORDER_STATE_NO_DATA = 3;

struct SRecordData {
  virtual ~SRecordData() = default;
  virtual int GetKind() const = 0;
  virtual int GetValueType() const = 0;
};

struct SEventShortData : SRecordData {
  TickTime time;
  int32_t state = 0;
  uint8_t flags = 0;  // alarm-level bits; consumers use the low four
  int16_t value = 0;
  int GetKind() const override { return DATA_KIND_EVENT; }
  int GetValueType() const override { return VALUE_TYPE_SHORT; }
};

struct SEventIntData : SRecordData {
  TickTime time;
  int32_t state = 0;
  uint8_t flags = 0;
  int32_t value = 0;
  int GetKind() const override { return DATA_KIND_EVENT; }
  int GetValueType() const override { return VALUE_TYPE_INT; }
};

struct SDispShortData : SRecordData {
  TickTime time;
  int32_t minState = 0;
  uint8_t minFlags = 0;
  int16_t minValue = 0;
  int32_t maxState = 0;
  uint8_t maxFlags = 0;
  int16_t maxValue = 0;
  int GetKind() const override { return DATA_KIND_DISPLAY; }
  int GetValueType() const override { return VALUE_TYPE_SHORT; }
};

struct SDispIntData : SRecordData {
  TickTime time;
  int32_t minState = 0;
  uint8_t minFlags = 0;
  int32_t minValue = 0;
  int32_t maxState = 0;
  uint8_t maxFlags = 0;
  int32_t maxValue = 0;
  int GetKind() const override { return DATA_KIND_DISPLAY; }
  int GetValueType() const override { return VALUE_TYPE_INT; }
};
