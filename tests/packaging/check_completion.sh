#!/usr/bin/env bash
# The bash completion of tavrenna-map as bash-completion loads it: what Tab offers after the program's
# name, after a command and "--", after an option that takes a name, and for a command's inputs; then the
# same against a tool with a command more, which must complete without an edit of the completion.
#   check_completion.sh COMPLETION_FILE TAVRENNA_MAP TOOL_WITH_NEW_COMMAND
completion=$1 tool=$2 newer_tool=$3
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

source /usr/share/bash-completion/bash_completion || exit 1
source "$completion" || exit 1
[[ $(complete -p tavrenna-map) == *"-F _tavrenna_map"* ]] || fail "the file does not register a completion"

# The words Tab offers at the end of `line` (as the terminal sends it), sorted, one line.
offered() {
    local line=$1
    COMP_LINE=$line COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tavrenna_map tavrenna-map "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort | paste -sd ' ' -
}
expect() {
    local got
    got=$(offered "$1")
    [[ $got == "$2" ]] || fail "after '$1' Tab offers '$got', expected '$2'"
}
sorted() { tr ' ' '\n' | sed '/^$/d' | LC_ALL=C sort | paste -sd ' ' -; }
# Parsed here independently of the completion: the commands of the top help and a command's long options.
help_commands() { "$1" --help | sed -n '/^Commands:$/,/^$/p' | grep -oE '^  [a-z][a-z0-9-]*' | sorted; }
long_options() { "$1" "$2" --help | sed -n '/^Options:$/,/^$/p' | grep -oE -- '^ +(-[a-zA-Z], )?--[a-z0-9][a-z0-9-]*' | grep -oE -- '--[a-z0-9-]+' | sorted; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/maps/sub"
ln -s "$tool" "$work/bin/tavrenna-map"
touch "$work/maps/a.map" "$work/maps/B.MAP" "$work/maps/notes.txt"
PATH=$work/bin:$PATH
cd "$work/maps" || exit 1

commands=$(help_commands "$tool")
for known in check shape unshape paint shift replace exchange render analyse stats new text fromtext diff; do
    [[ " $commands " == *" $known "* ]] || fail "tavrenna-map --help does not list $known"
done
expect "tavrenna-map " "$commands"
expect "tavrenna-map re" "render replace"
expect "tavrenna-map --v" "--version"
expect "tavrenna-map render --" "--costs --edge --help --jobs --out-dir --output --size --territory --tileset --turn-order"
for command in $commands; do
    expect "tavrenna-map $command --" "$(long_options "$tool" "$command")"
done
expect "tavrenna-map paint --tool " "box boxfill bucket circle circlefill line pen"
expect "tavrenna-map paint in.map --tool circ" "circle circlefill"
expect "tavrenna-map shift in.map -o out.map --dir " "down left right up"
expect "tavrenna-map render --edge=" "16 32 4 8"
expect "tavrenna-map new -o x.map --tileset " "1 2 3 4 5 6 7 8 9"
expect "tavrenna-map render --size " ""
expect "tavrenna-map paint in.map --code " ""
# Inputs: maps and folders; fromtext reads text; -o takes any file, --out-dir a folder.
expect "tavrenna-map check " "B.MAP a.map sub"
expect "tavrenna-map render a.map --territory " "B.MAP a.map sub"
expect "tavrenna-map fromtext " "notes.txt sub"
expect "tavrenna-map render a.map -o " "B.MAP a.map notes.txt sub"
expect "tavrenna-map render a.map --out-dir " "sub"
expect "tavrenna-map analyse a.map --costs " "B.MAP a.map notes.txt sub"
expect "tavrenna-map diff a.map B.MAP --turn-order " "0,1,2,3"
expect "tavrenna-map new " "$(long_options "$tool" new | sed 's/^/-h -o /' | sorted)"

# symmetrize names its modes and shares in its usage line (no "none"); check takes every mode.
expect "tavrenna-map symmetrize a.map --symmetry " "half lr quad quarter tb"
expect "tavrenna-map check a.map --symmetry " "half lr none quad quarter tb"
expect "tavrenna-map symmetrize a.map --source " "bottom bottom-left bottom-right left right top top-left top-right"

# A tool with a command more: it completes with its options and the names its options take.
ln -sf "$newer_tool" "$work/bin/tavrenna-map"
export TAV_REAL_TOOL=$tool
_tavrenna_map_help_cache=()
expect "tavrenna-map sta" "stand-in stats"
expect "tavrenna-map stand-in --" "--help --output --seed --symmetry"
expect "tavrenna-map stand-in -o x.map --symmetry q" "quad quarter"
expect "tavrenna-map check --st" "--stand-in-flag"

if ((failures > 0)); then
    echo "$failures problem(s) with the completion" >&2
    exit 1
fi
echo "the completion offers every command, option and name"
