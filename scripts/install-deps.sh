#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need, and only those that are missing.
# Shared by run.sh and test.sh. Works as root, or through sudo for a normal user.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config zlib1g-dev
  qt6-base-dev libfontconfig-dev qt6-qpa-plugins libqt6test6 qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The command-line tool's JSON output (header-only).
  nlohmann-json3-dev
  fonts-ipafont-gothic fonts-urw-base35
  desktop-file-utils shared-mime-info
  # The package (package.sh) and its checks: manual pages, completion, AppStream metadata, lintian.
  dpkg-dev file groff man-db bash-completion appstream lintian
)
# Extra packages a caller may ask for (the sanitizer and fuzzing builds want clang's runtime).
if [ "$#" -gt 0 ]; then packages+=("$@"); fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing+=("$p") ;;
  esac
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "error: packages are missing (${missing[*]}) and this is neither root nor has sudo" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "Packages installed."
