#!/usr/bin/python3
# Prints what a converted workbook holds, for the trend-conversion tests: per sheet a line
# "sheet <rows> <name as JSON>", then its first `head` rows as JSON lists of cell values.
import json
import sys

import xlrd


def main(path, head):
    book = xlrd.open_workbook(path, ragged_rows=True)
    for sheet in book.sheets():
        print("sheet", sheet.nrows, json.dumps(sheet.name))
        for r in range(min(head, sheet.nrows)):
            print(json.dumps([c.value for c in sheet.row(r)]))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
