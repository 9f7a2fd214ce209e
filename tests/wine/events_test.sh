#!/usr/bin/env bash
# Events of the Windows GUI runtime driven as a person would, without the test logging
# switch: the main window closed from its frame while an end handler refuses, and a
# timer that fires while "言う" shows its message box. The scripts write what they do to
# out.txt ("表示出力先"); the test reads that file, the windows and the exit status.
#   tests/wine/events_test.sh build/win32/pirune.exe [PICTURE_DIR]
# The picture of the main window before it is closed stays in PICTURE_DIR
# (default: the folder of the program) as events-close-box.png.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=gui_program.sh
source "$here/gui_program.sh"

gui_test_arguments "$@"
gui_tools_needed
title='^ぴるね$'

gui_program_session

# start_program NAME LINE...: the lines as a script of their own, run as a user would.
start_program() {
  local name=$1 dir
  shift
  dir="$PIRUNE_WINE_TMP/events/$name"
  mkdir -p "$dir"
  write_script "$dir/$name.prw" '表示出力先は 「out.txt」' "$@"
  start_in "$dir" "$name.prw"
}

# The visible windows titled ぴるね, the main window's 640×400 client area told apart
# from a message box by its width.
windows_by_width() {  # wide|narrow
  local window width
  for window in $(windows_titled "$title"); do
    width=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ -n "$width" ] || continue
    if [ "$1" = wide ] && [ "$width" -ge 640 ]; then echo "$window"; fi
    if [ "$1" = narrow ] && [ "$width" -lt 640 ]; then echo "$window"; fi
  done
}
first_by_width() {  # wide|narrow
  local window
  window=$(windows_by_width "$1" | head -n 1)
  [ -n "$window" ] && echo "$window"
}
no_narrow_window() { [ -z "$(windows_by_width narrow)" ]; }

# The close box sends the window the system command to close; under a bare Xvfb Wine
# draws no frame to click, so the test gives the same command with Alt+F4, until the
# line shows in out.txt.
close_until_output() {  # WINDOW LINE
  act_until output_has "$2" -- press_keys "$1" alt+F4
}

# --- Closing the window while the end handler refuses: the first close runs the
# handler, which sets itself again (and so 終了不可能 to 1) and the window stays; the
# second runs it once more, and this time it lets the program end. The first run also
# sets a timer: its label can only run once the refused close is over and the program
# is back in its message loop with the window, so its line says the program went on.
start_program close-box \
  '終わりに、終了処理設定' \
  '「待機中」と、表示' \
  '待機' \
  '*終わり' \
  '数は、数＋１' \
  '「終わり処理{数}」と、表示' \
  'もし、数が1ならば、終わりに、終了処理設定' \
  'もし、数が1ならば、0.1秒後に、生きているへ飛ぶ、タイマー設定' \
  '戻る' \
  '*生きている' \
  '「閉じた後も動いている」と、表示' \
  '戻る'
main=$(poll first_by_width wide)
check "close-box: the main window appears" test -n "$main"
if [ -n "$main" ]; then
  check "close-box: the script waits for events" output_gets '待機中'
  import -window "$main" "$pictures/events-close-box.png" 2>/dev/null && echo "picture: $pictures/events-close-box.png"
  check "close-box: closing the window runs the end handler" close_until_output "$main" '終わり処理1'
  check "close-box: the end handler refused: the program goes on to its timer" output_gets '閉じた後も動いている'
  check "close-box: and keeps running" running
  check "close-box: and its window stays open" window_exists "$main" "$title"
  check "close-box: closing it again runs the end handler again" close_until_output "$main" '終わり処理2'
  wait_for_exit
  status=$?
  check "close-box: then the program ends with status 0 (got $status)" test "$status" -eq 0
  check "close-box: the handler ran twice, no more" test "$(output_lines | grep -c '^終わり処理')" -eq 2
fi
stop_program

# --- A timer that fires while "言う" waits for its OK: the label runs in between, and the
# main program goes on behind "言う" once the box is answered.
start_program timer-in-dialog \
  '0.3秒後に、時計へ飛ぶ、タイマー設定' \
  '「開いている」と、言う' \
  '「言うの後」と、表示' \
  'おわり' \
  '*時計' \
  '「時計」と、表示' \
  '戻る'
box=$(poll first_by_width narrow)
check "timer-in-dialog: the message box of 言う appears" test -n "$box"
if [ -n "$box" ]; then
  check "timer-in-dialog: the timer's label runs while the box is open" output_gets '時計'
  check "timer-in-dialog: the main program waits behind 言う meanwhile" output_lacks '言うの後'
  check "timer-in-dialog: the box is still open" window_exists "$box" "$title"
  act_until no_narrow_window -- press_keys "$box" Return
  check "timer-in-dialog: Enter answers the box" no_narrow_window
  check "timer-in-dialog: the main program goes on behind 言う" output_gets '言うの後'
  wait_for_exit
  status=$?
  check "timer-in-dialog: おわり ends the program with status 0 (got $status)" test "$status" -eq 0
  check "timer-in-dialog: the label ran once, before the main program went on" \
    test "$(output_lines | tr '\n' ' ')" = '時計 言うの後 '
fi
stop_program
finish
