#!/usr/bin/env python3
# count: add 1 to a variable N times (default 1,000,000) and print it.
import sys


def main(n):
    a = 0
    for _ in range(n):
        a += 1
    print(a)


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000)
