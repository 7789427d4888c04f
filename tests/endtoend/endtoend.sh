#!/usr/bin/env bash
# Runs the end-to-end test program on a virtual X display of 1600 x 1000 at 24 bits, with Qt's X11
# platform, so that it can read back what the windows put on the screen. With --wm the display also
# has a window manager, openbox, that frames the windows as a desktop does.
# Usage: endtoend.sh [--wm] path/to/tst_endtoend [test arguments...]
# With TRIVELAS_SCREENSHOT=docs/screenshot.png (relative to the source tree, or absolute) the
# first Weierstrass window with its default curve is also saved there as a picture.
set -euo pipefail

# On the display: the window manager first, the test once it manages the screen.
if [ "${1:-}" = --under-wm ]; then
  shift
  ready=$(mktemp -u)
  openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  if [ ! -e "$ready" ]; then
    echo "o openbox não arrancou" >&2
    kill "$wm"
    exit 1
  fi
  rm -f "$ready"
  status=0
  "$@" || status=$?
  kill "$wm"
  exit "$status"
fi

tools=(xvfb-run)
wm=()
if [ "${1:-}" = --wm ]; then
  shift
  tools+=(openbox)
  wm=("$0" --under-wm)
fi
if [ $# -lt 1 ]; then
  echo "uso: $0 [--wm] tst_endtoend [argumentos]" >&2
  exit 2
fi
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool não está instalado: corra scripts/install-deps.sh" >&2
    exit 1
  fi
done

exec timeout 80 xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "${wm[@]}" "$@"
