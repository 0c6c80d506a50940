#!/usr/bin/env bash
# Renders every page of a built TandrelHelp.chm to a PNG, for a person to
# look at: Wine has no HTML engine, so the pages are taken out of the file
# with chmls and drawn by headless Chromium, as the help viewer would show
# them (the pages' own GBK charset, the file's style sheet).
#
#   tools/render-help.sh <TandrelHelp.chm> <output folder>
set -euo pipefail
chm=$(realpath "$1")
out=$2
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmls extractall "$chm" "$work/pages" >/dev/null
for page in "$work"/pages/*.html; do
  name=$(basename "$page" .html)
  # A fresh profile each time, and nothing that would reach the network.
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile-$name" --window-size=800,900 \
    --screenshot="$out/$name.png" "file://$page" >/dev/null 2>&1
  echo "$out/$name.png"
done
