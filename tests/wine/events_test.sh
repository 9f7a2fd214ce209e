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
# shellcheck source=session.sh
source "$here/session.sh"
# shellcheck source=checks.sh
source "$here/checks.sh"

gui_test_arguments "$@"
command -v xdotool >/dev/null && command -v import >/dev/null || {
  echo "needs xdotool and imagemagick (tools/install-deps all)" >&2
  exit 2
}
title='^ぴるね$'

program_pid=
stop_program() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  program_pid=
}
cleanup() {
  stop_program
  pirune_wine_stop
}
pirune_wine_start || exit 1
trap cleanup EXIT

# start_program NAME LINE...: the lines as a script of their own, run as a user would.
run_dir=
start_program() {
  local name=$1
  shift
  run_dir="$PIRUNE_WINE_TMP/events/$name"
  mkdir -p "$run_dir"
  printf '%s\r\n' '表示出力先は 「out.txt」' "$@" | iconv -f UTF-8 -t CP932 >"$run_dir/$name.prw"
  (cd "$run_dir" && unset PIRUNE_TEST_LOG &&
    exec timeout -k 10 "$(pirune_wine_timeout)" wine "$exe" "$name.prw" </dev/null >"$run_dir/wine.log" 2>&1) &
  program_pid=$!
}
running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }

output_lines() { [ -f "$run_dir/out.txt" ] && iconv -f CP932 -t UTF-8 "$run_dir/out.txt" | tr -d '\r'; }
output_has() { output_lines | grep -qxF -- "$1"; }
output_lacks() { ! output_has "$1"; }
output_gets() {  # waits for a line to appear in out.txt
  for _ in $(seq 1 "$(pirune_wine_ticks 600)"); do
    output_has "$1" && return 0
    running || { output_has "$1"; return; }
    sleep 0.1
  done
  return 1
}

# The visible windows titled ぴるね, the main window's 640×400 client area told apart
# from a message box by its width.
windows_by_width() {  # wide|narrow
  local window width
  for window in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
    width=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ -n "$width" ] || continue
    if [ "$1" = wide ] && [ "$width" -ge 640 ]; then echo "$window"; fi
    if [ "$1" = narrow ] && [ "$width" -lt 640 ]; then echo "$window"; fi
  done
}
find_window() {  # wide|narrow: the first such window, once it is mapped
  local window
  for _ in $(seq 1 "$(pirune_wine_ticks 600)"); do
    window=$(windows_by_width "$1" | head -n 1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    running || return 1
    sleep 0.1
  done
  return 1
}
window_exists() { xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -qx "$1"; }

wait_for_exit() {  # answers the exit status (255: the program did not end)
  for _ in $(seq 1 "$(pirune_wine_ticks 600)"); do
    running || break
    sleep 0.1
  done
  if running; then
    stop_program
    return 255
  fi
  wait "$program_pid"
  local status=$?
  program_pid=
  return "$status"
}

# The close box sends the window the system command to close; under a bare Xvfb Wine
# draws no frame to click, so the test gives the same command with Alt+F4.
close_window() {  # WINDOW
  xdotool windowfocus "$1" 2>/dev/null
  xdotool key --clearmodifiers alt+F4 2>/dev/null
}
# Asks once, then again now and then in case the focus came late, until the line shows
# in out.txt.
close_until_output() {  # WINDOW LINE
  for attempt in $(seq 1 "$(pirune_wine_ticks 600)"); do
    output_has "$2" && return 0
    running || return 1
    [ $((attempt % 50)) -eq 1 ] && close_window "$1"
    sleep 0.1
  done
  output_has "$2"
}

# --- Closing the window while the end handler refuses: the first close runs the
# handler, which sets itself again (and so 終了不可能 to 1) and the window stays; the
# second runs it once more, and this time it lets the program end.
start_program close-box \
  '終わりに、終了処理設定' \
  '「待機中」と、表示' \
  '待機' \
  '*終わり' \
  '数は、数＋１' \
  '「終わり処理{数}」と、表示' \
  'もし、数が1ならば、終わりに、終了処理設定' \
  '戻る'
main=$(find_window wide)
check "close-box: the main window appears" test -n "$main"
if [ -n "$main" ]; then
  check "close-box: the script waits for events" output_gets '待機中'
  import -window "$main" "$pictures/events-close-box.png" 2>/dev/null && echo "picture: $pictures/events-close-box.png"
  check "close-box: closing the window runs the end handler" close_until_output "$main" '終わり処理1'
  sleep 1
  check "close-box: the end handler refused: the program keeps running" running
  check "close-box: and its window stays open" window_exists "$main"
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
box=$(find_window narrow)
check "timer-in-dialog: the message box of 言う appears" test -n "$box"
if [ -n "$box" ]; then
  check "timer-in-dialog: the timer's label runs while the box is open" output_gets '時計'
  check "timer-in-dialog: the main program waits behind 言う meanwhile" output_lacks '言うの後'
  check "timer-in-dialog: the box is still open" window_exists "$box"
  for attempt in $(seq 1 "$(pirune_wine_ticks 600)"); do
    window_exists "$box" || break
    running || break
    if [ $((attempt % 50)) -eq 1 ]; then
      xdotool windowfocus "$box" 2>/dev/null
      xdotool key --clearmodifiers Return 2>/dev/null
    fi
    sleep 0.1
  done
  check "timer-in-dialog: Enter answers the box" test -z "$(windows_by_width narrow)"
  check "timer-in-dialog: the main program goes on behind 言う" output_gets '言うの後'
  wait_for_exit
  status=$?
  check "timer-in-dialog: おわり ends the program with status 0 (got $status)" test "$status" -eq 0
  check "timer-in-dialog: the label ran once, before the main program went on" \
    test "$(output_lines | tr '\n' ' ')" = '時計 言うの後 '
fi
stop_program
finish
