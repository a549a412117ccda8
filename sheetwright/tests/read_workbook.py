#!/usr/bin/python3
# Reads a workbook with two independent readers and prints what they see, one fact a line,
# for the Sheetwright tests to compare:
#   ole <issues>                         container check (olefile, strict)
#   stream <name> <size>                 every stream of the container
#   datemode <n>
#   sheet <index> <name as JSON>
#   cell <sheet> <row> <col> <kind> <value> <format as JSON>
# kinds: text (value = length and the text as JSON), number (repr), date (y-m-d h:m:s).
import json
import sys

import olefile
import xlrd


def main(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_POTENTIAL)
    print("ole", len(ole.parsing_issues))
    for entry in ole.listdir(streams=True, storages=False):
        name = "/".join(entry)
        print("stream", name, ole.get_size(name))
    ole.close()

    book = xlrd.open_workbook(path, formatting_info=True, ragged_rows=True)
    print("datemode", book.datemode)
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        print("sheet", index, json.dumps(sheet.name))
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY or cell.ctype == xlrd.XL_CELL_BLANK:
                    continue
                fmt = book.format_map[book.xf_list[cell.xf_index].format_key]
                if cell.ctype == xlrd.XL_CELL_TEXT:
                    value = "text %d %s" % (len(cell.value), json.dumps(cell.value))
                elif cell.ctype == xlrd.XL_CELL_DATE:
                    t = xlrd.xldate_as_tuple(cell.value, book.datemode)
                    value = "date %d-%d-%d %d:%d:%d" % t
                else:
                    value = "number " + repr(cell.value)
                print("cell", index, r, c, value, json.dumps(fmt.format_str))


if __name__ == "__main__":
    main(sys.argv[1])
