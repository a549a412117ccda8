// The program's menus, toolbars and keyboard accelerators, compiled in by resource id.
//
// A menu is a flat list of items in order, each with its nesting level: a popup opens a level and
// the items below it with a deeper level are its content. A toolbar is a row of command ids with
// the picture index of each in the toolbar's strip (the bitmap of the toolbar's own id, one
// square picture per index); id 0 is a separator. Accelerators map a key sequence in the
// portable text form ("Ctrl+O", "F1") to a command id.
#pragma once
#include <span>

namespace vt {

struct MenuItem {
  enum Kind { kCommand, kPopup, kSeparator };
  int level;  // 0 for the menu bar's own entries
  Kind kind;
  int id;            // the command id of kCommand, else 0
  const char* text;  // "&" marks the mnemonic; "\t" separates the shortcut's text
};

struct ToolbarButton {
  int id;     // 0: a separator
  int image;  // index into the toolbar's strip
};

struct Accelerator {
  const char* keys;
  int id;
};

// Resource ids.
constexpr int kMenuMain = 128;         // the frame without a graph window
constexpr int kToolbarMain = 129;      // its strip is bitmap 129
constexpr int kToolbarSearch = 130;    // the alarm and mark search buttons; strip: bitmap 130
constexpr int kMenuGraphWindow = 131;  // the frame while a graph window is active
constexpr int kAcceleratorsMain = 128;
constexpr int kToolbarImageSize = 16;  // the side of one picture of a strip

// Empty when the id names no such resource.
std::span<const MenuItem> LoadMenu(int id);
std::span<const ToolbarButton> LoadToolbar(int id);
std::span<const Accelerator> LoadAccelerators(int id);

}  // namespace vt
