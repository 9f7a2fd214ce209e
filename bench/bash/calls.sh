#!/usr/bin/env bash
# calls: N calls (default 100,000) of a two-argument function returning the sum;
# the running total goes in and the sum is assigned back. The function hands its
# result back in the global REPLY: returning it through echo and $(...) would fork
# a subshell on every call and measure process creation instead.
n=${1:-100000}

add() {
  REPLY=$(($1 + $2))
}

t=0
for ((i = 0; i < n; i++)); do
  add "$t" 1
  t=$REPLY
done
echo "$t"
