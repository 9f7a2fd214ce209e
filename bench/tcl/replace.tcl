# replace: a text of N lines (default 100,000: 10 MB) with every "fox" replaced by
# "wolf"; prints the new text's length.
proc main {n} {
    set line "The quick brown fox jumps over the lazy dog, and the fox runs into the forest. 0123456789 ABCDEFGH\r\n"
    set t ""
    for {set i 0} {$i < $n} {incr i} {
        append t $line
    }
    puts [string length [string map {fox wolf} $t]]
}

main [expr {$argc > 0 ? [lindex $argv 0] : 100000}]
