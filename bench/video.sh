#!/usr/bin/env bash
# CPU of playing a 1280x720 H.264 file with its picture on screen, under Xvfb, audio off: the
# player's docked video window and its full screen, against the mpv command with X11 output at
# the same window size and full screen. Alternating, several rounds, medians.
# Usage: video.sh <build dir> [rounds]
set -euo pipefail
build=$(cd "$1" && pwd) rounds=${2:-3}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
ffmpeg -loglevel error -f lavfi -i "testsrc2=size=1280x720:rate=25:duration=10" \
  -c:v libx264 -pix_fmt yuv420p "$work/hd.mp4"

TIMEFORMAT='%U %S'
mpv_cpu() {
  { time mpv --no-config --vo=x11 --ao=null --really-quiet "$@" "$work/hd.mp4" >/dev/null 2>&1; } 2>&1 |
    awk '{print $1 + $2}'
}
player_cpu() { "$build/bench/player_playback" video "$work/hd.mp4" "$@" 2>/dev/null | awk '/player cpu/ {print $3}'; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

pd=() pf=() md=() mf=()
for _ in $(seq "$rounds"); do
  pd+=("$(player_cpu)")
  md+=("$(mpv_cpu --geometry=637x488)")
  pf+=("$(player_cpu full)")
  mf+=("$(mpv_cpu --fs)")
done
a=$(median "${pd[@]}") b=$(median "${md[@]}")
echo "cpu, 10 s 1280x720 H.264, docked: player ${a} s, mpv ${b} s, ratio $(ratio "$a" "$b")"
a=$(median "${pf[@]}") b=$(median "${mf[@]}")
echo "cpu, 10 s 1280x720 H.264, full screen: player ${a} s, mpv ${b} s, ratio $(ratio "$a" "$b")"
