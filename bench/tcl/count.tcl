#!/usr/bin/env tclsh
# count: add 1 to a variable N times (default 1,000,000) and print it.
proc main {n} {
    set a 0
    for {set i 0} {$i < $n} {incr i} {
        incr a
    }
    puts $a
}

main [expr {$argc > 0 ? [lindex $argv 0] : 1000000}]
