#!/usr/bin/env python3
# resub: the replace text with the regular expression fo+x substituted by "wolf"
# everywhere; prints the new text's length.
import re
import sys

LINE = "The quick brown fox jumps over the lazy dog, and the fox runs into the forest. 0123456789 ABCDEFGH\r\n"


def main(n):
    t = ""
    for _ in range(n):
        t += LINE
    print(len(re.sub(r"fo+x", "wolf", t)))


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 100_000)
