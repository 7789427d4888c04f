#!/usr/bin/env bash
# Runs the smoke test program on a virtual X display of 1600 x 1000 at 24 bits.
# Usage: smoke.sh path/to/tst_smoke
# With TRIVELAS_SCREENSHOT=docs/screenshot.png (relative to the source tree, or absolute) the
# screen is also saved there at the end, each function drawn.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "uso: $0 tst_smoke" >&2
  exit 2
fi
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run não está instalado: corra scripts/install-deps.sh" >&2
  exit 1
fi

exec timeout 80 xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$1"
