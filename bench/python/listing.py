#!/usr/bin/env python3
# listing: every file of the tree that bench/run makes beside the programs (N files,
# default 10,000, in 100 folders), found by a recursive os.scandir and read whole;
# prints the number of files and of bytes read.
import os
import sys


def walk(folder, found):
    folders = []
    with os.scandir(folder) as entries:
        for entry in entries:
            if entry.is_dir(follow_symlinks=False):
                folders.append(entry.path)
            else:
                found.append(entry.path)
    for sub in folders:
        walk(sub, found)


def main():
    found = []
    walk(os.environ["PIRUNE_BENCH_TREE"], found)
    total = 0
    for path in found:
        with open(path, "rb") as f:
            total += len(f.read())
    print(len(found), total)


if __name__ == "__main__":
    main()
