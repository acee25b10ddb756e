# bash completion for tavrenna-map                                               -*- shell-script -*-
#
# Completes the commands, each command's options, the names an option takes (tools, directions, tile
# edges, tile sets, symmetry modes, sources, the default turn order), any file for -o and --costs and, for a
# command's inputs, .map files and folders.
# The commands and options are read from the program's own --help, once per shell, so a command added
# to the program completes without an edit here.

declare -gA _tavrenna_map_help_cache

# The --help text of the program, or of one of its commands, in REPLY.
_tavrenna_map_help() {
    local key="$1"$'\t'"${2-}"
    if [[ -z ${_tavrenna_map_help_cache[$key]+set} ]]; then
        if [[ -n ${2-} ]]; then
            _tavrenna_map_help_cache[$key]=$("$1" "$2" --help 2>/dev/null </dev/null)
        else
            _tavrenna_map_help_cache[$key]=$("$1" --help 2>/dev/null </dev/null)
        fi
    fi
    REPLY=${_tavrenna_map_help_cache[$key]}
}

# The lines of one section of a help text ("Commands:", "Options:"), up to the blank line after it.
_tavrenna_map_section() {
    local line inside=
    _tavrenna_map_lines=()
    while IFS= read -r line; do
        if [[ -z $inside ]]; then
            [[ $line == "$2" ]] && inside=1
        elif [[ -z $line ]]; then
            break
        else
            _tavrenna_map_lines+=("$line")
        fi
    done <<<"$1"
}

# The commands of the top help: its "Commands:" lines that start with two blanks and a word.
_tavrenna_map_commands() {
    local line pattern='^  ([a-z][a-z0-9-]*)( |$)'
    _tavrenna_map_help "$1"
    _tavrenna_map_section "$REPLY" "Commands:"
    REPLY=
    for line in "${_tavrenna_map_lines[@]}"; do
        [[ $line =~ $pattern ]] && REPLY+=" ${BASH_REMATCH[1]}"
    done
}

# The options of a command (of the program itself when the command is empty) in REPLY, and those that
# take a value in _tavrenna_map_valued (each followed by a blank): "  -o, --output <file>  ...".
_tavrenna_map_options() {
    local line pattern='^ +(-[a-zA-Z], )?(--[a-z0-9][a-z0-9-]*)( <[^>]*>)?'
    _tavrenna_map_help "$1" "$2"
    _tavrenna_map_section "$REPLY" "Options:"
    REPLY= _tavrenna_map_valued=" "
    for line in "${_tavrenna_map_lines[@]}"; do
        [[ $line =~ $pattern ]] || continue
        local short=${BASH_REMATCH[1]%, } long=${BASH_REMATCH[2]}
        REPLY+=" $short $long"
        if [[ -n ${BASH_REMATCH[3]} ]]; then
            _tavrenna_map_valued+="$long "
            [[ -n $short ]] && _tavrenna_map_valued+="$short "
        fi
    done
}

# The names an option takes: from the command's usage line when it lists them ("--dir left|right|..."),
# else the names every command shares for that option.
_tavrenna_map_values() {
    local usage pattern="(^| |\\[|\\()$3 ([a-z0-9-]+(\\|[a-z0-9-]+)+)"
    _tavrenna_map_help "$1" "$2"
    usage=${REPLY%%$'\n'*}
    if [[ $usage =~ $pattern ]]; then
        REPLY=${BASH_REMATCH[2]//|/ }
        return
    fi
    case $3 in
        --tool) REPLY="pen line box boxfill circle circlefill bucket" ;;
        --dir) REPLY="left right up down" ;;
        --edge) REPLY="4 8 16 32" ;;
        --tileset) REPLY="1 2 3 4 5 6 7 8 9" ;;
        --symmetry) REPLY="none lr tb quad half quarter" ;;
        --source) REPLY="left right top bottom top-left top-right bottom-left bottom-right" ;;
        --turn-order) REPLY="0,1,2,3" ;;
        *) REPLY= ;;
    esac
}

# The extension of the command's first input in its usage line ("IN.map..." gives map), if any.
_tavrenna_map_input_extension() {
    local word usage
    _tavrenna_map_help "$1" "$2"
    read -ra usage <<<"${REPLY%%$'\n'*}"
    REPLY=
    for word in "${usage[@]}"; do
        if [[ $word =~ ^[A-Z][A-Z0-9_]*\.([a-z]+)(\.\.\.)?$ ]]; then
            REPLY=${BASH_REMATCH[1]}
            return
        fi
        [[ $word == -* ]] && return
    done
}

_tavrenna_map() {
    local cur prev words cword split
    _init_completion -s || return

    local program=${words[0]} command= i
    [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            _tavrenna_map_options "$program" ""
        else
            _tavrenna_map_commands "$program"
        fi
        COMPREPLY=($(compgen -W "$REPLY" -- "$cur"))
        return
    fi

    _tavrenna_map_options "$program" "$command"
    local options=$REPLY
    if [[ $_tavrenna_map_valued == *" $prev "* ]]; then
        case $prev in
            -o | --output | --costs) _filedir ;;
            --out-dir) _filedir -d ;;
            *)
                _tavrenna_map_values "$program" "$command" "$prev"
                COMPREPLY=($(compgen -W "$REPLY" -- "$cur"))
                ;;
        esac
        return
    fi
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    _tavrenna_map_input_extension "$program" "$command"
    if [[ -n $REPLY ]]; then
        _filedir "$REPLY"
    else
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    fi
} &&
    complete -F _tavrenna_map tavrenna-map

# ex: filetype=sh
