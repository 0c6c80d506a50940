# shellcheck shell=bash
# Shared pieces for running Windows programs under Wine on a machine without
# a desktop: a private Xvfb and the one-time set-up of a Wine prefix.
# Sourced by tools/wine-run.sh and scripts/run.sh; defines functions only.

# The locale and quiet logging every Wine process of ours runs with: Chinese
# Windows (code page 936, yyyy/M/d dates) needs the zh_CN.UTF-8 locale.
tandrel_wine_environment() {
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=win64
}

# Starts Xvfb on a display number no one else holds (-displayfd lets the
# server pick it and tells us once it accepts connections). Sets DISPLAY and
# TANDREL_XVFB_PID. Its output goes to a log file, never to our stdout: a
# leftover server holding ctest's pipe would keep the test from finishing.
tandrel_start_xvfb() {
  local geometry=${1:-1024x768x24} log=${2:-/dev/null}
  local number_file
  number_file=$(mktemp "${TMPDIR:-/tmp}/tandrel-xvfb.XXXXXX")
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$number_file" </dev/null >>"$log" 2>&1 &
  TANDREL_XVFB_PID=$!
  local tries=0 number=""
  while [ $tries -lt 200 ]; do
    number=$(head -n 1 "$number_file" 2>/dev/null || true)
    case $number in ''|*[!0-9]*) ;; *) break ;; esac
    if ! kill -0 "$TANDREL_XVFB_PID" 2>/dev/null; then
      rm -f "$number_file"
      echo "wine: Xvfb exited before it was ready (log: $log)" >&2
      TANDREL_XVFB_PID=""
      return 1
    fi
    sleep 0.05
    tries=$((tries + 1))
  done
  rm -f "$number_file"
  case $number in
    ''|*[!0-9]*)
      echo "wine: Xvfb did not report a display within 10 s" >&2
      kill "$TANDREL_XVFB_PID" 2>/dev/null || true
      TANDREL_XVFB_PID=""
      return 1 ;;
  esac
  export DISPLAY=":$number"
}

tandrel_stop_xvfb() {
  if [ -n "${TANDREL_XVFB_PID:-}" ]; then
    kill "$TANDREL_XVFB_PID" 2>/dev/null || true
    wait "$TANDREL_XVFB_PID" 2>/dev/null || true
    TANDREL_XVFB_PID=""
  fi
}

# Ends every Wine process of one prefix (and only of that prefix) and waits
# for its server to go, bounded so that a stuck server cannot hang us.
tandrel_stop_wineserver() {
  local prefix=$1
  [ -d "$prefix" ] || return 0
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix timeout 15 wineserver -w >/dev/null 2>&1 || true
}

# Creates a Wine prefix from nothing: boots it (without the Mono and Gecko
# installers, which would ask to download), then switches it to Wine's
# registry virtual desktop. Without a window manager, hiding a top-level
# window stalls about 2 s outside it; inside it `wine app.exe` still waits
# for the program and returns its exit code, and screen coordinates equal
# the X screen's. Needs DISPLAY.
tandrel_create_prefix() {
  local prefix=$1 desktop=${2:-1024x768}
  mkdir -p "$prefix"
  (
    export WINEPREFIX=$prefix
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
    # The registry reaches the disk when the server ends.
    wineserver -w
  )
  # This Wine does not load the fonts of its own data folder; without Marlett
  # caption buttons and frame-control glyphs show as letters. Fonts in the
  # prefix's Fonts folder are loaded.
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
  fi
  if ! grep -q '"Default"="'"$desktop"'"' "$prefix/user.reg" 2>/dev/null; then
    echo "wine: setting up the prefix $prefix failed" >&2
    return 1
  fi
}

# Makes the template prefix once (a fresh prefix costs about 12 s) and clones
# it to <prefix>. A lock keeps parallel callers from building
# it twice; a stamp of Wine's version and of the set-up code makes a Wine
# upgrade or a changed set-up rebuild it.
# Needs DISPLAY.
tandrel_copy_template() {
  local template=$1 prefix=$2
  local lock stamp wine_version started
  mkdir -p "$(dirname "$template")"
  exec {lock}>"$template.lock"
  flock "$lock"
  stamp="$template/.tandrel-template"
  wine_version="$(wine --version 2>/dev/null || echo unknown) $(declare -f tandrel_create_prefix | md5sum | cut -c1-12)"
  # Wine updates a prefix in place when its wine.inf is newer than the prefix;
  # that must happen to the template, never through a clone's hard links.
  # Wine ends the time stamp with CR LF.
  if [ -f "$template/.update-timestamp" ] && [ -f /usr/share/wine/wine.inf ] &&
     [ "$(tr -d '\r\n' <"$template/.update-timestamp")" != "$(stat -c %Y /usr/share/wine/wine.inf)" ]; then
    rm -f "$stamp"
  fi
  if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wine_version" ]; then
    started=$(date +%s%N)
    rm -rf "$template" "$template.partial"
    if ! tandrel_create_prefix "$template.partial" 1024x768; then
      exec {lock}>&-
      return 1
    fi
    mv "$template.partial" "$template"
    echo "$wine_version" >"$stamp"
    echo "wine: made the template prefix $template in $((($(date +%s%N) - started) / 1000000)) ms" >&2
  fi
  tandrel_clone_prefix "$template" "$prefix"
  exec {lock}>&-
}

# A prefix holds about 700 MB, nearly all of it the program images (DLLs,
# EXEs, drivers) and code-page tables that Wine only ever reads: those are
# hard-linked, which takes a fraction of a second instead of seconds of
# copying. Every other file (registry hives, win.ini, ...) gets a copy of its
# own, so a run cannot change the template.
tandrel_clone_prefix() {
  local template=$1 prefix=$2
  mkdir -p "$prefix"
  (cd "$template" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
      -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' \
      -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.nls' -o -iname '*.com' \) -print0 |
    tar --null -T - -cf -) | tar -C "$prefix" -xpf -
  cp -a -l -n "$template/." "$prefix/"
}
