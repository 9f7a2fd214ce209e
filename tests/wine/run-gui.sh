#!/usr/bin/env bash
# Runs one script with pirune.exe in a fresh private Wine prefix.
#   tests/wine/run-gui.sh PIRUNE_EXE SCRIPT [ARGS...]
# With a working X display the program's windows open there and it runs until its
# window is closed. Without one it runs on a private Xvfb under the test logging switch
# (gui/win32/test_log.h): nothing waits for a click, what the program would have shown is
# printed, and the exit status is the program's.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=session.sh
source "$here/session.sh"

if [ $# -lt 2 ] || [ ! -f "$1" ]; then
  echo "usage: $0 PIRUNE_EXE SCRIPT [ARGS...]" >&2
  exit 2
fi
exe=$(realpath "$1")
shift

interactive=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  interactive=1
  export PIRUNE_WINE_OWN_DISPLAY=1
fi
pirune_wine_start || exit 1
trap pirune_wine_stop EXIT

# From the current folder with the script named as given, like the console runtime.
if [ "$interactive" = 1 ]; then
  unset PIRUNE_TEST_LOG
  wine "$exe" "$@" </dev/null
  status=$?
else
  log="$PIRUNE_WINE_TMP/run.log"
  PIRUNE_TEST_LOG=$(pirune_wine_path "$log") timeout -k 10 "$(pirune_wine_timeout)" wine "$exe" "$@" </dev/null
  status=$?
  [ -f "$log" ] && cat "$log"
fi
exit "$status"
