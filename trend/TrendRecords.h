// The class records of the trend display's classes (kind tests and the object pool key on them).
#pragma once
#include "gadget/ClassRecords.h"

#define TREND_RECORDS(X)                        \
  X(CGNgTime, CGCore)                           \
  X(CGNgDataBuff, CGCore)                       \
  X(CGNgDataManager, CGDataManager)             \
  X(CGAxis, CGPrimitive)                        \
  X(CGXAxis, CGAxis)                            \
  X(CGTrendAxis, CGXAxis)                       \
  X(CGNgTAxis, CGTrendAxis)                     \
  X(CGYAxis, CGAxis)                            \
  X(CGNgYAxis, CGYAxis)                         \
  X(CGGraphData, CGPrimitive)                   \
  X(CGNgGraphData, CGGraphData)                 \
  X(CGGraph, CGScrollManager)                   \
  X(CGNgGraph, CGGraph)                         \
  X(CGNgGraphScreen, CGScroll)                  \
  X(CGAlarmGroup, CGGroup)                      \
  X(CGNgAlarms, CGAlarmGroup)                   \
  X(CGAlarmGroupManager, CGGroup)               \
  X(CGNgAlarmGroupManager, CGAlarmGroupManager) \
  X(CGTrip, CGPrimitive)                        \
  X(CGNgTrip, CGTrip)                           \
  X(CGTripManager, CGGroup)                     \
  X(CGNgTripManager, CGTripManager)             \
  X(CGNgMark, CGPrimitive)                      \
  X(CGNgMarkManager, CGGroup)                   \
  X(CGNgMarkNote, CGPrimitive)                  \
  X(CGGraphCursor, CGPrimitive)                 \
  X(CGNgGraphCursor, CGGraphCursor)             \
  X(CGNgCursorValue, CGPrimitive)

// The panel's own classes: the facade and its overlay, the time scroll bar, the Y-axis strip
// and the zoom gadget.
#define TREND_PANEL_RECORDS(X)                    \
  X(CGNgRootMaster, CGRootMaster)                 \
  X(CGNgWaveform, CGRowColumn)                    \
  X(CGNgProgress, CGPrimitive)                    \
  X(CGNgHTScrollBar, CGScrollBar)                 \
  X(CGNgScrollLeftButton, CGSkScrollLeftButton)   \
  X(CGNgScrollRightButton, CGSkScrollRightButton) \
  X(CGNgHBar, CGSkHBar)                           \
  X(CGNgYAxisScrlMgr, CGScrollManager)            \
  X(CGNgYAxisScreen, CGScroll)                    \
  X(CGNgYAxisManager, CGRowColumn)                \
  X(CGNgZoom, CGPrimitive)

// The legend panel and its two trees.
#define TREND_LEGEND_RECORDS(X)         \
  X(CGNgLegendList, CGSelector)         \
  X(CGNgTreeNode, CGTreeNode)           \
  X(CGNgAxisNode, CGNgTreeNode)         \
  X(CGNgChannelNode, CGNgTreeNode)      \
  X(CGNgChLegendScreen, CGTreeScreen)   \
  X(CGNgAxisLegendScreen, CGTreeScreen) \
  X(CGNgChLegend, CGTreeManager)        \
  X(CGNgAxisLegend, CGTreeManager)

#define TREND_DECLARE_RECORD_X(name, base) GADGET_DECLARE_RECORD(name)
TREND_RECORDS(TREND_DECLARE_RECORD_X)
TREND_PANEL_RECORDS(TREND_DECLARE_RECORD_X)
TREND_LEGEND_RECORDS(TREND_DECLARE_RECORD_X)
#undef TREND_DECLARE_RECORD_X
