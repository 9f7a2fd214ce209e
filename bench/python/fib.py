#!/usr/bin/env python3
# fib: the Fibonacci number N (default 24) by the naive recursion, which makes
# 2 F(N+1) - 1 calls (150,049 for N = 24).
import sys


def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)


def main(n):
    print(fib(n))


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 24)
