// The colours of the plain (unskinned) sheet cells, one set for every column kind so that all
// columns draw the same grey cell, selected tint, bevels and active and inactive texts. Colours
// are 0x02bbggrr.
#pragma once
#include "platform/gui/Color.h"

namespace vt::sheetcell {

constexpr ColorRef kCell = 0x025E5E5E;
constexpr ColorRef kCellSelected = 0x025E4040;
constexpr ColorRef kBlack = 0x02000000;
constexpr ColorRef kBevelDark = 0x02CACACA;
constexpr ColorRef kTextActive = 0x02FFFFFF;
constexpr ColorRef kTextInactive = 0x02C0C0C0;

}  // namespace vt::sheetcell
