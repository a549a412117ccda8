// Recorder files of a chosen size and identity (see SizedFiles.h).
#include "tools/recgen/SizedFiles.h"

#include <algorithm>
#include <ctime>

namespace recgen {

namespace {

// Channel numbers over the three ranges of newer files: 1-48, 101-160, 201-440.
int16_t NewerChannelNumber(int i) {
  if (i < 48) return int16_t(i + 1);
  if (i < 108) return int16_t(101 + (i - 48));
  return int16_t(201 + (i - 108));
}

OlderTime OlderTimeOf(int64_t seconds) {
  std::tm tm{};
  const time_t t = time_t(seconds);
  localtime_r(&t, &tm);
  OlderTime o;
  o.year = int8_t(tm.tm_year % 100);
  o.month = int8_t(tm.tm_mon + 1);
  o.day = int8_t(tm.tm_mday);
  o.hour = int8_t(tm.tm_hour);
  o.minute = int8_t(tm.tm_min);
  o.second = int8_t(tm.tm_sec);
  return o;
}

}  // namespace

NewerFile SizedNewerFile(const SizedOptions& o, int dataKind, bool bigEndian) {
  NewerFile m;
  m.bigEndian = bigEndian;
  m.dataKind = dataKind;
  m.serial = o.serial;
  m.headerText = "Sized";
  m.guidData1 = o.guid.data1;
  m.guidData2 = o.guid.data2;
  m.guidData3 = o.guid.data3;
  m.guidData4 = o.guid.data4;
  m.startFactor = uint16_t(o.startFactor);
  m.stopFactor = uint16_t(o.stopFactor);
  const int channels = std::clamp(o.channels, 1, 348);
  for (int i = 0; i < channels; ++i) {
    NewerChannel c;
    c.number = NewerChannelNumber(i);
    c.tag = "TAG" + std::to_string(i + 1);
    c.unit = "V";
    m.channels.push_back(c);
  }
  NewerGroup g;
  g.number = 1;
  g.name = "Group 1";
  for (int i = 0; i < std::min(channels, 16); ++i) g.places[std::size_t(i)] = NewerChannelNumber(i);
  if (o.repeatGroupChannel) g.places[std::size_t(std::min(channels, 15))] = NewerChannelNumber(0);
  m.groups = {g};
  if (o.repeatGroupNumber) {
    NewerGroup twin;
    twin.number = g.number;
    twin.name = "Group 1 again";
    twin.places[0] = NewerChannelNumber(0);
    m.groups.push_back(twin);
  }
  if (o.intervalMs % 1000 == 0 && o.intervalMs / 1000 > 0 && o.intervalMs > 65535) {
    m.intervalUnit = 1;
    m.intervalValue = uint16_t(o.intervalMs / 1000);
  } else {
    m.intervalValue = uint16_t(std::clamp(o.intervalMs, 1, 65535));
  }
  const int records = std::max(o.records, 1);
  const int64_t lastMs = o.startSeconds * 1000 + int64_t(records - 1) * m.IntervalMs();
  m.lastTime = NewerTime::At(int32_t(lastMs / 1000), int(lastMs % 1000));
  m.startDataNo = o.startDataNo;
  m.memStartDataNo = o.memStartDataNo;
  m.triggerDataNo = o.triggerDataNo;
  FillNewerRecords(m, records);
  return m;
}

OlderModel SizedOlderModel(const SizedOptions& o, OlderLayout layout, uint8_t kind) {
  OlderModel m = SampleOlderModel(layout, kind, 0);
  m.serial = o.serial;
  m.headerText = "Sized";
  m.startFactor = uint8_t(o.startFactor);
  m.stopFactor = uint8_t(o.stopFactor);
  const int limit = layout == OlderLayout::Fixed ? 60 : 270;
  const int channels = std::clamp(o.channels, 1, limit);
  m.channels.clear();
  for (int i = 0; i < channels; ++i) {
    OlderChannel c;
    c.number = int16_t(i);
    c.tag = "TAG" + std::to_string(i + 1);
    m.channels.push_back(c);
  }
  OlderGroup g;
  g.name = "Group 1";
  for (int i = 0; i < std::min(channels, 10); ++i) g.slots[std::size_t(i)] = int16_t(i);
  m.groups = {g};
  // Whole seconds, or milliseconds when the interval has a fraction.
  if (o.intervalMs % 1000 == 0) {
    m.intervalUnit = 0;
    m.interval = int16_t(std::clamp(o.intervalMs / 1000, 1, 32767));
  } else {
    m.intervalUnit = 3;
    m.interval = int16_t(std::clamp(o.intervalMs, 1, 32767));
  }
  m.trigger = OlderTimeOf(o.startSeconds);
  const uint32_t records = uint32_t(std::max(o.records, 1));
  m.dataNoBefore = uint32_t(o.startDataNo - 1);
  m.lastDataNo = uint32_t(o.startDataNo - 1 + records);
  // The memory start data number is last - positionBase + 1: the first file's start for a run.
  m.positionBase = uint32_t(int64_t(*m.lastDataNo) - o.memStartDataNo + 1);
  m.records.clear();
  const int per = kind == 1 ? 2 : 1;
  for (uint32_t k = 0; k < records; ++k) {
    std::vector<int32_t> values;
    for (int c = 0; c < channels; ++c)
      for (int v = 0; v < per; ++v) values.push_back(int32_t((k + uint32_t(c) * 7 + uint32_t(v)) % 1000));
    m.records.push_back(std::move(values));
  }
  return m;
}

}  // namespace recgen
