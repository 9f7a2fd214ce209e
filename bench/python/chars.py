#!/usr/bin/env python3
# chars: N lines (default 100,000: 10 MB) of mixed Japanese and ASCII text in Shift_JIS;
# prints the number of characters, counted after decoding.
import sys

LINE = "日本語のテキストと ASCII text が混ざった行です。全角と半角、ｶﾀｶﾅも少し。　漢字かな交じり0123456789\r\n".encode("cp932")


def main(n):
    t = bytearray()
    for _ in range(n):
        t += LINE
    print(len(t.decode("cp932")))


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 100_000)
