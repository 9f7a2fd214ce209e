#!/usr/bin/env tclsh
# concat: append the 10-character text "0123456789" N times (default 100,000) and
# print the result.
proc main {n} {
    set s ""
    for {set i 0} {$i < $n} {incr i} {
        append s 0123456789
    }
    puts $s
}

main [expr {$argc > 0 ? [lindex $argv 0] : 100000}]
