#!/usr/bin/env bash
# The manual pages beside the programs' own help. Every command of `tavrenna-map --help` has a section of
# its own (.SS) in tavrenna-map.1 that describes every option of `tavrenna-map COMMAND --help` in a
# paragraph of its own (.TP), and no section names a command the tool lacks; every option of the top help
# and of `TavrennaMapEditor --help` is described likewise in its page; groff and man render both pages
# without a warning. Both programs answer --version with the project's version, and --help, with no display.
#   check_manpages.sh TAVRENNA_MAP EDITOR MAN_DIR VERSION
set -uo pipefail
tool=$1 editor=$2 mandir=$3 version=$4
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Without a display, a program that made a window before answering would fail here.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR)
for program in "$tool" "$editor"; do
    name=tavrenna-map
    [[ $program == "$editor" ]] && name=TavrennaMapEditor
    answer=$("${nodisplay[@]}" "$program" --version 2>&1) || fail "$name --version exits with status $?"
    [[ $answer == "$name $version" ]] || fail "$name --version answers '$answer', not '$name $version'"
    "${nodisplay[@]}" "$program" --help >/dev/null 2>&1 || fail "$name --help exits with status $?"
done

# The option names of a help text's "Options:" block, short and long: "  -o, --output <file>  ...".
options_of() {
    sed -n '/^Options:$/,/^$/p' | grep -oE '^ +(-[a-zA-Z], )?--[a-z0-9][a-z0-9-]*' | tr ', ' '\n\n' | grep -v '^$'
}
# A page's text as the reader sees the words: fonts dropped and \- read as a hyphen.
plain() {
    sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$@"
}
# The tags of a page's (or section's) .TP paragraphs, where options are described one by one.
tags() {
    awk 'previous == ".TP" { print } { previous = $0 }'
}
# Whether $2 names the option $1 as a word of its own.
names() {
    grep -qE -- "(^|[^A-Za-z0-9-])$1([^A-Za-z0-9-]|$)" <<<"$2"
}

page=$mandir/tavrenna-map.1
commands=$("$tool" --help | sed -n '/^Commands:$/,/^$/p' | grep -oE '^  [a-z][a-z0-9-]*' | tr -d ' ')
[[ -n $commands ]] || fail "tavrenna-map --help lists no command"
options_section=$(plain "$page" | awk '/^\.SH / { inside = ($2 == "OPTIONS") ; next } inside' | tags)
for option in $("$tool" --help | options_of); do
    names "$option" "$options_section" || fail "tavrenna-map.1 lacks the option $option"
done
for command in $commands; do
    # The section: from its .SS line to the next heading.
    section=$(plain "$page" | awk -v c="$command" '
        /^\.S[HS] / { inside = ($1 == ".SS" && ($2 == c || $2 == "\"" c)) ; next }
        inside')
    if [[ -z $section ]]; then
        fail "tavrenna-map.1 has no section for the command $command"
        continue
    fi
    section=$(tags <<<"$section")
    for option in $("$tool" "$command" --help | options_of); do
        # Every command takes -h/--help; the page says so once.
        [[ $option == -h || $option == --help ]] && continue
        names "$option" "$section" || fail "tavrenna-map.1: $command lacks $option"
    done
done
for described in $(plain "$page" | sed -n 's/^\.SS "\{0,1\}\([a-z][a-z0-9-]*\).*/\1/p'); do
    grep -qx -- "$described" <<<"$commands" || fail "tavrenna-map.1 describes $described, which tavrenna-map --help does not list"
done

editor_page=$mandir/TavrennaMapEditor.1
editor_text=$(plain "$editor_page" | tags)
for option in $("$editor" --help | options_of); do
    names "$option" "$editor_text" || fail "TavrennaMapEditor.1 lacks the option $option"
done

for manual in "$page" "$editor_page"; do
    warnings=$(groff -ww -z -man "$manual" 2>&1)
    [[ -z $warnings ]] || fail "groff -ww -man $(basename "$manual"): $warnings"
    # What lintian runs on a package's pages.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man --warnings $(basename "$manual"): $warnings"
    grep -q "^\.TH .*\"Tavrenna MapEditor $version\"" "$manual" || fail "$(basename "$manual") does not name version $version"
done

if ((failures > 0)); then
    echo "$failures problem(s) with the manual pages" >&2
    exit 1
fi
echo "manual pages cover every command and option of the help"
