// The library's internal result codes. They never reach a caller (who sees a null handle, -1 or
// 0), but each decides what is cleaned up: some leave the workbook usable, the others discard it
// with all its work files.
#pragma once
#include <cstdint>

namespace sheetwright {

enum ResultCode : uint32_t {
  kOk = 0,
  kUnsupportedCodePage = 0x80000001,
  kBadDestination = 0x80000003,
  kWorkbookFileFailed = 0x80000004,
  kWorkFolderFailed = 0x80000005,
  kStringFileFailed = 0x80000006,
  kAssemblyFailed = 0x80000007,
  kStringHeaderFailed = 0x80000008,
  kBadSheetName = 0x80000009,
  kCellFileFailed = 0x8000000A,
  kCellHeaderFailed = 0x8000000B,
  kTooManySheets = 0x8000000C,
  kBadStringCell = 0x8000000D,
  kStringCellWriteFailed = 0x8000000E,
  kBadNumberCell = 0x8000000F,
  kNumberCellWriteFailed = 0x80000010,
  kBadTime = 0x80000011,
  kBadDate = 0x80000012,
  kNoSheets = 0x80000013,
  kDestinationMissing = 0x80000014,
  kTempFolderMissing = 0x80000015,
};

// Whether a failure with this code discards the workbook (work files deleted, handle freed).
constexpr bool DiscardsWorkbook(uint32_t code) {
  switch (code) {
    case kWorkbookFileFailed:
    case kWorkFolderFailed:
    case kStringFileFailed:
    case kAssemblyFailed:
    case kStringHeaderFailed:
    case kCellFileFailed:
    case kCellHeaderFailed:
    case kStringCellWriteFailed:
    case kNumberCellWriteFailed:
    case kNoSheets:
    case kDestinationMissing:
      return true;
    default:
      return false;
  }
}

}  // namespace sheetwright
