#!/usr/bin/env python3
# concat: append the 10-character text "0123456789" N times (default 100,000) and
# print the result. += on a str is the everyday way to append (CPython grows the
# string in place when nothing else refers to it); "".join over a list is faster.
import sys


def main(n):
    s = ""
    for _ in range(n):
        s += "0123456789"
    print(s)


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 100_000)
