#!/usr/bin/env python3
"""Reads a PDF's words with their boxes (pdftotext -bbox) and checks that a reader sees every
word whole: no two words on a page overlap, no word runs off the paper, and the texts given
with --expect appear (blanks and line breaks in the document count as one blank, so a text
broken over two lines is still found, but a word broken in the middle is not).

--whole-words FILE names a file of texts, one per line, whose words must each appear unbroken (a
date or a personal number cut over two lines of a narrow column is not found); --every-page TEXT must
be on every page (a header repeated on each printed page).

Usage: pdf_words.py FILE.pdf [--expect TEXT]... [--absent TEXT]... [--whole-words FILE]
                    [--every-page TEXT]...
Exit code 0 when every check passes, 1 otherwise; each failure is printed.
"""
import argparse
import html.parser
import re
import subprocess
import sys

from findings import report


class BboxReader(html.parser.HTMLParser):
    """Collects pages as (width, height, [(xmin, ymin, xmax, ymax, word)])."""

    def __init__(self):
        super().__init__()
        self.pages = []
        self._word = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "page":
            self.pages.append((float(a["width"]), float(a["height"]), []))
        elif tag == "word":
            self._word = [float(a["xmin"]), float(a["ymin"]), float(a["xmax"]), float(a["ymax"]), ""]

    def handle_data(self, data):
        if self._word is not None:
            self._word[4] += data

    def handle_endtag(self, tag):
        if tag == "word" and self._word is not None:
            self.pages[-1][2].append(tuple(self._word))
            self._word = None


def overlaps(a, b):
    """Two word boxes overlap when they share more than a hair horizontally and most of a line
    vertically: glyph boxes of neighbouring lines touch, words of one line must not."""
    dx = min(a[2], b[2]) - max(a[0], b[0])
    dy = min(a[3], b[3]) - max(a[1], b[1])
    height = min(a[3] - a[1], b[3] - b[1])
    return dx > 0.3 and dy > 0.5 * height


def page_problems(number, page):
    width, height, words = page
    problems = []
    for w in words:
        if w[0] < -0.5 or w[2] > width + 0.5 or w[1] < -0.5 or w[3] > height + 0.5:
            problems.append(f"page {number}: \"{w[4]}\" runs off the paper ({w[0]:.1f}..{w[2]:.1f} pt)")
    ordered = sorted(words, key=lambda w: (w[1], w[0]))
    for i, a in enumerate(ordered):
        for b in ordered[i + 1:]:
            if b[1] > a[3]:
                break
            if overlaps(a, b):
                problems.append(f"page {number}: \"{a[4]}\" ({a[0]:.1f}..{a[2]:.1f}) overlaps \"{b[4]}\" "
                                f"({b[0]:.1f}..{b[2]:.1f}) at y {a[1]:.1f}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pdf")
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("--absent", action="append", default=[])
    parser.add_argument("--whole-words")
    parser.add_argument("--every-page", action="append", default=[])
    args = parser.parse_args()

    xml = subprocess.run(["pdftotext", "-bbox", args.pdf, "-"], check=True, capture_output=True).stdout
    reader = BboxReader()
    reader.feed(xml.decode("utf-8"))
    problems = []
    for number, page in enumerate(reader.pages, 1):
        problems += page_problems(number, page)
    text = " ".join(w[4] for _, _, words in reader.pages for w in words)
    text = re.sub(r"\s+", " ", text)
    for expected in args.expect:
        if re.sub(r"\s+", " ", expected) not in text:
            problems.append(f"\"{expected}\" not found")
    if args.whole_words:
        with open(args.whole_words, encoding="utf-8") as words:
            wanted = [w.strip() for w in words if w.strip()]
        # A line may break at a blank, after a hyphen or after a slash; never elsewhere. Every
        # piece between such breaks must be inside one printed word (the words are joined by
        # blanks, so a piece without blanks cannot match across two of them).
        pieces = set()
        for text in wanted:
            for token in text.split():
                pieces.update(p for p in re.split(r"(?<=[-/])", token) if p)
        printed = " ".join(w[4] for _, _, words in reader.pages for w in words)
        broken = sorted(p for p in pieces if p not in printed)
        for w in broken[:10]:
            problems.append(f"\"{w}\" is not printed whole")
        if len(broken) > 10:
            problems.append(f"... {len(broken) - 10} more texts not printed whole")
    for number, (_, _, words) in enumerate(reader.pages, 1):
        page_text = re.sub(r"\s+", " ", " ".join(w[4] for w in words))
        for expected in args.every_page:
            if expected not in page_text:
                problems.append(f"page {number} lacks \"{expected}\"")
    for absent in args.absent:
        if absent in text:
            problems.append(f"\"{absent}\" found, but must not be there")
    return report(args.pdf, problems,
                  f"{len(reader.pages)} page(s), {sum(len(w) for _, _, w in reader.pages)} words")


if __name__ == "__main__":
    sys.exit(main())
