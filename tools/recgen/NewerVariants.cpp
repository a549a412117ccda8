// Builds the variant table from the sample model: each corruption touches one thing, and
// structural ones recompute every checksum so that the structure check, not a checksum, fails.
#include "tools/recgen/NewerVariants.h"

#include "tools/recgen/NewerRecorderFile.h"

namespace recgen {

namespace {

NewerVariant Make(std::string name, std::vector<uint8_t> bytes, int block, int iface, int open) {
  return NewerVariant{std::move(name), std::move(bytes), block, iface, open};
}

}  // namespace

std::vector<NewerVariant> NewerVariants() {
  std::vector<NewerVariant> v;
  const NewerFile base = SampleNewerFile(1, false);
  const WrittenNewerFile good = WriteNewerFile(base);
  const NewerFile baseBe = SampleNewerFile(2, true);
  const WrittenNewerFile goodBe = WriteNewerFile(baseBe);

  v.push_back(Make("valid-le-event", good.bytes, 0, 0, 0));
  v.push_back(Make("valid-be-display", goodBe.bytes, 0, 0, 0));

  // Truncations: nothing, less than the first header read, inside the header, inside a block,
  // one byte short of the end.
  for (std::size_t size :
       {std::size_t(0), std::size_t(23), std::size_t(100), good.At("message") + 30, good.bytes.size() - 1}) {
    WrittenNewerFile f = good;
    f.Truncate(size);
    v.push_back(Make("truncated-" + std::to_string(size), f.bytes, 2, 8, 30));
  }

  {
    WrittenNewerFile f = good;
    f.Poke8(3, 'E');
    v.push_back(Make("magic-MRCE", f.bytes, 4, 2, 30));
  }
  {
    WrittenNewerFile f = good;
    f.Poke8(5, 1);
    v.push_back(Make("header-byte5", f.bytes, 4, 2, 30));
  }
  for (uint32_t bit : {24u, 25u, 0u}) {
    WrittenNewerFile f = good;
    f.Poke32(8, 0x03000001u & ~(1u << bit));
    v.push_back(Make("format-word-bit" + std::to_string(bit), f.bytes, 4, 2, 30));
  }
  {
    WrittenNewerFile f = good;
    f.Poke32(12, 0x02010200);
    v.push_back(Make("header-version-over", f.bytes, 5, 2, 30));
  }
  {
    WrittenNewerFile f = good;
    f.Poke32(12, 0x020101FF);
    f.RecomputeCrcs();
    v.push_back(Make("header-version-low-byte", f.bytes, 0, 0, 0));
  }

  // Checksums: every part in both byte orders, and one stored high byte first.
  for (const WrittenNewerFile* src : {&good, &goodBe}) {
    for (const CrcRegion& r : src->regions) {
      WrittenNewerFile f = *src;
      f.BreakCrc(r.name);
      const std::string name = std::string("crc-") + (src == &good ? "le-" : "be-") + r.name;
      if (r.checked)
        v.push_back(Make(name, f.bytes, 14, 12, 32));
      else
        v.push_back(Make(name + "-skipped", f.bytes, 0, 0, 0));
    }
  }
  for (const char* part : {"header", "alarm", "data"}) {
    WrittenNewerFile f = goodBe;
    if (f.StoreCrcHighByteFirst(part))
      v.push_back(Make(std::string("crc-high-byte-first-") + part, f.bytes, 14, 12, 32));
  }

  // Block versions above their limits, and the same versions with only the low byte set.
  struct VersionCase {
    const char* part;
    std::size_t field;  // offset of the version word in the part
    uint32_t over, lowByte;
    int code;
  };
  const VersionCase versions[] = {
      {"channel", 4, 0x01010100, 0x010100FF, 6},   {"group", 4, 0x01000100, 0x010000FF, 7},
      {"message", 4, 0x01000200, 0x010001FF, 8},   {"batch", 4, 0x01000100, 0x010000FF, 9},
      {"datainfo", 4, 0x01000100, 0x010000FF, 10}, {"alarm", 4, 0x01000200, 0x010001FF, 11},
      {"data", 4, 0x01000100, 0x010000FF, 12},     {"tagged0", 8, 0x01000100, 0x010000FF, 16}};
  for (const VersionCase& c : versions) {
    WrittenNewerFile over = good;
    over.Poke32(good.At(c.part) + c.field, c.over);
    over.RecomputeCrcs();
    v.push_back(Make(std::string("version-over-") + c.part, over.bytes, c.code, 2, 30));
    WrittenNewerFile low = good;
    low.Poke32(good.At(c.part) + c.field, c.lowByte);
    low.RecomputeCrcs();
    v.push_back(Make(std::string("version-low-byte-") + c.part, low.bytes, 0, 0, 0));
  }

  // Structural corruptions with every checksum recomputed: refused as a bad file.
  auto structural = [&](const std::string& name, auto change) {
    WrittenNewerFile f = good;
    change(f);
    f.RecomputeCrcs();
    v.push_back(Make("structure-" + name, f.bytes, 4, 2, 30));
  };
  structural("header-length-217", [](WrittenNewerFile& f) { f.Poke32(20, 217); });
  structural("header-length-26", [](WrittenNewerFile& f) { f.Poke32(20, 26); });
  structural("channel-count-plus-one", [&](WrittenNewerFile& f) {
    f.Poke32(good.At("channel") + 12, uint32_t(base.channels.size() + 1));
  });
  structural("channel-number-500", [&](WrittenNewerFile& f) { f.Poke16(good.At("channel") + 24 + 4, 500); });
  structural("channel-number-negative",
             [&](WrittenNewerFile& f) { f.Poke16(good.At("channel") + 24 + 4, 0xFFFF); });
  structural("value-offset-beyond-record", [&](WrittenNewerFile& f) {
    f.Poke16(good.At("channel") + 24 + 88 * 3 + 42, uint16_t(base.RecordSize() - 2));
  });
  structural("group-count-65", [&](WrittenNewerFile& f) { f.Poke32(good.At("group") + 12, 65); });
  structural("message-count-huge",
             [&](WrittenNewerFile& f) { f.Poke32(good.At("message") + 12, 0x7FFFFFFF); });
  structural("alarm-count-plus-one",
             [&](WrittenNewerFile& f) { f.Poke32(good.At("alarm") + 12, uint32_t(base.alarms.size() + 1)); });
  structural("block-length-zero", [&](WrittenNewerFile& f) { f.Poke32(good.At("group"), 0); });
  {
    // A length beyond the end of the file reads short, as a truncated file does.
    WrittenNewerFile f = good;
    f.Poke32(good.At("message"), 0x7FFFFFF0);
    f.RecomputeCrcs();
    v.push_back(Make("structure-block-length-huge", f.bytes, 2, 8, 30));
  }
  structural("datainfo-items-beyond-block",
             [&](WrittenNewerFile& f) { f.Poke16(good.At("datainfo") + 72, 200); });
  structural("datainfo-offset-wrong",
             [&](WrittenNewerFile& f) { f.Poke32(16, uint32_t(good.At("datainfo") + 4)); });
  structural("record-size-4", [&](WrittenNewerFile& f) { f.Poke32(good.At("data") + 8, 4); });
  structural("record-count-beyond-data", [&](WrittenNewerFile& f) {
    f.Poke32(good.At("datainfo") + 64, uint32_t(base.records.size() + 1));
  });
  structural("list-entry-size-4", [&](WrittenNewerFile& f) { f.Poke32(good.At("tagged3") + 20, 4); });
  structural("text-column-too-wide", [&](WrittenNewerFile& f) { f.Poke32(good.At("tagged5") + 24, 25); });
  structural("string-size-zero-count-huge", [&](WrittenNewerFile& f) {
    f.Poke32(good.At("tagged0") + 16, 0xFFFFFFF0u);
    f.Poke32(good.At("tagged0") + 20, 0);
  });
  structural("text-columns-empty-rows-huge", [&](WrittenNewerFile& f) {
    f.Poke32(good.At("tagged5") + 16, 0xFFFFFFF0u);
    f.Poke32(good.At("tagged5") + 24, 0);
    f.Poke32(good.At("tagged5") + 28, 0);
  });
  structural("text-rows-times-row-size-wraps", [&](WrittenNewerFile& f) {
    // Four columns of 1, 1, 2^32-1 and 2^32-1 bytes make a row of 2^33 bytes; 2^31 such rows
    // are 2^64 bytes, which wraps to nothing in 64-bit arithmetic.
    const std::size_t t = good.At("tagged5");
    f.Poke32(t + 16, 0x80000000u);
    f.Poke32(t + 20, 4);
    f.Poke32(t + 24, 1);
    f.Poke32(t + 28, 1);
    f.Poke32(t + 32, 0xFFFFFFFFu);
    f.Poke32(t + 36, 0xFFFFFFFFu);
  });
  {
    // A batch block of 800 bytes with its own checksum.
    NewerFile m = base;
    m.batch.length = 800;
    v.push_back(Make("structure-batch-length-800", WriteNewerFile(m).bytes, 4, 2, 30));
  }
  {
    // An unknown sub-block whose length is 0 would never advance.
    NewerFile m = base;
    NewerTagged zero;
    zero.kind = NewerTagged::Unknown;
    zero.lengthOverride = 0;
    m.tagged.insert(m.tagged.begin(), zero);
    v.push_back(Make("structure-tagged-length-zero", WriteNewerFile(m).bytes, 4, 2, 30));
  }
  {
    // Without the end marker the data-information block is taken for a sub-block prefix.
    NewerFile m = base;
    m.taggedEndMarker = false;
    v.push_back(Make("structure-tagged-no-end-marker", WriteNewerFile(m).bytes, 4, 2, 30));
  }
  {
    NewerFile m = base;
    m.tagged.clear();
    v.push_back(Make("tagged-end-marker-only", WriteNewerFile(m).bytes, 0, 0, 0));
  }
  return v;
}

}  // namespace recgen
