#!/usr/bin/env python3
"""Date arithmetic, weekdays, differences and era forms of the runtime, for every day
from 1900 to 2100 with random offsets, against Python's proleptic Gregorian calendar.
usage: check_dates.py DATE_CASES_DRIVER"""
import calendar
import datetime as dt
import random
import subprocess
import sys

DAY_ZERO = dt.datetime(1899, 12, 30)
ERAS = [("明治", dt.date(1868, 1, 1)), ("大正", dt.date(1912, 1, 1)), ("昭和", dt.date(1926, 1, 1)),
        ("平成", dt.date(1989, 1, 1)), ("令和", dt.date(2019, 5, 1))]


def written(t):
    return "%04d/%02d/%02d %02d:%02d:%02d" % (t.year, t.month, t.day, t.hour, t.minute, t.second)


def add_date(base, negative, years, months, days):
    index = base.year * 12 + base.month - 1 + (-1 if negative else 1) * (years * 12 + months)
    year, month = divmod(index, 12)
    month += 1
    if not 1 <= year <= 9999:
        return "error"
    moved = base.replace(year=year, month=month, day=min(base.day, calendar.monthrange(year, month)[1]))
    try:
        return written(moved + dt.timedelta(days=-days if negative else days))
    except OverflowError:
        return "error"


def add_time(base, negative, hours, minutes, seconds):
    delta = dt.timedelta(hours=hours, minutes=minutes, seconds=seconds)
    try:
        t = base - delta if negative else base + delta
        if negative and t < DAY_ZERO:
            t += dt.timedelta(days=1)
    except OverflowError:
        return "error"
    return written(t)


def era(t):
    chosen = None
    for name, first in ERAS:
        if first <= t.date():
            chosen = (name, first)
    if not chosen:
        return ""
    year = t.year - chosen[1].year + 1
    return "%s%s年%d月%d日" % (chosen[0], "元" if year == 1 else year, t.month, t.day)


def main():
    rng = random.Random(20031229)
    cases, expected = [], []
    day = dt.datetime(1900, 1, 1)
    while day.year <= 2100:
        base = day + dt.timedelta(seconds=rng.randrange(86400))
        other = dt.datetime(1900, 1, 1) + dt.timedelta(seconds=rng.randrange(201 * 366 * 86400))
        date_part = [rng.choice([0, rng.randrange(300), rng.randrange(65536)]) for _ in range(3)]
        time_part = [rng.choice([0, rng.randrange(100), rng.randrange(65536)]) for _ in range(3)]
        date_negative, time_negative = rng.random() < 0.5, rng.random() < 0.5
        separator = rng.choice("/-")
        base_text = base.strftime(f"%Y{separator}%m{separator}%d %H:%M:%S")
        if rng.random() < 0.2:  # a two-digit year, as people write them
            base_text = base_text[2:] if base.year >= 1930 and base.year < 2030 else base_text
        cases.append("\t".join([base_text,
                                ("-" if date_negative else "") + "/".join(map(str, date_part)),
                                ("-" if time_negative else "+") + ":".join(map(str, time_part)),
                                other.strftime("%Y/%m/%d %H:%M:%S")]))
        difference = (base - other) // dt.timedelta(seconds=1)
        days = abs(difference) // 86400 * (1 if difference >= 0 else -1)
        expected.append("\t".join([str(base.isoweekday() % 7 + 1), add_date(base, date_negative, *date_part),
                                   add_time(base, time_negative, *time_part), str(days), str(difference), era(base)]))
        day += dt.timedelta(days=1)
    run = subprocess.run([sys.argv[1]], input="\n".join(cases).encode("cp932") + b"\n", capture_output=True, check=True)
    got = run.stdout.decode("cp932").splitlines()
    wrong = [(c, e, g) for c, e, g in zip(cases, expected, got) if e != g]
    for case in wrong[:10]:
        print("case %r\n  expected %r\n  got      %r" % case)
    if len(got) != len(cases):
        print("%d answers for %d cases" % (len(got), len(cases)))
        return 1
    print("%d passed, %d failed" % (len(cases) - len(wrong), len(wrong)))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
