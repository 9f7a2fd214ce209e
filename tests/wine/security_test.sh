#!/usr/bin/env bash
# The security question of the Windows GUI runtime answered as a person would: at the
# middle level a script writes beside its own folder, which asks through the button
# dialog, and the test presses each of its buttons (with the mouse or the keyboard), then
# looks at what happened: whether the file was written, what the script saw afterwards
# (it writes its findings to out.txt, inside its folder, which asks nothing) and whether
# the next change asks again.
#   tests/wine/security_test.sh build/win32/pirune.exe [PICTURE_DIR]
# The picture of the question stays in PICTURE_DIR (default: the folder of the program)
# as security-question.png.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=gui_program.sh
source "$here/gui_program.sh"

gui_test_arguments "$@"
gui_tools_needed
# The question bears the main window's title; its client area is narrower than the
# main window's 640 pixels.
title='^ぴるね$'

gui_program_session

# start_program NAME LINE...: the lines as a script in NAME/program/, run from there as a
# user would. What the script writes to "..\x" lands in NAME/, outside its folder.
case_dir=
start_program() {
  local name=$1
  shift
  case_dir="$PIRUNE_WINE_TMP/security/$name"
  mkdir -p "$case_dir/program"
  write_script "$case_dir/program/$name.prw" '表示出力先は 「out.txt」' 'エラーを無視' "$@" '「終わり」と、表示' 'おわり'
  start_in "$case_dir/program" "$name.prw"
}
# The lines of a change outside the program's folder, then what the script sees of it,
# added to `lines`.
lines=()
write_line() {  # TEXT FILE
  lines+=("「$1」を、『..\\$2』へ、書く" "「$2 書いた後 エラー[{エラーメッセージ}]」と、表示")
}
copy_line() {  # FROM FILE
  lines+=("『$1』から、『..\\$2』へ、ファイルコピー" "「$2 コピーの後 エラー[{エラーメッセージ}]」と、表示")
}

first_question() {
  local window width
  for window in $(windows_titled "$title"); do
    width=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ -n "$width" ] && [ "$width" -lt 640 ] && { echo "$window"; return 0; }
  done
  return 1
}
no_question() { ! first_question >/dev/null; }
line_or_question() { output_has "$1" || ! no_question; }
# Waits for LINE in out.txt; fails at once when a question comes up instead, as the
# script would then be waiting for it.
gets_without_question() {  # LINE
  poll line_or_question "$1"
  no_question && output_has "$1"
}
file_holds() {  # FILE TEXT
  [ -f "$case_dir/$1" ] && [ "$(iconv -f CP932 -t UTF-8 "$case_dir/$1")" = "$2" ]
}
no_file() { [ ! -e "$case_dir/$1" ]; }
gone() { window_gone "$1" .; }

# The buttons lie in one row below the question, from the left: はい, いいえ, 全てはい,
# 全ていいえ, each 1.3 times as wide as the widest caption and 1.1 widths apart, 8 pixels
# in; the row takes 0.8 of two text lines, below a one-line question. So the client
# area's size alone tells where each button is.
click_button() {  # WINDOW INDEX
  local geometry width height unit x
  geometry=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)
  width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
  height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
  [ "${width:-0}" -gt 16 ] && [ "${height:-0}" -gt 16 ] || return 1
  unit=$(((height - 16) * 2 / 3))
  x=$(awk -v w="$width" -v i="$2" 'BEGIN { b = (w - 16) / 4.4; printf "%d", 8 + i * b * 1.1 + b / 2 }')
  xdotool mousemove --window "$1" "$x" $((height - unit * 6 / 10)) click 1 2>/dev/null
}

# At the high level "表示" into a file is refused too: there the script reports in the
# title of a message box ("ダイアログタイトル", then "言う").
report_or_question() { [ -n "$(windows_titled '^報告')" ] || ! no_question; }
report_shows() {  # TITLE: fails at once when a question comes up instead
  local window seen
  poll report_or_question
  window=$(windows_titled '^報告' | head -n 1)
  [ -n "$window" ] || return 1
  seen=$(xdotool getwindowname "$window" 2>/dev/null)
  act_until gone "$window" -- press_keys "$window" Return
  [ "$seen" = "$1" ] || echo "the report reads: $seen"
  [ "$seen" = "$1" ]
}
ends_with_status_0() {
  wait_for_exit
  local status=$?
  [ "$status" -eq 0 ] || echo "exit status $status"
  [ "$status" -eq 0 ]
}

# --- はい, clicked: the write goes ahead; the answer holds for that change alone, so
# the next one asks again, and Escape (no button) refuses it.
lines=()
write_line 一 yes1.txt
write_line 二 yes2.txt
start_program yes "${lines[@]}"
question=$(poll first_question)
check "yes: the first write outside the folder asks" test -n "$question"
if [ -n "$question" ]; then
  import -window "$question" "$pictures/security-question.png" 2>/dev/null && echo "picture: $pictures/security-question.png"
  check "yes: clicking はい answers" act_until gone "$question" -- click_button "$question" 0
  check "yes: the script goes on without an error" output_gets 'yes1.txt 書いた後 エラー[]'
  check "yes: the file is written" file_holds yes1.txt 一
  question=$(poll first_question)
  check "yes: the second write asks again" test -n "$question"
  check "yes: Escape closes the question" act_until gone "$question" -- press_keys "$question" Escape
  check "yes: the script goes on without an error" gets_without_question 'yes2.txt 書いた後 エラー[]'
  check "yes: and to its end" gets_without_question '終わり'
  check "yes: the refused file is not written" no_file yes2.txt
  check "yes: the program ends with status 0" ends_with_status_0
fi
stop_program

# --- いいえ, by the keyboard (the focus starts on はい): nothing is written, and the
# script sees no error.
lines=()
write_line 一 no.txt
start_program no "${lines[@]}"
question=$(poll first_question)
check "no: the write asks" test -n "$question"
if [ -n "$question" ]; then
  check "no: Tab and space press いいえ" act_until gone "$question" -- press_keys "$question" Tab space
  check "no: the script goes on without an error" gets_without_question 'no.txt 書いた後 エラー[]'
  check "no: and to its end" gets_without_question '終わり'
  check "no: the file is not written" no_file no.txt
fi
stop_program

# --- 全てはい, clicked, on a copy: it goes ahead, and so does every later change of the
# run without a question.
lines=('「原本」を、『source.txt』へ、書く')
copy_line source.txt copy.txt
write_line 二 all-yes2.txt
copy_line source.txt copy3.txt
start_program all-yes "${lines[@]}"
question=$(poll first_question)
check "all-yes: the copy outside the folder asks" test -n "$question"
if [ -n "$question" ]; then
  check "all-yes: clicking 全てはい answers" act_until gone "$question" -- click_button "$question" 2
  check "all-yes: the script goes on without an error" gets_without_question 'copy.txt コピーの後 エラー[]'
  check "all-yes: the file is copied" file_holds copy.txt 原本
  check "all-yes: the later changes ask nothing" gets_without_question '終わり'
  check "all-yes: the later write is done" file_holds all-yes2.txt 二
  check "all-yes: the later copy is done" file_holds copy3.txt 原本
fi
stop_program

# --- 全ていいえ, by the keyboard: refused, and every later change of the run is refused
# without a question, the one inside the folder too.
lines=()
write_line 一 all-no1.txt
write_line 二 all-no2.txt
lines+=('「内」を、『inside.txt』へ、書く' '『inside.txt』が、存在するか'
  'ダイアログタイトル=「報告 エラー[{エラーメッセージ}] inside {それ}」' '「報告」と、言う')
start_program all-no "${lines[@]}"
question=$(poll first_question)
check "all-no: the write asks" test -n "$question"
if [ -n "$question" ]; then
  check "all-no: three Tabs and space press 全ていいえ" act_until gone "$question" -- press_keys "$question" Tab Tab Tab space
  check "all-no: the later changes ask nothing; none fails, the one inside is not done" \
    report_shows '報告 エラー[] inside 0'
  check "all-no: the program ends with status 0" ends_with_status_0
  check "all-no: the files are not written" no_file all-no1.txt
  check "all-no: nor the later one" no_file all-no2.txt
  check "all-no: nor anything inside the folder" test ! -e "$case_dir/program/inside.txt" -a ! -e "$case_dir/program/out.txt"
fi
stop_program
finish
