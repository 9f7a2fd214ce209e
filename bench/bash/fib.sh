#!/usr/bin/env bash
# fib: the Fibonacci number N (default 24) by the naive recursion, which makes
# 2 F(N+1) - 1 calls (150,049 for N = 24). The function hands its result back in the
# global REPLY, as in calls.sh; the first half of the sum is kept in a local.
n=${1:-24}

fib() {
  local n=$1 first
  if ((n < 2)); then
    REPLY=$n
    return
  fi
  fib $((n - 1))
  first=$REPLY
  fib $((n - 2))
  REPLY=$((first + REPLY))
}

fib "$n"
echo "$REPLY"
