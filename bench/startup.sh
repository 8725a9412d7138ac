#!/usr/bin/env bash
# Start-up to the window shown, under Xvfb: the player against the smallest Qt program that
# shows one frameless 275 x 116 window, run side by side, alternating, several rounds each.
# The player registers its media-key interface on the session bus as on a desktop: without a
# bus the script makes a private one.
# Usage: startup.sh <build dir> [rounds]
set -euo pipefail
build=$(cd "$1" && pwd) rounds=${2:-7}
export QT_QPA_PLATFORM=xcb

time_to_window() {  # program, window class -> milliseconds until its window is mapped
  local start end pid
  local tries=0
  start=$(date +%s%N)
  "$1" >/dev/null 2>&1 & pid=$!
  # Our own short poll: xdotool's --sync waits half a second between looks.
  until xdotool search --onlyvisible --class "$2" >/dev/null 2>&1; do
    sleep 0.005; tries=$((tries + 1)); [ $tries -lt 2000 ] || break
  done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  sleep 0.1
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

run() {
  local player=() minimal=()
  # One unmeasured start each, so both read their libraries from a warm cache.
  time_to_window "$build/solvane" solvane >/dev/null
  time_to_window "$build/bench/minimal_window" minimalwindow >/dev/null
  for _ in $(seq "$rounds"); do
    player+=("$(time_to_window "$build/solvane" solvane)")
    minimal+=("$(time_to_window "$build/bench/minimal_window" minimalwindow)")
  done
  local p m
  p=$(printf '%s\n' "${player[@]}" | median)
  m=$(printf '%s\n' "${minimal[@]}" | median)
  echo "startup: solvane ${p} ms, minimal Qt window ${m} ms, ratio $(awk -v p="$p" -v m="$m" 'BEGIN {printf "%.2f", p / m}')"
}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- "$0" "$@"
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$@"
fi
run
