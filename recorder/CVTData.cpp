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

// The short and int kinds of each record differ only in their value type.
template <class R, class V>
void SetEvent(R& r, TickTime time, int state, uint8_t flags, V value) {
  r.time = time;
  r.state = state;
  r.flags = flags;
  r.value = value;
}

template <class R, class V>
void SetDisplay(R& r, TickTime time, V minValue, int minState, uint8_t minFlags, V maxValue, int maxState,
                uint8_t maxFlags) {
  r.time = time;
  r.minValue = minValue;
  r.minState = minState;
  r.minFlags = minFlags;
  r.maxValue = maxValue;
  r.maxState = maxState;
  r.maxFlags = maxFlags;
}

template <class R, class V>
void GetEvent(const R& r, V* value, TickTime* time, int* state, uint8_t* flags) {
  *value = r.value;
  *time = r.time;
  *state = r.state;
  *flags = r.flags;
}

template <class R, class V>
void GetDisplay(const R& r, V* minValue, V* maxValue, TickTime* time, int* minState, int* maxState,
                uint8_t* minFlags, uint8_t* maxFlags) {
  *minValue = r.minValue;
  *maxValue = r.maxValue;
  *time = r.time;
  *minState = r.minState;
  *maxState = r.maxState;
  *minFlags = r.minFlags;
  *maxFlags = r.maxFlags;
}

template <class R>
void SetEventNoData(R& r, TickTime time) {
  r.time = time;
  r.state = RECORDER_STATE_NO_DATA;
  r.flags = 0;
}

template <class R>
void SetDisplayNoData(R& r, TickTime time) {
  r.time = time;
  r.minState = r.maxState = RECORDER_STATE_NO_DATA;
  r.minFlags = r.maxFlags = 0;
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
  SetEvent(m_eventShort[m_count++], time, state, flags, value);
  return STORE_OK;
}

int CVTData::AddEventInt(TickTime time, int state, uint8_t flags, int32_t value) {
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_eventInt);
  SetEvent(m_eventInt[m_count++], time, state, flags, value);
  return STORE_OK;
}

int CVTData::AddDisplayShort(TickTime time, int16_t minValue, int minState, uint8_t minFlags,
                             int16_t maxValue, int maxState, uint8_t maxFlags) {
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_dispShort);
  SetDisplay(m_dispShort[m_count++], time, minValue, minState, minFlags, maxValue, maxState, maxFlags);
  return STORE_OK;
}

int CVTData::AddDisplayInt(TickTime time, int32_t minValue, int minState, uint8_t minFlags, int32_t maxValue,
                           int maxState, uint8_t maxFlags) {
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (m_count >= m_capacity) return STORE_DATA_FULL;
  assert(m_dispInt);
  SetDisplay(m_dispInt[m_count++], time, minValue, minState, minFlags, maxValue, maxState, maxFlags);
  return STORE_OK;
}

int CVTData::AddNoData(TickTime time) {
  if (m_count + 1 > m_capacity) return STORE_DATA_FULL;
  const int i = m_count;
  if (m_eventShort) {
    SetEventNoData(m_eventShort[i], time);
  } else if (m_eventInt) {
    SetEventNoData(m_eventInt[i], time);
  } else if (m_dispShort) {
    SetDisplayNoData(m_dispShort[i], time);
  } else if (m_dispInt) {
    SetDisplayNoData(m_dispInt[i], time);
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
    return AddDisplayShort(r->time, r->minValue, r->minState, r->minFlags, r->maxValue, r->maxState,
                           r->maxFlags);
  if (auto r = dynamic_cast<const SDispIntData*>(record))
    return AddDisplayInt(r->time, r->minValue, r->minState, r->minFlags, r->maxValue, r->maxState,
                         r->maxFlags);
  return STORE_FAILED;
}

int CVTData::GetEventShort(int index, int16_t* value, TickTime* time, int* state, uint8_t* flags) const {
  if (!value || !time || !state || !flags) return STORE_FAILED;
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  GetEvent(m_eventShort[index], value, time, state, flags);
  return STORE_OK;
}

int CVTData::GetEventInt(int index, int32_t* value, TickTime* time, int* state, uint8_t* flags) const {
  if (!value || !time || !state || !flags) return STORE_FAILED;
  if (!Is(DATA_KIND_EVENT, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  GetEvent(m_eventInt[index], value, time, state, flags);
  return STORE_OK;
}

int CVTData::GetDisplayShort(int index, int16_t* minValue, int16_t* maxValue, TickTime* time, int* minState,
                             int* maxState, uint8_t* minFlags, uint8_t* maxFlags) const {
  if (!minValue || !maxValue || !time || !minState || !maxState || !minFlags || !maxFlags)
    return STORE_FAILED;
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  GetDisplay(m_dispShort[index], minValue, maxValue, time, minState, maxState, minFlags, maxFlags);
  return STORE_OK;
}

int CVTData::GetDisplayInt(int index, int32_t* minValue, int32_t* maxValue, TickTime* time, int* minState,
                           int* maxState, uint8_t* minFlags, uint8_t* maxFlags) const {
  if (!minValue || !maxValue || !time || !minState || !maxState || !minFlags || !maxFlags)
    return STORE_FAILED;
  if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
  if (index < 0 || index >= m_count) return STORE_FAILED;
  GetDisplay(m_dispInt[index], minValue, maxValue, time, minState, maxState, minFlags, maxFlags);
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
