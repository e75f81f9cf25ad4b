#!/usr/bin/env bash
# omrix-print as the suite starts it, on a demo database under Xvfb: the window found by
# its caption and closed with 終了 (Alt+E); the exit status, the company name kept in the
# INI file and the suite's main program handed the caller's window. Then a start-up that
# stops: its message box answered, exit status 1. SIGTERM ends it without the hand-off.
# Then driven as a person would with
# mouse and keys: the tree's menu on the node pointed at, zoom, a save stopped with 中止,
# 適用 by Alt+T and a question answered with Enter. Windows are waited for by name.
# Usage: desktop_program_test.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
# What the program last wrote (a driven one's backtrace, when it crashed) goes with it.
# With it, where the script stood and the windows then on the screen.
fail() {
  echo "FAIL: $*" >&2
  echo "--- at lines ${BASH_LINENO[*]} of ${BASH_SOURCE[*]}" >&2
  echo "--- windows shown:" >&2
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    xdotool getwindowname "$id" >&2 2>/dev/null || true
  done
  [ -s "$work/out.txt" ] && { echo "--- the program's output:" >&2; tail -60 "$work/out.txt" >&2; }
  exit 1
}

cat > "$work/OMRIX.INI" <<INI
[DATABASE]
SERVER_NAME=sqlite
DB_NAME=demo.sqlite
[KALVERON]
TANTOSHA=demo
PRINTCOMAPNYNAME=みなと開発株式会社
MAIN_PROGRAM=echo "\$OMRIX_CALLER_WINDOW" > '$work/handed'
INI
"$bin/omrix-db" init --ini "$work/OMRIX.INI" >/dev/null
"$bin/omrix-db" demo --ini "$work/OMRIX.INI" --lines 120 >/dev/null

# A display of our own: the first number without a server.
for n in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
# -noreset: by default the server resets when its last client leaves, and a program
# that connects meanwhile is refused (Qt then aborts for want of a display).
Xvfb "$display" -screen 0 1366x768x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb OMRIX_INI=$work/OMRIX.INI

# Starts the program, waits for a window with the caption and presses `keys` in it.
run_and_press() {
  local keys=$1; shift
  "$bin/omrix-print" "$@" >"$work/out.txt" 2>&1 &
  local app=$!
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '内訳書出力' | head -1) ||
    fail "no window came up: $(cat "$work/out.txt")"
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$keys"
  local status=0
  wait "$app" || status=$?
  echo "$status"
}

status=$(run_and_press alt+e -B:00000001 -H:01 -Q:デモ物件 -T:1 -W:4711)
[ "$status" = 0 ] || fail "終了 gave exit status $status"
grep -q '^PRINTCOMAPNYNAME=みなと開発株式会社$' "$work/OMRIX.INI" || fail "company name not kept"
for _ in $(seq 50); do [ -s "$work/handed" ] && break; sleep 0.1; done
[ "$(cat "$work/handed" 2>/dev/null)" = 4711 ] || fail "the main program was not handed window 4711"

# SIGTERM closes as 終了 does, but starts nothing.
rm -f "$work/handed"
"$bin/omrix-print" -B:00000001 -H:01 -Q:デモ物件 -T:1 -W:4711 >"$work/out.txt" 2>&1 &
app=$!
timeout 60 xdotool search --sync --onlyvisible --name '内訳書出力' >/dev/null ||
  fail "no window came up: $(cat "$work/out.txt")"
kill -TERM "$app"
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "SIGTERM gave exit status $status"
sleep 1
[ ! -e "$work/handed" ] || fail "SIGTERM handed back to the main program"

# Version 99 has no 内訳名称 row: one message box, answered, and no window after it.
status=$(run_and_press Return -B:00000001 -H:99 -Q:デモ物件 -T:1)
[ "$status" = 1 ] || fail "a stopped start-up gave exit status $status"
echo "omrix-print started, ended with 終了, and stopped start-up as expected"

. "$(dirname "$0")/desktop_driving.sh"
