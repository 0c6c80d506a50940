#!/usr/bin/env bash
# Makes the release packages a Windows user takes: builds the windows preset
# (Tandrel.exe, TandrelHelp.chm) and its dist target, and puts
#   build/dist/Tandrel-<version>-setup.exe     the installer (NSIS)
#   build/dist/Tandrel-<version>-portable.zip  the portable copy
# where it prints them.
#
#   bash scripts/package.sh
#
# Environment: TANDREL_JOBS (default 2), TANDREL_BUILD_ROOT (default build/).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh

jobs=${TANDREL_JOBS:-2}
build_root=${TANDREL_BUILD_ROOT:-$repo/build}
build=$build_root/windows
dist=$build_root/dist

cmake --preset windows -B "$build"
cmake --build "$build" -j "$jobs" --target dist
mkdir -p "$dist"
rm -f "$dist"/Tandrel-*-setup.exe "$dist"/Tandrel-*-portable.zip
cp "$build"/dist/Tandrel-*-setup.exe "$build"/dist/Tandrel-*-portable.zip "$dist"/
ls -l "$dist"
