# listing: every file of the tree that bench/run makes beside the programs, found
# recursively with glob and read whole; prints the number of files and of bytes read.
proc walk {folder} {
    set found [glob -nocomplain -type f -directory $folder *]
    foreach sub [lsort [glob -nocomplain -type d -directory $folder *]] {
        lappend found {*}[walk $sub]
    }
    return $found
}

proc main {} {
    set total 0
    set count 0
    foreach path [walk $::env(PIRUNE_BENCH_TREE)] {
        set f [open $path rb]
        incr total [string length [read $f]]
        close $f
        incr count
    }
    puts "$count $total"
}

main
