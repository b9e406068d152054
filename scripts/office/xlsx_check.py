#!/usr/bin/env python3
"""Reads an exported workbook back with openpyxl and checks that it prints as a clerk expects:
the title and header rows repeated on every page, all columns one page wide, the panes frozen
under the header, an autofilter on the header row, every data cell text, and the rows given.

Usage: xlsx_check.py FILE.xlsx --rows N [--header TEXT]... [--expect TEXT]...
"""
import argparse
import sys

from findings import report

import openpyxl


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("xlsx")
    parser.add_argument("--rows", type=int, required=True, help="data rows the sheet must hold")
    parser.add_argument("--header", action="append", default=[], help="a caption of the header row")
    parser.add_argument("--expect", action="append", default=[], help="a cell text somewhere in the sheet")
    args = parser.parse_args()

    problems = []
    sheet = openpyxl.load_workbook(args.xlsx, read_only=False).worksheets[0]
    # The header row is the last row above the frozen panes.
    frozen = sheet.freeze_panes
    if not frozen:
        problems.append("the panes are not frozen under the header")
        header_row = 1
    else:
        header_row = sheet[frozen].row - 1
    header = [c.value for c in sheet[header_row]]
    for caption in args.header:
        if caption not in header:
            problems.append(f"header row {header_row} lacks \"{caption}\" (it holds {header})")

    titles = (sheet.print_title_rows or "").replace("$", "")
    if titles != f"1:{header_row}":
        problems.append(f"print titles are \"{titles}\", not rows 1 to {header_row}")
    setup = sheet.page_setup
    if not sheet.sheet_properties.pageSetUpPr or not sheet.sheet_properties.pageSetUpPr.fitToPage:
        problems.append("the sheet is not fitted to the page")
    # An absent fitToWidth is 1, the file format's default; fitToHeight 0 lets the rows run on.
    if str(setup.fitToWidth) not in ("1", "None") or str(setup.fitToHeight) != "0":
        problems.append(f"fit to {setup.fitToWidth} page(s) wide and {setup.fitToHeight} tall, not 1 wide")
    if not sheet.auto_filter.ref or not sheet.auto_filter.ref.split(":")[0].endswith(str(header_row)):
        problems.append(f"no autofilter on the header row (ref {sheet.auto_filter.ref})")

    data_rows = 0
    texts = set()
    for row in sheet.iter_rows(min_row=header_row + 1):
        values = [c for c in row if c.value is not None]
        if not values:
            break
        data_rows += 1
        for cell in values:
            if cell.data_type != "s":
                problems.append(f"cell {cell.coordinate} is not text ({cell.data_type}: {cell.value!r})")
            texts.add(str(cell.value))
    if data_rows != args.rows:
        problems.append(f"{data_rows} data rows, expected {args.rows}")
    for expected in args.expect:
        if expected not in texts:
            problems.append(f"no cell holds \"{expected}\"")

    return report(args.xlsx, problems, f"{data_rows} data rows under header row {header_row}, print titles {titles}")


if __name__ == "__main__":
    sys.exit(main())
