#!/usr/bin/env bash
# The Debian package as a user gets it: built by package.sh (reusing build/release), its file list and
# fields read, lintian run on it (no error, and no override of one), and its extracted contents started:
# both programs' --version, the manual pages through man, the desktop entry, the AppStream metainfo, the
# thumbnailer and the completion. Needs no network once scripts/install-deps.sh has run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

deb=$(./package.sh | tail -n 1)
version=$(sed -n 's/^project(TavrennaMapEditor VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
echo "== $deb"
[[ $(basename "$deb") == "tavrenna-mapeditor_${version}_amd64.deb" ]] || fail "the package is named $(basename "$deb")"

# The fields: the version, the computed library dependencies and the declared ones.
[[ $(dpkg-deb -f "$deb" Package) == tavrenna-mapeditor ]] || fail "Package: $(dpkg-deb -f "$deb" Package)"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in "fonts-noto-cjk | fonts-ipafont-gothic" qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# Every file the package must hold.
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
    usr/bin/TavrennaMapEditor usr/bin/tavrenna-map
    usr/share/applications/tavrenna-mapeditor.desktop
    usr/share/mime/packages/tavrenna-map.xml
    usr/share/thumbnailers/tavrenna-map.thumbnailer
    usr/share/metainfo/io.github.tavrenna.mapeditor.metainfo.xml
    usr/share/man/man1/tavrenna-map.1.gz usr/share/man/man1/TavrennaMapEditor.1.gz
    usr/share/bash-completion/completions/tavrenna-map
    usr/share/doc/tavrenna-mapeditor/copyright usr/share/doc/tavrenna-mapeditor/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tavrenna-mapeditor.png")
done
for path in "${expected[@]}"; do
    grep -qx "\./$path" <<<"$listing" || fail "the package lacks /$path"
done
grep -q '/lintian/overrides/' <<<"$listing" && fail "the package overrides lintian tags"

# lintian: no error. Warnings and notes are shown for the record.
# Its own complaints (running as root) go to stderr, shown only when lintian itself fails (status 2).
lintian_status=0
lintian_output=$(lintian --tag-display-limit 0 --display-info "$deb" 2>/tmp/package-test-lintian.$$) || lintian_status=$?
echo "== lintian"
if [[ -n $lintian_output ]]; then echo "$lintian_output"; else echo "(no tags)"; fi
((lintian_status < 2)) || fail "lintian could not check the package: $(cat /tmp/package-test-lintian.$$)"
rm -f /tmp/package-test-lintian.$$
grep -q '^E: ' <<<"$lintian_output" && fail "lintian reports errors"

# The contents, extracted as they would be installed.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
usr=$unpacked/usr
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
[[ $("${nodisplay[@]}" "$usr/bin/tavrenna-map" --version) == "tavrenna-map $version" ]] ||
    fail "tavrenna-map --version: $("$usr/bin/tavrenna-map" --version 2>&1)"
[[ $("${nodisplay[@]}" "$usr/bin/TavrennaMapEditor" --version) == "TavrennaMapEditor $version" ]] ||
    fail "TavrennaMapEditor --version: $("${nodisplay[@]}" "$usr/bin/TavrennaMapEditor" --version 2>&1)"
for program in "$usr/bin/tavrenna-map" "$usr/bin/TavrennaMapEditor"; do
    [[ $(file -b "$program") == *", stripped"* ]] || fail "$(basename "$program") is not stripped"
done
for page in tavrenna-map TavrennaMapEditor; do
    manual=$usr/share/man/man1/$page.1.gz
    text=$(MANPAGER=cat MANWIDTH=80 man -l "$manual" 2>&1) || fail "man -l $page.1.gz exits with status $?"
    grep -q "^NAME" <<<"$text" && grep -q "$page" <<<"$text" || fail "man -l $page.1.gz shows: $text"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man --warnings $page.1.gz: $warnings"
done
desktop-file-validate "$usr/share/applications/tavrenna-mapeditor.desktop" || fail "desktop-file-validate"
metainfo=$usr/share/metainfo/io.github.tavrenna.mapeditor.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null || {
    appstreamcli validate --no-net "$metainfo"
    fail "appstreamcli validate"
}
newest=$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[[ $newest == "$version" ]] || fail "the metainfo's newest release is $newest, not $version"
[[ $(zcat "$usr/share/doc/tavrenna-mapeditor/changelog.gz" | head -n 1) == "tavrenna-mapeditor ($version) "* ]] ||
    fail "the changelog's first entry is not $version"

# The thumbnailer, run as a file manager runs it, with the packaged tool.
work=$unpacked/work
mkdir -p "$work"
"$usr/bin/tavrenna-map" new -o "$work/a map.map" --tileset 3
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/thumbnailers/tavrenna-map.thumbnailer")
read -ra words <<<"$exec_line"
arguments=()
for word in "${words[@]}"; do
    case $word in
    %i) arguments+=("$work/a map.map") ;;
    %o) arguments+=("$work/thumb nail.png") ;;
    %s) arguments+=(128) ;;
    *) arguments+=("$word") ;;
    esac
done
PATH=$usr/bin:$PATH "${arguments[@]}" || fail "the thumbnailer's Exec line exits with status $?"
[[ $(file -b "$work/thumb nail.png" 2>&1) == "PNG image data, 128 x 128,"* ]] || fail "the thumbnail: $(file -b "$work/thumb nail.png" 2>&1)"

# The packaged completion, as bash-completion loads it.
offered=$(PATH=$usr/bin:$PATH bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    COMP_LINE="tavrenna-map render --" COMP_POINT=22 COMP_WORDS=(tavrenna-map render --) COMP_CWORD=2
    _tavrenna_map tavrenna-map -- render
    echo "${COMPREPLY[*]}"' _ "$usr/share/bash-completion/completions/tavrenna-map")
[[ " $offered " == *" --size "* && " $offered " == *" --out-dir "* ]] || fail "the completion offers '$offered' after render --"

if ((failures > 0)); then
    echo "package test: $failures problem(s)" >&2
    exit 1
fi
echo "package test passed: $(basename "$deb")"
