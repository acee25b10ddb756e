#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time from its seed corpus.
# Usage: tests/fuzz/run-fuzzers.sh [seconds per target, default 20]
# A crash stops the script with the fuzzer's report; the input is saved under build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
bash scripts/install-deps.sh clang libclang-rt-14-dev
build_dir=${TAV_FUZZ_BUILD_DIR:-build/fuzz}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAV_FUZZ=ON -DTAV_WARNINGS_AS_ERRORS=ON -DTAV_BUILD_BENCH=OFF >/dev/null
# The build writes the names of the targets whose code is part of it.
read -r -a targets < "$build_dir/tests/fuzz/targets.txt"
cmake --build "$build_dir" --parallel --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build_dir/artifacts"
for name in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/${name#fuzz_}
  # New inputs go to a scratch folder so the run never rewrites the corpus kept in the repository.
  scratch=$(mktemp -d)
  log="$build_dir/artifacts/$name.log"
  status=0
  "$build_dir/tests/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build_dir/artifacts/$name-" "$scratch" "$corpus" >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "$name: ${runs:-?} runs in ${seconds}s (${rate:-?}/s)"
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "error: $name failed; the input is saved under $build_dir/artifacts/" >&2
    exit "$status"
  fi
done
