// The trend display's hooks: ten process-wide callbacks through which the gadgets tell the graph
// window what the user did. The window's root sets them all before it builds a panel; an empty
// hook is not called. Each takes the gadget that acted and two numbers.
//
// Three of them (mark and note double-clicks, the Y axis's reset button) are registered as event
// callbacks when those gadgets are made, with the value they hold then, so they must be set
// before the panel is built.
#pragma once

class CGPrimitive;

using NgHook = void (*)(CGPrimitive* source, int a, int b);

extern NgHook NgLoadFinishedHook;   // (plot area, 0, 0) after a refill that showed the overlay
extern NgHook NgMarkEventHook;      // (mark, 13, 0) a mark was double-clicked
extern NgHook NgMarkFrontHook;      // (mark, 2, 0) Shift release over a mark
extern NgHook NgMarkNoteEventHook;  // (note, 13, 0) a note was double-clicked
extern NgHook NgAxisZoomHook;       // (reset button, 2, 0) a Y axis's reset button was clicked
extern NgHook NgSelectionHook;      // (panel, 0, 0) the selected channel or axis changed
extern NgHook NgCursorHook;         // (panel, 0, 0) a cursor was pressed, dragged or released
extern NgHook NgAxisLegendHook;     // (panel, 0, 0) axis-legend states were edited
extern NgHook NgChannelLegendHook;  // (panel, 0, 0) channel-legend states were edited
extern NgHook NgRelayoutHook;       // (panel, 0, 0) before the panel lays out again

// The trend sheet's hooks, set by the sheet view's root before it builds a sheet.
extern NgHook NgSheetMarkClickHook;     // (time column, 0, 0) release after a double click on a row
extern NgHook NgSheetColumnSelectHook;  // (sheet, 0, 0) release over a channel title
extern NgHook NgSheetRowSelectHook;     // (sheet, 0, 0) row press without Shift, every row release
