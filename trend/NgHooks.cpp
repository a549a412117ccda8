// The ten trend hooks, empty until the graph window's root sets them.
#include "trend/NgHooks.h"

NgHook NgLoadFinishedHook = nullptr;
NgHook NgMarkEventHook = nullptr;
NgHook NgMarkFrontHook = nullptr;
NgHook NgMarkNoteEventHook = nullptr;
NgHook NgAxisZoomHook = nullptr;
NgHook NgSelectionHook = nullptr;
NgHook NgCursorHook = nullptr;
NgHook NgAxisLegendHook = nullptr;
NgHook NgChannelLegendHook = nullptr;
NgHook NgRelayoutHook = nullptr;

NgHook NgSheetMarkClickHook = nullptr;
NgHook NgSheetColumnSelectHook = nullptr;
NgHook NgSheetRowSelectHook = nullptr;
