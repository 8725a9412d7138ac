#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer on) and runs each for a bounded time.
# A crash, a leak report, a timeout or an out-of-memory fails the run.
# Usage: run-fuzzers.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${FUZZ_JOBS:-2}
out=build-fuzz
mkdir -p "$out"
qt=$(pkg-config --cflags --libs Qt6Core)
flags=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -I.)

build() {  # target sources...
  local name=$1; shift
  clang++ "${flags[@]}" "$@" $qt -o "$out/$name"
}
build fuzz_playlist_readers tests/fuzz/fuzz_playlist_readers.cpp playlist/PlaylistFile.cpp platform/Paths.cpp \
  platform/AtomicSave.cpp
build fuzz_settings_reader tests/fuzz/fuzz_settings_reader.cpp platform/APIINISystem.cpp platform/Paths.cpp
build fuzz_foreign_playlists tests/fuzz/fuzz_foreign_playlists.cpp playlist/M3uPlaylist.cpp \
  playlist/PlsPlaylist.cpp playlist/PlaylistFile.cpp platform/Paths.cpp platform/AtomicSave.cpp

# The skin-bitmap target links the whole library (the mask scan lives in the main window), so
# the library is built by CMake with clang and the fuzzer's instrumentation.
cmake -S . -B "$out/cmake" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
  -DSOLVANE_BENCH=OFF -DSOLVANE_FUZZ=ON \
  "-DCMAKE_CXX_FLAGS=-g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
cmake --build "$out/cmake" -j"$jobs" --target fuzz_skin_bitmap make_bitmap_seeds
cp "$out/cmake/tests/fuzz_skin_bitmap" "$out/"

# Seeds of the skin-bitmap target: every shipped bitmap and every flavour, made afresh.
seeds=$out/seeds-skin-bitmap
rm -rf "$seeds"
"$out/cmake/tests/make_bitmap_seeds" "$seeds"
for f in skins/*/*.bmp resources/builtin/*.bmp; do cp "$f" "$seeds/$(echo "$f" | tr / -)"; done

run() {  # target options... corpus folders...
  local target=$1; shift
  mkdir -p "$out/corpus-$target"
  echo "fuzzing $target for ${seconds}s"
  if ! (cd "$out" && "./$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "$@") \
      >"$out/$target.log" 2>&1; then
    tail -n 60 "$out/$target.log"
    echo "fuzzer $target failed; the input is in $out (commit it to tests/fuzz/regressions/)" >&2
    exit 1
  fi
  grep -E '^(#[0-9]+ +DONE|Done)' "$out/$target.log" | tail -n 2
}
run fuzz_playlist_readers -max_len=4096 corpus-fuzz_playlist_readers ../tests/fuzz/seeds
run fuzz_settings_reader -max_len=4096 corpus-fuzz_settings_reader ../tests/fuzz/seeds
run fuzz_foreign_playlists -max_len=4096 corpus-fuzz_foreign_playlists ../tests/fuzz/seeds \
  ../tests/fuzz/regressions
# No single allocation of 16 MiB or more: a huge claimed picture is refused before that.
# Inputs that once failed are kept in tests/fuzz/regressions/.
regressions=()
[ -d tests/fuzz/regressions ] && regressions=(../tests/fuzz/regressions)
run fuzz_skin_bitmap -max_len=262144 -malloc_limit_mb=16 corpus-fuzz_skin_bitmap \
  seeds-skin-bitmap "${regressions[@]}"
echo "fuzzers: no crash, no leak, no hang, no memory error"
