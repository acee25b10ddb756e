#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
build_dir=${TAV_BUILD_DIR:-build/test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAV_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
cmake --build "$build_dir" --parallel
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --timeout 600
