# shellcheck shell=bash
# What the GUI tests do with the program under test, sourced by them (it brings
# session.sh and checks.sh along): one program at a time, started as a user starts it
# (no test logging switch) in a folder of its own, its windows found and driven with
# xdotool, and the lines it writes to out.txt ("表示出力先") read back.
#
# Every wait is a bounded poll of 0.1 s steps stretched by PIRUNE_WINE_SCALE, and gives
# up early once the program has ended; a bound only keeps a hung program from hanging a
# test, a program that works never meets it.

# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

program_pid=
run_dir=

running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }
ended() { ! running; }
stop_program() {
  if running; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  program_pid=
}
gui_program_cleanup() {
  stop_program
  pirune_wine_stop
}
# gui_tools_needed [TOOL...]: xdotool and ImageMagick's import drive and picture every
# GUI test; a test that needs more names it. Without them the test cannot run at all.
gui_tools_needed() {
  local tool
  for tool in xdotool import "$@"; do
    command -v "$tool" >/dev/null || {
      echo "needs xdotool and imagemagick (tools/install-deps all)" >&2
      exit 2
    }
  done
}

# Starts the Wine session and stops it, with any program still running, on exit.
gui_program_session() {
  pirune_wine_start || exit 1
  trap gui_program_cleanup EXIT
}

# write_script FILE LINE...: the lines as a script in Shift_JIS with CR LF.
write_script() {
  local file=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

# start_in DIR [ARGS...] SCRIPT: runs the program ($exe, set by gui_test_arguments) on
# SCRIPT, a file in DIR, from DIR in the background, ARGS before the script's name;
# run_dir becomes DIR.
start_in() {
  run_dir=$1
  shift
  # A test run again in a kept session gets the same folders; lines an earlier run left
  # in out.txt would answer this run's checks.
  rm -f "$run_dir/out.txt"
  # shellcheck disable=SC2154
  (cd "$run_dir" && unset PIRUNE_TEST_LOG &&
    exec timeout -k 10 "$(pirune_wine_timeout)" wine "$exe" "$@" </dev/null >"$run_dir/wine.log" 2>&1) &
  program_pid=$!
}

# poll [-n POLLS] COMMAND...: runs COMMAND every 0.1 s until it succeeds, at most POLLS
# times (600 by default) stretched to the machine; once the program has ended COMMAND
# gets one last try.
poll() {
  local polls=600
  if [ "$1" = -n ]; then
    polls=$2
    shift 2
  fi
  for _ in $(seq 1 "$(pirune_wine_ticks "$polls")"); do
    "$@" && return 0
    running || { "$@"; return; }
    sleep 0.1
  done
  return 1
}

# act_until CHECK... -- ACTION...: ACTION at once and again every 5 s (the focus may
# come late, and keys sent before it are lost) until the command CHECK succeeds.
act_until() {
  local check=() attempt
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    check+=("$1")
    shift
  done
  shift
  for attempt in $(seq 0 $(($(pirune_wine_ticks 600) - 1))); do
    "${check[@]}" && return 0
    running || { "${check[@]}"; return; }
    [ $((attempt % 50)) -eq 0 ] && "$@"
    sleep 0.1
  done
  "${check[@]}"
}

# The lines of out.txt in UTF-8 without CR.
output_lines() { [ -f "$run_dir/out.txt" ] && iconv -f CP932 -t UTF-8 "$run_dir/out.txt" | tr -d '\r'; }
output_has() { output_lines | grep -qxF -- "$1"; }
output_lacks() { ! output_has "$1"; }
output_gets() { poll output_has "$1"; }  # waits for a line to appear in out.txt

# The visible windows whose title matches the pattern TITLE.
windows_titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
window_exists() { windows_titled "$2" | grep -qx "$1"; }  # WINDOW TITLE
window_gone() { ! window_exists "$1" "$2"; }
# The first such window, once one is mapped; empty when the program ends first (then
# where the program stands goes to standard error).
first_window() {
  local window
  window=$(windows_titled "$1" | head -n 1)
  [ -n "$window" ] && echo "$window"
}
find_window() { poll first_window "$1" || { program_state >&2; return 1; }; }  # TITLE

# Where the program stands, for a test that did not find what it waited for.
program_state() {
  if running; then echo "the program is still running"; else echo "the program has ended"; fi
  echo "out.txt: $(output_lines | tr '\n' ' ')"
  [ -s "$run_dir/wine.log" ] && tail -n 20 "$run_dir/wine.log"
}

# Waits for the program to end by itself and answers its exit status (255: it did not,
# and it is stopped).
wait_for_exit() {
  poll ended
  if running; then
    stop_program
    return 255
  fi
  wait "$program_pid"
  local status=$?
  program_pid=
  return "$status"
}

# WINDOW given the focus, then KEYS.
press_keys() {
  local window=$1
  shift
  xdotool windowfocus "$window" 2>/dev/null
  xdotool key --clearmodifiers "$@" 2>/dev/null
}
