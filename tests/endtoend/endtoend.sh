#!/usr/bin/env bash
# Runs the end-to-end test program on a virtual X display of 1600 x 1000 at 24 bits, with Qt's X11
# platform, so that it can read back what the windows put on the screen.
# Usage: endtoend.sh path/to/tst_endtoend [test arguments...]
# With TRIVELAS_SCREENSHOT=docs/screenshot.png (relative to the source tree, or absolute) the
# first Weierstrass window with its default curve is also saved there as a picture.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "uso: $0 tst_endtoend [argumentos]" >&2
  exit 2
fi
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run não está instalado: corra scripts/install-deps.sh" >&2
  exit 1
fi

exec timeout 80 xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$@"
