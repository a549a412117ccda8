// The exported functions: the pool of ten workbooks, handles, the code-page choice and the
// clean-up that each result code asks for.
//
// Every call holds one library-wide lock, so workbooks may be written from several threads.
// A handle carries the slot and the generation of the workbook it was issued for; the slot of a
// closed workbook can be handed out again without an old handle reaching the new workbook.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/base/CriticalSection.h"
#include "platform/base/FileSystem.h"
#include "sheetwright/ResultCodes.h"
#include "sheetwright/Sheetwright.h"
#include "sheetwright/Testing.h"
#include "sheetwright/TextConverter.h"
#include "sheetwright/Workbook.h"

namespace sheetwright {

namespace {

constexpr int kSlots = 10;
constexpr std::size_t kMinDestination = 6;
constexpr std::size_t kMaxDestination = 218;

struct Slot {
  std::unique_ptr<Workbook> workbook;
  uint64_t generation = 0;
};

struct Library {
  vt::CriticalSection lock;
  Slot slots[kSlots];
  uint64_t nextGeneration = 1;
  TextConverter text;
  uint32_t lastCode = kOk;
};

Library g_library;

Library& Lib() { return g_library; }

class Locked {
 public:
  Locked() { Lib().lock.Enter(); }
  ~Locked() { Lib().lock.Leave(); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

// Handles are never dereferenced: the low four bits hold slot + 1, the rest the generation.
ExcelWorkbook* MakeHandle(int slot, uint64_t generation) {
  return reinterpret_cast<ExcelWorkbook*>(static_cast<uintptr_t>((generation << 4) | uint64_t(slot + 1)));
}

Slot* Resolve(ExcelWorkbook* handle) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  int slot = int(value & 0xF) - 1;
  if (slot < 0 || slot >= kSlots) return nullptr;
  Slot& s = Lib().slots[slot];
  if (!s.workbook || uint64_t(value >> 4) != (s.generation & (~uintptr_t(0) >> 4))) return nullptr;
  return &s;
}

// Records the result and discards the workbook when the code asks for it.
void Finish(Slot& slot, uint32_t code) {
  Lib().lastCode = code;
  if (DiscardsWorkbook(code)) {
    slot.workbook->Discard();
    slot.workbook.reset();
  }
}

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? std::string(tmp) : std::string("/tmp");
}

template <typename Write>
int CellCall(ExcelWorkbook* handle, Write write) {
  Locked lock;
  Slot* slot = Resolve(handle);
  if (!slot) return 0;
  uint32_t code = write(*slot->workbook);
  Finish(*slot, code);
  return code == kOk ? 1 : 0;
}

}  // namespace

uint32_t LastResultCode() {
  Locked lock;
  return Lib().lastCode;
}

std::string WorkFolderOf(ExcelWorkbook* workbook) {
  Locked lock;
  Slot* slot = Resolve(workbook);
  return slot ? slot->workbook->WorkFolder() : std::string();
}

void SetStreamLimitForTesting(uint64_t bytes) { Workbook::SetStreamLimitForTesting(bytes); }

void SetFileLimitForTesting(uint64_t bytes) { Workbook::SetFileLimitForTesting(bytes); }

void ResetCodePageForTesting() {
  Locked lock;
  Lib().text = TextConverter();
}

}  // namespace sheetwright

using namespace sheetwright;

extern "C" {

int excel_select_codepage(int codePage) {
  Locked lock;
  int previous = 0;
  if (!Lib().text.Select(codePage, previous)) {
    Lib().lastCode = kUnsupportedCodePage;
    return EXCEL_UNSUPPORTED_CODEPAGE;
  }
  Lib().lastCode = kOk;
  return previous;
}

ExcelWorkbook* excel_create_file(const char* destination) {
  Locked lock;
  Library& lib = Lib();
  std::size_t length = destination ? std::strlen(destination) : 0;
  if (length < kMinDestination || length > kMaxDestination) {
    lib.lastCode = kBadDestination;
    return nullptr;
  }
  std::string temp = TempFolder();
  if (!vt::FolderExists(temp)) {
    lib.lastCode = kTempFolderMissing;
    return nullptr;
  }
  int free = -1;
  for (int i = 0; i < kSlots && free < 0; ++i)
    if (!lib.slots[i].workbook) free = i;
  if (free < 0) return nullptr;  // all slots in use: no result code

  Slot& slot = lib.slots[free];
  slot.workbook = std::make_unique<Workbook>();
  slot.generation = lib.nextGeneration++;
  uint32_t code = slot.workbook->Create(destination, temp);
  lib.lastCode = code;
  if (code != kOk) {
    slot.workbook->Discard();
    slot.workbook.reset();
    return nullptr;
  }
  return MakeHandle(free, slot.generation);
}

int excel_add_sheet(ExcelWorkbook* workbook, const char* name) {
  Locked lock;
  Slot* slot = Resolve(workbook);
  if (!slot) return -1;
  std::u16string converted;
  if (!name || !Lib().text.ToUtf16(name, converted)) converted.assign(1, u' ');
  int index = -1;
  uint32_t code = slot->workbook->AddSheet(converted, index);
  Finish(*slot, code);
  return code == kOk ? index : -1;
}

int excel_input_string(ExcelWorkbook* workbook, int sheet, int row, int column, const char* text) {
  return CellCall(workbook, [&](Workbook& w) {
    std::u16string converted;
    if (!text || !Lib().text.ToUtf16(text, converted)) converted.assign(1, u' ');
    return w.WriteString(sheet, row, column, converted);
  });
}

int excel_input_value(ExcelWorkbook* workbook, int sheet, int row, int column, double value, int decimals) {
  return CellCall(workbook,
                  [&](Workbook& w) { return w.WriteNumber(sheet, row, column, value, decimals, false); });
}

int excel_input_exp(ExcelWorkbook* workbook, int sheet, int row, int column, double value, int decimals) {
  return CellCall(workbook,
                  [&](Workbook& w) { return w.WriteNumber(sheet, row, column, value, decimals, true); });
}

int excel_input_date(ExcelWorkbook* workbook, int sheet, int row, int column, int year, int month, int day,
                     int format) {
  return CellCall(workbook,
                  [&](Workbook& w) { return w.WriteDate(sheet, row, column, year, month, day, format); });
}

int excel_input_time(ExcelWorkbook* workbook, int sheet, int row, int column, int hour, int minute,
                     int second, int reserved) {
  return CellCall(
      workbook, [&](Workbook& w) { return w.WriteTime(sheet, row, column, hour, minute, second, reserved); });
}

int excel_input_datetime(ExcelWorkbook* workbook, int sheet, int row, int column, int year, int month,
                         int day, int hour, int minute, int second, int format) {
  return CellCall(workbook, [&](Workbook& w) {
    return w.WriteDateTime(sheet, row, column, year, month, day, hour, minute, second, format);
  });
}

void excel_close_file(ExcelWorkbook* workbook) {
  Locked lock;
  Slot* slot = Resolve(workbook);
  if (!slot) return;
  uint32_t code = slot->workbook->Close();
  Lib().lastCode = code;
  // Whatever the outcome, the workbook is finished: nothing of it stays behind.
  slot->workbook->Discard();
  slot->workbook.reset();
}

}  // extern "C"
