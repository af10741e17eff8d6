#!/usr/bin/env bash
# Checks of the sources themselves, by the tools the field uses; each names
# what it finds and fails on it.
#
#   source_check.sh cppcheck   Debian's cppcheck over every C++ folder
#   source_check.sh format     every C++ file against .clang-format
#   source_check.sh layers     no include runs upward: win/ uses only afx/, o2em/
#                              uses win/ and afx/, never the dialog
set -uo pipefail
cd "$(dirname "$0")/.."
folders=(afx win o2em core settings romlist ui res harness bench tests)

case "${1:-}" in
cppcheck)
    # Findings only; a finding that is the platform's or the class library's
    # own pattern is suppressed inline, at its line, with the reason.
    cppcheck --quiet --enable=warning,performance,portability --platform=win32A \
        --library=windows --library=googletest --inline-suppr --error-exitcode=1 \
        --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
        -I afx -I . -I res -I harness -I tests "${folders[@]}" &&
        echo "cppcheck finds nothing in ${folders[*]}."
    ;;
format)
    mapfile -t files < <(find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort)
    clang-format --dry-run --Werror "${files[@]}" 2>/dev/null || {
        echo "Not formatted as .clang-format says (clang-format -i FILE mends it):"
        for file in "${files[@]}"; do
            clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "  $file"
        done
        exit 1
    }
    echo "${#files[@]} C++ files formatted as .clang-format says."
    ;;
layers)
    # FOLDER: the program's folders its includes may not name.
    status=0
    for rule in "afx:win o2em core settings romlist ui" "win:o2em core settings romlist ui" \
        "o2em:core settings romlist ui"; do
        folder=${rule%%:*}
        pattern="^#include \"($(echo ${rule#*:} | tr ' ' '|'))/"
        if grep -nE "$pattern" "$folder"/*; then
            echo "^ includes that run upward from $folder/"
            status=1
        fi
    done
    exit $status
    ;;
*)
    echo "usage: source_check.sh cppcheck|format|layers" >&2
    exit 2
    ;;
esac
