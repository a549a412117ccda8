// CVTData: see CVTData.h. The four arrays are mutually exclusive; which one exists follows from
// the kind and value type recorded by Allocate.
#include "recorder/CVTData.h"

#include <cassert>
#include <limits>
#include <new>

CVTData::~CVTData() { Free(); }

namespace {

template <class T>
bool MakeArray(std::unique_ptr<T[]>& array, int capacity) {
  // Byte sizes beyond 32 bits are refused like an allocation failure.
  if (uint64_t(capacity) * sizeof(T) > std::numeric_limits<uint32_t>::max()) return false;
  array.reset(new (std::nothrow) T[size_t(capacity)]);
  return array != nullptr;
}

}  // namespace

int CVTData::Allocate(int kind, int valueType, int capacity) {
  if (m_capacity > 0) return STORE_DATA_ALLOCATED;
  if (capacity <= 0) return STORE_FAILED;
  m_kind = kind;
  m_valueType = valueType;
  m_capacity = capacity;
  m_count = 0;
  if (kind != DATA_KIND_EVENT && kind != DATA_KIND_DISPLAY) {
    m_capacity = 0;
    return STORE_FAILED;
  }
  bool made = true;
  if (kind == DATA_KIND_EVENT && valueType == VALUE_TYPE_SHORT) made = MakeArray(m_eventShort, capacity);
  if (kind == DATA_KIND_EVENT && valueType == VALUE_TYPE_INT) made = MakeArray(m_eventInt, capacity);
  if (kind == DATA_KIND_DISPLAY && valueType == VALUE_TYPE_SHORT) made = MakeArray(m_dispShort, capacity);
  if (kind == DATA_KIND_DISPLAY && valueType == VALUE_TYPE_INT) made = MakeArray(m_dispInt, capacity);
  if (!made) {
    m_capacity = 0;
    return STORE_NO_CONNECTION;
  }
  return STORE_OK;
}

void CVTData::Free() {
  m_eventShort.reset();
  m_eventInt.reset();
  m_dispShort.reset();
  m_dispInt.reset();
  m_capacity = 0;
  m_count = 0;
  m_valueType = VALUE_TYPE_NONE;
  m_kind = DATA_KIND_NONE;
}

int CVTData::AddEventShort(TickTime time, int state, uint8_t flags, int16_t value) {
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_eventShort);
  SEventShortData& r = m_eventShort[m_count++];
  r.time = time;
  r.state = state;
  r.flags = flags;
  r.value = value;
  return STORE_OK;
}

int CVTData::AddEventInt(TickTime time, int state, uint8_t flags, int32_t value) {
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_eventInt);
  SEventIntData& r = m_eventInt[m_count++];
  r.time = time;
  r.state = state;
  r.flags = flags;
  r.value = value;
  return STORE_OK;
}

int CVTData::AddDisplayShort(TickTime time, int16_t minValue, int minState, uint8_t minFlags,
                             int16_t maxValue, int maxState, uint8_t maxFlags) {
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_dispShort);
  SDispShortData& r = m_dispShort[m_count++];
  r.time = time;
  r.minValue = minValue;
  r.minState = minState;
  r.minFlags = minFlags;
  r.maxValue = maxValue;
  r.maxState = maxState;
  r.maxFlags = maxFlags;
  return STORE_OK;
}

int CVTData::AddDisplayInt(TickTime time, int32_t minValue, int minState, uint8_t minFlags,
                           int32_t maxValue, int maxState, uint8_t maxFlags) {
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_dispInt);
  SDispIntData& r = m_dispInt[m_count++];
  r.time = time;
  r.minValue = minValue;
  r.minState = minState;
  r.minFlags = minFlags;
  r.maxValue = maxValue;
  r.maxState = maxState;
  r.maxFlags = maxFlags;
  return STORE_OK;
}

int CVTData::AddNoData(TickTime time) {
  if (m_count + 1 > m_capacity) return STORE_DATA_FULL;
  const int i = m_count;
  if (m_eventShort) {
    m_eventShort[i].time = time;
    m_eventShort[i].state = RECORDER_STATE_NO_DATA;
    m_eventShort[i].flags = 0;
  } else if (m_eventInt) {
    m_eventInt[i].time = time;
    m_eventInt[i].state = RECORDER_STATE_NO_DATA;
    m_eventInt[i].flags = 0;
  } else if (m_dispShort) {
    m_dispShort[i].time = time;
    m_dispShort[i].minState = m_dispShort[i].maxState = RECORDER_STATE_NO_DATA;
    m_dispShort[i].minFlags = m_dispShort[i].maxFlags = 0;
  } else if (m_dispInt) {
    m_dispInt[i].time = time;
    m_dispInt[i].minState = m_dispInt[i].maxState = RECORDER_STATE_NO_DATA;
    m_dispInt[i].minFlags = m_dispInt[i].maxFlags = 0;
  }
  // A buffer of another value type has no array: only its count advances.
  ++m_count;
  return STORE_OK;
}

int CVTData::AddRecord(const SRecordData* record) {
  if (record == nullptr) return STORE_FAILED;
  if (record->GetValueType() != m_valueType) return STORE_FAILED;
  if (record->GetKind() != m_kind) return STORE_FAILED;
  if (auto r = dynamic_cast<const SEventShortData*>(record))
    return AddEventShort(r->time, r->state, r->flags, r->value);
  if (auto r = dynamic_cast<const SEventIntData*>(record))
    return AddEventInt(r->time, r->state, r->flags, r->value);
  if (auto r = dynamic_cast<const SDispShortData*>(record))
    return AddDisplayShort(r->time, r->minValue, r->minState, r->minFlags, r->maxValue,
                           r->maxState, r->maxFlags);
  if (auto r = dynamic_cast<const SDispIntData*>(record))
    return AddDisplayInt(r->time, r->minValue, r->minState, r->minFlags, r->maxValue,
                         r->maxState, r->maxFlags);
  return STORE_FAILED;
}

int CVTData::GetEventShort(int index, int16_t* value, TickTime* time, int* state,
                           uint8_t* flags) const {
  if (!value || !time || !state || !flags) return STORE_FAILED;
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  const SEventShortData& r = m_eventShort[index];
  *value = r.value;
  *time = r.time;
  *state = r.state;
  *flags = r.flags;
  return STORE_OK;
}

int CVTData::GetEventInt(int index, int32_t* value, TickTime* time, int* state,
                         uint8_t* flags) const {
  if (!value || !time || !state || !flags) return STORE_FAILED;
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  const SEventIntData& r = m_eventInt[index];
  *value = r.value;
  *time = r.time;
  *state = r.state;
  *flags = r.flags;
  return STORE_OK;
}

int CVTData::GetDisplayShort(int index, int16_t* minValue, int16_t* maxValue, TickTime* time,
                             int* minState, int* maxState, uint8_t* minFlags,
                             uint8_t* maxFlags) const {
  if (!minValue || !maxValue || !time || !minState || !maxState || !minFlags || !maxFlags)
    return STORE_FAILED;
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  const SDispShortData& r = m_dispShort[index];
  *minValue = r.minValue;
  *maxValue = r.maxValue;
  *time = r.time;
  *minState = r.minState;
  *maxState = r.maxState;
  *minFlags = r.minFlags;
  *maxFlags = r.maxFlags;
  return STORE_OK;
}

int CVTData::GetDisplayInt(int index, int32_t* minValue, int32_t* maxValue, TickTime* time,
                           int* minState, int* maxState, uint8_t* minFlags,
                           uint8_t* maxFlags) const {
  if (!minValue || !maxValue || !time || !minState || !maxState || !minFlags || !maxFlags)
    return STORE_FAILED;
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  const SDispIntData& r = m_dispInt[index];
  *minValue = r.minValue;
  *maxValue = r.maxValue;
  *time = r.time;
  *minState = r.minState;
  *maxState = r.maxState;
  *minFlags = r.minFlags;
  *maxFlags = r.maxFlags;
  return STORE_OK;
}

const SRecordData* CVTData::GetRecord(int index) const {
  if (index < 0 || index >= m_count) return nullptr;
  if (m_eventShort) return &m_eventShort[index];
  if (m_eventInt) return &m_eventInt[index];
  if (m_dispShort) return &m_dispShort[index];
  if (m_dispInt) return &m_dispInt[index];
  return nullptr;
}
