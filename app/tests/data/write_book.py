"""Writes an .xls workbook for the import's tests with xlwt, a writer independent of our reader.

usage: write_book.py OUT.xls CONTENT.json
CONTENT: {"active": sheet index, "sheets": [{"name": text, "cells": [[row, column, value], ...]}]}
with zero-based rows and columns; a value is a text, a number, or {"date": "YYYY-MM-DD",
"format": "DD.MM.YYYY"} / {"number": x, "format": "0.00"} for a formatted cell.
"""
import datetime
import json
import sys

import xlwt


# One style a number format: xlwt counts every style object as an XF of its own, and a workbook
# holds at most 4,094 of them.
STYLES = {}


def format_style(num_format):
    if num_format not in STYLES:
        STYLES[num_format] = xlwt.XFStyle()
        STYLES[num_format].num_format_str = num_format
    return STYLES[num_format]


def write_cell(sheet, row, column, value):
    if isinstance(value, dict):
        style = format_style(value["format"])
        if "date" in value:
            sheet.write(row, column, datetime.datetime.strptime(value["date"], "%Y-%m-%d"), style)
        else:
            sheet.write(row, column, value["number"], style)
    else:
        sheet.write(row, column, value)


def main():
    out, content_path = sys.argv[1], sys.argv[2]
    with open(content_path, encoding="utf-8") as f:
        content = json.load(f)
    book = xlwt.Workbook(encoding="utf-8")
    sheets = []
    for s in content["sheets"]:
        sheet = book.add_sheet(s["name"])
        for row, column, value in s["cells"]:
            write_cell(sheet, row, column, value)
        sheets.append(sheet)
    active = content.get("active", 0)
    book.active_sheet = active
    for i, sheet in enumerate(sheets):
        sheet.set_selected(i == active)
    book.save(out)


if __name__ == "__main__":
    main()
