// Test access to the library's inside: the result code of the last call, the work folder of an
// open workbook and lower size limits. Not exported from the shared library; tests link the
// library's objects directly.
#pragma once
#include <cstdint>
#include <string>

#include "sheetwright/Sheetwright.h"

namespace sheetwright {

// The internal result code of the most recent exported call (0 for success).
uint32_t LastResultCode();
// The work folder of an open workbook ("" for a handle that is not open).
std::string WorkFolderOf(ExcelWorkbook* workbook);
// Lowers (or restores, with Workbook::kStreamLimit) the largest Workbook stream allowed.
void SetStreamLimitForTesting(uint64_t bytes);
// Lowers (or restores, with Workbook::kFileLimit) the largest workbook file allowed.
void SetFileLimitForTesting(uint64_t bytes);
// Forgets the code-page choice, as if the library had just been loaded.
void ResetCodePageForTesting();

}  // namespace sheetwright
