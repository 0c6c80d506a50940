#!/usr/bin/env bash
# Builds and runs every test: the native suites under AddressSanitizer and
# UndefinedBehaviorSanitizer, the benchmarks (built only), a short bounded
# run of each libFuzzer target, then the Windows builds and their tests under Wine (Xvfb, throw-away
# prefixes). The Windows run comes last, so the output ends with its ctest
# summary; any failure fails the command.
#
#   bash scripts/test.sh
#
# Environment: TANDREL_JOBS (default 2), TANDREL_BUILD_ROOT (default build/),
# TANDREL_TEST_TIMEOUT (seconds per test without its own limit, default 300).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh

jobs=${TANDREL_JOBS:-2}
build_root=${TANDREL_BUILD_ROOT:-$repo/build}
test_timeout=${TANDREL_TEST_TIMEOUT:-300}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# Windows tests take their own display; a desktop's DISPLAY is not used.
unset DISPLAY

started=$SECONDS
stage() {
  echo
  echo "==== $* ($((SECONDS - started)) s)"
}

# Configure, build every target, run every test of one preset.
run_preset() {
  local preset=$1 dir=$build_root/$1
  stage "$preset: configure"
  cmake --preset "$preset" -B "$dir"
  stage "$preset: build"
  cmake --build "$dir" -j "$jobs"
  stage "$preset: test"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout "$test_timeout"
}

run_preset native-asan
# The benchmarks are built, not run: their figures are read by hand
# (bench/README.md).
stage "bench: configure"
cmake --preset bench -B "$build_root/bench"
stage "bench: build"
cmake --build "$build_root/bench" -j "$jobs"
run_preset fuzz
run_preset windows-tests
