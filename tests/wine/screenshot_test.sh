#!/usr/bin/env bash
# Looks at the Windows GUI runtime the way a person would: runs a script that shows three
# lines with "表示", captures the main window under Xvfb and checks the picture, makes the
# window repaint everything and checks the text is still there, then closes the window
# the way a user does and checks the program ends cleanly.
#   tests/wine/screenshot_test.sh build/win32/pirune.exe [PICTURE_DIR]
# The pictures stay in PICTURE_DIR (default: the folder of the program) as
# screenshot.png and screenshot-resized.png.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=session.sh
source "$here/session.sh"
# shellcheck source=checks.sh
source "$here/checks.sh"

gui_test_arguments "$@"
shot="$pictures/screenshot.png"
resized="$pictures/screenshot-resized.png"
command -v xdotool >/dev/null && command -v import >/dev/null || {
  echo "needs xdotool and imagemagick (tools/install-deps all)" >&2
  exit 2
}

# The text is drawn from (10, 10), a line about 20 pixels under the one before; these
# bounds leave room for any Japanese font.
band_left=8 band_top=8 band_right=140 band_bottom=80


program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  pirune_wine_stop
}
pirune_wine_start || exit 1
trap cleanup EXIT

work="$PIRUNE_WINE_TMP/screenshot"
mkdir -p "$work"
printf '「こんにちは」と、表示\r\n「一行目\\n二行目」と、表示\r\n' | iconv -f UTF-8 -t CP932 >"$work/hello.prw"

# No PIRUNE_TEST_LOG: this is the program as a user meets it, window left open at the end.
(cd "$work" && unset PIRUNE_TEST_LOG && exec wine "$exe" hello.prw </dev/null >"$work/wine.log" 2>&1) &
program_pid=$!

picture_size() { convert "$1" -format '%w %h' info: 2>/dev/null; }
# Pixels darker than mid-grey inside WIDTHxHEIGHT+X+Y.
dark_pixels() {
  convert "$1" -crop "$2" +repage -colorspace Gray -threshold 50% -format '%[fx:round((1-mean)*w*h)]' info: 2>/dev/null
}
# The box around every pixel that is not pure white, as WIDTHxHEIGHT+X+Y.
ink_box() { convert "$1" -colorspace Gray -fuzz 0 -format '%@' info: 2>/dev/null; }
box_inside_band() {
  local box=$1 w h x y
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
  [ "$w" -eq 0 ] && return 0  # no ink at all: white everywhere
  [ "$x" -ge "$band_left" ] && [ "$y" -ge "$band_top" ] &&
    [ $((x + w)) -le "$band_right" ] && [ $((y + h)) -le "$band_bottom" ]
}
band="$((band_right - band_left))x$((band_bottom - band_top))+$band_left+$band_top"
# The runs of rows holding dark pixels, one "TOP BOTTOM" line per run: one per text line.
text_rows() {
  local height
  height=$(convert "$1" -format '%h' info:) || return 1
  convert "$1" -colorspace Gray -threshold 50% -negate -scale "1x$height!" -threshold 0 -depth 8 txt:- |
    awk -F'[,:]' 'NR > 1 { dark = ($0 ~ /gray\(255\)|#FFFFFF/) }
                  dark && !inside { top = $2; inside = 1 }
                  !dark && inside { print top, $2 - 1; inside = 0 }
                  END { if (inside) print top, $2 }'
}
# Three lines, the first near y = 10, each next one a line's height (15 to 30 pixels)
# further down.
three_lines() {
  local rows tops
  rows=$(text_rows "$1")
  echo "  text rows: $(echo "$rows" | tr '\n' ' ')"
  mapfile -t tops < <(echo "$rows" | awk 'NF { print $1 }')
  [ ${#tops[@]} -eq 3 ] && [ "${tops[0]}" -ge 8 ] && [ "${tops[0]}" -le 16 ] &&
    [ $((tops[1] - tops[0])) -ge 15 ] && [ $((tops[1] - tops[0])) -le 30 ] &&
    [ $((tops[2] - tops[1])) -ge 15 ] && [ $((tops[2] - tops[1])) -le 30 ]
}

# The window is mapped some time after start; the bound only guards against a hang.
window=
for _ in $(seq 1 "$(pirune_wine_ticks 600)"); do
  window=$(xdotool search --onlyvisible --name '^ぴるね$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
check "the main window titled ぴるね appears" test -n "$window"
[ -n "$window" ] || finish

# Painting follows mapping; capture until all the text is on screen (or give up).
for _ in $(seq 1 "$(pirune_wine_ticks 300)"); do
  if import -window "$window" "$shot" 2>/dev/null && [ "$(text_rows "$shot" | wc -l)" -ge 3 ]; then
    break
  fi
  sleep 0.1
done
echo "picture: $shot"
size=$(picture_size "$shot")
check "the client area is 640×400 (got $size)" test "$size" = "640 400"
dark=$(dark_pixels "$shot" "$band")
check "text is drawn near (10, 10) ($dark dark pixels in $band)" test "${dark:-0}" -gt 30
check "three lines of text, one under another" three_lines "$shot"
box=$(ink_box "$shot")
check "everything else is white (non-white area $box)" box_inside_band "$box"

# A size change makes Windows invalidate the whole client area; text drawn only onto
# the screen would be gone after the repaint, text kept in the back buffer comes back.
# The picture is taken once the new strip on the right has been painted white.
xdotool windowsize "$window" 700 450 2>/dev/null
for _ in $(seq 1 "$(pirune_wine_ticks 300)"); do
  if import -window "$window" "$resized" 2>/dev/null && [ "$(picture_size "$resized")" = "700 450" ] &&
    [ "$(convert "$resized" -crop 60x450+640+0 +repage -colorspace Gray -format '%[fx:minima]' info:)" = 1 ]; then
    break
  fi
  sleep 0.1
done
echo "picture: $resized"
size=$(picture_size "$resized")
check "the window follows a resize to 700×450 (got $size)" test "$size" = "700 450"
dark=$(dark_pixels "$resized" "$band")
check "the text survives the repaint ($dark dark pixels)" test "${dark:-0}" -gt 30
check "all three lines are still there" three_lines "$resized"
box=$(ink_box "$resized")
check "the repainted window is white elsewhere (non-white area $box)" box_inside_band "$box"

# Close as a user would: focus the window and press Alt+F4 (Wine turns it into
# WM_CLOSE). Pressed again now and then in case the focus came late.
for attempt in $(seq 1 "$(pirune_wine_ticks 300)"); do
  kill -0 "$program_pid" 2>/dev/null || break
  if [ $((attempt % 50)) -eq 1 ]; then
    xdotool windowfocus "$window" 2>/dev/null
    xdotool key --clearmodifiers alt+F4 2>/dev/null
  fi
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  check "the program ends when its window is closed" false
else
  wait "$program_pid"
  status=$?
  program_pid=
  check "the program ends when its window is closed, with status 0 (got $status)" test "$status" -eq 0
fi
finish
