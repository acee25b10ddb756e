#!/usr/bin/env bash
# Installs what is missing, builds the editor and the command-line tool in Release (not the tests and
# benchmarks, so the first start is quick) and starts the editor: ./run.sh [FILE.map]
set -euo pipefail
# The editor runs in the caller's folder, so that a relative FILE.map means what the caller typed.
root=$(cd "$(dirname "$0")" && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/release" --parallel --target TavrennaMapEditor tavrenna-map
exec "$root/build/release/ui/TavrennaMapEditor" "$@"
