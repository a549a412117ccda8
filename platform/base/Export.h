// Symbol visibility for the shipped shared libraries (msgdesk, sheetwright, formshift,
// formcast32). They build with hidden visibility; VT_EXPORT marks the interface they ship.
#pragma once
#define VT_EXPORT __attribute__((visibility("default")))
