// The older-format variant table (see OlderVariants.h).
#include "tools/recgen/OlderVariants.h"

#include <functional>

#include "tools/recgen/OlderRecorderFile.h"

namespace recgen {
namespace {

using ModelChange = std::function<void(OlderModel&)>;
using BytesChange = std::function<void(OlderFile&)>;

const OlderLayout F = OlderLayout::Fixed, D = OlderLayout::Directory;

OlderVariant Make(const std::string& name, OlderModel m, const BytesChange& bytes, bool recompute,
                  int result) {
  OlderFile f = WriteOlder(m);
  if (bytes) bytes(f);
  if (recompute) f.RecomputeCrcs();
  return {name, m.kind == 1 ? ".DDS" : ".DEV", f.bytes, result};
}

OlderVariant Valid(const std::string& name, OlderLayout layout, uint8_t kind, const ModelChange& change) {
  OlderModel m = SampleOlderModel(layout, kind, 10);
  change(m);
  return Make(name, m, nullptr, false, 0);
}

// A damaged file: the model change or the byte change (then with fresh checksums when asked).
OlderVariant Damaged(const std::string& name, OlderLayout layout, const ModelChange& change,
                     const BytesChange& bytes, bool recompute, int result = 30) {
  OlderModel m = SampleOlderModel(layout, 0, 10);
  if (change) change(m);
  return Make(name, m, bytes, recompute, result);
}

// A correct checksum stored high byte first; the content is varied until the two bytes differ,
// else the variant would prove nothing.
OlderVariant HighByteFirst(const std::string& name, OlderLayout layout, bool header) {
  OlderModel m = SampleOlderModel(layout, 0, 10);
  for (int k = 0;; ++k) {
    if (header)
      m.word10 = int16_t(0x1234 + k);
    else
      m.records[0][0] = k;
    OlderFile f = WriteOlder(m);
    if (header ? f.StoreHeaderCrcHighByteFirst() : f.StoreDataCrcHighByteFirst())
      return {name, ".DEV", f.bytes, 30};
  }
}

BytesChange Poke(std::size_t at, uint8_t v) {
  return [=](OlderFile& f) { f.Poke8(at, v); };
}
BytesChange Be16(std::size_t at, uint16_t v) {
  return [=](OlderFile& f) { f.PokeBe16(at, v); };
}

OlderBatch SampleBatch() {
  OlderBatch b;
  b.startUser = "Operator";
  b.stopUser = "Night shift";
  b.texts = {"Line 3", "", "Tank ^2"};
  b.batchNo = "B-0017";
  b.lot = 5;
  b.commentAuthor = "QA";
  b.comments = {"checked", "", "released"};
  b.commentTime = {23, 7, 1, 14, 30, 0, 0, 0};
  return b;
}

}  // namespace

std::vector<OlderVariant> OlderVariants() {
  std::vector<OlderVariant> v;
  v.push_back(Valid("fixed event with every section", F, 0, [](OlderModel& m) {
    const uint32_t d0 = m.dataNoBefore;
    m.alarms = {{0, 0, 1, {}, {}, d0 + 2, d0 + 5},
                {4, 2, 3, {}, {}, d0 + 6, 0},        // still on at the end of the file
                {0, 4, 1, {}, {}, d0 + 1, d0 + 2},   // level 4: not an alarm of the file
                {9, 0, 1, {}, {}, d0 + 1, d0 + 2}};  // a channel the file does not have
    m.messages = {{"Start", {23, 7, 1, 11, 59, 55, 0, 0}, d0 + 1, 0, 1, "Operator"},
                  {"Valve ^C", {23, 7, 1, 12, 0, 3, 4, 0}, d0 + 9, 3, 0, "Operator"}};
    m.batch = SampleBatch();
    m.groups.resize(4);
    m.groups[3].name = "Last";
    m.groups[3].slots[9] = 7;
  }));
  v.push_back(Valid("fixed display NB410 with a wrapped ring", F, 1, [](OlderModel& m) {
    m.mark0 = 'x';
    m.mark1 = 0x50;
    m.modelCode = 0x80;
    m.ringStart = 5;
    m.recordsBeforeTrigger = 4;
  }));
  v.push_back(Valid("directory event with scrambled sections", D, 0, [](OlderModel& m) {
    m.scrambleDirectory = true;
    m.channels[1].number = 150;  // a computation channel
    m.tagSwitch = 1;
    m.messages = {{"Note", {}, m.dataNoBefore + 4, 1, 2, "User"}};
    m.alarms = {{150, 3, 2, {}, {}, m.dataNoBefore + 3, m.dataNoBefore + 3}};
    m.batch = SampleBatch();
    m.groups.resize(3);
    m.groups[1].inUse = false;
    m.groups[2].name = "Third";
    m.groups[2].slots = {150, 7, -1, 0, -1, -1, -1, -1, -1, -1};
  }));
  v.push_back(Valid("directory display every 1000 ms", D, 1, [](OlderModel& m) {
    m.intervalUnit = 3;
    m.interval = 1000;
  }));
  v.push_back(Valid("directory display every 100 ms", D, 1, [](OlderModel& m) {
    m.intervalUnit = 3;
    m.interval = 100;
  }));
  v.push_back(Valid("daylight flags and an invalid alarm off time", F, 0, [](OlderModel& m) {
    m.trigger.dst = 1;
    OlderTime invalid{23, 7, 1, 12, 0, int8_t(0x80), 0, 0};
    m.messages = {{"a", {23, 7, 1, 12, 0, 0, 0, -1}, m.dataNoBefore + 1, 0, 0, ""},
                  {"b", {23, 7, 1, 12, 0, 0, 0, 1}, m.dataNoBefore + 2, 0, 0, ""}};
    m.alarms = {{0, 1, 1, {}, invalid, m.dataNoBefore + 1, m.dataNoBefore + 2}};
  }));
  v.push_back(Valid("position base equal to the number of records", F, 0,
                    [](OlderModel& m) { m.positionBase = 10; }));

  v.push_back(Damaged(
      "207 bytes", D, nullptr, [](OlderFile& f) { f.Truncate(207); }, false));
  v.push_back(Damaged(
      "319-byte fixed layout", F, nullptr, [](OlderFile& f) { f.Truncate(319); }, false));
  v.push_back(Damaged(
      "marks x 0x80", D,
      [](OlderModel& m) {
        m.keepMarks = true;
        m.mark0 = 'x';
        m.mark1 = 0x80;
      },
      nullptr, false));
  v.push_back(Damaged(
      "marks u 0x10", F, [](OlderModel& m) { m.mark1 = 0x10; }, nullptr, false));
  v.push_back(Damaged("magic MR", F, nullptr, Poke(3, 'R'), true));
  v.push_back(Damaged(
      "model 0x02", F, [](OlderModel& m) { m.modelCode = 0x02; }, nullptr, false));
  v.push_back(Damaged(
      "model 0x80 in the directory layout", D, [](OlderModel& m) { m.modelCode = 0x80; }, nullptr, false));
  v.push_back(Damaged(
      "trigger year 38", F, [](OlderModel& m) { m.trigger.year = 38; }, nullptr, false));
  v.push_back(Damaged(
      "trigger year 79", D, [](OlderModel& m) { m.trigger.year = 79; }, nullptr, false));
  v.push_back(Damaged(
      "trigger year 40", F, [](OlderModel& m) { m.trigger.year = 40; }, nullptr, false));
  v.push_back(Damaged("word at 8 not 0", F, nullptr, Be16(8, 1), true));
  v.push_back(Damaged("data kind 2", D, nullptr, Poke(6, 2), true));
  v.push_back(Damaged("no channels", F, nullptr, Be16(84, 0), true));
  v.push_back(Damaged("negative channel count", F, nullptr, Be16(84, 0xFFFF), true));
  v.push_back(Damaged(
      "no records", D, nullptr, [](OlderFile& f) { f.PokeBe32(92, 0); }, true));
  v.push_back(Damaged(
      "header checksum", F, nullptr, [](OlderFile& f) { f.BreakHeaderCrc(); }, false));
  v.push_back(Damaged(
      "data checksum", D, nullptr, [](OlderFile& f) { f.BreakDataCrc(); }, false));
  v.push_back(HighByteFirst("header checksum high byte first", D, true));
  v.push_back(HighByteFirst("data checksum high byte first", F, false));
  v.push_back(Damaged(
      "one byte short", F, nullptr, [](OlderFile& f) { f.Truncate(f.bytes.size() - 1); }, false));
  v.push_back(Damaged(
      "no room for the data checksum", D, nullptr, [](OlderFile& f) { f.Truncate(f.headerCrcAt + 3); },
      false));
  v.push_back(Damaged(
      "ring start equal to the records", F, [](OlderModel& m) { m.ringStart = 10; }, nullptr, false));
  v.push_back(Damaged(
      "value beyond the record", D,
      [](OlderModel& m) {
        m.recordSize = 8;
        m.channels[2].valueOffset = 6;
      },
      nullptr, false));
  v.push_back(Damaged("record size 0", F, nullptr, Be16(86, 0), true));
  v.push_back(Damaged("negative record size", D, nullptr, Be16(86, 0x8000), true));
  v.push_back(Damaged(
      "channel number 60 in the fixed layout", F, [](OlderModel& m) { m.channels[1].number = 60; }, nullptr,
      false));
  v.push_back(Damaged(
      "channel number 270", D, [](OlderModel& m) { m.channels[1].number = 270; }, nullptr, false));
  v.push_back(Damaged(
      "data area beyond the file", D, nullptr,
      [](OlderFile& f) { f.PokeBe32(80, uint32_t(f.dataAreaAt + 2)); }, true, 1));
  v.push_back(Damaged("data area inside the header", F, nullptr, Be16(82, 100), true));
  v.push_back(Damaged("alarm section beyond the file", F, nullptr, Be16(286, 5000), true));
  v.push_back(Damaged(
      "message section beyond the file", D, [](OlderModel& m) { m.messages.resize(1); },
      [](OlderFile& f) { f.PokeBe32(208 + 8, 0x7FFFFFFF); }, true, 1));
  v.push_back(Damaged("message count beyond the file", F, nullptr, Be16(288, 5000), true, 1));
  v.push_back(Damaged(
      "batch section beyond the file", D,
      [](OlderModel& m) {
        m.alarms.clear();
        m.messages.clear();
        m.groups.clear();
        m.batch = OlderBatch{};
      },
      [](OlderFile& f) { f.PokeBe32(208 + 4, 0x7FFFFFF0); }, true, 1));
  v.push_back(Damaged(
      "last data number beyond the records", F, [](OlderModel& m) { m.lastDataNo = 1020; }, nullptr, false,
      1));
  v.push_back(Damaged(
      "last data number before the first", D, [](OlderModel& m) { m.lastDataNo = 999; }, nullptr, false, 1));
  return v;
}

}  // namespace recgen
