// The record buffer: allocation rules, typed appends and reads, the full and wrong-type
// results, no-data records and record copies between buffers.
#include <gtest/gtest.h>

#include "recorder/CVTData.h"

namespace {

const TickTime kT(1000);

TEST(CVTData, AllocateRules) {
  CVTData d;
  EXPECT_EQ(d.GetKind(), -1);
  EXPECT_EQ(d.GetValueType(), 0);
  EXPECT_EQ(d.Allocate(0, 3, 0), STORE_FAILED);
  EXPECT_EQ(d.Allocate(2, 3, 5), STORE_FAILED);  // unknown kind
  EXPECT_EQ(d.GetCapacity(), 0);
  ASSERT_EQ(d.Allocate(0, 3, 2), STORE_OK);
  ASSERT_EQ(d.AddEventShort(kT, 0, 1, 42), STORE_OK);
  EXPECT_EQ(d.Allocate(1, 5, 9), STORE_DATA_ALLOCATED);  // first buffer stays intact
  EXPECT_EQ(d.GetCapacity(), 2);
  EXPECT_EQ(d.GetCount(), 1);
  d.Free();
  EXPECT_EQ(d.GetCount(), 0);
  EXPECT_EQ(d.GetKind(), -1);
  EXPECT_EQ(d.GetValueType(), 0);
  EXPECT_EQ(d.GetRecord(0), nullptr);
  EXPECT_EQ(d.Allocate(1, 5, 9), STORE_OK);
}

TEST(CVTData, ImpossibleSizeIsNoMemory) {
  CVTData d;
  EXPECT_EQ(d.Allocate(1, 5, 0x7FFFFFFF), STORE_NO_CONNECTION);
  EXPECT_EQ(d.GetCapacity(), 0);
  EXPECT_EQ(d.Allocate(1, 5, 4), STORE_OK);
}

TEST(CVTData, WrongTypeFullAndIndexChecks) {
  CVTData d;
  ASSERT_EQ(d.Allocate(0, 3, 2), STORE_OK);
  EXPECT_EQ(d.AddEventInt(kT, 0, 0, 1), STORE_DATA_WRONG_TYPE);
  EXPECT_EQ(d.AddDisplayShort(kT, 1, 0, 0, 2, 0, 0), STORE_DATA_WRONG_TYPE);
  int32_t iv;
  int16_t sv;
  TickTime t;
  int st;
  uint8_t fl;
  EXPECT_EQ(d.GetEventInt(0, &iv, &t, &st, &fl), STORE_DATA_WRONG_TYPE);
  EXPECT_EQ(d.AddEventShort(kT, 6, 3, 7), STORE_OK);
  EXPECT_EQ(d.AddEventShort(TickTime(2000), 0, 0, -7), STORE_OK);
  EXPECT_EQ(d.AddEventShort(kT, 0, 0, 1), STORE_DATA_FULL);
  EXPECT_EQ(d.AddNoData(kT), STORE_DATA_FULL);
  EXPECT_EQ(d.GetCount(), 2);
  // A null output wins over a valid index; then the index is checked.
  EXPECT_EQ(d.GetEventShort(0, nullptr, &t, &st, &fl), STORE_FAILED);
  EXPECT_EQ(d.GetEventShort(2, &sv, &t, &st, &fl), STORE_FAILED);
  EXPECT_EQ(d.GetEventShort(-1, &sv, &t, &st, &fl), STORE_FAILED);
  ASSERT_EQ(d.GetEventShort(0, &sv, &t, &st, &fl), STORE_OK);
  EXPECT_EQ(sv, 7);
  EXPECT_EQ(t, kT);
  EXPECT_EQ(st, 6);
  EXPECT_EQ(fl, 3);
  EXPECT_EQ(d.GetRecord(2), nullptr);
  EXPECT_EQ(d.GetRecord(-1), nullptr);
  ASSERT_NE(d.GetRecord(1), nullptr);
  EXPECT_EQ(d.GetRecord(1)->GetKind(), 0);
  EXPECT_EQ(d.GetRecord(1)->GetValueType(), 3);
}

TEST(CVTData, DisplayNoDataAndRecordCopies) {
  CVTData d;
  ASSERT_EQ(d.Allocate(1, 5, 3), STORE_OK);
  ASSERT_EQ(d.AddDisplayInt(kT, -100000, 7, 1, 100000, 6, 1), STORE_OK);
  ASSERT_EQ(d.AddNoData(TickTime(5000)), STORE_OK);
  int32_t mn, mx;
  TickTime t;
  int s1, s2;
  uint8_t f1, f2;
  ASSERT_EQ(d.GetDisplayInt(1, &mn, &mx, &t, &s1, &s2, &f1, &f2), STORE_OK);
  EXPECT_EQ(t, TickTime(5000));
  EXPECT_EQ(s1, 3);
  EXPECT_EQ(s2, 3);
  EXPECT_EQ(f1, 0);
  EXPECT_EQ(f2, 0);

  CVTData copy;
  ASSERT_EQ(copy.Allocate(1, 5, 2), STORE_OK);
  for (int i = 0; i < d.GetCount(); ++i) ASSERT_EQ(copy.AddRecord(d.GetRecord(i)), STORE_OK);
  EXPECT_EQ(copy.AddRecord(d.GetRecord(0)), STORE_DATA_FULL);
  ASSERT_EQ(copy.GetDisplayInt(0, &mn, &mx, &t, &s1, &s2, &f1, &f2), STORE_OK);
  EXPECT_EQ(mn, -100000);
  EXPECT_EQ(mx, 100000);
  EXPECT_EQ(s1, 7);
  EXPECT_EQ(s2, 6);

  CVTData event;
  ASSERT_EQ(event.Allocate(0, 5, 2), STORE_OK);
  EXPECT_EQ(event.AddRecord(d.GetRecord(0)), STORE_FAILED);  // display record, event buffer
  EXPECT_EQ(event.AddRecord(nullptr), STORE_FAILED);
  CVTData shortDisplay;
  ASSERT_EQ(shortDisplay.Allocate(1, 3, 2), STORE_OK);
  EXPECT_EQ(shortDisplay.AddRecord(d.GetRecord(0)), STORE_FAILED);  // value type differs
}

TEST(CVTData, OtherValueTypeHoldsNoRecords) {
  CVTData d;
  ASSERT_EQ(d.Allocate(0, 7, 2), STORE_OK);
  EXPECT_EQ(d.AddEventShort(kT, 0, 0, 1), STORE_DATA_WRONG_TYPE);
  EXPECT_EQ(d.AddNoData(kT), STORE_OK);
  EXPECT_EQ(d.AddNoData(kT), STORE_OK);
  EXPECT_EQ(d.AddNoData(kT), STORE_DATA_FULL);
  EXPECT_EQ(d.GetCount(), 2);
  EXPECT_EQ(d.GetRecord(0), nullptr);
}

// The bulk append used by the readers: all or nothing, every record made and readable, and the
// same checks of type and room as the single appends.
TEST(CVTData, AppendAtOnce) {
  auto fill = [](int i, auto& r) {
    r.time = TickTime(100 + i);
    r.state = i;
    r.flags = uint8_t(i + 1);
    r.value = decltype(r.value)(-i);
  };
  CVTData d;
  ASSERT_EQ(d.Allocate(0, 3, 5), STORE_OK);
  EXPECT_FALSE(d.AppendEventInts(1, fill));  // another value type
  EXPECT_FALSE(d.AppendDisplayShorts(1, [](int, SDispShortData&) {}));
  ASSERT_TRUE(d.AppendEventShorts(3, fill));
  EXPECT_FALSE(d.AppendEventShorts(3, fill));  // 3 more do not fit: none is appended
  EXPECT_EQ(d.GetCount(), 3);
  ASSERT_EQ(d.AddNoData(kT), STORE_OK);
  ASSERT_TRUE(d.AppendEventShorts(1, fill));
  EXPECT_FALSE(d.AppendEventShorts(1, fill));
  ASSERT_EQ(d.GetCount(), 5);
  const int expectedState[] = {0, 1, 2, RECORDER_STATE_NO_DATA, 0};
  const int16_t expectedValue[] = {0, -1, -2, 0, 0};
  const int64_t expectedTime[] = {100, 101, 102, kT.ticks, 100};
  for (int i = 0; i < 5; ++i) {
    int16_t v = 9;
    TickTime t;
    int s = -1;
    uint8_t f = 9;
    ASSERT_EQ(d.GetEventShort(i, &v, &t, &s, &f), STORE_OK);
    EXPECT_EQ(t.ticks, expectedTime[i]) << i;
    EXPECT_EQ(s, expectedState[i]) << i;
    EXPECT_EQ(v, expectedValue[i]) << i;
    ASSERT_NE(d.GetRecord(i), nullptr);
    EXPECT_EQ(d.GetRecord(i)->GetKind(), DATA_KIND_EVENT);
    EXPECT_EQ(d.GetRecord(i)->GetValueType(), VALUE_TYPE_SHORT);
  }
  EXPECT_EQ(d.GetRecord(5), nullptr);

  CVTData disp;
  ASSERT_EQ(disp.Allocate(1, 5, 2), STORE_OK);
  ASSERT_TRUE(disp.AppendDisplayInts(2, [](int i, SDispIntData& r) {
    r.time = TickTime(i);
    r.minValue = -70000 - i;
    r.maxValue = 70000 + i;
    r.minState = r.maxState = 0;
    r.minFlags = r.maxFlags = 4;
  }));
  int32_t lo = 0, hi = 0;
  TickTime t;
  int s1 = -1, s2 = -1;
  uint8_t f1 = 0, f2 = 0;
  ASSERT_EQ(disp.GetDisplayInt(1, &lo, &hi, &t, &s1, &s2, &f1, &f2), STORE_OK);
  EXPECT_EQ(lo, -70001);
  EXPECT_EQ(hi, 70001);
  EXPECT_EQ(f2, 4);
}

// A freed buffer's storage serves the next Allocate of the thread: a buffer of another type
// made in it starts empty and holds exactly what is appended, and a larger one is made afresh.
TEST(CVTData, ReusedStorageStartsEmpty) {
  {
    CVTData first;
    ASSERT_EQ(first.Allocate(DATA_KIND_EVENT, VALUE_TYPE_SHORT, 1000), STORE_OK);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(first.AddEventShort(TickTime(i), 0, 7, int16_t(i)), STORE_OK);
  }
  CVTData reused;
  ASSERT_EQ(reused.Allocate(DATA_KIND_DISPLAY, VALUE_TYPE_INT, 100), STORE_OK);
  EXPECT_EQ(reused.GetCount(), 0);
  EXPECT_EQ(reused.GetRecord(0), nullptr);
  ASSERT_EQ(reused.AddNoData(TickTime(5)), STORE_OK);
  ASSERT_EQ(reused.AddDisplayInt(TickTime(6), -1, 0, 1, 2, 0, 2), STORE_OK);
  int32_t lo = 0, hi = 0;
  TickTime t;
  int s1 = 0, s2 = 0;
  uint8_t f1 = 0, f2 = 0;
  ASSERT_EQ(reused.GetDisplayInt(1, &lo, &hi, &t, &s1, &s2, &f1, &f2), STORE_OK);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 2);
  EXPECT_EQ(t, TickTime(6));
  EXPECT_EQ(reused.GetCount(), 2);
  EXPECT_EQ(reused.GetRecord(2), nullptr);
  reused.Free();
  CVTData larger;
  ASSERT_EQ(larger.Allocate(DATA_KIND_EVENT, VALUE_TYPE_INT, 100000), STORE_OK);
  EXPECT_TRUE(larger.AppendEventInts(100000, [](int i, SEventIntData& r) {
    r.time = TickTime(i);
    r.state = 0;
    r.flags = 0;
    r.value = i;
  }));
  EXPECT_EQ(larger.GetCount(), 100000);
}

}  // namespace
