// Generator of older-format recorder files (.DEV event data, .DDS display data) for tests,
// fuzzing and benchmarks. A small model is serialised byte by byte into either header layout
// (the 320-byte fixed layout or the 208-byte header with a section directory); the model is the
// oracle the readers are compared with. The result remembers where its parts lie, so that tests
// can corrupt one field and recompute or break a checksum.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recgen {

enum class OlderLayout { Fixed, Directory };

// The 8-byte time record: two-digit year, month, day, hour, minute, second (0x80 or more marks
// the record invalid), eighths of a second and the signed daylight-saving flag.
struct OlderTime {
  int8_t year = 23, month = 7, day = 1, hour = 12, minute = 0, second = 0, eighths = 0, dst = 0;
};

struct OlderChannel {
  int32_t scaleLower = 0, scaleUpper = 1000;  // raw scale ends
  int16_t spanLower = 0, spanUpper = 1000;    // raw sample span
  int16_t number = 0;                         // counted from 0
  int16_t valueOffset = -1;                   // -1: packed after the previous channel
  uint8_t type = 0;                           // 6: computed, 32-bit samples
  uint8_t scaleKind = 0;                      // 3 logarithmic, 1 linear with scaling
  uint8_t decimals = 1;
  std::string unit = "V";
  std::string tag = "TAG";
  uint8_t colour = 0;
  uint8_t switchOn = 0;
  int16_t lowerExponent = 0, upperExponent = 0;
  bool Wide() const { return (type & 0x7F) == 6; }
};

struct OlderAlarm {
  int16_t channel = 0;  // channel number
  uint8_t level = 0;    // 0..3
  uint8_t type = 1;
  OlderTime onTime, offTime;
  uint32_t onDataNo = 0, offDataNo = 0;  // 0: none / still on at the end
};

struct OlderMessage {
  std::string text;
  OlderTime time;
  uint32_t dataNo = 0;
  uint8_t numberMinus1 = 0;
  uint8_t attribute = 0;
  std::string user;
};

struct OlderBatch {
  uint8_t startLevel = 1;
  std::string startUser;
  uint8_t stopLevel = 2;
  std::string stopUser;
  uint8_t infoPresent = 1;
  std::array<std::string, 3> texts;
  std::string batchNo;
  int16_t lot = -1;
  std::string commentAuthor;
  std::array<std::string, 3> comments;
  OlderTime commentTime;
};

struct OlderGroup {
  bool inUse = true;  // directory layout only
  std::string name;
  std::array<int16_t, 10> slots{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};  // channel numbers
  std::array<uint8_t, 4> tripOn{};
  std::array<int16_t, 4> tripPos{};
};

struct OlderModel {
  OlderLayout layout = OlderLayout::Fixed;
  uint8_t mark0 = 'u', mark1 = 0x20;  // Directory layout forces 'u' 0x80 unless overridden
  bool keepMarks = false;             // write mark0/mark1 as given even for the directory layout
  uint8_t modelCode = 0x00;
  uint8_t kind = 0;  // 0 event, 1 display
  int16_t word10 = 0x1234;
  std::string serial = "ABC123456";
  std::string headerText = "Header text";
  uint32_t dataNoBefore = 1000;          // data number before the first record
  std::optional<uint32_t> lastDataNo;    // default: before + records
  std::optional<uint32_t> positionBase;  // default: before + records
  uint8_t clockChanges = 0;
  uint8_t stopFactor = 0, startFactor = 0;
  uint32_t ringStart = 0;
  uint32_t recordsBeforeTrigger = 0;
  uint8_t intervalUnit = 0;  // 3 milliseconds, else seconds
  int16_t interval = 1;
  OlderTime trigger;
  int16_t recordSize = 0;  // 0: the packed size of the channels
  uint8_t tagSwitch = 0, byte185 = 1, count186 = 0, unit187 = 0;
  std::vector<OlderChannel> channels;
  std::vector<OlderAlarm> alarms;
  std::vector<OlderMessage> messages;
  std::optional<OlderBatch> batch;
  std::vector<OlderGroup> groups;  // fixed: the first 4; directory: the section entries
  // Samples in time order: per record one value per channel (event data) or a minimum and a
  // maximum per channel (display data), in channel order.
  std::vector<std::vector<int32_t>> records;
  // Directory layout: write the sections in reverse order, add a stale message entry that a
  // later one replaces, and an entry of an unknown type.
  bool scrambleDirectory = false;

  // Large files: when non-zero, that many records of SampleOlderModel's value pattern are
  // written instead of records (which then stays empty).
  uint32_t patternRecords = 0;

  uint32_t RecordCount() const { return patternRecords ? patternRecords : uint32_t(records.size()); }
  int ValueWidth(const OlderChannel& c) const { return (c.Wide() ? 4 : 2) * (kind == 1 ? 2 : 1); }
};

// A generated file and where its parts lie.
struct OlderFile {
  OlderLayout layout = OlderLayout::Fixed;
  std::vector<uint8_t> bytes;
  std::size_t headerCrcAt = 0;  // the stored header checksum (2 bytes)
  std::size_t channelTableAt = 0;
  std::size_t alarmsAt = 0, messagesAt = 0, batchAt = 0, groupsAt = 0;  // 0: absent
  std::size_t dataAreaAt = 0;
  uint32_t recordSize = 0;

  // Both checksums over the current bytes.
  void RecomputeCrcs();
  void BreakHeaderCrc();  // flips one bit of the stored header checksum
  void BreakDataCrc();
  // Stores a correct checksum high byte first; returns false when both bytes are equal (the
  // variant then proves nothing).
  bool StoreHeaderCrcHighByteFirst();
  bool StoreDataCrcHighByteFirst();
  void Truncate(std::size_t size) { bytes.resize(size); }
  void Poke8(std::size_t at, uint8_t v) { bytes.at(at) = v; }
  void PokeBe16(std::size_t at, uint16_t v);
  void PokeBe32(std::size_t at, uint32_t v);
  // The file offset of record k (time order) given the ring start of the model.
  std::size_t RecordAt(uint32_t slot) const { return dataAreaAt + std::size_t(slot) * recordSize; }
  bool WriteTo(const std::string& path) const;
};

// Serialises the model; channel value offsets of -1 are packed in channel order.
OlderFile WriteOlder(const OlderModel& model);

// A small valid model: three channels (one computed), n records of a simple pattern.
OlderModel SampleOlderModel(OlderLayout layout, uint8_t kind, uint32_t records = 10);
// The values of record k in that pattern.
std::vector<int32_t> SampleOlderValues(uint8_t kind, uint32_t k);

}  // namespace recgen
