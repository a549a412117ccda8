// The class records of the gadget framework's classes, one static record each.
//
// Records exist for every class of the framework, also for classes that are built later or
// never instantiated, so that the ancestry chains are complete; a class's GetClassInfo returns
// its record. Other subsystems declare their own records in the same form.
#pragma once
#include "gadget/GCore.h"

#define GADGET_DECLARE_RECORD(name) extern const SGClassInfo class##name;
// Defines a record with its direct base's record as parent.
#define GADGET_DEFINE_RECORD(name, base) \
  const SGClassInfo class##name { #name, &class##base };

extern const SGClassInfo classCGCore;

#define GADGET_FRAMEWORK_RECORDS(X)                 \
  X(CGPrimitive, CGCore)                            \
  X(CGGroup, CGPrimitive)                           \
  X(CGRoot, CGGroup)                                \
  X(CGSkRoot, CGRoot)                               \
  X(CGRepeater, CGRoot)                             \
  X(CGRootMaster, CGCore)                           \
  X(CGDocument, CGCore)                             \
  X(CGChannel, CGCore)                              \
  X(CGDataManager, CGCore)                          \
  X(CGFontManager, CGDataManager)                   \
  X(CGBitmapManager, CGDataManager)                 \
  X(CGPictureManager, CGDataManager)                \
  X(CGSharedMemoryManager, CGDataManager)           \
  X(CGClipboard, CGDataManager)                     \
  X(CGStocker, CGDataManager)                       \
  X(CGSubStocker, CGDataManager)                    \
  X(CGFont, CGCore)                                 \
  X(CGBitmap, CGCore)                               \
  X(CGPicture, CGCore)                              \
  X(CGSharedMemory, CGCore)                         \
  X(CGSortCore, CGCore)                             \
  X(CGLabel, CGPrimitive)                           \
  X(CGVLabel, CGLabel)                              \
  X(CGSpanLabel, CGLabel)                           \
  X(CGButtonLabel, CGLabel)                         \
  X(CGButton, CGPrimitive)                          \
  X(CGPushButton, CGButton)                         \
  X(CGFlatButton, CGButton)                         \
  X(CGIconButton, CGButton)                         \
  X(CGToggleButton, CGButton)                       \
  X(CGRadioButton, CGToggleButton)                  \
  X(CGRadioIconButton, CGRadioButton)               \
  X(CGTogIconButton, CGToggleButton)                \
  X(CGColorButton, CGButton)                        \
  X(CGVolumeButton, CGButton)                       \
  X(CGVolumeUpButton, CGVolumeButton)               \
  X(CGVolumeDownButton, CGVolumeButton)             \
  X(CGScrollButton, CGButton)                       \
  X(CGScrollUpButton, CGScrollButton)               \
  X(CGScrollDownButton, CGScrollButton)             \
  X(CGScrollLeftButton, CGScrollButton)             \
  X(CGScrollRightButton, CGScrollButton)            \
  X(CGTextEdit, CGPrimitive)                        \
  X(CGText, CGTextEdit)                             \
  X(CGValue, CGTextEdit)                            \
  X(CGIntValue, CGTextEdit)                         \
  X(CGIntValueEx, CGIntValue)                       \
  X(CGComboBox, CGPrimitive)                        \
  X(CGComboBoxEx, CGComboBox)                       \
  X(CGIntDigital, CGPrimitive)                      \
  X(CGDigitalVolume, CGIntDigital)                  \
  X(CGInt64Digital, CGPrimitive)                    \
  X(CGDigitalVolume64, CGInt64Digital)              \
  X(CGSpreader, CGPrimitive)                        \
  X(CGLeftSpreader, CGSpreader)                     \
  X(CGRightSpreader, CGSpreader)                    \
  X(CGBar, CGPrimitive)                             \
  X(CGVBar, CGBar)                                  \
  X(CGHBar, CGBar)                                  \
  X(CGScrollBar, CGGroup)                           \
  X(CGVScrollBar, CGScrollBar)                      \
  X(CGHScrollBar, CGScrollBar)                      \
  X(CGScroll, CGGroup)                              \
  X(CGScrollManager, CGGroup)                       \
  X(CGRowColumn, CGGroup)                           \
  X(CGRadioBox, CGRowColumn)                        \
  X(CGSelector, CGGroup)                            \
  X(CGGroupBox, CGGroup)                            \
  X(CGRadioGroupBox, CGGroupBox)                    \
  X(CGTogGroupBox, CGGroupBox)                      \
  X(CGTabPage, CGGroup)                             \
  X(CGPageController, CGGroup)                      \
  X(CGSkPushButton, CGPushButton)                   \
  X(CGSkButtonLabel, CGButtonLabel)                 \
  X(CGSkIconButton, CGIconButton)                   \
  X(CGSkTogIconButton, CGTogIconButton)             \
  X(CGSkRadioIconButton, CGRadioIconButton)         \
  X(CGSkVolumeUpButton, CGVolumeUpButton)           \
  X(CGSkVolumeDownButton, CGVolumeDownButton)       \
  X(CGSkScrollUpButton, CGScrollUpButton)           \
  X(CGSkScrollDownButton, CGScrollDownButton)       \
  X(CGSkScrollLeftButton, CGScrollLeftButton)       \
  X(CGSkScrollRightButton, CGScrollRightButton)     \
  X(CGSkThinScrollUpButton, CGScrollUpButton)       \
  X(CGSkThinScrollDownButton, CGScrollDownButton)   \
  X(CGSkThinScrollLeftButton, CGScrollLeftButton)   \
  X(CGSkThinScrollRightButton, CGScrollRightButton) \
  X(CGSkText, CGText)                               \
  X(CGSkValue, CGValue)                             \
  X(CGSkIntValue, CGIntValue)                       \
  X(CGSkIntValueEx, CGIntValueEx)                   \
  X(CGSkComboBox, CGComboBox)                       \
  X(CGSkComboBoxEx, CGComboBoxEx)                   \
  X(CGSkDigitalVolume, CGDigitalVolume)             \
  X(CGSkDigitalVolume64, CGDigitalVolume64)         \
  X(CGSkLeftSpreader, CGLeftSpreader)               \
  X(CGSkRightSpreader, CGRightSpreader)             \
  X(CGSkVBar, CGVBar)                               \
  X(CGSkHBar, CGHBar)                               \
  X(CGSkVThinBar, CGVBar)                           \
  X(CGSkHThinBar, CGHBar)                           \
  X(CGSkVScrollBar, CGVScrollBar)                   \
  X(CGSkHScrollBar, CGHScrollBar)                   \
  X(CGSkVThinScrollBar, CGVScrollBar)               \
  X(CGSkHThinScrollBar, CGHScrollBar)               \
  X(CGSkRowColumn, CGRowColumn)                     \
  X(CGSkRadioBox, CGRadioBox)                       \
  X(CGSkGroupBox, CGGroupBox)                       \
  X(CGSkRadioGroupBox, CGRadioGroupBox)             \
  X(CGSkTogGroupBox, CGTogGroupBox)                 \
  X(CGSkTabPage, CGTabPage)                         \
  X(CGSkPageController, CGPageController)           \
  X(CGSkTabButton, CGButton)                        \
  X(CGSkTabButtonLeft, CGSkTabButton)               \
  X(CGSkTabButtonRight, CGSkTabButton)              \
  X(CGSkSplitter, CGPrimitive)                      \
  X(CGSkVSplitter, CGSkSplitter)                    \
  X(CGSkHSplitter, CGSkSplitter)                    \
  X(CGSkProgressBar, CGPrimitive)                   \
  X(CGTreeNode, CGPrimitive)                        \
  X(CGTreeScreen, CGScroll)                         \
  X(CGTreeManager, CGScrollManager)

#define GADGET_DECLARE_RECORD_X(name, base) GADGET_DECLARE_RECORD(name)
GADGET_FRAMEWORK_RECORDS(GADGET_DECLARE_RECORD_X)
#undef GADGET_DECLARE_RECORD_X
