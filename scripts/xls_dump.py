#!/usr/bin/python3
# Prints what an independent reader (xlrd) finds in a worksheet file: every cell with the kind of
# its value, the value and its XF index, the column widths, and the fonts. The grid's export tests compare it.
import sys
import xlrd

book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_index(0)
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_EMPTY:
            continue
        # The value's own type: xlrd types BIFF4 cells by number formats, which the export does not
        # write, so a number's cell type says nothing.
        kind = "blank" if cell.ctype == xlrd.XL_CELL_BLANK else type(cell.value).__name__
        print("cell %d %d %s %r %d" % (r, c, kind, cell.value, cell.xf_index))
for c in sorted(sheet.colinfo_map):
    print("width %d %d" % (c, sheet.colinfo_map[c].width))
for i, font in enumerate(book.font_list):
    print("font %d %s %d %d" % (i, font.name, font.height, font.bold))
print("rows %d" % sheet.nrows)
