#!/usr/bin/env bash
# branch: N times (default 1,000,000), counting from 1, set x to 1 when the counter
# is even and to 2 otherwise, and add x to a total.
n=${1:-1000000}
total=0
for ((i = 1; i <= n; i++)); do
  if ((i % 2 == 0)); then
    x=1
  else
    x=2
  fi
  ((total += x))
done
echo "$total"
