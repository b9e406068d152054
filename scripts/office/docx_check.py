#!/usr/bin/env python3
"""Reads an exported .docx back with python-docx: one table with the header and the rows given,
columns that together fit between the page's margins, the texts expected in its cells. With
--head OUT K it also writes a copy holding only the table's first K data rows (same widths,
fonts and page), small enough for an office program to lay out in seconds: a 20 000-row table
takes LibreOffice longer than a quarter of an hour.

Usage: docx_check.py FILE.docx --rows N [--header TEXT]... [--expect TEXT]... [--head OUT K]
"""
import argparse
import sys

from findings import report

import docx


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("docx")
    parser.add_argument("--rows", type=int, required=True)
    parser.add_argument("--header", action="append", default=[])
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("--head", nargs=2, metavar=("OUT", "K"))
    args = parser.parse_args()

    problems = []
    document = docx.Document(args.docx)
    if len(document.tables) != 1:
        problems.append(f"{len(document.tables)} tables, expected one")
    table = document.tables[0]
    rows = table._tbl.tr_lst  # the rows' XML: reading every cell through python-docx is slow
    if len(rows) != args.rows + 1:
        problems.append(f"{len(rows) - 1} data rows, expected {args.rows}")
    header = ["".join(t.text or "" for t in tc.iter(docx.oxml.ns.qn("w:t"))) for tc in rows[0].tc_lst]
    for caption in args.header:
        if caption not in header:
            problems.append(f"header lacks \"{caption}\" (it holds {header})")

    section = document.sections[-1]
    text_width = section.page_width - section.left_margin - section.right_margin
    grid = [int(c.get(docx.oxml.ns.qn("w:w"))) for c in table._tbl.tblGrid.iter(docx.oxml.ns.qn("w:gridCol"))]
    table_width = sum(grid) * 635  # twentieths of a point to EMU
    if table_width > text_width + 635 * 20:
        problems.append(f"the table is {table_width / 12700:.1f} pt wide, the page's text {text_width / 12700:.1f} pt")

    wanted = set(args.expect)
    for tr in rows[1:]:
        if not wanted:
            break
        for tc in tr.tc_lst:
            wanted.discard("".join(t.text or "" for t in tc.iter(docx.oxml.ns.qn("w:t"))))
    for missing in sorted(wanted):
        problems.append(f"no cell holds \"{missing}\"")

    if args.head:
        out, keep = args.head[0], int(args.head[1])
        for tr in rows[keep + 1:]:
            tr.getparent().remove(tr)
        document.save(out)

    orientation = "landscape" if section.page_width > section.page_height else "portrait"
    return report(args.docx, problems, f"{len(rows) - 1} data rows, {len(grid)} columns, table "
                  f"{table_width / 12700:.0f} of {text_width / 12700:.0f} pt, {orientation}")


if __name__ == "__main__":
    sys.exit(main())
