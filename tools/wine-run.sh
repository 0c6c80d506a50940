#!/usr/bin/env bash
# Runs one Windows executable under Wine, isolated: its own Xvfb on a free
# display and its own throw-away WINEPREFIX copied from a template that is
# made once per build tree. Passes the program's output and exit code
# through and always removes what it started, also on failure or timeout.
#
#   tools/wine-run.sh <program.exe> [arguments...]
#
# Arguments that contain a '/' and name an existing file or folder are
# handed to the program as Windows paths (Z:\...), so a driver can be told
# where Tandrel.exe is.
#
# Environment:
#   TANDREL_WINE_TEMPLATE  template prefix (default: <build tree>/wine-template,
#                          found from the working directory; else under /tmp)
#   TANDREL_WINE_TIMEOUT   seconds before the program is ended (default 1800;
#                          ctest's own per-test timeout is normally shorter)
#   TANDREL_WINE_KEEP=1    keep the prefix afterwards and print where it is
# The program sees DISPLAY and WINEPREFIX of its own session, so a driver
# can take screenshots of the X screen or inspect the prefix.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-common.sh
. "$here/wine-common.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 <program.exe> [arguments...]" >&2
  exit 2
fi
program=$1
shift
if [ ! -f "$program" ]; then
  echo "wine-run: no such program: $program" >&2
  exit 2
fi

default_template() {
  local dir=$PWD
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      echo "$dir/wine-template"
      return
    fi
    dir=$(dirname "$dir")
  done
  echo "${TMPDIR:-/tmp}/tandrel-wine-template-$(id -u)"
}
template=${TANDREL_WINE_TEMPLATE:-$(default_template)}
time_limit=${TANDREL_WINE_TIMEOUT:-1800}

session_dir=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-wine-run.XXXXXX")
prefix=$session_dir/prefix
xvfb_log=$session_dir/xvfb.log
program_pid=""

cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
  fi
  tandrel_stop_wineserver "$prefix"
  tandrel_stop_xvfb
  if [ "${TANDREL_WINE_KEEP:-0}" = 1 ]; then
    echo "wine-run: kept the prefix in $prefix" >&2
  else
    rm -rf "$session_dir"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# A runner killed outright runs no trap, and ctest, on a timeout, kills the
# runner and every process below it. A watcher outside that tree (started
# through a short-lived subshell, so that init adopts it) then ends the
# prefix's Wine processes and the X server and removes the session folder.
# After a normal end it finds the folder gone and does nothing.
start_janitor() {
  local runner=$$ xvfb=$TANDREL_XVFB_PID keep=${TANDREL_WINE_KEEP:-0}
  (
    setsid bash -c '
      runner=$1 prefix=$2 xvfb=$3 session=$4 keep=$5
      while kill -0 "$runner" 2>/dev/null; do sleep 1; done
      [ -d "$session" ] || exit 0
      if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k
        WINEPREFIX=$prefix timeout 15 wineserver -w
      fi
      [ "$(cat "/proc/$xvfb/comm" 2>/dev/null)" = Xvfb ] && kill "$xvfb"
      [ "$keep" = 1 ] || rm -rf "$session"
    ' janitor "$runner" "$prefix" "$xvfb" "$session_dir" "$keep" </dev/null >/dev/null 2>&1 &
  )
}

tandrel_wine_environment
tandrel_start_xvfb 1024x768x24 "$xvfb_log"
start_janitor

tandrel_copy_template "$template" "$prefix"
export WINEPREFIX=$prefix

windows_arguments=()
for argument in "$@"; do
  if [[ $argument == */* ]] && [ -e "$argument" ]; then
    absolute=$(realpath "$argument")
    windows_arguments+=("Z:${absolute//\//\\}")
  else
    windows_arguments+=("$argument")
  fi
done

# In the background, so that a signal to this runner is handled at once
# rather than after the program ends. Tests read no input; CI may have none.
timeout --kill-after=10 "$time_limit" wine "$program" "${windows_arguments[@]}" </dev/null &
program_pid=$!
set +e
wait "$program_pid"
status=$?
set -e
program_pid=""
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
  echo "wine-run: $program did not finish within $time_limit s" >&2
fi
exit $status
