#!/usr/bin/env bash
# Builds the Debian package: installs what is missing (Debian 12, as root or with sudo), configures the
# Release build in build/release (the one run.sh starts the editor from) without tests and benchmarks,
# builds it with Debian's hardening flags and runs cpack. Prints the package's path last:
#   ./package.sh [cmake options...]   ->   build/release/package/tavrenna-mapeditor_<version>_amd64.deb
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=$root/build/release
bash "$root/scripts/install-deps.sh"
# The flags Debian builds its packages with: checked buffer functions, stack protection, and a
# read-only relocation table bound at start.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAV_BUILD_TESTS=OFF -DTAV_BUILD_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=-D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection -fcf-protection" \
    "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,relro -Wl,-z,now" "-DCMAKE_STRIP=$root/packaging/strip-like-debian.sh" \
    "$@" >/dev/null
cmake --build "$build" --parallel
rm -f "$build"/package/*.deb
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
ls "$build"/package/*.deb
