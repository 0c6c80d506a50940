#!/usr/bin/env bash
# Builds Tandrel.exe and runs it under Wine in Simplified Chinese.
#
#   bash scripts/run.sh [arguments for Tandrel.exe, e.g. au]
#
# The program runs from build/run/ (it keeps Tandrel.ini beside itself there)
# in a throw-away Wine prefix copied from a per-user template, so that its
# power actions can only ever end that Wine session. Without a display it
# starts Xvfb, saves a screenshot of the desktop under build/screenshots/ and
# prints its path. It runs until you press Ctrl-C or the program ends, then
# stops only what it started.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh

build_dir=${TANDREL_BUILD_ROOT:-$repo/build}/windows
cmake --preset windows -B "$build_dir"
cmake --build "$build_dir" --target Tandrel -j "${TANDREL_JOBS:-2}"

. tools/wine-common.sh
tandrel_wine_environment

data_home=${XDG_DATA_HOME:-${HOME:-/tmp}/.local/share}
template=${TANDREL_WINE_TEMPLATE:-$data_home/tandrel/wine-template}
session_dir=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-run.XXXXXX")
prefix=$session_dir/prefix
program_pid=""
started_xvfb=0

cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
  fi
  tandrel_stop_wineserver "$prefix"
  if [ $started_xvfb = 1 ]; then
    tandrel_stop_xvfb
  fi
  rm -rf "$session_dir"
  exit "$status"
}
trap cleanup EXIT
trap 'echo; echo "run: interrupted, cleaning up"; exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if [ -z "${DISPLAY:-}" ]; then
  tandrel_start_xvfb 1024x768x24 "$session_dir/xvfb.log"
  started_xvfb=1
  echo "run: no display; started Xvfb on $DISPLAY (pid $TANDREL_XVFB_PID)"
fi

tandrel_copy_template "$template" "$prefix"
export WINEPREFIX=$prefix

run_dir=${TANDREL_BUILD_ROOT:-$repo/build}/run
mkdir -p "$run_dir"
cp "$build_dir/src/app/Tandrel.exe" "$run_dir/Tandrel.exe"
cp "$build_dir/src/app/TandrelHelp.chm" "$run_dir/" 2>/dev/null || true

echo "run: starting $run_dir/Tandrel.exe${*:+ $*} (LANG=$LANG, WINEPREFIX=$WINEPREFIX)"
(cd "$run_dir" && exec wine Tandrel.exe "$@") &
program_pid=$!

if [ $started_xvfb = 1 ]; then
  sleep "${TANDREL_SCREENSHOT_DELAY:-6}"
  screenshots=${TANDREL_BUILD_ROOT:-$repo/build}/screenshots
  mkdir -p "$screenshots"
  shot=$screenshots/tandrel-$(date +%Y%m%d-%H%M%S).png
  if import -display "$DISPLAY" -window root "$shot"; then
    echo "run: screenshot of the desktop saved to $shot"
  else
    echo "run: could not take a screenshot" >&2
  fi
fi

echo "run: running; press Ctrl-C to stop"
set +e
wait "$program_pid"
status=$?
set -e
program_pid=""
echo "run: Tandrel.exe ended with exit code $status"
exit $status
