# Prints an .xlsx as JSON for the tests, read with openpyxl as a spreadsheet program would read
# it: the sheets in order, each with its frozen cell, auto-filter range, column widths and cells
# (value, kind, number format, bold, red). Exits 3 when openpyxl is not installed.
import json
import sys

try:
    import openpyxl
except ImportError:
    sys.exit(3)


def kind(value):
    if isinstance(value, bool):
        return "other"
    if isinstance(value, (int, float)):
        return "number"
    if isinstance(value, str):
        return "text"
    return "empty" if value is None else "other"


def red(cell):
    colour = cell.font.color if cell.font is not None else None
    return colour is not None and isinstance(colour.rgb, str) and colour.rgb.upper() == "FFFF0000"


book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    rows = []
    for row in sheet.iter_rows():
        rows.append([{"value": c.value, "kind": kind(c.value), "format": c.number_format,
                      "bold": bool(c.font.b), "red": red(c)} for c in row])
    sheets.append({"name": sheet.title, "freeze": sheet.freeze_panes, "filter": sheet.auto_filter.ref,
                   "widths": {k: v.width for k, v in sheet.column_dimensions.items()}, "rows": rows})
json.dump(sheets, sys.stdout, ensure_ascii=False)
