#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads an .xls file written by kelmot_xls_sample with xlrd and checks the
sheet name, the size, every cell (numbers as numbers with the format that
shows the table's text, texts as texts) against the sample table."""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
assert book.nsheets == 1, book.nsheets
sheet = book.sheet_by_index(0)
assert sheet.name == "Kelmotmessung", sheet.name
assert (sheet.nrows, sheet.ncols) == (11, 6), (sheet.nrows, sheet.ncols)
headers = ["Ort (m)", "Zeit aus (s)", "Zeit an (s)", "dt (s)", "v (m/s)", "a (m/s²)"]
assert sheet.row_values(0) == headers, sheet.row_values(0)
assert all(t == xlrd.XL_CELL_TEXT for t in sheet.row_types(0)), sheet.row_types(0)


def shown_format(row, col):
    xf = book.xf_list[sheet.cell_xf_index(row, col)]
    return book.format_map[xf.format_key].format_str


for k in range(10):
    row = k + 1
    numbers = [k / 10, k // 5 + (100 + k * 7) / 1000, k // 5 + (120 + k * 7) / 1000, 0.02, 0.5]
    formats = ["0.0", "0.000", "0.000", "0.000", "0.000"]
    for col, (value, fmt) in enumerate(zip(numbers, formats)):
        cell = sheet.cell(row, col)
        assert cell.ctype == xlrd.XL_CELL_NUMBER, (row, col, cell)
        assert cell.value == value, (row, col, cell.value, value)
        assert shown_format(row, col) == fmt, (row, col, shown_format(row, col), fmt)
    a = sheet.cell(row, 5)
    if k == 0:
        assert a.ctype == xlrd.XL_CELL_TEXT and a.value == " - ", a
    else:
        assert a.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK), a
print("1 passed, 0 failed")
