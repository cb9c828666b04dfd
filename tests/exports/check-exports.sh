#!/usr/bin/env bash
# Checks the built client libraries: each exports every function of its list under its plain name (and
# CALWIN32.DLL the shared NWCCGetConnInfo too), and Retrove98.exe imports none of them.
set -uo pipefail
usage="usage: check-exports.sh BIN_DIR NWClientApi.h [OBJDUMP]"
bin=${1:?$usage}
header=${2:?$usage}
# The build's own objdump: the 32-bit one cannot read a 64-bit build's files.
objdump=${3:-i686-w64-mingw32-objdump}
failures=0

# The names of one X-macro list of the header.
names_of() {
    sed -n "/#define $1(X)/,/^\$/p" "$header" | grep -oE '^ *X\(NW[A-Za-z]+' | sed 's/.*X(//'
}

# The names a DLL exports.
exports_of() {
    "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -oE '\] [^ ]+$' | sed 's/^\] //'
}

check_library() {
    local dll=$bin/$1 list=$2 extra=${3:-}
    if [ ! -f "$dll" ]; then
        echo "FAIL: $dll is missing"; failures=$((failures + 1)); return
    fi
    local exported; exported=$(exports_of "$dll")
    local count=0
    for name in $(names_of "$list") $extra; do
        count=$((count + 1))
        if ! grep -qx "$name" <<<"$exported"; then
            echo "FAIL: $1 does not export $name"; failures=$((failures + 1))
        fi
    done
    if grep -q '@' <<<"$exported"; then
        echo "FAIL: $1 exports decorated names:"; grep '@' <<<"$exported"; failures=$((failures + 1))
    fi
    echo "$1: $count functions exported under their plain names"
}

check_library CALWIN32.DLL NW_CALWIN32_API NWCCGetConnInfo
check_library CLXWIN32.DLL NW_CLXWIN32_API
check_library NETWIN32.DLL NW_NETWIN32_API
check_library LOCWIN32.DLL NW_LOCWIN32_API

imports=$("$objdump" -p "$bin/Retrove98.exe" | grep -i 'DLL Name:' | tr '[:lower:]' '[:upper:]')
for library in CALWIN32.DLL CLXWIN32.DLL NETWIN32.DLL LOCWIN32.DLL NWSIMCORE.DLL; do
    if grep -q "$library" <<<"$imports"; then
        echo "FAIL: Retrove98.exe imports $library"; failures=$((failures + 1))
    fi
done
echo "Retrove98.exe imports:" $(sed 's/.*DLL NAME: //' <<<"$imports")

[ "$failures" -eq 0 ] && echo "exports check passed"
exit "$failures"
