#!/usr/bin/env bash
# Cuts the main window out of the end-to-end run's picture of the screen
# (build/windows-tests/screenshots/tandrel-main.bmp: the idle window on
# Wine's plain desktop) for the README.
#
#   tools/readme-screenshot.sh <tandrel-main.bmp> <docs/main-window.png>
set -euo pipefail
screen=$1 out=$2
# The desktop is one colour; its taskbar, the bottom rows, is left out.
height=$(identify -format '%h' "$screen")
width=$(identify -format '%w' "$screen")
convert "$screen" -crop "${width}x$((height - 28))+0+0" +repage -fuzz 1% -trim +repage \
  -strip "$out"
identify -format '%f: %wx%h\n' "$out"
