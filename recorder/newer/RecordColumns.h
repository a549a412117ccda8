// RecordColumns: every value field of one record range, decoded in one pass over its records and
// kept column by column. A newer file's record holds one value (or a minimum and a maximum) of
// every channel; a caller that reads all channels of a range would otherwise walk the range's
// records once per channel, taking a few bytes of each. With the columns, the records are read
// and decoded once and each channel's values are a contiguous copy.
//
// Fields are kept at their width (16 or 32 bits) and come out sign-extended to 32 bits. The
// record times are kept as their eight raw bytes (their reading may depend on the time zone)
// and, where the file gives them in seconds, also decoded.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/BulkArena.h"

class RecordColumns {
 public:
  // A value field: size bytes (2 or 4) at offset in every record.
  struct Field {
    int offset = 0;
    int size = 0;
  };

  // Decoded bytes a range of count records takes; ranges whose columns would exceed
  // kBytesLimit are not kept.
  static constexpr std::size_t kBytesLimit = 64u << 20;
  static std::size_t BytesFor(const std::vector<Field>& fields, int64_t count);

  // Starts the columns of records [start, start + count): fields in the given order, times
  // decoded from seconds when secondsTimes. False when memory runs out (the columns are empty).
  bool Reset(const std::vector<Field>& fields, int64_t start, int64_t count, bool secondsTimes,
             bool bigEndian);
  // Decodes n records of rs bytes each, the first being record `at` of the range.
  void Decode(const uint8_t* records, std::size_t rs, int64_t at, int64_t n);
  void Clear();

  bool Covers(int64_t start, int64_t count) const {
    return count_ > 0 && start >= start_ && count >= 0 && start + count <= start_ + count_;
  }
  // Field f of records [start, start + count), which Covers.
  void CopyValues(int f, int64_t start, int64_t count, int32_t* out) const;
  // The eight time bytes of record `record`, which Covers.
  const uint8_t* TimeBytes(int64_t record) const { return &times_[std::size_t(record - start_) * 8]; }
  // Decoded times (only when Reset with secondsTimes).
  void CopyTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds) const;

 private:
  template <bool kBigEndian>
  void DecodeAs(const uint8_t* records, std::size_t rs, int64_t at, int64_t n);

  std::vector<Field> fields_;
  std::vector<std::size_t> fieldAt_;  // where each field's column starts in short_ or int_
  // The columns are large and filled at once: they live in an arena of large pages, replaced as
  // a whole when a range needs more room.
  template <class T>
  using Store = std::vector<T, vt::BulkAllocator<T>>;
  std::unique_ptr<vt::BulkArena> arena_;
  Store<int16_t> short_;  // the columns of the 16-bit fields, one after another
  Store<int32_t> int_;    // those of the 32-bit fields
  Store<uint8_t> times_;  // eight bytes per record
  Store<int32_t> seconds_, milliseconds_;
  int64_t start_ = 0;
  int64_t count_ = 0;
  bool secondsTimes_ = false;
  bool bigEndian_ = false;
};
