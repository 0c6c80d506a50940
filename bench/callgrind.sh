#!/usr/bin/env bash
# Instruction counts of the countdown benchmarks under callgrind: one
# measured second (visible, in the tray, idle) and one start-up, counted only
# inside the measured function. Needs valgrind and the bench preset built:
#
#   cmake --preset bench && cmake --build build/bench --target countdown_bench
#   bash bench/callgrind.sh [build/bench/bench/countdown_bench]
set -euo pipefail

bench=${1:-build/bench/bench/countdown_bench}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# benchmark name, function callgrind counts in
runs=(
  "BM_ArmedSecondVisible tandrel::bench::Program::MeasuredSecond*"
  "BM_ArmedSecondInTray tandrel::bench::Program::MeasuredSecond*"
  "BM_IdleSecond tandrel::bench::Program::MeasuredSecond*"
  "BM_StartUp tandrel::bench::Program::StartUpToFirstPaint*"
)
printf '%-24s %14s\n' benchmark instructions
for run in "${runs[@]}"; do
  read -r name function <<<"$run"
  # One iteration: the measured function runs exactly once.
  valgrind --tool=callgrind --callgrind-out-file="$out/$name.out" --collect-atstart=no \
    --toggle-collect="$function" "$bench" --benchmark_filter="^$name\$" \
    --benchmark_min_time=0 >"$out/$name.log" 2>&1
  ir=$(awk '/^summary:/ {print $2}' "$out/$name.out")
  printf '%-24s %14s\n' "$name" "$ir"
done
