#!/usr/bin/env bash
# count: add 1 to a variable N times (default 1,000,000) and print it.
n=${1:-1000000}
a=0
for ((i = 0; i < n; i++)); do
  ((a += 1))
done
echo "$a"
