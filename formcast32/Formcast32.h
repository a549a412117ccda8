// Formcast32: writes converted tables as plain files, one file per open handle.
//
// Six functions open a file of a format kind, take its size, accept cells by 0-based row and
// column, and close it. Every result is a signed 16-bit value: FCvtOpen gives a handle or -1,
// the others 0 for success and -1 for a failure. Every function may be called from any thread.
// FCvtOpen creates the file or empties the one there, but never opens through a symbolic link:
// a link at the path, even one leading nowhere, is refused.
//
// File layout (the same for every kind accepted: 4 text, 33 and 3):
// - UTF-8 bytes as given by the caller, no byte-order mark, no heading line.
// - One line per row, from row 0 to the last row that holds a cell; a row without cells is an
//   empty line, so row positions survive. Every line ends with CR LF.
// - Cells of a row are separated by one TAB; a line ends after its last cell, and a column
//   without a cell is an empty field.
// - Texts as given, without quoting; a TAB, CR or LF inside a text becomes a blank, so that a
//   text never splits its line or cell.
// - Numbers in the "C" conventions: FCvtWriteDouble writes fixed notation with `decimals`
//   digits after the point ("12.500"), or the shortest text that reads back as the same double
//   for negative decimals; FCvtWriteExp writes a mantissa with `decimals` (0 or more) digits,
//   "E", a sign and at least two exponent digits ("1.2346E+03"). Infinities and NaN are
//   refused.
// Rows and columns are not limited. Cells arrive row by row: a cell for a row above the current
// one is refused; within the row any column order is taken, and a later cell replaces an
// earlier one at the same column. FCvtInit records the announced size but enforces nothing.
#pragma once

#include "platform/base/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

// Creates (or truncates) the file at exactly this path for format kind 4 (text), 33 or 3.
// A handle >= 0, or -1 for another kind or a file that cannot be created.
VT_EXPORT short FCvtOpen(const char* path, short kind);
// Announces the table size; the two reserved arguments are 0. Any size, 0 included, is taken.
VT_EXPORT short FCvtInit(short handle, int reserved1, int reserved2, int rows, int columns);
VT_EXPORT short FCvtWriteString(short handle, int row, int column, const char* text);
VT_EXPORT short FCvtWriteDouble(short handle, int row, int column, double value, short decimals);
VT_EXPORT short FCvtWriteExp(short handle, int row, int column, double value, short decimals);
// Writes what is pending and closes the file; the handle is free afterwards, also on failure,
// in which case the incomplete file is removed. -1 (no file open) closes nothing and gives 0.
VT_EXPORT short FCvtClose(short handle);

#ifdef __cplusplus
}
#endif
