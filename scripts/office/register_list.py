#!/usr/bin/env python3
"""Reads the register list exported as text (windows-1251, "|" between cells, a header line)
and answers what the document checks need from it.

  register_list.py LIST.txt words K OUT   the cells of the first K rows, one per line (UTF-8)
  register_list.py LIST.txt card longest  "REG_NUM|NAME|ADDRESS" of the card with the longest
                                          address (ties: the largest registration number)
  register_list.py LIST.txt card last     the same for the largest registration number
  register_list.py LIST.txt card N        the same for registration number N
  register_list.py LIST.txt column CAPTION K  the first K non-empty cells of a column, one per line
"""
import sys


def read(path):
    with open(path, encoding="cp1251", newline="") as f:
        lines = f.read().split("\r\n")
    header = lines[0].split("|")
    rows = [line.split("|") for line in lines[1:] if line]
    return header, rows


def main():
    header, rows = read(sys.argv[1])
    what = sys.argv[2]
    if what == "words":
        keep, out = int(sys.argv[3]), sys.argv[4]
        with open(out, "w", encoding="utf-8") as f:
            for row in rows[:keep]:
                for cell in row:
                    if cell:
                        f.write(cell + "\n")
        return 0
    if what == "column":
        index = header.index(sys.argv[3])
        cells = [row[index] for row in rows if row[index]]
        print("\n".join(cells[: int(sys.argv[4])]))
        return 0
    reg, name, address = header.index("Рег.номер"), header.index("Име"), header.index("Адрес")
    choice = sys.argv[3]
    if choice == "longest":
        row = max(rows, key=lambda r: (len(r[address]), int(r[reg])))
    elif choice == "last":
        row = max(rows, key=lambda r: int(r[reg]))
    else:
        row = next(r for r in rows if r[reg] == choice)
    print(f"{row[reg]}|{row[name]}|{row[address]}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
