# chars: N lines (default 100,000: 10 MB) of mixed Japanese and ASCII text in Shift_JIS;
# prints the number of characters, counted after decoding.
encoding system utf-8
proc main {n} {
    set line [encoding convertto cp932 "日本語のテキストと ASCII text が混ざった行です。全角と半角、ｶﾀｶﾅも少し。　漢字かな交じり0123456789\r\n"]
    set t ""
    for {set i 0} {$i < $n} {incr i} {
        append t $line
    }
    puts [string length [encoding convertfrom cp932 $t]]
}

main [expr {$argc > 0 ? [lindex $argv 0] : 100000}]
