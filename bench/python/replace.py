#!/usr/bin/env python3
# replace: a text of N lines (default 100,000: 10 MB) with every "fox" replaced by
# "wolf"; prints the new text's length.
import sys

LINE = "The quick brown fox jumps over the lazy dog, and the fox runs into the forest. 0123456789 ABCDEFGH\r\n"


def main(n):
    t = ""
    for _ in range(n):
        t += LINE
    print(len(t.replace("fox", "wolf")))


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 100_000)
