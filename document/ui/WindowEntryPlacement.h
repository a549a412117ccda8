// The window records of a graph window (SGraphWindowEntry, as saved with a graph) and the
// placements of its child frames (vt::WindowPlacement) are the same numbers in two shapes; the
// frame side converts with these when it opens, places and reports the views of a document.
#pragma once
#include "platform/gui/WindowPlacement.h"
#include "store/GraphConfiguration.h"

namespace vt_ui {

// View kinds of the window records.
inline constexpr int kGraphViewKind = 1;
inline constexpr int kListViewKind = 2;
inline constexpr int kSheetViewKind = 3;

SGraphWindowEntry MakeWindowEntry(int viewKind, const vt::WindowPlacement& placement);
vt::WindowPlacement PlacementOf(const SGraphWindowEntry& entry);

}  // namespace vt_ui
