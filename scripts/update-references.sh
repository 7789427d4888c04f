#!/usr/bin/env bash
# Writes afresh the references under tests/references that no longer match what the windows
# show, packs the new pictures in as few bytes as can be (zopfli's lossless PNG encoder), then
# checks every reference again. Look at each new picture and description against the layout
# before committing it: `git status tests/references` lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
(cd build && TRIVELAS_UPDATE_REFERENCES=1 ctest -R 'tst_(graph|shell)$' --output-on-failure)

git ls-files --modified --others --exclude-standard -- 'tests/references/*.png' |
  while read -r picture; do zopflipng -m -y "$picture" "$picture" >/dev/null; done

(cd build && ctest -R 'tst_(graph|shell)' --output-on-failure)
git status --short -- tests/references
