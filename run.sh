#!/usr/bin/env bash
# Installs what is missing, builds the editor in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --parallel
editor=build/release/ui/TavrennaMapEditor
if [ -x "$editor" ]; then
  exec "$editor" "$@"
else
  echo "Built. The editor is not part of this build yet; the map core and its tests are."
fi
