# resub: the replace text with the regular expression fo+x substituted by "wolf"
# everywhere; prints the new text's length.
proc main {n} {
    set line "The quick brown fox jumps over the lazy dog, and the fox runs into the forest. 0123456789 ABCDEFGH\r\n"
    set t ""
    for {set i 0} {$i < $n} {incr i} {
        append t $line
    }
    regsub -all {fo+x} $t wolf u
    puts [string length $u]
}

main [expr {$argc > 0 ? [lindex $argv 0] : 100000}]
