#!/usr/bin/env bash
# concat: append the 10-character text "0123456789" N times (default 100,000) and
# print the result.
n=${1:-100000}
s=
for ((i = 0; i < n; i++)); do
  s+=0123456789
done
printf '%s\n' "$s"
