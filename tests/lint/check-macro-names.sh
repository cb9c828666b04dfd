#!/usr/bin/env bash
# The Windows headers turn every name of a function that has A and W forms (MessageBox, GetObject,
# ReplaceFile, ...) into a macro. A member or function of ours with such a name is silently renamed, and a
# call to the system function inside it can call itself. The sources therefore use no such name at all: they
# call the W function by its own name. Usage: check-macro-names.sh SOURCE_ROOT HEADER_FOLDER
set -uo pipefail
root=$1 headers=$2
[ -d "$headers" ] || { echo "no Windows headers in $headers" >&2; exit 2; }
macros=$(mktemp) used=$(mktemp)
trap 'rm -f "$macros" "$used"' EXIT
grep -rhoE '#define\s+[A-Za-z_][A-Za-z0-9_]*\s+__MINGW_NAME_AW\(' "$headers" | awk '{print $2}' >"$macros"
grep -rhoE '#define\s+([A-Za-z_][A-Za-z0-9_]*)\s+\1W\b' "$headers" | awk '{print $2}' >>"$macros"
sort -u "$macros" -o "$macros"
[ "$(wc -l <"$macros")" -gt 1000 ] || { echo "too few A/W macros found in $headers" >&2; exit 2; }
cd "$root" || exit 2
files=$(git ls-files '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp')
# shellcheck disable=SC2086
grep -ohE '\b[A-Za-z_][A-Za-z0-9_]*\b' $files | sort -u | comm -12 "$macros" - >"$used"
if [ -s "$used" ]; then
    echo "names that the Windows headers rewrite (use the W function's own name, or another name):"
    while read -r name; do
        # shellcheck disable=SC2086
        grep -nwH "$name" $files | head -5
    done <"$used"
    exit 1
fi
echo "no A/W macro names in $(echo "$files" | wc -w) files"
