#!/usr/bin/env bash
# Unpacks the portable zip into an empty folder of its own (with Python's
# zipfile, a reader independent of the one that wrote it) and runs the
# portable test there under Wine; the folder is removed afterwards.
#
#   run-portable.sh <wine-run.sh> <package_tests.exe> <portable.zip>
set -euo pipefail
wine_run=$1 driver=$2 archive=$3
folder=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-portable.XXXXXX")
trap 'rm -rf "$folder"' EXIT
python3 -m zipfile -e "$archive" "$folder"
bash "$wine_run" "$driver" --gtest_filter='Portable.*' "$folder"
