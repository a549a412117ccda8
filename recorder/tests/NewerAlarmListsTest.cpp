// Alarm bits of the newer reader with many alarms for all channels: the all-channel entries are
// kept once, and every channel and level must still read the list the file defines, its own
// entries and the all-channel entries together in file order. A plain model of that list (each
// entry copied into every list it belongs to) answers the same bits for every channel and range.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "recorder/newer/CVTQRAdvFileAccess.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

using recgen::NewerFile;

struct Node {
  uint16_t action;
  int16_t channel;
  int64_t position;
};

// The bits as the per-channel, per-level lists give them (each entry copied into every list).
std::vector<uint8_t> ExpectedFlags(const NewerFile& m, std::size_t channel, int64_t start, int64_t count) {
  const bool display = m.dataKind == 2;
  std::array<std::vector<Node>, 4> lists;
  for (const recgen::NewerAlarm& a : m.alarms) {
    bool known = a.channel == -1;
    for (const recgen::NewerChannel& c : m.channels) known = known || c.number == a.channel;
    if (!known || a.action == 3) continue;
    const Node n{a.action, a.channel, a.dataNo - m.startDataNo};
    for (int k = 0; k < 4; ++k) {
      const bool own =
          a.channel == m.channels[channel].number && (a.levelMask == 15 || a.levelMask == (1u << k));
      if (a.channel == -1 || own) lists[std::size_t(k)].push_back(n);
    }
  }
  uint8_t item = 0;
  if (channel < m.channelItems.size())
    for (int k = 0; k < 4; ++k)
      if (m.channelItems[channel][std::size_t(k)] != 0) item |= uint8_t(1 << k);
  std::vector<uint8_t> out(std::size_t(count), 0);
  for (int k = 0; k < 4; ++k) {
    const std::vector<Node>& list = lists[std::size_t(k)];
    const uint8_t bit = uint8_t(1 << k);
    std::size_t cursor = 0;
    for (int64_t i = 0; i < count; ++i) {
      const int64_t p = start + i;
      while (cursor < list.size() && list[cursor].position < p) ++cursor;
      bool set;
      if (cursor < list.size() && list[cursor].position == p) {
        set = false;
        for (std::size_t j = cursor; j < list.size() && list[j].position == p; ++j)
          if (list[j].action == 1 || (list[j].action == 2 && display && list[j].channel != -1)) set = true;
      } else {
        set = cursor > 0 ? list[cursor - 1].action == 1 : (item & bit) != 0;
      }
      if (set) out[std::size_t(i)] |= bit;
    }
  }
  return out;
}

TEST(NewerAlarmLists, ManyAllChannelAlarmsGiveEveryChannelItsList) {
  vt_test::ScopedTimeZone utc("UTC");
  vt_test::TempFolder dir;
  std::mt19937 random(20261210);
  for (int kind : {1, 2}) {
    NewerFile m = recgen::SampleNewerFile(kind, false);
    const int records = int(m.records.size());
    m.channelItems.assign(m.channels.size(), {0, 0, 0, 0});
    m.channelItems[1] = {1, 0, 0, 1};
    // Mostly all-channel entries, some of each channel (and of a channel the file lacks), at
    // positions before, inside and after the records and not in order, of every action and of
    // level masks the lists take and ones they do not.
    const uint16_t masks[] = {1, 2, 4, 8, 15, 3, 0};
    m.alarms.clear();
    for (int i = 0; i < 600; ++i) {
      recgen::NewerAlarm a;
      const int pick = int(random() % 10);
      a.channel = pick < 6   ? int16_t(-1)
                  : pick < 9 ? m.channels[random() % m.channels.size()].number
                             : int16_t(499);
      a.dataNo = m.startDataNo + int64_t(random() % uint32_t(records + 6)) - 3;
      a.action = uint16_t(1 + random() % 3);
      a.levelMask = masks[random() % 7];
      m.alarms.push_back(a);
    }
    const std::string path = dir.Write("f" + std::to_string(kind) + (kind == 2 ? ".DAD" : ".DAE"),
                                       recgen::WriteNewerFile(m).bytes);
    CVTQRAdvFileAccess r;
    ASSERT_EQ(r.Open(path), 0);
    const std::pair<int, int> ranges[] = {{0, records}, {3, 7}, {records - 1, 1}};
    for (std::size_t c = 0; c < m.channels.size(); ++c) {
      for (auto [start, count] : ranges) {
        std::vector<uint8_t> flags;
        int n = 0;
        ASSERT_EQ(r.ReadAlarmFlags(int(c), start, count, &flags, &n), 0);
        ASSERT_EQ(n, count);
        EXPECT_EQ(flags, ExpectedFlags(m, c, start, count))
            << "kind " << kind << ", channel " << c << ", from " << start;
      }
    }
  }
}

}  // namespace
