#!/usr/bin/env bash
# Drives the script's own dialogs of the Windows GUI runtime the way a person would,
# without the test logging switch: types an answer into "尋ねる", presses a button of
# "ボタンで選択", cancels with Escape, edits a memo through its context menu, and checks
# what the script wrote to a file afterwards. Each own-made dialog is captured at the default text font and compared,
# within a tolerance, with its reference picture in tests/wine/reference/.
#   tests/wine/dialogs_test.sh build/win32/pirune.exe [PICTURE_DIR]
# To make the reference pictures anew (after a deliberate change of a dialog's look):
#   PIRUNE_UPDATE_REFERENCE=1 tests/wine/dialogs_test.sh build/win32/pirune.exe
# and look at every picture before committing it.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=gui_program.sh
source "$here/gui_program.sh"

gui_test_arguments "$@"
gui_tools_needed compare
reference="$here/reference"
# Pictures differ a little between font renderings; a dialog whose layout moved
# differs in far more pixels than this share.
tolerance_share=0.02

# Every script names its dialogs, so they are told apart from the main window.
dialog_title='^質問$'

gui_program_session

# start_program NAME LINE...: runs a script of the given lines, after the lines that send
# "表示" to out.txt and name the dialogs, in a folder of its own.
start_program() {
  local name=$1 dir
  shift
  dir="$PIRUNE_WINE_TMP/dialogs/$name"
  mkdir -p "$dir"
  write_script "$dir/dialog.prw" '表示出力先は 「out.txt」' 'ダイアログタイトル=「質問」' "$@" '「終わり」と、表示' 'おわり'
  start_in "$dir" dialog.prw
}
find_dialog() { find_window "$dialog_title"; }
dialog_gone() { window_gone "$1" "$dialog_title"; }

# Keys go to the dialog once it has the focus; sent again now and then in case the focus
# came late, until the dialog is gone.
keys_until_gone() {  # WINDOW KEYS...
  act_until dialog_gone "$1" -- press_keys "$@"
}
# Types TEXT and Return, whatever an earlier try left in the field removed first.
type_answer() {  # WINDOW TEXT
  press_keys "$1" ctrl+a BackSpace
  xdotool type --delay 50 "$2" 2>/dev/null
  xdotool key --clearmodifiers Return 2>/dev/null
}
type_until_gone() {  # WINDOW TEXT
  act_until dialog_gone "$1" -- type_answer "$1" "$2"
}

# Captures the dialog once it is painted (its picture stops changing), then compares it
# with the reference picture NAME.png, or makes that picture under PIRUNE_UPDATE_REFERENCE.
picture_settled() {  # WINDOW PICTURE: true when the picture is the one taken before
  local previous="$2.previous.png"
  import -window "$1" "$2" 2>/dev/null || return 1
  if [ -f "$previous" ] && [ "$(compare -metric AE "$2" "$previous" null: 2>&1)" = 0 ]; then
    rm -f "$previous"
    return 0
  fi
  cp "$2" "$previous"
  return 1
}
capture() {  # WINDOW PICTURE
  rm -f "$2.previous.png"
  poll -n 300 picture_settled "$1" "$2"
}
like_reference() {  # NAME PICTURE
  local name=$1 picture=$2 expected="$reference/$1.png" size differing total
  if [ "${PIRUNE_UPDATE_REFERENCE:-0}" = 1 ]; then
    cp "$picture" "$expected"
    echo "reference made: $expected"
    return 0
  fi
  [ -f "$expected" ] || { echo "no reference picture $expected" >&2; return 1; }
  size=$(convert "$picture" -format '%wx%h' info:)
  if [ "$size" != "$(convert "$expected" -format '%wx%h' info:)" ]; then
    echo "$name: $size, the reference is $(convert "$expected" -format '%wx%h' info:)" >&2
    return 1
  fi
  differing=$(compare -metric AE -fuzz 25% "$picture" "$expected" null: 2>&1)
  total=$(convert "$picture" -format '%[fx:w*h]' info:)
  echo "$name: $differing of $total pixels differ from the reference"
  awk -v d="${differing%%.*}" -v t="$total" -v s="$tolerance_share" 'BEGIN { exit !(d != "" && d <= t * s) }'
}

# --- "尋ねる": its picture, then an answer typed and confirmed with Return.
start_program ask '「お名前は？」と、尋ねる' '「[{それ}]」と、表示'
dialog=$(find_dialog)
check "ask: the question appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  check "ask: the dialog gets painted" capture "$dialog" "$pictures/dialog-input.png"
  check "ask: the dialog looks as it should" like_reference input "$pictures/dialog-input.png"
  check "ask: typing abc12 and Return answers" type_until_gone "$dialog" abc12
  check "ask: the script goes on with the answer" output_gets '[abc12]'
  check "ask: and to its end" output_gets '終わり'
fi
stop_program

# --- Escape cancels: "それ" gets the cancel value.
start_program escape 'ダイアログキャンセルの値=「取り消し」' '「お名前は？」と、尋ねる' '「[{それ}]」と、表示'
dialog=$(find_dialog)
check "escape: the question appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  check "escape: Escape closes it" keys_until_gone "$dialog" Escape
  check "escape: the script gets the cancel value" output_gets '[取り消し]'
fi
stop_program

# --- "ボタンで選択": the focus starts on the first button; Tab moves to the second and
# space presses it.
start_program buttons '「どれにしますか」を「赤
青
黄」の、ボタンで選択' '「[{それ}]」と、表示'
dialog=$(find_dialog)
check "buttons: the dialog appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  check "buttons: the dialog gets painted" capture "$dialog" "$pictures/dialog-buttons.png"
  check "buttons: the dialog looks as it should" like_reference buttons "$pictures/dialog-buttons.png"
  check "buttons: Tab and space press the second button" keys_until_gone "$dialog" Tab space
  check "buttons: the script gets its caption" output_gets '[青]'
fi
stop_program

# --- A click on the third button. The buttons stand in a row from 8 pixels in, each
# trunc(1.3 × 30) = 39 wide (a one-character choice is narrower than the least width, 30)
# and trunc(1.1 × 39 × i + 8) from the left, so the third spans 93 to 132; the row ends
# a fifth of its height (twice the font's) above the bottom, so 20 pixels above the
# bottom is on the buttons for any font from 10 to 50 pixels high.
click_at() {  # WINDOW X Y
  xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null
}
start_program click '「どれにしますか」を「赤
青
黄」の、ボタンで選択' '「[{それ}]」と、表示'
dialog=$(find_dialog)
check "click: the dialog appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  height=$(xdotool getwindowgeometry --shell "$dialog" 2>/dev/null | sed -n 's/^HEIGHT=//p')
  check "click: a click on the third button answers" act_until dialog_gone "$dialog" -- click_at "$dialog" 112 $((${height:-0} - 20))
  check "click: the script gets its caption" output_gets '[黄]'
fi
stop_program

# --- The other own dialogs: their pictures, then Escape (each closes on it).
picture_test() {  # NAME LINE...
  local name=$1
  shift
  start_program "$name" "$@" '「[{それ}]」と、表示'
  dialog=$(find_dialog)
  check "$name: the dialog appears" test -n "$dialog"
  if [ -n "$dialog" ]; then
    check "$name: the dialog gets painted" capture "$dialog" "$pictures/dialog-$name.png"
    check "$name: the dialog looks as it should" like_reference "$name" "$pictures/dialog-$name.png"
    check "$name: Escape closes it" keys_until_gone "$dialog" Escape
    check "$name: the script goes on" output_gets '終わり'
  fi
  stop_program
}
picture_test message '「こんにちは	タブ
二行目」と、言う'
picture_test select '「色は」が「赤｜青|黄」の、どれか尋ねる'
picture_test memo '「初めの文」の、メモ記入'
picture_test items '「;名前=内容
色=?(赤|青)青
数=1」を、項目記入'

# --- The memo's context menu, opened from the keyboard (Shift+F10) at the caret: 全て選択,
# 切り取り, then 貼り付け twice leave the text twice over. Up counts the items from the
# end of the menu, whether or not one is chosen as it opens: once is 全て選択, twice
# 貼り付け, three times 切り取り. The text field's own menu has other items there and
# would leave another text.
geometry() {  # WINDOW: its X Y WIDTH HEIGHT
  xdotool getwindowgeometry --shell "$1" 2>/dev/null | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ { printf "%s ", $2 }'
}
menu_shown() {  # DIALOG: a window without a title lies inside it
  local window dx dy dw dh x y w h
  read -r dx dy dw dh <<<"$(geometry "$1")"
  [ -n "${dh:-}" ] || return 1
  for window in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
    read -r x y w h <<<"$(geometry "$window")"
    [ -n "${h:-}" ] && [ "$x" -ge "$dx" ] && [ "$y" -ge "$dy" ] &&
      [ $((x + w)) -le $((dx + dw)) ] && [ $((y + h)) -le $((dy + dh)) ] && return 0
  done
  return 1
}
menu_hidden() { ! menu_shown "$1"; }
use_memo_menu() {  # DIALOG UPS: opens the menu and takes the item UPS from its end
  local keys=()
  act_until menu_shown "$1" -- press_keys "$1" shift+F10 || return 1
  for _ in $(seq 1 "$2"); do keys+=(Up); done
  xdotool key --clearmodifiers "${keys[@]}" Return 2>/dev/null
  poll menu_hidden "$1"
}
start_program memo-menu '「初めの文」の、メモ記入' '「[{それ}]」と、表示'
dialog=$(find_dialog)
check "memo-menu: the memo appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  check "memo-menu: 全て選択 from the menu" use_memo_menu "$dialog" 1
  check "memo-menu: 切り取り from the menu" use_memo_menu "$dialog" 3
  check "memo-menu: 貼り付け from the menu" use_memo_menu "$dialog" 2
  check "memo-menu: 貼り付け from the menu again" use_memo_menu "$dialog" 2
  check "memo-menu: the close box confirms the memo" keys_until_gone "$dialog" alt+F4
  check "memo-menu: the script gets the text cut and pasted twice" output_gets '[初めの文初めの文]'
fi
stop_program

# --- Bad input: a message over 1 MB and 10,000 choices still give a dialog on the screen.
start_program huge 'A=「あいうえお」' '17回、A=A&A' 'B=「」' '10000回、B=B&「選択{回数}」&改行' \
  '(-5000,-5000,99999,99999)に、ダイアログサイズ設定' 'Aが、Bの、どれか尋ねる'
dialog=$(find_dialog)
check "huge: the dialog appears" test -n "$dialog"
if [ -n "$dialog" ]; then
  read -r x y < <(xdotool getwindowgeometry --shell "$dialog" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END {print x, y}')
  check "huge: the dialog is on the screen ($x, $y)" test "${x:-99999}" -ge 0 -a "${x:-99999}" -lt 1280 -a "${y:-99999}" -ge 0 -a "${y:-99999}" -lt 1024
  check "huge: Escape closes it" keys_until_gone "$dialog" Escape
  check "huge: the script goes on" output_gets '終わり'
fi
stop_program
finish
