#!/usr/bin/env python3
# Makes the table that csvsort sorts: N rows (default 100,000) of Shift_JIS CSV with a
# unique key in random order, Japanese text (with trail bytes 0x5C), commas and doubled
# quotes inside quoted cells and line breaks inside cells.
#   csv_table.py N FILE
import csv
import random
import sys

WORDS = ["表計算", "ソート", "能力", "予定", "東京", "大阪", "ﾃｽﾄ", "データ", "abc", "Shift"]


def main(n, path):
    rng = random.Random(20261211)
    keys = list(range(n))
    rng.shuffle(keys)
    with open(path, "w", newline="", encoding="cp932") as f:
        out = csv.writer(f, lineterminator="\r\n")
        for i, k in enumerate(keys):
            a, b, c = (rng.choice(WORDS) for _ in range(3))
            out.writerow([
                "%s%07d" % (rng.choice(WORDS), k) if i % 3 else "%07d" % k,
                a + b,
                "%s, %s" % (b, c),
                'he said "%s"' % c,
                "%s\r\n%s" % (a, c) if i % 5 == 0 else a,
                str(rng.randint(-100000, 100000)),
            ])


if __name__ == "__main__":
    main(int(sys.argv[1]), sys.argv[2])
