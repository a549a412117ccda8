// The program's private window messages and the command ids the application object posts.
#pragma once
#include <cstdint>

#include "platform/base/WindowHandles.h"

// To the main frame.
constexpr uint32_t WM_VT_AREACHANGED = vt::kWmUser + 100;
constexpr uint32_t WM_VT_RESTARTIMPORT = vt::kWmUser + 101;
constexpr uint32_t WM_VT_IMPORTED = vt::kWmUser + 102;
constexpr uint32_t WM_VT_SHOWIMPORTED = vt::kWmUser + 103;
constexpr uint32_t WM_VT_LISTFILLED = vt::kWmUser + 104;
constexpr uint32_t WM_VT_SHOWIMPORTBAR = vt::kWmUser + 105;
constexpr uint32_t WM_VT_HIDEIMPORTBAR = vt::kWmUser + 106;
constexpr uint32_t WM_VT_IMPORTRESULT = vt::kWmUser + 107;
constexpr uint32_t WM_VT_CONVERTDONE = vt::kWmUser + 108;

// File > Management area information: posted at start-up when the current storage is not sound.
constexpr int ID_MANAGEMENT_AREA = 32824;

// The string of the application title, and the main window's class name, which a second start
// uses to find the first one's window.
constexpr int IDS_APP_TITLE = 128;
constexpr const char* kMainFrameWindowClass = "VantrelMainFrameWindowClass";
