// CompoundDocument: wraps the Workbook stream into a compound document (version 3, 512-byte
// sectors, no mini stream) in one pass front to back.
//
// The stream lies directly behind the 512 bytes kept for the header; then come the two
// property-set streams of 4096 bytes, the DIFAT sectors (only when the allocation table needs
// more than the 109 sectors the header can list), the allocation-table (FAT) sectors and one
// directory sector. All sizes are known before the tables are written, so the number of FAT
// sectors is worked out in advance.
#pragma once
#include <cstdint>

#include "sheetwright/WorkFile.h"

namespace sheetwright {

struct CompoundLayout {
  uint64_t paddedStreamBytes = 0;  // W
  uint32_t streamSectors = 0;      // w
  uint32_t dataSectors = 0;        // D = w + 16
  uint32_t difatSectors = 0;       // X
  uint32_t fatSectors = 0;         // F
  uint32_t DirectorySector() const { return dataSectors + difatSectors + fatSectors; }
  uint64_t FileBytes() const { return 512 * (uint64_t(DirectorySector()) + 2); }
};

// The stream padded with zeros to a multiple of 512 and to at least 4096 bytes.
uint64_t PaddedStreamBytes(uint64_t streamBytes);
CompoundLayout ComputeLayout(uint64_t streamBytes);

// out holds 512 reserved bytes and the Workbook stream of streamBytes; pads the stream, appends
// the other streams, the tables and the directory, then writes the header at offset 0.
bool WriteCompoundDocument(WorkFile& out, uint64_t streamBytes);

}  // namespace sheetwright
