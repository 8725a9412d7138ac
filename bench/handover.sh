#!/usr/bin/env bash
# A second start that hands one file to the running player, against `solvane --version`: both
# timed from start to exit, alternating, several rounds each; medians in milliseconds.
# Runs on a private screen and a private session bus.
# Usage: handover.sh <build dir> [rounds]
set -euo pipefail
build=$(cd "$1" && pwd) rounds=${2:-15}
if [ -z "${HANDOVER_INSIDE:-}" ]; then
  export HANDOVER_INSIDE=1
  exec xvfb-run -a dbus-run-session -- "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
media=$(mktemp -d)
trap 'kill "$player" 2>/dev/null || true; rm -rf "$media"' EXIT
ffmpeg -loglevel error -y -f lavfi -i sine=f=440:d=1 -c:a libmp3lame "$media/tone.mp3"

"$build/solvane" >/dev/null 2>&1 & player=$!
until xdotool search --onlyvisible --class solvane >/dev/null 2>&1; do sleep 0.05; done
sleep 0.5

ms() {  # command... -> milliseconds from start to exit
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

version=() handover=()
for _ in $(seq "$rounds"); do
  version+=("$(ms "$build/solvane" --version)")
  handover+=("$(ms "$build/solvane" "$media/tone.mp3")")
done
v=$(printf '%s\n' "${version[@]}" | median)
h=$(printf '%s\n' "${handover[@]}" | median)
echo "solvane --version: ${v} ms, hand-over of one file: ${h} ms"
awk -v a="$h" -v b="$v" 'BEGIN {printf "hand-over / --version: %.2f\n", a / (b > 0 ? b : 1)}'
