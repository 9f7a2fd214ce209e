#!/usr/bin/env tclsh
# branch: N times (default 1,000,000), counting from 1, set x to 1 when the counter
# is even and to 2 otherwise, and add x to a total.
proc main {n} {
    set total 0
    for {set i 1} {$i <= $n} {incr i} {
        if {$i % 2 == 0} {
            set x 1
        } else {
            set x 2
        }
        incr total $x
    }
    puts $total
}

main [expr {$argc > 0 ? [lindex $argv 0] : 1000000}]
