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
"$(dirname "$0")/../bench/startup.sh" "$build"
