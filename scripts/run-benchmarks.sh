#!/usr/bin/env bash
# Runs every benchmark and prints the ratios the targets are stated in.
set -euo pipefail
build=${1:-build}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
cpu() { awk -F, -v n="\"$1_median\"" '$1 == n {print $4}' "$2"; }

csv=$(mktemp)
"$build/bench/bench_skin" --benchmark_min_time=0.3 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null | grep '^"' > "$csv"
grep median "$csv" | cut -d, -f1,4,5
echo "mask region, built-in mask / one read of its pixels: $(ratio "$(cpu BM_MakeMaskRegion_BuiltIn "$csv")" "$(cpu BM_ReadMaskPixels_BuiltIn "$csv")")"
echo "mask region, every other pixel transparent / one read: $(ratio "$(cpu BM_MakeMaskRegion_Checker "$csv")" "$(cpu BM_ReadMaskPixels_Checker "$csv")")"
echo "skin load / decoding its eleven bitmaps: $(ratio "$(cpu BM_LoadSkin "$csv")" "$(cpu BM_DecodeSkinBitmaps "$csv")")"
rm -f "$csv"
"$(dirname "$0")/../bench/startup.sh" "$build" || echo "startup: Xvfb did not start"

pcsv=$(mktemp)
"$build/bench/bench_playlist" --benchmark_min_time=0.2 --benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null | grep '^"' > "$pcsv"
grep median "$pcsv" | cut -d, -f1,4,5
echo "playlist write, 32767 / 3276 entries: $(ratio "$(cpu BM_WritePlaylist/32767 "$pcsv")" "$(cpu BM_WritePlaylist/3276 "$pcsv")")"
echo "playlist read, 32767 / 3276 entries: $(ratio "$(cpu BM_ReadPlaylist/32767 "$pcsv")" "$(cpu BM_ReadPlaylist/3276 "$pcsv")")"
echo "loading 32767 entries into the window / reading the bytes and splitting lines: $(ratio "$(cpu BM_LoadIntoWindow "$pcsv")" "$(cpu BM_ReadBytesAndSplitLines "$pcsv")")"
echo "scanning a folder of 10,000 files: $(cpu BM_ScanFolder "$pcsv") ms"
rm -f "$pcsv"
"$build/bench/bench_library"
"$build/bench/player_library"
"$(dirname "$0")/../bench/playback.sh" "$build"
"$(dirname "$0")/../bench/handover.sh" "$build" || echo "handover: Xvfb or the session bus did not start"
"$(dirname "$0")/../bench/video.sh" "$build" || echo "video: Xvfb did not start"
