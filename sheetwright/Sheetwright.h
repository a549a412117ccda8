// Sheetwright: writes spreadsheet workbooks (BIFF8 records inside a compound document).
//
// The whole interface is these ten plain functions. A caller creates a workbook for a
// destination path, adds sheets, writes cells (rows and columns counted from 1, each sheet in
// non-decreasing row order) and closes it; only the close assembles the file and moves it to
// the destination. Failures reach the caller as a null handle, -1 or 0. Texts are 8-bit strings
// in the code page chosen with excel_select_codepage (0 = UTF-8, the system's own encoding).
// Every function may be called from any thread; calls are serialised inside the library.
#pragma once

#include "platform/base/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

// An open workbook. Opaque: owned by the library until excel_close_file; a handle of a closed
// or discarded workbook is refused by every function, even after its slot was handed out again.
typedef struct ExcelWorkbook ExcelWorkbook;

// excel_select_codepage's answer for a code page it does not accept (as a signed int).
#define EXCEL_UNSUPPORTED_CODEPAGE ((int)0x80000001u)

// Chooses the code page of later text arguments: 0 (UTF-8), 932, 936, 949 or 1252. Returns the
// code page in force before: 1252 before the first selection (bytes taken as Latin-1), the
// number itself for 932, 936, 949 and 1252, and 9999 after a selection of 0.
VT_EXPORT int excel_select_codepage(int codePage);

// Opens a workbook that excel_close_file will write to destination (6 to 218 characters).
// At most ten workbooks are open at a time. Null on failure.
VT_EXPORT ExcelWorkbook* excel_create_file(const char* destination);

// Adds a sheet (name of 1 to 31 UTF-16 units, unique without regard to letter case; at most
// 100 sheets). Returns its 0-based index, or -1.
VT_EXPORT int excel_add_sheet(ExcelWorkbook* workbook, const char* name);

// Cell writers: sheet is 0-based, row 1-65536, column 1-256. 1 written, 0 not. A cell that
// would take the finished file past 2 GB is refused; the workbook stays usable.
VT_EXPORT int excel_input_string(ExcelWorkbook* workbook, int sheet, int row, int column, const char* text);
// decimals -1 (general) to 10 choose the display format; the value is stored unrounded.
VT_EXPORT int excel_input_value(ExcelWorkbook* workbook, int sheet, int row, int column, double value,
                                int decimals);
// Exponent display with 0 to 4 decimals.
VT_EXPORT int excel_input_exp(ExcelWorkbook* workbook, int sheet, int row, int column, double value,
                              int decimals);
// A date from 1904-01-01 to 3199-12-31; format 0-4 (y/m/d, m/d/y, d/m/y, d.m.y, d-m-y).
VT_EXPORT int excel_input_date(ExcelWorkbook* workbook, int sheet, int row, int column, int year, int month,
                               int day, int format);
// A time of day; reserved must be 0.
VT_EXPORT int excel_input_time(ExcelWorkbook* workbook, int sheet, int row, int column, int hour, int minute,
                               int second, int reserved);
// Date and time in one cell; format 0-4 shows the date, 5 the time.
VT_EXPORT int excel_input_datetime(ExcelWorkbook* workbook, int sheet, int row, int column, int year,
                                   int month, int day, int hour, int minute, int second, int format);

// Writes the workbook to its destination (replacing a file there) and frees the handle. A
// workbook without sheets produces no file. Nothing is reported: a caller that writes to a free
// name learns of a failure by the destination being absent afterwards.
VT_EXPORT void excel_close_file(ExcelWorkbook* workbook);

#ifdef __cplusplus
}
#endif
