// FuzzChecksums: see FuzzChecksums.h. The walks follow the block order of the two formats
// (header, fixed blocks, tagged sub-blocks, data information, alarms, data) and the places of
// their length words; they never read or write outside the input.
#include "tools/fuzz/FuzzChecksums.h"

#include "platform/base/ByteOrder.h"
#include "recorder/RecorderCrc.h"

namespace vtfuzz {

namespace {

// Writes the checksum of [at, at + length - 2) into its last two bytes (low byte first).
bool Seal(uint8_t* data, std::size_t size, uint64_t at, uint64_t length) {
  if (length < 2 || at > size || length > size - at) return false;
  const uint16_t crc = RecorderCrc16(data + at, std::size_t(length - 2));
  data[at + length - 2] = uint8_t(crc);
  data[at + length - 1] = uint8_t(crc >> 8);
  return true;
}

}  // namespace

void FixNewerChecksums(uint8_t* data, std::size_t size) {
  if (size < 216) return;
  const bool be = data[6] != 0;
  auto u32 = [&](uint64_t at) -> uint64_t { return at + 4 <= size ? vt::Load32(data + at, be) : ~0ull; };
  Seal(data, size, 0, 216);
  const bool tagged = vt::Load32(data + 208, be) != 0;
  uint64_t pos = 216;
  for (int block = 0; block < 4; ++block) {  // channels, groups, messages, batch
    const uint64_t length = u32(pos);
    if (length < 26 || !Seal(data, size, pos, length)) return;
    pos += length;
  }
  if (tagged) {
    for (int guard = 0; guard < 4096; ++guard) {
      const uint64_t length = u32(pos), type = u32(pos + 4);
      if (type == 0x1FFFFFF) {
        pos += 16;
        break;
      }
      if (length < 16 || length == ~0ull) return;
      if (type >= 0x1000001 && type <= 0x1000004) Seal(data, size, pos, length);
      pos += length;
    }
  }
  const uint64_t infoLength = u32(pos + 8);  // the data information has its length third
  if (infoLength < 114 || !Seal(data, size, pos, infoLength)) return;
  pos += infoLength;
  const uint64_t alarmLength = u32(pos);
  if (alarmLength < 26 || !Seal(data, size, pos, alarmLength)) return;
  pos += alarmLength;
  const uint64_t dataLength = u32(pos);
  if (dataLength >= 18) Seal(data, size, pos, dataLength);
}

void FixOlderChecksums(uint8_t* data, std::size_t size) {
  if (size < 212) return;
  std::size_t header = 0;
  if ((data[0] == 'u' || data[0] == 'x') && data[1] != 0x80)
    header = 320;
  else if (data[1] == 0x80)
    header = 208 + 16 * std::size_t(vt::LoadBe16(data + 206)) + 4;
  if (header == 0 || size < header + 2) return;
  Seal(data, size, 0, header);
  // The data checksum covers everything between the header and the file's last two bytes.
  uint16_t crc = RecorderCrc16(data + header, size - 2 - header);
  data[size - 2] = uint8_t(crc);
  data[size - 1] = uint8_t(crc >> 8);
}

}  // namespace vtfuzz
