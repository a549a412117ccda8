// The newer-format generator checked independently: the CRC's check value, and a Python walk
// (struct and crcmod) over generated files that must find every block, count, checksum and
// field where the model puts them, in both byte orders, and a broken checksum where one was
// broken.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "testing/TempFolder.h"
#include "tools/recgen/Crc.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

std::string RunChecker(const recgen::WrittenNewerFile& file, const std::string& options = "") {
  vt_test::TempFolder dir;
  const std::string path = dir.Write("f.DAE", file.bytes);
  const std::string command = std::string("/usr/bin/python3 ") + VT_SOURCE_ROOT +
                              "/tools/recgen/check_newer_file.py " + options + path + " 2>&1";
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    std::array<char, 512> buffer;
    while (fgets(buffer.data(), int(buffer.size()), p)) out += buffer.data();
    pclose(p);
  }
  return out;
}

void Add(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Add(std::string& out, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  out += line;
  out += '\n';
}

std::string Time(const recgen::NewerTime& t) {
  return std::to_string(t.seconds) + "+" + std::to_string(t.unit) + "/" + std::to_string(t.value);
}

// What the checker's field walk must find, written from the model (seconds-form times only).
std::string ModelFields(const recgen::NewerFile& m) {
  std::string out;
  Add(out, "header.text %s", m.headerText.c_str());
  Add(out, "header.serial %s", m.serial.c_str());
  Add(out, "header.guid1 %u", m.guidData1);
  Add(out, "header.kind %d", m.dataKind);
  Add(out, "header.model %u", m.modelWord);
  Add(out, "header.timeFormat %u", m.timeFormat);
  Add(out, "header.timeChanges %u", m.timeChangeCount);
  Add(out, "header.startFactor %u", m.startFactor);
  Add(out, "header.stopFactor %u", m.stopFactor);
  Add(out, "header.tagged %d", m.taggedSection ? 1 : 0);
  for (std::size_t i = 0; i < m.channels.size(); ++i) {
    const recgen::NewerChannel& c = m.channels[i];
    Add(out, "channel%zu %d 0x%x %s|%s off %d dec %d span %d..%d raw %d..%d colour 0x%x show %d", i, c.number,
        c.flags, c.tag.c_str(), c.unit.c_str(), m.ValueOffset(i), c.decimals, c.spanLow, c.spanHigh, c.rawLow,
        c.rawHigh, c.colour, c.display);
  }
  for (std::size_t i = 0; i < m.groups.size(); ++i) {
    const recgen::NewerGroup& g = m.groups[i];
    std::string places, trips;
    for (int16_t p : g.places) places += (places.empty() ? "" : " ") + std::to_string(p);
    for (const auto& t : g.trips)
      trips += (trips.empty() ? "" : " ") + std::to_string(t.on) + ":" + std::to_string(t.raw);
    Add(out, "group%zu %d use %d %s | %s | %s", i, g.number, g.inUse, g.name.c_str(), places.c_str(),
        trips.c_str());
  }
  for (std::size_t i = 0; i < m.messages.size(); ++i) {
    const recgen::NewerMessage& x = m.messages[i];
    Add(out, "message%zu %u 0x%x %s dn %lld mask 0x%llx w36 %u no %u %s|%s", i, x.serial, x.secondWord,
        Time(x.inputTime).c_str(), static_cast<long long>(x.dataNo),
        static_cast<unsigned long long>(x.groupMask), x.word36, x.number, x.text.c_str(), x.user.c_str());
  }
  const recgen::NewerBatch& b = m.batch;
  Add(out, "batch.users %u %u %s|%s", b.startUserCode, b.stopUserCode, b.startUser.c_str(),
      b.stopUser.c_str());
  Add(out, "batch.lot %u %u %u %s", b.hasBatchInfo, b.lotDigits, b.lotNumber, b.batchNumber.c_str());
  for (std::size_t k = 0; k < 8; ++k)
    Add(out, "batch.text%zu %s|%s", k, b.texts[k].title.c_str(), b.texts[k].text.c_str());
  for (std::size_t k = 0; k < 3; ++k)
    Add(out, "batch.comment%zu %s %s|%s", k, Time(b.comments[k].time).c_str(), b.comments[k].user.c_str(),
        b.comments[k].text.c_str());
  const long long records = static_cast<long long>(m.records.size());
  Add(out, "info.interval %u/%u", m.intervalUnit, m.intervalValue);
  Add(out, "info.last %s", Time(m.lastTime).c_str());
  Add(out, "info.numbers %lld %lld %lld %lld", static_cast<long long>(m.startDataNo),
      static_cast<long long>(m.startDataNo) + records - 1, static_cast<long long>(m.memStartDataNo),
      static_cast<long long>(m.triggerDataNo));
  Add(out, "info.records %lld", records);
  for (std::size_t i = 0; i < m.channels.size(); ++i) {
    const auto item = m.channelItems.empty() ? std::array<uint16_t, 4>{} : m.channelItems[i];
    Add(out, "info.item%zu %u %u %u %u", i, item[0], item[1], item[2], item[3]);
  }
  for (std::size_t i = 0; i < m.alarms.size(); ++i) {
    const recgen::NewerAlarm& a = m.alarms[i];
    Add(out, "alarm%zu %d %s dn %lld action %u mask %u type %d word 0x%x", i, a.channel, Time(a.time).c_str(),
        static_cast<long long>(a.dataNo), a.action, a.levelMask, a.type, a.lastWord);
  }
  const std::size_t per = std::size_t(m.ValuesPerChannel());
  for (std::size_t k : {std::size_t(0), m.records.size() - 1}) {
    const recgen::NewerRecord& r = m.records[k];
    std::string values;
    for (std::size_t c = 0; c < m.channels.size(); ++c)
      for (std::size_t v = 0; v < per; ++v) {
        const int64_t raw = r.values[c * per + v];
        const long long value = m.channels[c].ValueSize() == 2 ? int16_t(raw) : int32_t(raw);
        values += " " + std::to_string(value);
      }
    Add(out, "record%zu %s%s", k, Time(r.time).c_str(), values.c_str());
  }
  return out;
}

TEST(NewerRecorderFile, CrcCheckValue) {
  const char* text = "123456789";
  EXPECT_EQ(recgen::Crc16(reinterpret_cast<const uint8_t*>(text), 9), 0x4B37);
}

TEST(NewerRecorderFile, IndependentWalkFindsTheModel) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  for (int kind : {1, 2}) {
    for (bool be : {false, true}) {
      const recgen::NewerFile m = recgen::SampleNewerFile(kind, be);
      const std::string out = RunChecker(recgen::WriteNewerFile(m));
      const std::string expected = std::string("{\"alarms\": 8, \"badChecksums\": [], \"bigEndian\": ") +
                                   (be ? "true" : "false") +
                                   ", \"channels\": 4, \"groups\": 3, \"items\": 4, " +
                                   "\"messages\": 2, \"recordSize\": " + std::to_string(m.RecordSize()) +
                                   ", \"records\": 20, \"tagged\": 7}\n";
      EXPECT_EQ(out, expected) << kind << " " << be;
    }
  }
  recgen::WrittenNewerFile broken = recgen::WriteNewerFile(recgen::SampleNewerFile(1, true));
  broken.BreakCrc("alarm");
  EXPECT_NE(RunChecker(broken).find("\"badChecksums\": [\"alarm\"]"), std::string::npos);
}

// Every field where the layout puts it, decoded by the checker's own offsets, in both kinds and
// byte orders: an offset that the generator and the readers got wrong together shows here.
TEST(NewerRecorderFile, IndependentWalkFindsEveryField) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  for (int kind : {1, 2}) {
    for (bool be : {false, true}) {
      const recgen::NewerFile m = recgen::SampleNewerFile(kind, be);
      EXPECT_EQ(RunChecker(recgen::WriteNewerFile(m), "--fields "), ModelFields(m)) << kind << " " << be;
    }
  }
}

}  // namespace
