// CVTData: see CVTData.h. The four arrays are mutually exclusive; which one exists follows from
// the kind and value type recorded by Allocate.
#include "recorder/CVTData.h"

#include <cassert>
#include <limits>
#include <new>

CVTData::~CVTData() { Free(); }

namespace {

// The storage of the last buffer this thread freed, kept for its next Allocate. A reader fills
// one buffer per channel and range, and callers free it before the next read: without the spare
// every read would map fresh pages that the kernel first zeroes. Blocks above kSpareLimit are
// not kept, so a thread holds at most that much.
constexpr size_t kSpareLimit = 16u << 20;
struct SpareStorage {
  std::unique_ptr<std::byte[]> bytes;
  size_t size = 0;
};
thread_local SpareStorage t_spare;

template <class T>
bool MakeArray(std::unique_ptr<std::byte[]>& storage, size_t& storageSize, T*& array, int capacity) {
  // Byte sizes beyond 32 bits are refused like an allocation failure.
  if (uint64_t(capacity) * sizeof(T) > std::numeric_limits<uint32_t>::max()) return false;
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  const size_t size = size_t(capacity) * sizeof(T);
  if (t_spare.bytes != nullptr && t_spare.size >= size) {
    // Mapped already; an append constructs its record in place.
    storage = std::move(t_spare.bytes);
    storageSize = t_spare.size;
    t_spare.size = 0;
    array = reinterpret_cast<T*>(storage.get());
    return true;
  }
  storage.reset(new (std::nothrow) std::byte[size]);
  if (storage == nullptr) return false;
  storageSize = size;
  array = reinterpret_cast<T*>(storage.get());
  // Every record is made here, which also maps the memory before the reads that fill it (a
  // first touch per page during a large read costs more than this pass); an append makes its
  // record again in place.
  for (int i = 0; i < capacity; ++i) ::new (static_cast<void*>(array + i)) T;
  return true;
}

// A record constructed in the array's storage; records are constructed as they are appended.
template <class R>
R& ConstructAt(R* array, int i) {
  return *::new (static_cast<void*>(array + i)) R;
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
  if (kind == DATA_KIND_EVENT && valueType == VALUE_TYPE_SHORT)
    made = MakeArray(m_storage, m_storageSize, m_eventShort, capacity);
  if (kind == DATA_KIND_EVENT && valueType == VALUE_TYPE_INT)
    made = MakeArray(m_storage, m_storageSize, m_eventInt, capacity);
  if (kind == DATA_KIND_DISPLAY && valueType == VALUE_TYPE_SHORT)
    made = MakeArray(m_storage, m_storageSize, m_dispShort, capacity);
  if (kind == DATA_KIND_DISPLAY && valueType == VALUE_TYPE_INT)
    made = MakeArray(m_storage, m_storageSize, m_dispInt, capacity);
  if (!made) {
    m_capacity = 0;
    return STORE_NO_CONNECTION;
  }
  return STORE_OK;
}

void CVTData::Free() {
  if (m_storage != nullptr && m_storageSize <= kSpareLimit && m_storageSize > t_spare.size) {
    t_spare.bytes = std::move(m_storage);
    t_spare.size = m_storageSize;
  }
  m_storage.reset();
  m_storageSize = 0;
  m_eventShort = nullptr;
  m_eventInt = nullptr;
  m_dispShort = nullptr;
  m_dispInt = nullptr;
  m_capacity = 0;
  m_count = 0;
  m_valueType = VALUE_TYPE_NONE;
  m_kind = DATA_KIND_NONE;
}

int CVTData::AddNoData(TickTime time) {
  if (m_count + 1 > m_capacity) return STORE_DATA_FULL;
  const int i = m_count;
  if (m_eventShort) {
    SetEventNoData(ConstructAt(m_eventShort, i), time);
  } else if (m_eventInt) {
    SetEventNoData(ConstructAt(m_eventInt, i), time);
  } else if (m_dispShort) {
    SetDisplayNoData(ConstructAt(m_dispShort, i), time);
  } else if (m_dispInt) {
    SetDisplayNoData(ConstructAt(m_dispInt, i), time);
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
