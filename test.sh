#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and window tests, the same
# language tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a minute of fuzzing.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# The language tests again, under the sanitizers.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRIVELAS_SANITIZE=ON -DTRIVELAS_BENCH=OFF
cmake --build build-asan -j "$jobs" --target tst_runtime tst_interpreter
(cd build-asan && ctest --output-on-failure -R 'tst_(runtime|interpreter)$')

# Arbitrary bytes through the interpreter for a minute; any finding fails the run.
./scripts/fuzz.sh 60
