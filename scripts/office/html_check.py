#!/usr/bin/env python3
"""Reads the public annual list's HTML page as a browser and a screen reader would need it: its
tags balanced, the page in Bulgarian and UTF-8, one table with a caption and column headers,
the rows given, nothing loaded from elsewhere and no script, and none of the texts given with
--absent (personal data that must not be published).

Usage: html_check.py FILE.html --rows N [--absent TEXT]...
"""
import argparse
import html.parser
import sys

from findings import report

VOID = {"meta", "link", "br", "hr", "img", "input", "col", "wbr", "source"}


class Reader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.stack, self.problems = [], []
        self.lang = self.charset = None
        self.captions = self.tables = self.body_rows = 0
        self.column_headers = []
        self.text = []
        self._in_tbody = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "meta" and a.get("charset"):
            self.charset = a["charset"].lower()
        if tag == "script":
            self.problems.append("the page holds a script")
        for name in ("src", "href"):
            if a.get(name) and not a[name].startswith("#"):
                self.problems.append(f"<{tag} {name}=\"{a[name]}\"> loads something from elsewhere")
        if tag == "table":
            self.tables += 1
        if tag == "caption":
            self.captions += 1
        if tag == "th" and a.get("scope") == "col":
            self.column_headers.append(a)
        if tag == "tbody":
            self._in_tbody = True
        if tag == "tr" and self._in_tbody:
            self.body_rows += 1
        if tag not in VOID:
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if tag == "tbody":
            self._in_tbody = False
        if tag in VOID:
            return
        # Elements whose end tag HTML lets out (p, li, td, tr, ...) are closed by their parent's.
        while self.stack and self.stack[-1] != tag and self.stack[-1] in {"p", "li", "td", "th", "tr"}:
            self.stack.pop()
        if not self.stack or self.stack[-1] != tag:
            self.problems.append(f"</{tag}> does not close the open <{self.stack[-1] if self.stack else ''}>")
            return
        self.stack.pop()

    def handle_data(self, data):
        self.text.append(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("html")
    parser.add_argument("--rows", type=int, required=True)
    parser.add_argument("--absent", action="append", default=[])
    args = parser.parse_args()

    with open(args.html, encoding="utf-8") as f:
        page = f.read()
    reader = Reader()
    reader.feed(page)
    reader.close()
    problems = reader.problems
    if reader.stack:
        problems.append(f"elements left open: {reader.stack}")
    if reader.lang != "bg":
        problems.append(f"the page's language is {reader.lang!r}, not \"bg\"")
    if reader.charset != "utf-8":
        problems.append(f"the page's character set is {reader.charset!r}")
    if reader.tables != 1 or reader.captions != 1:
        problems.append(f"{reader.tables} table(s) and {reader.captions} caption(s), expected one of each")
    if not reader.column_headers:
        problems.append("no column headers (<th scope=\"col\">)")
    if reader.body_rows != args.rows:
        problems.append(f"{reader.body_rows} rows, expected {args.rows}")
    text = "".join(reader.text)
    for absent in args.absent:
        if absent in text or absent in page:
            problems.append(f"\"{absent}\" is on the page, but must not be published")
    return report(args.html, problems, f"{reader.body_rows} rows, {len(reader.column_headers)} column headers")


if __name__ == "__main__":
    sys.exit(main())
