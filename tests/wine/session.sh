#!/usr/bin/env bash
# A private Wine session for testing the Windows GUI runtime: its own Xvfb display, a
# fresh 32-bit Wine prefix with Japanese fonts, and a Wine server kept up for the run.
#
# Sourced by the scripts beside it:
#   source tests/wine/session.sh
#   pirune_wine_start            # exports DISPLAY, WINEPREFIX, ...; sets PIRUNE_WINE_TMP
#   pirune_wine_run EXE SCRIPT LOG [ARGS...]; status=$?
#   pirune_wine_stop
# (run-gui.sh runs one script by hand.)
#
# A session started by a caller (tests/wine/all.sh) is exported with
# PIRUNE_WINE_SHARED=1; then pirune_wine_start joins it and pirune_wine_stop leaves it up,
# so the suites share one display, one prefix and one Wine server.
#
# Where the kernel cannot run 32-bit programs, Wine runs under qemu-user
# (tools/i386-route): a program then starts in seconds and computes several times more
# slowly, so every bound on waiting is multiplied by PIRUNE_WINE_SCALE (1 natively, 5
# under emulation). The bounds only keep a hung program from hanging a test; a program
# that works never meets them.
#
# Settings from the environment:
#   PIRUNE_WINE_TIMEOUT  seconds one program run may take before it is killed
#                        (60 × PIRUNE_WINE_SCALE)
#   PIRUNE_WINE_KEEP=1   keep the temporary folder (prefix, logs) for a look afterwards
#   PIRUNE_WINE_OWN_DISPLAY=1  use the DISPLAY already set instead of a private Xvfb
#   PIRUNE_WINEDEBUG     Wine's log channels for every program of the session
#                        (WINEDEBUG; none by default)

# Wine translates Unix file names and arguments with the locale's character set; UTF-8
# keeps Japanese names intact. The Windows side runs in an English locale on purpose:
# the runtime must not lean on the system's ANSI code page.
export LC_ALL=C.UTF-8

pirune_wine_log() { echo "wine-session: $*" >&2; }

# How 32-bit programs run here (native, emulated or none), and the factor for bounds.
pirune_wine_route() {
  local tools
  tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
  PIRUNE_WINE_ROUTE=$("$tools/i386-route" status)
  case $PIRUNE_WINE_ROUTE in
    native) PIRUNE_WINE_SCALE=${PIRUNE_WINE_SCALE:-1} ;;
    emulated) PIRUNE_WINE_SCALE=${PIRUNE_WINE_SCALE:-5} ;;
    *) return 1 ;;
  esac
  export PIRUNE_WINE_ROUTE PIRUNE_WINE_SCALE
}
# N polls of 0.1 s, stretched to the machine.
pirune_wine_ticks() { echo $(($1 * ${PIRUNE_WINE_SCALE:-1})); }
pirune_wine_timeout() { echo "${PIRUNE_WINE_TIMEOUT:-$((60 * ${PIRUNE_WINE_SCALE:-1}))}"; }

# Starts Xvfb on the first free display from :91 up and exports DISPLAY.
pirune_wine_start_xvfb() {
  local n pid i
  for n in $(seq 91 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$PIRUNE_WINE_TMP/xvfb-$n.log" 2>&1 &
    pid=$!
    # Another session may have taken the same display meanwhile; then ours exits at once
    # and the next number is tried. The bound only guards against a hung server.
    for i in $(seq 1 "$(pirune_wine_ticks 300)"); do
      kill -0 "$pid" 2>/dev/null || break
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && kill -0 "$pid" 2>/dev/null; then
        PIRUNE_WINE_XVFB_PID=$pid
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  pirune_wine_log "no free X display from :91 to :190"
  return 1
}

# The fonts the runtime asks for do not exist here; map them to the IPA faces. The
# .reg file is UTF-16 with a byte order mark, so that the Japanese names survive.
pirune_wine_install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" face file
  mkdir -p "$fonts"
  for face in IPAGothic IPAPGothic IPAMincho IPAPMincho; do
    file=$(fc-match -f '%{file}' "$face:lang=ja" 2>/dev/null)
    if [ -n "$file" ] && [ -f "$file" ]; then
      cp -f "$file" "$fonts/"
    else
      pirune_wine_log "font $face not found (install fonts-ipafont-gothic and fonts-ipafont-mincho)"
    fi
  done

  local reg="$PIRUNE_WINE_TMP/fonts.reg"
  {
    printf '\xff\xfe'
    printf '%s\r\n' \
      'Windows Registry Editor Version 5.00' '' \
      '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
      '"ＭＳ ゴシック"="IPAGothic"' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' \
      '"ＭＳ 明朝"="IPAMincho"' \
      '"ＭＳ Ｐ明朝"="IPAPMincho"' \
      '"MS Gothic"="IPAGothic"' \
      '"MS PGothic"="IPAPGothic"' \
      '"MS Mincho"="IPAMincho"' \
      '"MS PMincho"="IPAPMincho"' \
      '"MS UI Gothic"="IPAPGothic"' \
      '"MS Shell Dlg"="IPAPGothic"' \
      '"MS Shell Dlg 2"="IPAPGothic"' \
      '"Tahoma"="IPAPGothic"' \
      '"メイリオ"="IPAPGothic"' \
      '"Meiryo"="IPAPGothic"' \
      '"Meiryo UI"="IPAPGothic"' \
      '"Yu Gothic UI"="IPAPGothic"' \
      '' | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine regedit "$(pirune_wine_path "$reg")" >/dev/null 2>&1
}

# The Windows name of a Unix path, by way of the Z: drive every prefix maps to /.
pirune_wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

pirune_wine_start() {
  local tool
  [ "${PIRUNE_WINE_SHARED:-0}" = 1 ] && return 0
  # bash runs no EXIT trap when a signal ends it; a run stopped by a signal would leave
  # its display and Wine processes behind. Exiting on the signal runs the callers' trap.
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  if ! pirune_wine_route; then
    pirune_wine_log "this machine cannot execute 32-bit programs, which Wine needs, and their" \
      "emulation is not set up (tools/i386-route setup, as root: it needs qemu-user and binfmt_misc)"
    return 1
  fi
  for tool in Xvfb xdpyinfo wine wineserver fc-match iconv timeout i686-w64-mingw32-gcc; do
    command -v "$tool" >/dev/null || { pirune_wine_log "$tool is missing (tools/install-deps all)"; return 1; }
  done
  PIRUNE_WINE_TMP=$(mktemp -d "${TMPDIR:-/tmp}/pirune-wine.XXXXXX") || return 1
  if [ "${PIRUNE_WINE_OWN_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    xdpyinfo >/dev/null 2>&1 || { pirune_wine_log "cannot open display $DISPLAY"; pirune_wine_stop; return 1; }
  else
    pirune_wine_start_xvfb || { pirune_wine_stop; return 1; }
  fi

  export WINEPREFIX="$PIRUNE_WINE_TMP/prefix"
  export WINEARCH=win32
  export WINEDEBUG=${PIRUNE_WINEDEBUG:--all}
  # No Mono or Gecko: their install prompts would wait for a click nobody gives.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  if ! timeout "$((300 * PIRUNE_WINE_SCALE))" wineboot -i >"$PIRUNE_WINE_TMP/wineboot.log" 2>&1; then
    pirune_wine_log "wineboot failed; see $PIRUNE_WINE_TMP/wineboot.log"
    PIRUNE_WINE_KEEP=1 pirune_wine_stop
    return 1
  fi
  pirune_wine_install_fonts
  # Let the first boot finish writing the prefix; the server leaves once it is idle.
  timeout "$((300 * PIRUNE_WINE_SCALE))" wineserver -w
  # One server for the whole run, so each test does not pay for a server start.
  wineserver -p
  pirune_wine_start_desktop_keeper || { pirune_wine_stop; return 1; }
  return 0
}

# Wine ends its desktop process a second after the last program on the desktop, and
# each program would start it again, which under load fails now and then and leaves
# the program without a window. desktop_keeper.exe stays on the desktop for the whole
# session; its standard input is a pipe whose other end only this shell holds, so
# closing that end stops it (and the shell's death stops it too). Programs started
# later inherit the end as well; they are all over when the session stops.
pirune_wine_start_desktop_keeper() {
  local keeper="$PIRUNE_WINE_TMP/desktop_keeper.exe" log="$PIRUNE_WINE_TMP/desktop-keeper.log"
  if ! i686-w64-mingw32-gcc -O2 -mwindows -o "$keeper" "$(dirname "${BASH_SOURCE[0]}")/desktop_keeper.c" \
    >"$PIRUNE_WINE_TMP/desktop-keeper-build.log" 2>&1; then
    pirune_wine_log "cannot build desktop_keeper.exe; see $PIRUNE_WINE_TMP/desktop-keeper-build.log"
    PIRUNE_WINE_KEEP=1
    return 1
  fi
  exec {PIRUNE_WINE_KEEPER_FD}> >(exec wine "$keeper" >"$log" 2>&1)
  PIRUNE_WINE_KEEPER_PID=$!
  for _ in $(seq 1 "$(pirune_wine_ticks 600)"); do
    grep -qx ready "$log" 2>/dev/null && return 0
    kill -0 "$PIRUNE_WINE_KEEPER_PID" 2>/dev/null || break
    sleep 0.1
  done
  pirune_wine_log "desktop_keeper.exe did not get onto the desktop; see $log"
  PIRUNE_WINE_KEEP=1
  return 1
}

# Closes the keeper's input and waits, within a bound, for it to leave the desktop.
pirune_wine_stop_desktop_keeper() {
  [ -n "${PIRUNE_WINE_KEEPER_FD:-}" ] || return 0
  exec {PIRUNE_WINE_KEEPER_FD}>&-
  PIRUNE_WINE_KEEPER_FD=
  for _ in $(seq 1 "$(pirune_wine_ticks 100)"); do
    kill -0 "$PIRUNE_WINE_KEEPER_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$PIRUNE_WINE_KEEPER_PID" 2>/dev/null && pirune_wine_log "desktop_keeper.exe did not end when asked"
  PIRUNE_WINE_KEEPER_PID=
}

# Runs EXE on SCRIPT from the script's folder (so the program sees the bare file name,
# as it does natively), with PIRUNE_TEST_LOG set to LOG. Answers the program's exit
# status; 124 when it was killed for running too long.
pirune_wine_run() {
  local exe script log
  exe=$(realpath "$1")
  script=$2
  log=$(realpath -m "$3")
  shift 3
  rm -f "$log"
  (
    cd "$(dirname "$script")" || exit 125
    PIRUNE_TEST_LOG=$(pirune_wine_path "$log") \
      timeout -k 10 "$(pirune_wine_timeout)" wine "$exe" "$(basename "$script")" "$@" </dev/null
  )
}

pirune_wine_stop() {
  [ "${PIRUNE_WINE_SHARED:-0}" = 1 ] && return 0
  pirune_wine_stop_desktop_keeper
  if [ -n "${WINEPREFIX:-}" ] && [ -d "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1
  fi
  if [ -n "${PIRUNE_WINE_XVFB_PID:-}" ]; then
    kill "$PIRUNE_WINE_XVFB_PID" 2>/dev/null
    wait "$PIRUNE_WINE_XVFB_PID" 2>/dev/null
    PIRUNE_WINE_XVFB_PID=
  fi
  if [ -n "${PIRUNE_WINE_TMP:-}" ]; then
    if [ "${PIRUNE_WINE_KEEP:-0}" = 1 ]; then
      pirune_wine_log "kept $PIRUNE_WINE_TMP"
    else
      rm -rf "$PIRUNE_WINE_TMP"
    fi
    PIRUNE_WINE_TMP=
  fi
}
