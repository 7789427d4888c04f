#!/usr/bin/env bash
# Runs arbitrary bytes through the interpreter for SECONDS seconds (default 60), starting from a
# copy of the seed corpus. Exits non-zero on any finding: a crash, a sanitizer report, a leak, a
# hang, an undocumented error or an infinite or NaN value.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRIVELAS_FUZZ=ON -DTRIVELAS_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_interpreter -j "$(nproc)"

work=fuzz-corpus-work
rm -rf "$work"
mkdir -p "$work"
cp fuzz/corpus/* "$work"/

./build-fuzz/fuzz/fuzz_interpreter "$work" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1
