// CVTData: the typed record buffer through which the samples of one channel travel from the
// readers and the stored-data model to the display and export. One flat array, allocated once
// with the capacity the caller asks for; appends and reads are index operations that never
// reallocate. All results are STORE_RESULT values.
//
// The array's storage is taken as bytes; every record is constructed when the buffer is allocated
// (which also maps the memory before a large read fills it) and again in place when appended.
// Records beyond the count are never seen (GetRecord and the reads stop at the count), and the
// records' destructors do nothing, so Free releases the bytes without a pass over 100 million
// records of a large read.
#pragma once
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "recorder/SRecordData.h"
#include "recorder/StoreResult.h"

class CVTData {
 public:
  CVTData() = default;
  virtual ~CVTData();
  CVTData(const CVTData&) = delete;
  CVTData& operator=(const CVTData&) = delete;

  int Allocate(int kind, int valueType, int capacity);
  void Free();

  int GetKind() const { return m_kind; }
  int GetValueType() const { return m_valueType; }
  int GetCapacity() const { return m_capacity; }
  int GetCount() const { return m_count; }

  // The appends are inline: the readers call them once per record.
  int AddEventShort(TickTime time, int state, uint8_t flags, int16_t value) {
    if (!Is(DATA_KIND_EVENT, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
    if (m_count >= m_capacity) return STORE_DATA_FULL;
    SetEvent(*Make(m_eventShort), time, state, flags, value);
    return STORE_OK;
  }
  int AddEventInt(TickTime time, int state, uint8_t flags, int32_t value) {
    if (!Is(DATA_KIND_EVENT, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
    if (m_count >= m_capacity) return STORE_DATA_FULL;
    SetEvent(*Make(m_eventInt), time, state, flags, value);
    return STORE_OK;
  }
  int AddDisplayShort(TickTime time, int16_t minValue, int minState, uint8_t minFlags, int16_t maxValue,
                      int maxState, uint8_t maxFlags) {
    if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_SHORT)) return STORE_DATA_WRONG_TYPE;
    if (m_count >= m_capacity) return STORE_DATA_FULL;
    SetDisplay(*Make(m_dispShort), time, minValue, minState, minFlags, maxValue, maxState, maxFlags);
    return STORE_OK;
  }
  int AddDisplayInt(TickTime time, int32_t minValue, int minState, uint8_t minFlags, int32_t maxValue,
                    int maxState, uint8_t maxFlags) {
    if (!Is(DATA_KIND_DISPLAY, VALUE_TYPE_INT)) return STORE_DATA_WRONG_TYPE;
    if (m_count >= m_capacity) return STORE_DATA_FULL;
    SetDisplay(*Make(m_dispInt), time, minValue, minState, minFlags, maxValue, maxState, maxFlags);
    return STORE_OK;
  }
  // n further records of the named type appended at once, for a reader that decodes straight
  // into the array: fill(i, record) writes every field of the i-th of them. False, and nothing
  // appended, when the buffer holds another type or fewer than n records fit; such a caller
  // appends one by one instead, which keeps what fits.
  template <class F>
  bool AppendEventShorts(int n, F&& fill) {
    return Append(m_eventShort, DATA_KIND_EVENT, VALUE_TYPE_SHORT, n, fill);
  }
  template <class F>
  bool AppendEventInts(int n, F&& fill) {
    return Append(m_eventInt, DATA_KIND_EVENT, VALUE_TYPE_INT, n, fill);
  }
  template <class F>
  bool AppendDisplayShorts(int n, F&& fill) {
    return Append(m_dispShort, DATA_KIND_DISPLAY, VALUE_TYPE_SHORT, n, fill);
  }
  template <class F>
  bool AppendDisplayInts(int n, F&& fill) {
    return Append(m_dispInt, DATA_KIND_DISPLAY, VALUE_TYPE_INT, n, fill);
  }
  int AddNoData(TickTime time);
  int AddRecord(const SRecordData* record);

  int GetEventShort(int index, int16_t* value, TickTime* time, int* state, uint8_t* flags) const;
  int GetEventInt(int index, int32_t* value, TickTime* time, int* state, uint8_t* flags) const;
  int GetDisplayShort(int index, int16_t* minValue, int16_t* maxValue, TickTime* time, int* minState,
                      int* maxState, uint8_t* minFlags, uint8_t* maxFlags) const;
  int GetDisplayInt(int index, int32_t* minValue, int32_t* maxValue, TickTime* time, int* minState,
                    int* maxState, uint8_t* minFlags, uint8_t* maxFlags) const;
  // The record of that number, valid until the buffer is freed; null outside 0..count-1.
  const SRecordData* GetRecord(int index) const;

 private:
  bool Is(int kind, int valueType) const { return m_kind == kind && m_valueType == valueType; }
  // Record number count, constructed; the count advances.
  template <class R>
  R* Make(R* array) {
    assert(array != nullptr);
    return ::new (static_cast<void*>(array + m_count++)) R;
  }
  template <class R, class F>
  bool Append(R* array, int kind, int valueType, int n, F& fill) {
    if (!Is(kind, valueType) || n < 0 || n > m_capacity - m_count) return false;
    assert(array != nullptr);
    R* first = array + m_count;
    for (int i = 0; i < n; ++i) fill(i, *::new (static_cast<void*>(first + i)) R);
    m_count += n;
    return true;
  }
  // The short and int kinds of each record differ only in their value type.
  template <class R, class V>
  static void SetEvent(R& r, TickTime time, int state, uint8_t flags, V value) {
    r.time = time;
    r.state = state;
    r.flags = flags;
    r.value = value;
  }
  template <class R, class V>
  static void SetDisplay(R& r, TickTime time, V minValue, int minState, uint8_t minFlags, V maxValue,
                         int maxState, uint8_t maxFlags) {
    r.time = time;
    r.minValue = minValue;
    r.minState = minState;
    r.minFlags = minFlags;
    r.maxValue = maxValue;
    r.maxState = maxState;
    r.maxFlags = maxFlags;
  }

  int m_kind = DATA_KIND_NONE;
  int m_valueType = VALUE_TYPE_NONE;
  std::unique_ptr<std::byte[]> m_storage;  // the records' bytes; one of the four views below
  size_t m_storageSize = 0;                // bytes in m_storage (at least capacity records)
  SEventShortData* m_eventShort = nullptr;
  SEventIntData* m_eventInt = nullptr;
  SDispShortData* m_dispShort = nullptr;
  SDispIntData* m_dispInt = nullptr;
  int32_t m_capacity = 0;
  int32_t m_count = 0;
};
