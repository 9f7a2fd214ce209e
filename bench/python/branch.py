#!/usr/bin/env python3
# branch: N times (default 1,000,000), counting from 1, set x to 1 when the counter
# is even and to 2 otherwise, and add x to a total.
import sys


def main(n):
    total = 0
    for i in range(1, n + 1):
        if i % 2 == 0:
            x = 1
        else:
            x = 2
        total += x
    print(total)


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000)
