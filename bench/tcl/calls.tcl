#!/usr/bin/env tclsh
# calls: N calls (default 100,000) of a two-argument proc returning the sum;
# the running total goes in and the sum is assigned back.
proc add {x y} {
    return [expr {$x + $y}]
}

proc main {n} {
    set t 0
    for {set i 0} {$i < $n} {incr i} {
        set t [add $t 1]
    }
    puts $t
}

main [expr {$argc > 0 ? [lindex $argv 0] : 100000}]
