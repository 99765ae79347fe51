#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour
# sanitizers) and runs each one on its corpus for a number of seconds.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS defaults to 60; without targets every *_fuzz target runs. Inputs found
# on the way go to a scratch corpus under build-fuzz/, never into the checked-in
# seeds, so a run leaves the tree clean. A finding makes the script fail and
# leaves the input in build-fuzz/findings/. VN_FUZZ_JOBS (default 1) targets
# run side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
jobs="${VN_FUZZ_JOBS:-1}"
build=build-fuzz

if (($#)); then
  targets=("$@")
else
  targets=()
  for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
cmake --preset fuzz >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >"$build/build.log" 2>&1 || {
  tail -50 "$build/build.log"
  exit 1
}

mkdir -p "$build/findings" "$build/logs"
run_one() {
  local target="$1" name="${1%_fuzz}"
  local seeds="tests/fuzz/corpus/$name" scratch="$build/corpus/$name" log="$build/logs/${1%_fuzz}.log"
  mkdir -p "$seeds" "$scratch"
  # Text formats get the words of their grammar (tests/fuzz/<name>.dict).
  local dict=()
  [[ -f tests/fuzz/$name.dict ]] && dict=(-dict="tests/fuzz/$name.dict")
  # -rss_limit_mb stops a runaway allocation before it starves the machine;
  # -timeout counts an input that hangs a reader as a finding.
  if "$build/tests/fuzz/$target" "$scratch" "$seeds" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -timeout=10 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" "${dict[@]}" >"$log" 2>&1; then
    local runs cov
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
    echo "fuzz $name: ${runs:-?} runs, coverage ${cov:-?}, no finding"
  else
    echo "fuzz $name: FINDING (log $log)"
    grep -A30 'ERROR\|runtime error\|deadly signal\|timeout' "$log" | head -60
    return 1
  fi
}

passed=0
failed=0
pids=()
reap() {
  if wait "$1"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
for target in "${targets[@]}"; do
  run_one "$target" &
  pids+=($!)
  if ((${#pids[@]} >= jobs)); then
    reap "${pids[0]}"
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do reap "$pid"; done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
