#!/usr/bin/env python3
"""切り捨て and 四捨五入 of the runtime, over a million random numbers of at most 15
significant digits (the digits numbers are written with) and random places, against
exact decimal arithmetic (done on integers: a number is its digits and a power of ten).
usage: check_places.py PLACES_CASES_DRIVER"""
import random
import subprocess
import sys

COUNT = 1_000_000


def normal(negative, digits, exponent):
    """A decimal as (negative, digits, exponent) without trailing zeros; zero unsigned."""
    if digits == 0:
        return (False, 0, 0)
    while digits % 10 == 0:
        digits //= 10
        exponent += 1
    return (negative, digits, exponent)


def parse(written):
    """The exact decimal a written number stands for."""
    negative = written.startswith("-")
    text, _, exponent = written.lstrip("-").partition("E")
    whole, _, fraction = text.partition(".")
    return normal(negative, int(whole + fraction), int(exponent or 0) - len(fraction))


def expected(negative, digits, exponent, places):
    """Truncated and rounded (halves to even) to `places` decimal places."""
    shift = exponent + places
    if shift >= 0:
        both = normal(negative, digits, exponent)
        return both, both
    divisor = 10 ** -shift
    kept, rest = divmod(digits, divisor)
    rounded = kept + (1 if 2 * rest > divisor or (2 * rest == divisor and kept % 2) else 0)
    return normal(negative, kept, -places), normal(negative, rounded, -places)


def written(negative, digits, exponent):
    text = str(digits)
    if exponent < 0:
        text = text.rjust(-exponent + 1, "0")
        text = text[:exponent] + "." + text[exponent:]
    else:
        text += "0" * exponent
    return ("-" if negative else "") + text


def main():
    rng = random.Random(9232)
    cases = []
    for _ in range(COUNT):
        size = rng.randrange(1, 16)
        digits = rng.randrange(10 ** (size - 1), 10 ** size)
        if rng.random() < 0.3:  # halves, where rounding is decided
            digits = digits // 10 * 10 + 5
        cases.append((rng.random() < 0.5, digits, rng.randrange(-12, 8) - size, rng.randrange(-4, 14)))
    feed = "".join("%s\t%d\n" % (written(n, d, e), p) for n, d, e, p in cases).encode()
    run = subprocess.run([sys.argv[1]], input=feed, capture_output=True, check=True)
    got = run.stdout.decode().splitlines()
    if len(got) != COUNT:
        print("%d answers for %d cases" % (len(got), COUNT))
        return 1
    wrong = 0
    for case, answer in zip(cases, got):
        truncated, rounded = answer.split("\t")
        if (parse(truncated), parse(rounded)) != expected(*case):
            wrong += 1
            if wrong <= 10:
                print("%s at %d places: expected %s, got %s" % (written(*case[:3]), case[3], expected(*case), answer))
    print("%d passed, %d failed" % (COUNT - wrong, wrong))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
