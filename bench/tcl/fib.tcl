#!/usr/bin/env tclsh
# fib: the Fibonacci number N (default 24) by the naive recursion, which makes
# 2 F(N+1) - 1 calls (150,049 for N = 24).
proc fib {n} {
    if {$n < 2} {
        return $n
    }
    return [expr {[fib [expr {$n - 1}]] + [fib [expr {$n - 2}]]}]
}

puts [fib [expr {$argc > 0 ? [lindex $argv 0] : 24}]]
