#!/usr/bin/env python3
"""Reads an .xls file written by kelmot_xls_sample with xlrd and checks the
sheet name, the size and every cell's text against the sample table."""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
assert book.nsheets == 1, book.nsheets
sheet = book.sheet_by_index(0)
assert sheet.name == "Kelmotmessung", sheet.name
assert (sheet.nrows, sheet.ncols) == (11, 6), (sheet.nrows, sheet.ncols)
headers = ["Ort (m)", "Zeit aus (s)", "Zeit an (s)", "dt (s)", "v (m/s)", "a (m/s²)"]
assert sheet.row_values(0) == headers, sheet.row_values(0)
for k in range(10):
    expected = [f"0,{k}", f"{k // 5},{100 + k * 7}", f"{k // 5},{120 + k * 7}",
                "0,020", "0,500", " - " if k == 0 else ""]
    row = sheet.row_values(k + 1)
    assert row == expected, (k, row, expected)
    # Empty texts are empty cells: xlrd calls them EMPTY (BLANK with formats).
    for text, kind in zip(expected, sheet.row_types(k + 1)):
        blank = (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)
        assert kind == xlrd.XL_CELL_TEXT if text else kind in blank, (k, text, kind)
print("1 passed, 0 failed")
