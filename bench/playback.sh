#!/usr/bin/env bash
# Playback costs against mpv itself, with audio and video output off:
#  - CPU time of the whole player playing a 60-second MP3, against the mpv command on the file;
#  - the gap from the end of one file to the next one playing, against libmpv's own advance;
#  - the same over six files that cannot be played, against libmpv's own playlist.
# Usage: playback.sh <build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=60" -ac 2 -c:a libmp3lame "$work/long.mp3"
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=2" -c:a libmp3lame "$work/a.mp3"
ffmpeg -loglevel error -f lavfi -i "sine=frequency=660:duration=2" -c:a libmp3lame "$work/b.mp3"

player=$("$build/bench/player_playback" cpu "$work/long.mp3" | awk '{print $3}')
TIMEFORMAT='%U %S'
mpvcpu=$( { time mpv --no-config --ao=null --vo=null --really-quiet "$work/long.mp3" >/dev/null 2>&1; } 2>&1 | awk '{print $1 + $2}')
echo "cpu, 60 s mp3: player ${player} s, mpv ${mpvcpu} s, ratio $(awk -v a="$player" -v b="$mpvcpu" 'BEGIN {printf "%.2f", a / b}')"

pg=() ug=() mg=()
for _ in 1 2 3 4 5; do
  out=$("$build/bench/player_playback" gap "$work/a.mp3" "$work/b.mp3")
  pg+=("$(echo "$out" | awk '/^player gap/ {print $3}')")
  ug+=("$(echo "$out" | awk '/^player unqueued gap/ {print $4}')")
  mg+=("$(echo "$out" | awk '/^mpv gap/ {print $3}')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(median "${pg[@]}") u=$(median "${ug[@]}") m=$(median "${mg[@]}")
echo "gap between files: player ${p} ms, mpv ${m} ms, ratio $(awk -v a="$p" -v b="$m" 'BEGIN {printf "%.2f", a / b}')"
echo "gap between files, each file loaded afresh: player ${u} ms, ratio to mpv $(awk -v a="$u" -v b="$m" 'BEGIN {printf "%.2f", a / b}')"

# An empty file, a text named .mp3, a missing file, an AVI with scrambled headers and index,
# an MP3 that is only its tag, another empty file.
ffmpeg -loglevel error -f lavfi -i "color=c=red:size=160x120:duration=1" -c:v mpeg4 -vtag DIVX "$work/red.avi"
: > "$work/empty.mp3"; : > "$work/empty.avi"
echo "Not a sound at all, only words." > "$work/text.mp3"
cp "$work/red.avi" "$work/scrambled.avi"
movi=$(grep -abo movi "$work/scrambled.avi" | awk -F: 'NR == 1 {print $1}')
idx=$(grep -abo idx1 "$work/scrambled.avi" | tail -1 | cut -d: -f1)
head -c $((movi - 20)) /dev/urandom | dd of="$work/scrambled.avi" bs=1 seek=12 conv=notrunc status=none
head -c $(($(stat -c %s "$work/scrambled.avi") - idx)) /dev/urandom | dd of="$work/scrambled.avi" bs=1 seek="$idx" conv=notrunc status=none
printf 'ID3\x03\x00\x00\x00\x00\x00\x15TIT2\x00\x00\x00\x0b\x00\x00\x00Only a tag' > "$work/tagonly.mp3"
sg=() sm=()
for _ in 1 2 3 4 5 6 7 8 9; do
  files=("$work/red.avi" "$work"/{empty.mp3,text.mp3,missing.mp3,scrambled.avi,tagonly.mp3,empty.avi} "$work/b.mp3")
  sg+=("$("$build/bench/player_playback" skip "${files[@]}" | awk '/^player skip/ {print $3}')")
  sm+=("$("$build/bench/player_playback" mpvskip "${files[@]}" | awk '/^mpv skip/ {print $3}')")
done
p=$(median "${sg[@]}") m=$(median "${sm[@]}")
echo "over six broken files: player ${p} ms, mpv ${m} ms, ratio $(awk -v a="$p" -v b="$m" 'BEGIN {printf "%.2f", a / b}')"
