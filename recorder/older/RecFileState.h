// The open-file state behind a RecFileHandle, shared by the files of the older-format reader
// library and by nothing else. Every offset and count kept here was checked against the file
// size at open (or marked as lying beyond it), so the readers index with them without further
// tests.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/ReadOnlyFile.h"
#include "recorder/RecordRangeCache.h"
#include "recorder/older/RecFile.h"

constexpr int kRecFileAlarmLevels = 4;
constexpr std::size_t kRecFileTimeRecord = 8;

// One alarm interval in record numbers counted from 1.
struct RecFileAlarmInterval {
  int channelNo = 0;
  int type = 0;
  int64_t first = 0;
  int64_t last = 0;
};

struct RecFileChannelSlot {
  uint32_t valueOffset = 0;
  int type = 0;  // low 7 bits of the type byte
  std::array<uint8_t, 64> entry{};
};

struct RecFileState {
  vt::ReadOnlyFile file;
  mutable RecordRangeCache cache;  // the records read last
  bool fixed = true;
  bool display = false;
  uint64_t fileSize = 0;
  std::vector<uint8_t> header;  // the bytes up to and including the header checksum

  // Header values (host order).
  uint8_t modelCode = 0;
  uint32_t dataNoBefore = 0, lastDataNo = 0, positionBase = 0;
  uint32_t dataArea = 0;
  int channels = 0;
  uint32_t recordSize = 0;
  uint32_t records = 0;
  uint32_t ringStart = 0;
  uint32_t recordsBeforeTrigger = 0;

  std::vector<int> channelMap;  // channel number -> index, or -1
  std::vector<RecFileChannelSlot> channelTable;
  int computedChannels = 0, computationChannels = 0, measuredChannels = 0;

  // Alarm lists per channel index and level, in file order; empty when no entry is usable.
  std::vector<std::array<std::vector<RecFileAlarmInterval>, kRecFileAlarmLevels>> alarmLists;
  bool hasAlarmLists = false;

  uint64_t alarmsAt = 0, messagesAt = 0, batchAt = 0;  // 0 when absent
  // Parts that do not lie inside the file: every read of them fails (the file opens, and the
  // reader's later steps report the failure).
  bool dataBeyondFile = false, messagesBeyondFile = false, batchBeyondFile = false;
  int alarmCount = 0, messageCount = 0;
  std::vector<std::array<uint8_t, 54>> dirGroups;  // directory layout, at most 23

  // Times: seconds since 1970 and eighths.
  int64_t triggerSeconds = 0, firstSeconds = 0, lastSeconds = 0;
  int triggerEighths = 0, firstEighths = 0, lastEighths = 0;
  int64_t intervalEighths = 0;
  int checksumResult = 0;

  // Reads exactly n bytes at offset; false on a short read or an error.
  bool ReadAt(uint64_t offset, void* buffer, std::size_t n) const { return file.ReadAt(offset, buffer, n); }
};

// A time record as seconds since 1970 in the computer's zone with the old runtime's
// semantics; -1 for an invalid record (second byte 0x80 or more) or a time before 1970.
int64_t RecFileRecordSeconds(const uint8_t* record);

// The COLORREF of a trace colour index; black for an index beyond the table.
uint32_t RecFileColour(unsigned index);
