// Byte forms of the print settings and of the display settings block (see PrintSettings.h).
#include "document/PrintSettings.h"

#include "trend/RecordBytes.h"

std::array<uint8_t, kPrintSettingsBytes> vt::SPrintSettings::ToBytes() const {
  using namespace vt;
  std::array<uint8_t, kPrintSettingsBytes> b{};
  PutI16(b.data(), 0, range);
  PutI16(b.data(), 2, colour);
  PutI16(b.data(), 4, pageSpan);
  PutI16(b.data(), 6, thickness);
  for (int i = 0; i < PRINT_GROUP_BYTES; ++i) b[8 + std::size_t(i)] = printedGroups[std::size_t(i)];
  PutText(b.data(), 64, 256, comment);
  PutI32(b.data(), 328, hoursPerPage);
  return b;
}

vt::SPrintSettings vt::SPrintSettings::FromBytes(const uint8_t* b) {
  using namespace vt;
  vt::SPrintSettings s;
  s.range = GetI16(b, 0);
  s.colour = GetI16(b, 2);
  s.pageSpan = GetI16(b, 4);
  s.thickness = GetI16(b, 6);
  for (int i = 0; i < PRINT_GROUP_BYTES; ++i) s.printedGroups[std::size_t(i)] = b[8 + std::size_t(i)];
  s.comment = GetText(b, 64, 256);
  s.hoursPerPage = GetI32(b, 328);
  return s;
}

std::array<uint8_t, kGraphSettingsBytes> vt::SGraphSettings::ToBytes() const {
  using namespace vt;
  std::array<uint8_t, kGraphSettingsBytes> b{};
  PutU32(b.data(), 0, backColour);
  PutU32(b.data(), 4, gridColour);
  PutU8(b.data(), 8, legendShown);
  PutU8(b.data(), 9, axisClip);
  PutI16(b.data(), 10, axisGrouping);
  PutI32(b.data(), 12, legendMode);
  PutI64(b.data(), 16, timeScale);
  PutI32(b.data(), 24, axisLayout);
  PutI32(b.data(), 28, traceThickness);
  PutU8(b.data(), 32, sheetPadding);
  PutU8(b.data(), 33, cursorValuesShown);
  PutI32(b.data(), 36, cursorTransparency);
  return b;
}

vt::SGraphSettings vt::SGraphSettings::FromBytes(const uint8_t* b) {
  using namespace vt;
  vt::SGraphSettings s;
  s.backColour = GetU32(b, 0);
  s.gridColour = GetU32(b, 4);
  s.legendShown = b[8];
  s.axisClip = b[9];
  s.axisGrouping = GetI16(b, 10);
  s.legendMode = GetI32(b, 12);
  s.timeScale = GetI64(b, 16);
  s.axisLayout = GetI32(b, 24);
  s.traceThickness = GetI32(b, 28);
  s.sheetPadding = b[32];
  s.cursorValuesShown = b[33];
  s.cursorTransparency = GetI32(b, 36);
  return s;
}
