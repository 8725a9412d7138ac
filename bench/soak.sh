#!/usr/bin/env bash
# Soak: the real player under Xvfb plays a wrapping list of short generated files (audio and
# video, one broken file among them) for MINUTES, while random presses of previous, play, pause,
# next, the seek bar and the playlist and video toggles come at random moments, and the skin
# switches between the two shipped skins every minute (through the menu and the folder dialog).
#
# Every 10 s it samples the player's resident memory, open file descriptors and threads, and
# prints their first, last and largest values and the number of entries played (counted as the
# media file the player holds open changes). A leak shows as growth after the first minute: the
# run fails when, between the checkpoint after minute 1 and the one at the end, memory grows by
# more than 5 % or descriptors or threads grow at all, or when the player dies. Both checkpoints
# are taken in the same state (stopped, just after a skin switch, settled), so they compare like
# with like. Not part of CI; the samples are kept in <build>/artifacts/soak-samples.csv and the
# player's output in soak-player.log.
#
# Usage: bench/soak.sh MINUTES [build dir, default build]
set -euo pipefail
minutes=${1:?usage: soak.sh MINUTES [build dir]}
build=$(cd "${2:-build}" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$minutes" "$build"
fi

mkdir -p "$build/artifacts"
work=$(mktemp -d)
player=
cleanup() {
  if [ -n "$player" ] && kill -0 "$player" 2>/dev/null; then
    kill "$player" 2>/dev/null || true
    sleep 1
    kill -9 "$player" 2>/dev/null || true
  fi
  # The player's own output (with a sanitizer build, its leak report) is kept beside the samples.
  [ ! -f "$work/player.log" ] || cp "$work/player.log" "$build/artifacts/soak-player.log" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# --- media: short files that end by themselves, so the list also moves on its own -----------
media=$work/media
mkdir -p "$media"
media_file() {  # name, ffmpeg arguments...
  local name=$1; shift
  ffmpeg -v error -y "$@" "$media/$name" </dev/null
}
media_file clip1.avi -f lavfi -i testsrc=size=320x240:rate=25:duration=7 -f lavfi -i sine=frequency=330:duration=7 \
  -c:v mpeg4 -vtag DIVX -c:a libmp3lame
media_file tone1.mp3 -f lavfi -i sine=frequency=440:duration=6 -c:a libmp3lame
media_file clip2.mpg -f lavfi -i testsrc2=size=352x288:rate=25:duration=6 -f lavfi -i sine=frequency=550:duration=6 \
  -c:v mpeg1video -c:a mp2
head -c 30000 /dev/urandom >"$media/broken.avi"
media_file clip3.wmv -f lavfi -i smptebars=size=320x240:rate=25:duration=6 -f lavfi -i sine=frequency=660:duration=6 \
  -c:v wmv2 -c:a wmav2
media_file tone2.mp3 -f lavfi -i sine=frequency=220:duration=5 -c:a libmp3lame
files=(clip1.avi tone1.mp3 clip2.mpg broken.avi clip3.wmv tone2.mp3)

list=$work/soak.slv
{
  printf '<SLV Version = "1.1" >\r\n\r\n'
  printf '<Param Name = "Name" Value = "Solvane Playlist - ASX Format - " />\r\n'
  printf '<Param Name = "AllowShuffle" Value = "yes" />\r\n\r\n'
  for f in "${files[@]}"; do
    printf '<Entry>\r\n<Param Name = "name" Value = "%s" />\r\n' "${f%.*}"
    printf '<ref href = "%s" />\r\n</Entry>\r\n\r\n' "$media/$f"
  done
  printf '</asx>\r\n'
} >"$list"

# --- the player and the pointer ----------------------------------------------------------------
xsetroot -solid '#3a6ea5' 2>/dev/null || true
# Without a sound card no audio output opens and an audio-only entry cannot play; ALSA's null
# device lets it play (that device does not keep time, so such entries end early).
if ! grep -q '[0-9] \[' /proc/asound/cards 2>/dev/null; then
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/asound.conf"
  export ALSA_CONFIG_PATH=$work/asound.conf
  echo "soak: no sound card; audio goes to ALSA's null device"
fi
QT_QPA_PLATFORM=xcb "$build/solvane" >"$work/player.log" 2>&1 &
player=$!

alive() { kill -0 "$player" 2>/dev/null; }
die() {
  echo "soak: FAIL: $*" >&2
  tail -n 20 "$work/player.log" >&2 || true
  exit 1
}

main_x= main_y=
find_main() {  # the main window's top-left corner
  local id info
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --class solvane 2>/dev/null); do
      info=$(xwininfo -id "$id")
      if grep -q 'Width: 275$' <<<"$info" && grep -q 'Height: 116$' <<<"$info"; then
        main_x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
        main_y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}
click() {  # x, y inside the main window
  xdotool mousemove $((main_x + $1)) $((main_y + $2)) sleep 0.05 click 1
}
wait_title() {  # window title; fails after 15 s
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

find_main || die "the main window did not appear"

# Eject opens the file dialog; a playlist chosen there loads and starts its first entry.
click 146 96
wait_title "Choose media to play" || die "the file dialog did not open"
sleep 0.5
xdotool type --delay 5 "$list"
xdotool key Return
wait_gone "Choose media to play" || die "the file dialog did not close"

skins=("$build/skins/ember" "$build/skins/silence")
switches=0
switch_skin() {  # the menu button, "Choose Skin", the folder dialog
  click 10 7
  sleep 0.4
  xdotool key Down Return
  wait_title "Select Directory" || die "the folder dialog did not open"
  sleep 0.5
  xdotool type --delay 5 "${skins[$((switches % 2))]}"
  xdotool key Return
  wait_gone "Select Directory" || die "the folder dialog did not close"
  switches=$((switches + 1))
}

# --- measuring ---------------------------------------------------------------------------------
sample() {  # rss KiB, descriptors, threads, and of the rss: heap and other private, file-backed
  local rss threads fds
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$player/status")
  threads=$(awk '/^Threads/ {print $2}' "/proc/$player/status")
  fds=$(ls "/proc/$player/fd" | wc -l)
  echo "$rss $fds $threads $(awk '/^RssAnon/ {a = $2} /^RssFile/ {f = $2} END {print a, f}' "/proc/$player/status")"
}
open_media=
played=0
watch_media() {  # counts an entry each time another media file is held open
  local now
  now=$(ls -l "/proc/$player/fd" 2>/dev/null | grep -o "$media/[^ ]*" | head -n 1 || true)
  if [ -n "$now" ] && [ "$now" != "$open_media" ]; then
    played=$((played + 1))
  fi
  [ -z "$now" ] || open_media=$now
}
checkpoint=
checkpoint() {  # after a skin switch, stopped and settled
  switch_skin
  click 96 96  # stop
  sleep 3
  alive || die "the player died"
  checkpoint=$(sample)
  click 50 96  # play
}

random_action() {
  case $((RANDOM % 9)) in
    0) click 27 96 ;;                      # previous
    1) click 50 96 ;;                      # play
    2) click 73 96 ;;                      # pause
    3|4) click 119 96 ;;                   # next
    5|6) click $((18 + RANDOM % 245)) 76 ;; # seek
    7) click 253 64 ;;                     # playlist window
    8) click 258 7 ;;                      # video window
  esac
}

csv=$build/artifacts/soak-samples.csv
echo "seconds,rss_kib,fds,threads,anon_kib,file_kib,entries_played" >"$csv"
start=$(date +%s)
end=$((start + minutes * 60))
next_sample=$start
next_minute=$((start + 60))
reference=
final=
while :; do
  now=$(date +%s)
  [ "$now" -lt "$end" ] || break
  alive || die "the player died after $((now - start)) s"
  if [ "$now" -ge "$next_sample" ]; then
    echo "$((now - start)),$(sample | tr ' ' ','),$played" >>"$csv"
    next_sample=$((next_sample + 10))
  fi
  if [ "$now" -ge "$next_minute" ]; then
    if [ -z "$reference" ]; then
      checkpoint
      reference=$checkpoint
    else
      switch_skin
    fi
    next_minute=$((next_minute + 60))
  fi
  watch_media
  [ $((RANDOM % 4)) -ne 0 ] || random_action
  sleep "0.$((3 + RANDOM % 6))"
done
alive || die "the player died"
echo "$(( $(date +%s) - start )),$(sample | tr ' ' ','),$played" >>"$csv"
checkpoint
final=$checkpoint
[ -n "$reference" ] || die "the run was shorter than the minute-1 checkpoint; give at least 2 minutes"

# Close from the title bar: the program ends by itself.
click 268 7
for _ in $(seq 100); do alive || break; sleep 0.1; done
alive && die "the player did not end when closed"

summary() {  # column, label
  awk -F, -v c="$1" -v l="$2" 'NR == 2 {first = $c} NR > 1 {last = $c; if ($c > max) max = $c}
    END {printf "%-22s first %8d  last %8d  max %8d\n", l, first, last, max}' "$csv"
}
echo "soak: ${minutes} min, $(($(wc -l <"$csv") - 1)) samples, ${played} entries played, ${switches} skin switches"
summary 2 "resident memory (KiB)"
summary 3 "file descriptors"
summary 4 "threads"
summary 5 "  of the memory: anon"
summary 6 "  of the memory: files"
read -r r0 f0 t0 a0 _ <<<"$reference"
read -r r1 f1 t1 a1 _ <<<"$final"
growth=$(awk -v a="$r0" -v b="$r1" 'BEGIN {printf "%.1f", (b - a) * 100 / a}')
echo "checkpoints, minute 1 -> end: memory ${r0} -> ${r1} KiB (${growth} %), descriptors ${f0} -> ${f1}, threads ${t0} -> ${t1} (anon ${a0} -> ${a1} KiB)"
fail=
awk -v g="$growth" 'BEGIN {exit !(g > 5)}' && fail+=" memory grew by more than 5 %;"
[ "$f1" -le "$f0" ] || fail+=" descriptors grew;"
[ "$t1" -le "$t0" ] || fail+=" threads grew;"
[ "$played" -gt 0 ] || fail+=" nothing played;"
[ -z "$fail" ] || die "$fail"
echo "soak: PASS"
