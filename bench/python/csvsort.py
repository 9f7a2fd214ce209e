#!/usr/bin/env python3
# csvsort: the table bench/run makes (PIRUNE_BENCH_CSV, N rows of Shift_JIS CSV) read with
# the csv module, sorted by its first column in Shift_JIS byte order (as 表ソート
# compares) and written back beside it as sorted-python.csv; prints the bytes written.
import csv
import os
import sys


def main():
    source = os.environ["PIRUNE_BENCH_CSV"]
    target = os.path.join(os.path.dirname(source), "sorted-python.csv")
    with open(source, newline="", encoding="cp932") as f:
        rows = list(csv.reader(f))
    rows.sort(key=lambda row: row[0].encode("cp932"))
    with open(target, "w", newline="", encoding="cp932") as f:
        csv.writer(f, lineterminator="\r\n").writerows(rows)
    print(os.path.getsize(target))


if __name__ == "__main__":
    main()
