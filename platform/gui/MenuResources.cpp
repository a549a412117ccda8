// The compiled-in menus, toolbars and accelerators (see MenuResources.h). The two menus share
// their File, View and Help parts in spirit but are written out in full, as a resource script
// would, so that each reads as the user sees it.
#include "platform/gui/MenuResources.h"

#include <iterator>

namespace vt {

namespace {

constexpr MenuItem::Kind C = MenuItem::kCommand;
constexpr MenuItem::Kind P = MenuItem::kPopup;
constexpr MenuItem::Kind S = MenuItem::kSeparator;

constexpr MenuItem kMainMenu[] = {
    {0, P, 0, "&File"},
    {1, C, 57601, "&Open...\tCtrl+O"},
    {1, P, 0, "&Manual import"},
    {2, C, 32799, "F&older..."},
    {2, C, 32800, "&File..."},
    {1, P, 0, "&Automatic import"},
    {2, C, 32820, "Folder &specification..."},
    {2, C, 32822, "&Execute immediately"},
    {1, S, 0, ""},
    {1, C, 32804, "&Export..."},
    {1, S, 0, ""},
    {1, C, 32824, "Management &area information..."},
    {1, C, 32792, "&DST setting..."},
    {1, S, 0, ""},
    {1, C, 57606, "P&rint Setup..."},
    {1, S, 0, ""},
    {1, C, 57665, "E&xit"},
    {0, P, 0, "&Edit"},
    {1, C, 32825, "Change &name"},
    {1, C, 32789, "&Delete"},
    {1, S, 0, ""},
    {1, C, 32809, "&Empty deleted data"},
    {1, C, 32811, "&Restore deleted data"},
    {0, P, 0, "&View"},
    {1, C, 59392, "&Tool Bar"},
    {1, C, 32925, "&A/M Search Bar"},
    {1, S, 0, ""},
    {1, C, 32828, "&Data"},
    {1, C, 32829, "&Graph"},
    {1, S, 0, ""},
    {1, C, 32814, "Di&splay"},
    {1, C, 32827, "Display &entire file"},
    {1, C, 32818, "Additional display in the active &window"},
    {1, S, 0, ""},
    {1, C, 32967, "Default &configuration..."},
    {0, P, 0, "&Convert"},
    {1, C, 32965, "To &Excel[File]..."},
    {1, C, 32966, "To &Text[File]..."},
    {0, P, 0, "&Help"},
    {1, C, 32943, "&User's Manual\tF1"},
    {1, C, 32944, "&Operation guide"},
    {1, S, 0, ""},
    {1, C, 57664, "&About Vantrel..."},
};

constexpr MenuItem kGraphWindowMenu[] = {
    {0, P, 0, "&File"},
    {1, C, 57601, "&Open...\tCtrl+O"},
    {1, P, 0, "&Manual import"},
    {2, C, 32799, "F&older..."},
    {2, C, 32800, "&File..."},
    {1, P, 0, "&Automatic import"},
    {2, C, 32820, "Folder &specification..."},
    {2, C, 32822, "&Execute immediately"},
    {1, C, 57602, "&Close"},
    {1, S, 0, ""},
    {1, C, 32921, "Save &graph"},
    {1, C, 32923, "Save graph &as..."},
    {1, S, 0, ""},
    {1, C, 32804, "&Export..."},
    {1, S, 0, ""},
    {1, C, 32900, "Print Se&ttings ..."},
    {1, C, 57607, "&Print ...\tCtrl+P"},
    {1, C, 57609, "Print Pre&view"},
    {1, C, 57606, "P&rint Setup..."},
    {1, S, 0, ""},
    {1, C, 32824, "Management a&rea information..."},
    {1, C, 32792, "&DST setting..."},
    {1, S, 0, ""},
    {1, C, 57665, "E&xit"},
    {0, P, 0, "&Edit"},
    {1, C, 32974, "&Copy to clipboard"},
    {1, S, 0, ""},
    {1, C, 32778, "&Erase Cursor"},
    {1, C, 32872, "Append &Mark ..."},
    {1, C, 32833, "De&lete Mark"},
    {1, C, 32834, "Append &Group"},
    {1, S, 0, ""},
    {1, P, 0, "Search &Alarm"},
    {2, C, 32779, "Right move cursor A"},
    {2, C, 32780, "Left move cursor A"},
    {2, C, 32781, "Right move cursor B"},
    {2, C, 32836, "Left move cursor B"},
    {1, P, 0, "Search Mar&k"},
    {2, C, 32838, "Right move cursor A"},
    {2, C, 32839, "Left move cursor A"},
    {2, C, 32840, "Right move cursor B"},
    {2, C, 32841, "Left move cursor B"},
    {1, P, 0, "Search &Start/Stop"},
    {2, C, 32846, "Right move cursor A"},
    {2, C, 32847, "Left move cursor A"},
    {2, C, 32848, "Right move cursor B"},
    {2, C, 32849, "Left move cursor B"},
    {1, S, 0, ""},
    {1, C, 32825, "Change &name"},
    {1, C, 32789, "&Delete"},
    {1, C, 32809, "Empty deleted data"},
    {1, C, 32811, "Restore deleted data"},
    {0, P, 0, "&View"},
    {1, C, 59392, "&Tool Bar"},
    {1, C, 32925, "&A/M Search Bar"},
    {1, S, 0, ""},
    {1, C, 32828, "&Data"},
    {1, C, 32829, "&Graph"},
    {1, S, 0, ""},
    {1, C, 32814, "Di&splay"},
    {1, C, 32827, "Display &entire file"},
    {1, C, 32818, "Additional display in the active &window"},
    {1, S, 0, ""},
    {1, C, 32884, "General Display Settings ..."},
    {1, C, 32885, "Graph color setting..."},
    {1, C, 32886, "Alarm"},
    {1, C, 32909, "Legend"},
    {1, S, 0, ""},
    {1, C, 32919, "Channel number"},
    {1, C, 32903, "Tag name"},
    {1, C, 32904, "Tag No."},
    {1, P, 0, "Display mode"},
    {2, C, 32910, "Channel No."},
    {2, C, 32911, "Y-Axis"},
    {1, C, 32968, "Cursor Value"},
    {1, P, 0, "Transparency of cursor value"},
    {2, C, 32969, "Translucence"},
    {2, C, 32970, "Opacity"},
    {1, P, 0, "Thickness of wavy line"},
    {2, C, 32971, "Normal"},
    {2, C, 32972, "Middle"},
    {2, C, 32973, "Thick"},
    {1, P, 0, "Sheet cell without value"},
    {2, C, 32975, "Padding"},
    {2, C, 32976, "Not padding"},
    {1, S, 0, ""},
    {1, C, 32967, "Default &configuration..."},
    {0, P, 0, "&Y-Axis"},
    {1, C, 32873, "&Full mode"},
    {1, C, 32874, "&Automatic mode"},
    {1, C, 32875, "&Sliding mode"},
    {1, C, 32917, "F&ree mode"},
    {1, S, 0, ""},
    {1, P, 0, "&Grouping"},
    {2, C, 32876, "Unit grouping"},
    {2, C, 32877, "Unit scale grouping"},
    {2, C, 32878, "Cancel grouping"},
    {1, C, 32879, "&Clip"},
    {0, P, 0, "&TimeAxis"},
    {1, C, 32880, "Zoom &in"},
    {1, C, 32881, "Zoom &out"},
    {1, C, 32883, "Time axis &From To..."},
    {0, P, 0, "&Convert"},
    {1, C, 32897, "To Excel[&Trend]..."},
    {1, C, 32898, "To Text[T&rend]..."},
    {1, S, 0, ""},
    {1, C, 32965, "To &Excel[File]..."},
    {1, C, 32966, "To Te&xt[File]..."},
    {0, P, 0, "&Window"},
    {1, C, 32887, "&Graph"},
    {1, C, 32946, "&Sheet"},
    {1, C, 32871, "&Alarm/Mark"},
    {1, S, 0, ""},
    {1, C, 32914, "C&ursor control"},
    {1, C, 32915, "Sta&tistics"},
    {1, S, 0, ""},
    {1, C, 57650, "&Cascade"},
    {1, C, 57651, "T&ile"},
    {1, C, 57649, "A&rrange Icons"},
    {0, P, 0, "&Help"},
    {1, C, 32943, "&User's Manual\tF1"},
    {1, C, 32944, "&Operation guide"},
    {1, S, 0, ""},
    {1, C, 57664, "&About Vantrel..."},
};

// Context menus: one popup each, as the catalogue panes and the property pane show them.
constexpr MenuItem kPopupDisplay[] = {
    {0, C, 32814, "Di&splay"},
    {0, C, 32827, "Display &entire file"},
    {0, C, 32818, "Additional display in the active &window"},
};
constexpr MenuItem kPopupDisplayDeleteConvert[] = {
    {0, C, 32814, "Di&splay"},
    {0, C, 32827, "Display &entire file"},
    {0, C, 32818, "Additional display in the active &window"},
    {0, S, 0, ""},
    {0, C, 32804, "&Export..."},
    {0, C, 32965, "To &Excel[File]..."},
    {0, C, 32966, "To &Text[File]..."},
    {0, S, 0, ""},
    {0, C, 32789, "&Delete"},
};
constexpr MenuItem kPopupRenameDelete[] = {
    {0, C, 32825, "Change &name"},
    {0, C, 32789, "&Delete"},
};
constexpr MenuItem kPopupDisplayDeleteRename[] = {
    {0, C, 32814, "Di&splay"},
    {0, C, 32825, "Change &name"},
    {0, C, 32789, "&Delete"},
};
constexpr MenuItem kPopupTrash[] = {
    {0, C, 32789, "&Delete"},
    {0, C, 32809, "&Empty deleted data"},
    {0, C, 32811, "&Restore deleted data"},
};
constexpr MenuItem kPopupCopy[] = {
    {0, C, 32983, "Copy to clip&board"},
};

constexpr ToolbarButton kMainToolbar[] = {
    {57601, 0}, {32799, 1}, {32800, 2}, {32822, 3}, {0, 0},     {32814, 4}, {32827, 5},
    {32818, 6}, {0, 0},     {32789, 7}, {0, 0},     {57607, 8}, {0, 0},     {32943, 9},
};

// Alarms (red) and marks (blue), cursor A then B, each to the left then to the right.
constexpr ToolbarButton kSearchToolbar[] = {
    {32780, 0}, {32779, 1}, {32836, 2}, {32781, 3}, {0, 0}, {32839, 4}, {32838, 5}, {32841, 6}, {32840, 7},
};

constexpr Accelerator kMainAccelerators[] = {
    {"Ctrl+O", 57601},
    {"Ctrl+P", 57607},
    {"F1", 32943},
};

}  // namespace

std::span<const MenuItem> LoadMenu(int id) {
  switch (id) {
    case kMenuMain:
      return kMainMenu;
    case kMenuGraphWindow:
      return kGraphWindowMenu;
    case 334:
      return kPopupDisplay;
    case 335:
      return kPopupDisplayDeleteConvert;
    case 336:
      return kPopupRenameDelete;
    case 337:
      return kPopupDisplayDeleteRename;
    case 338:
      return kPopupTrash;
    case 349:
      return kPopupCopy;
    default:
      return {};
  }
}

std::span<const ToolbarButton> LoadToolbar(int id) {
  switch (id) {
    case kToolbarMain:
      return kMainToolbar;
    case kToolbarSearch:
      return kSearchToolbar;
    default:
      return {};
  }
}

std::span<const Accelerator> LoadAccelerators(int id) {
  if (id == kAcceleratorsMain) return kMainAccelerators;
  return {};
}

}  // namespace vt
