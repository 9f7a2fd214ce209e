#!/usr/bin/env bash
# Drives the error dialog of the Windows GUI runtime the way a person would, without the
# test logging switch: a script writes "一" to a file, fails on its next line, and would
# write "二" after that. The test looks at the dialog (the log in its text box, the
# buttons there are with and without -debug), then answers it in each way a user can —
# continue with the button, quit with Alt+C, the quit button, Escape and Alt+F4 — and
# checks from the file and the exit status what the program did next.
#   tests/wine/error_dialog_test.sh build/win32/pirune.exe [PICTURE_DIR]
# The pictures stay in PICTURE_DIR (default: the folder of the program) as
# error-dialog.png and error-dialog-debug.png.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=gui_program.sh
source "$here/gui_program.sh"

gui_test_arguments "$@"
gui_tools_needed

dialog_title='^実行中にエラーが発生しました。$'
main_title='^ぴるね$'

# The dialog's layout in client pixels, as gui/win32/error_dialog.h lays it out: a
# 480×300 client area, the log on top, three 112×26 button places at the bottom right
# with 8 pixels between them and around the edge.
client_width=480 client_height=300
button_top=266 button_width=112 button_height=26
debug_left=120 continue_left=240 quit_left=360
# Inside the log's box, clear of its edge and of the scroll bar on the right.
log_area="430x236+12+12"

gui_program_session

# start_program NAME [ARGS...]: runs the failing script in a folder of its own, the
# arguments before the script's name.
start_program() {
  local name=$1 dir
  shift
  dir="$PIRUNE_WINE_TMP/error-dialog/$name"
  mkdir -p "$dir"
  write_script "$dir/fails.prw" '表示出力先は 「out.txt」' '「一」と、表示' '「a」と表示' '「二」と、表示'
  start_in "$dir" "$@" fails.prw
}

paused_at_error() { output_has '一' && output_lacks '二'; }

# Where the client area starts inside the captured X window: (0, 0) when a window
# manager (or nobody, under a bare Xvfb) owns the frame; otherwise Wine drew the frame
# into the window itself, with equal borders left, right and below, the caption above.
offset_x=0 offset_y=0
find_client() {
  local width height
  read -r width height < <(convert "$1" -format '%w %h\n' info: 2>/dev/null) || return 1
  offset_x=$(((width - client_width) / 2))
  offset_y=$((height - client_height - offset_x))
  [ "$offset_x" -ge 0 ] && [ "$offset_y" -ge 0 ]
}
# GEOMETRY (WIDTHxHEIGHT+X+Y in client pixels) moved to where it is in the picture.
in_picture() {
  local geometry=$1
  [[ $geometry =~ ^([0-9]+x[0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  echo "${BASH_REMATCH[1]}+$((BASH_REMATCH[2] + offset_x))+$((BASH_REMATCH[3] + offset_y))"
}
# Pixels darker than mid-grey inside GEOMETRY (client pixels) of PICTURE.
dark_pixels() {
  convert "$1" -crop "$(in_picture "$2")" +repage -colorspace Gray -threshold 50% \
    -format '%[fx:round((1-mean)*w*h)]' info: 2>/dev/null
}
# 1 when every pixel of GEOMETRY has the same colour.
plain_area() {
  convert "$1" -crop "$(in_picture "$2")" +repage -colorspace Gray -format '%[fx:maxima==minima]' info: 2>/dev/null
}
button_area() { echo "${button_width}x${button_height}+$1+$button_top"; }
# Inside the button's frame: its caption only.
caption_area() { echo "$((button_width - 12))x$((button_height - 10))+$(($1 + 6))+$((button_top + 5))"; }

# Captures the dialog once it is painted: text in the log, captions on continue and quit.
dialog_painted() {
  import -window "$1" "$2" 2>/dev/null && find_client "$2" &&
    [ "$(dark_pixels "$2" "$log_area")" -gt 30 ] &&
    [ "$(dark_pixels "$2" "$(caption_area $continue_left)")" -gt 10 ] &&
    [ "$(dark_pixels "$2" "$(caption_area $quit_left)")" -gt 10 ]
}
capture_dialog() { poll -n 300 dialog_painted "$1" "$2"; }  # WINDOW PICTURE

# The middle of a window on the screen, as "X Y".
window_middle() {
  xdotool getwindowgeometry --shell "$1" 2>/dev/null |
    awk -F= '{ v[$1] = $2 } END { print v["X"] + int(v["WIDTH"] / 2), v["Y"] + int(v["HEIGHT"] / 2) }'
}
near() {  # near "X1 Y1" "X2 Y2" TOLERANCE
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  [ "${#a[@]}" -eq 2 ] && [ "${#b[@]}" -eq 2 ] &&
    [ $((a[0] - b[0])) -le "$3" ] && [ $((b[0] - a[0])) -le "$3" ] &&
    [ $((a[1] - b[1])) -le "$3" ] && [ $((b[1] - a[1])) -le "$3" ]
}

# Presses until WINDOW is gone: once at first, then again now and then in case the focus
# or the pointer came late. Answers whether the window went.
press_until_gone() {  # WINDOW TITLE COMMAND...
  local window=$1 title=$2
  shift 2
  act_until window_gone "$window" "$title" -- "$@"
}
click_button() {  # WINDOW LEFT: the middle of the button
  xdotool mousemove --window "$1" $(($2 + offset_x + button_width / 2)) $((button_top + offset_y + button_height / 2)) \
    click 1 2>/dev/null
}

# Runs to the dialog of a fresh program: answers the dialog's window (empty on failure).
dialog=
open_dialog() {  # NAME [ARGS...]
  start_program "$@"
  dialog=$(find_window "$dialog_title")
  check "$1: the dialog 実行中にエラーが発生しました。 appears" test -n "$dialog"
  [ -n "$dialog" ]
}
# After an answer that quits: the program ends by itself with status 1, and nothing of
# the script ran after the error.
expect_quit() {  # NAME
  wait_for_exit
  local status=$?
  check "$1: the program ends with status 1 (got $status)" test "$status" -eq 1
  check "$1: the line before the error was written" output_has '一'
  check "$1: the line after the error was not" output_lacks '二'
}

# --- Without -debug: the dialog, then the continue button.
shot="$pictures/error-dialog.png"
if open_dialog continue; then
  main=$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null | head -n 1)
  check "continue: the main window stays open under the dialog" test -n "$main"
  if [ -n "$main" ]; then
    check "continue: the dialog is centred on the main window ($(window_middle "$dialog") and $(window_middle "$main"))" \
      near "$(window_middle "$dialog")" "$(window_middle "$main")" 20
  fi
  check "continue: the run waits while the dialog is up (一 written, 二 not yet)" paused_at_error
  check "continue: the dialog gets painted" capture_dialog "$dialog" "$shot"
  echo "picture: $shot"
  dark=$(dark_pixels "$shot" "$log_area")
  check "continue: the log box shows the error ($dark dark pixels)" test "${dark:-0}" -gt 30
  dark=$(dark_pixels "$shot" "$(caption_area $continue_left)")
  check "continue: the continue button is there ($dark dark pixels)" test "${dark:-0}" -gt 10
  dark=$(dark_pixels "$shot" "$(caption_area $quit_left)")
  check "continue: the quit button is there ($dark dark pixels)" test "${dark:-0}" -gt 10
  dark=$(dark_pixels "$shot" "$(button_area $debug_left)")
  plain=$(plain_area "$shot" "$(button_area $debug_left)")
  check "continue: no debug button without -debug ($dark dark pixels, one colour: $plain)" \
    test "${dark:-1}" = 0 -a "${plain:-0}" = 1

  check "continue: a click on 実行を続ける closes the dialog" \
    press_until_gone "$dialog" "$dialog_title" click_button "$dialog" "$continue_left"
  check "continue: the script goes on after the error (二 written)" output_gets '二'
  check "continue: the program keeps running" running
  check "continue: the main window is still open" window_exists "$main" "$main_title"
  # Closed as a user would: Alt+F4 on the main window.
  press_until_gone "$main" "$main_title" press_keys "$main" alt+F4
  wait_for_exit
  status=$?
  check "continue: closing the main window ends the program with status 0 (got $status)" test "$status" -eq 0
fi
stop_program

# --- With -debug: the debug button is there; Alt+C quits.
shot="$pictures/error-dialog-debug.png"
if open_dialog debug -debug; then
  check "debug: the dialog gets painted" capture_dialog "$dialog" "$shot"
  echo "picture: $shot"
  dark=$(dark_pixels "$shot" "$(caption_area $debug_left)")
  check "debug: the debug button is there with -debug ($dark dark pixels)" test "${dark:-0}" -gt 10
  dark=$(dark_pixels "$shot" "$(caption_area $continue_left)")
  check "debug: the continue button is there too ($dark dark pixels)" test "${dark:-0}" -gt 10
  check "debug: Alt+C (終了) closes the dialog" press_until_gone "$dialog" "$dialog_title" press_keys "$dialog" alt+c
  expect_quit debug
fi
stop_program

# --- The quit button, clicked.
if open_dialog quit-button; then
  check "quit-button: the dialog gets painted" capture_dialog "$dialog" "$PIRUNE_WINE_TMP/quit-button.png"
  check "quit-button: a click on 終了 closes the dialog" \
    press_until_gone "$dialog" "$dialog_title" click_button "$dialog" "$quit_left"
  expect_quit quit-button
fi
stop_program

# --- Closing the dialog by its frame counts as quitting.
if open_dialog alt-f4; then
  check "alt-f4: the dialog gets painted" capture_dialog "$dialog" "$PIRUNE_WINE_TMP/alt-f4.png"
  check "alt-f4: Alt+F4 closes the dialog" press_until_gone "$dialog" "$dialog_title" press_keys "$dialog" alt+F4
  expect_quit alt-f4
fi
stop_program

if open_dialog escape; then
  check "escape: the dialog gets painted" capture_dialog "$dialog" "$PIRUNE_WINE_TMP/escape.png"
  check "escape: Escape closes the dialog" press_until_gone "$dialog" "$dialog_title" press_keys "$dialog" Escape
  expect_quit escape
fi
stop_program
finish
