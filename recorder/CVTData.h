// CVTData: the typed record buffer through which the samples of one channel travel from the
// readers and the stored-data model to the display and export. One flat array, allocated once
// with the capacity the caller asks for; appends and reads are index operations that never
// reallocate. All results are STORE_RESULT values.
#pragma once
#include <cstdint>
#include <memory>

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

  int AddEventShort(TickTime time, int state, uint8_t flags, int16_t value);
  int AddEventInt(TickTime time, int state, uint8_t flags, int32_t value);
  int AddDisplayShort(TickTime time, int16_t minValue, int minState, uint8_t minFlags, int16_t maxValue,
                      int maxState, uint8_t maxFlags);
  int AddDisplayInt(TickTime time, int32_t minValue, int minState, uint8_t minFlags, int32_t maxValue,
                    int maxState, uint8_t maxFlags);
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

  int m_kind = DATA_KIND_NONE;
  int m_valueType = VALUE_TYPE_NONE;
  std::unique_ptr<SEventShortData[]> m_eventShort;
  std::unique_ptr<SEventIntData[]> m_eventInt;
  std::unique_ptr<SDispShortData[]> m_dispShort;
  std::unique_ptr<SDispIntData[]> m_dispInt;
  int32_t m_capacity = 0;
  int32_t m_count = 0;
};
