// CompoundDocument: layout and writing of the compound document (see CompoundDocument.h).
#include "sheetwright/CompoundDocument.h"

#include <algorithm>
#include <cassert>
#include <string_view>
#include <vector>

#include "platform/base/ByteOrder.h"

namespace sheetwright {

namespace {

constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kPropertySectors = 8;  // 4096 bytes each
constexpr uint32_t kHeaderFatEntries = 109;
constexpr uint32_t kEntriesPerSector = 128;

uint32_t DifatFor(uint32_t fat) {
  return fat <= kHeaderFatEntries ? 0 : (fat - kHeaderFatEntries + 126) / 127;
}

bool WriteSectorOfEntries(WorkFile& out, const std::vector<uint32_t>& entries) {
  uint8_t sector[512];
  for (uint32_t i = 0; i < kEntriesPerSector; ++i) vt::StoreLe32(sector + 4 * i, entries[i]);
  return out.Write(sector, sizeof sector);
}

void PropertySetHead(uint8_t* head, const uint8_t formatId[16]) {
  std::fill(head, head + 512, 0);
  vt::StoreLe16(head, 0xFFFE);
  vt::StoreLe16(head + 2, 0);
  vt::StoreLe32(head + 4, 0x00020105);
  vt::StoreLe32(head + 24, 1);
  std::copy(formatId, formatId + 16, head + 28);
  vt::StoreLe32(head + 44, 48);
}

void DirectoryEntry(uint8_t* e, std::u16string_view name, uint8_t type, uint32_t left, uint32_t right,
                    uint32_t child, const uint8_t* classId, uint32_t start, uint32_t size) {
  std::fill(e, e + 128, 0);
  for (std::size_t i = 0; i < name.size(); ++i) vt::StoreLe16(e + 2 * i, uint16_t(name[i]));
  vt::StoreLe16(e + 64, uint16_t(2 * (name.size() + 1)));
  e[66] = type;
  e[67] = 1;  // black
  vt::StoreLe32(e + 68, left);
  vt::StoreLe32(e + 72, right);
  vt::StoreLe32(e + 76, child);
  if (classId) std::copy(classId, classId + 16, e + 80);
  vt::StoreLe32(e + 116, start);
  vt::StoreLe32(e + 120, size);
}

}  // namespace

uint64_t PaddedStreamBytes(uint64_t streamBytes) {
  uint64_t padded = (streamBytes + 511) / 512 * 512;
  return std::max<uint64_t>(padded, 4096);
}

CompoundLayout ComputeLayout(uint64_t streamBytes) {
  CompoundLayout layout;
  layout.paddedStreamBytes = PaddedStreamBytes(streamBytes);
  layout.streamSectors = uint32_t(layout.paddedStreamBytes / 512);
  layout.dataSectors = layout.streamSectors + 2 * kPropertySectors;
  // Every sector of the file has a FAT entry, the FAT, DIFAT and directory sectors included.
  // A FAT sector leaves at most 127 entries for the other sectors, so the search starts at
  // that bound and takes a few steps at most (the check runs for every cell written).
  uint32_t fat = std::max<uint32_t>(1, (layout.dataSectors + 1 + 126) / 127);
  while (uint64_t(kEntriesPerSector) * fat < uint64_t(layout.dataSectors) + DifatFor(fat) + fat + 1) ++fat;
  layout.fatSectors = fat;
  layout.difatSectors = DifatFor(fat);
  return layout;
}

bool WriteCompoundDocument(WorkFile& out, uint64_t streamBytes) {
  assert(out.Size() == 512 + streamBytes);
  const CompoundLayout layout = ComputeLayout(streamBytes);
  const uint32_t w = layout.streamSectors;
  const uint32_t D = layout.dataSectors;
  const uint32_t X = layout.difatSectors;
  const uint32_t F = layout.fatSectors;
  const uint32_t directory = layout.DirectorySector();

  // Padding of the Workbook stream.
  std::vector<uint8_t> zeros(64 * 1024, 0);
  uint64_t padding = layout.paddedStreamBytes - streamBytes;
  while (padding > 0) {
    std::size_t n = std::size_t(std::min<uint64_t>(padding, zeros.size()));
    if (!out.Write(zeros.data(), n)) return false;
    padding -= n;
  }

  // SummaryInformation and DocumentSummaryInformation: one empty section each.
  static constexpr uint8_t kSummaryId[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                             0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
  static constexpr uint8_t kDocumentSummaryId[16] = {0x02, 0xD5, 0xCD, 0xD5, 0x9C, 0x2E, 0x1B, 0x10,
                                                     0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE};
  for (const uint8_t* id : {kSummaryId, kDocumentSummaryId}) {
    uint8_t head[512];
    PropertySetHead(head, id);
    if (!out.Write(head, sizeof head)) return false;
    if (!out.Write(zeros.data(), 7 * 512)) return false;
  }

  std::vector<uint32_t> entries(kEntriesPerSector);
  // DIFAT sectors: the FAT sector numbers the header cannot hold, 127 to a sector, each full
  // sector chained to the next; the last ends the chain.
  for (uint32_t d = 0; d < X; ++d) {
    std::fill(entries.begin(), entries.end(), kFree);
    for (uint32_t i = 0; i < 127; ++i) {
      uint32_t fatIndex = kHeaderFatEntries + 127 * d + i;
      if (fatIndex >= F) break;
      entries[i] = D + X + fatIndex;
    }
    entries[127] = d + 1 < X ? D + d + 1 : kEndOfChain;
    if (!WriteSectorOfEntries(out, entries)) return false;
  }

  // FAT: the three stream chains, then the DIFAT, FAT and directory sectors, the rest free.
  auto fatEntry = [&](uint32_t s) -> uint32_t {
    if (s < w) return s + 1 < w ? s + 1 : kEndOfChain;
    if (s < D) {
      uint32_t inStream = (s - w) % kPropertySectors;
      return inStream + 1 < kPropertySectors ? s + 1 : kEndOfChain;
    }
    if (s < D + X) return kDifatSector;
    if (s < D + X + F) return kFatSector;
    if (s == directory) return kEndOfChain;
    return kFree;
  };
  for (uint32_t f = 0; f < F; ++f) {
    for (uint32_t i = 0; i < kEntriesPerSector; ++i) entries[i] = fatEntry(f * kEntriesPerSector + i);
    if (!WriteSectorOfEntries(out, entries)) return false;
  }

  // Directory: the root, the Workbook stream and the two property sets.
  static constexpr uint8_t kRootClass[16] = {0x20, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                             0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  uint8_t dir[512];
  const uint32_t recordedSize = uint32_t(std::max<uint64_t>(streamBytes, 4096));
  DirectoryEntry(dir, u"Root Entry", 5, kFree, kFree, 2, kRootClass, kEndOfChain, 0);
  DirectoryEntry(dir + 128, u"Workbook", 2, kFree, kFree, kFree, nullptr, 0, recordedSize);
  DirectoryEntry(dir + 256, u"SummaryInformation", 2, 1, 3, kFree, nullptr, w, 4096);
  DirectoryEntry(dir + 384, u"DocumentSummaryInformation", 2, kFree, kFree, kFree, nullptr, w + 8, 4096);
  if (!out.Write(dir, sizeof dir)) return false;
  assert(out.Size() == layout.FileBytes());

  // Header over the reserved bytes.
  uint8_t header[512] = {};
  static constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(kSignature, kSignature + 8, header);
  vt::StoreLe16(header + 0x18, 0x003E);
  vt::StoreLe16(header + 0x1A, 3);
  vt::StoreLe16(header + 0x1C, 0xFFFE);
  vt::StoreLe16(header + 0x1E, 9);
  vt::StoreLe16(header + 0x20, 6);
  vt::StoreLe32(header + 0x28, 0);
  vt::StoreLe32(header + 0x2C, F);
  vt::StoreLe32(header + 0x30, directory);
  vt::StoreLe32(header + 0x34, 0);
  vt::StoreLe32(header + 0x38, 4096);
  vt::StoreLe32(header + 0x3C, kEndOfChain);
  vt::StoreLe32(header + 0x40, 0);
  vt::StoreLe32(header + 0x44, X > 0 ? D : kEndOfChain);
  vt::StoreLe32(header + 0x48, X);
  for (uint32_t i = 0; i < kHeaderFatEntries; ++i)
    vt::StoreLe32(header + 0x4C + 4 * i, i < F ? D + X + i : kFree);
  return out.WriteAt(0, header, sizeof header);
}

}  // namespace sheetwright
