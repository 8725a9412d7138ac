#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer on) and runs each for a bounded time.
# Usage: run-fuzzers.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out"
qt=$(pkg-config --cflags --libs Qt6Core)
flags=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -I.)

build() {  # target sources...
  local name=$1; shift
  clang++ "${flags[@]}" "$@" $qt -o "$out/$name"
}
build fuzz_playlist_readers tests/fuzz/fuzz_playlist_readers.cpp playlist/PlaylistFile.cpp platform/Paths.cpp
build fuzz_settings_reader tests/fuzz/fuzz_settings_reader.cpp platform/APIINISystem.cpp platform/Paths.cpp

for target in fuzz_playlist_readers fuzz_settings_reader; do
  mkdir -p "$out/corpus-$target"
  echo "fuzzing $target for ${seconds}s"
  (cd "$out" && "./$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    "corpus-$target" ../tests/fuzz/seeds) 2>&1 | tail -n 3
done
echo "fuzzers: no crash, no hang, no memory error"
