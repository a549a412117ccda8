// The class records of the sheet gadgets, one static record each, in the form of the
// framework's records: a class's GetClassInfo returns GCLASS(Name), and kind tests walk the
// parent chain. Records exist also for classes that are built only in their skinned form.
#pragma once
#include "gadget/ClassRecords.h"

#define SHEET_GADGET_RECORDS(X)               \
  X(CGSheetGadget, CGPrimitive)               \
  X(CGSheet, CGScrollManager)                 \
  X(CGSheetScreen, CGScroll)                  \
  X(CGSheetArray, CGSheetGadget)              \
  X(CGSColumn, CGSheetGadget)                 \
  X(CGSLine, CGSheetArray)                    \
  X(CGSLabelLine, CGSLine)                    \
  X(CGSChannelLine, CGSLabelLine)             \
  X(CGSCheckLine, CGSLine)                    \
  X(CGSCheckIconLine, CGSCheckLine)           \
  X(CGSDigitals, CGSheetArray)                \
  X(CGSAlarmDigitals, CGSDigitals)            \
  X(CGSGroup, CGSheetArray)                   \
  X(CGSKeyGadget, CGSheetArray)               \
  X(CGSValues, CGSKeyGadget)                  \
  X(CGSIntValues, CGSKeyGadget)               \
  X(CGSComboBoxs, CGSKeyGadget)               \
  X(CGSLabels, CGSheetArray)                  \
  X(CGSCyclicLabels, CGSheetArray)            \
  X(CGSColors, CGSheetArray)                  \
  X(CGSToggleButtons, CGSheetArray)           \
  X(CGSTogLabelButtons, CGSToggleButtons)     \
  X(CGSTogIconButtons, CGSToggleButtons)      \
  X(CGSPushButtons, CGSLabels)                \
  X(CGSCheckValues, CGSGroup)                 \
  X(CGSCheckIconValues, CGSCheckValues)       \
  X(CGSkSheet, CGSheet)                       \
  X(CGSkSheetScreen, CGSheetScreen)           \
  X(CGSkSColumn, CGSColumn)                   \
  X(CGSkSLine, CGSLine)                       \
  X(CGSkSChannelLine, CGSChannelLine)         \
  X(CGSkSCheckIconLine, CGSCheckIconLine)     \
  X(CGSkSDigitals, CGSDigitals)               \
  X(CGSkSAlarmDigitals, CGSAlarmDigitals)     \
  X(CGSkSLabels, CGSLabels)                   \
  X(CGSkSCyclicLabels, CGSCyclicLabels)       \
  X(CGSkSComboBoxs, CGSComboBoxs)             \
  X(CGSkSValues, CGSValues)                   \
  X(CGSkSIntValues, CGSIntValues)             \
  X(CGSkSCheckIconValues, CGSCheckIconValues) \
  X(CGSkSPushButtons, CGSPushButtons)         \
  X(CGSkSTogLabelButtons, CGSTogLabelButtons) \
  X(CGSkSTogIconButtons, CGSTogIconButtons)

#define SHEET_DECLARE_RECORD_X(name, base) GADGET_DECLARE_RECORD(name)
SHEET_GADGET_RECORDS(SHEET_DECLARE_RECORD_X)
#undef SHEET_DECLARE_RECORD_X
