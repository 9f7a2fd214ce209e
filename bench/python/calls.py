#!/usr/bin/env python3
# calls: N calls (default 100,000) of a two-argument function returning the sum;
# the running total goes in and the sum is assigned back.
import sys


def add(x, y):
    return x + y


def main(n):
    t = 0
    for _ in range(n):
        t = add(t, 1)
    print(t)


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 100_000)
