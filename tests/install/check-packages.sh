#!/usr/bin/env bash
# What the release's package and zip hold, read without installing them: exactly the program and its ReadMe
# (nothing of the stand-in, no test helper), the program's own bytes, the version everywhere, a per-machine
# install into the 32-bit Program Files with a Start-menu shortcut, nothing for HKEY_CURRENT_USER, and one
# upgrade code across versions. Usage: check-packages.sh FOLDER VERSION RAISED_VERSION PROGRAM
set -uo pipefail
folder=$(realpath "$1") version=$2 raised=$3 program=$(realpath "$4")
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
expect() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Rows of an MSI table without its three header lines, tab-separated.
table() {
    (cd "$work" && msiinfo export "$1" "$2") | tail -n +4 | tr -d '\r'
}
property() {
    table "$1" Property | awk -F'\t' -v name="$2" '$1 == name { print $2 }'
}

msi=$folder/Retrove98-$version.msi
zip=$folder/Retrove98-$version.zip
raised_msi=$folder/Retrove98-$raised.msi
for file in "$msi" "$zip" "$raised_msi"; do
    [ -s "$file" ] || fail "no $file"
done
[ $failures -eq 0 ] || exit 1

# The zip: the two files, the program byte for byte, the ReadMe naming the version in Windows line ends.
expect "the zip's files" $'ReadMe.txt\nRetrove98.exe' "$(cmake -E tar tf "$zip" | sort)"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
cmp -s "$program" "$work/zip/Retrove98.exe" || fail "the zip's Retrove98.exe is not the built program"
expect "the ReadMe's first line" "Retrove 98 $version"$'\r' "$(head -n 1 "$work/zip/ReadMe.txt")"
grep -q "NetWare client" "$work/zip/ReadMe.txt" || fail "the ReadMe does not say that the NetWare client is needed"
grep -q "msiexec /i Retrove98-$version.msi /qn" "$work/zip/ReadMe.txt" || fail "the ReadMe does not name its package"
[ "$(grep -c $'\r$' "$work/zip/ReadMe.txt")" -eq "$(wc -l <"$work/zip/ReadMe.txt")" ] ||
    fail "the ReadMe has lines without a carriage return"

# The package: the same two files in the program's folder under the 32-bit Program Files.
expect "the package's files" $'ReadMe.txt\tReadMe\nRetrove98.exe\tProgram' \
    "$(table "$msi" File | awk -F'\t' '{ print $3 "\t" $2 }' | sort)"
expect "the package's folders" $'INSTALLFOLDER\tProgramFilesFolder\tRetrove 98\nProgramFilesFolder\tTARGETDIR\t.\nProgramMenuFolder\tTARGETDIR\t.\nTARGETDIR\t\tSourceDir' \
    "$(table "$msi" Directory | sort)"
expect "the files' component folders" $'Program\tINSTALLFOLDER\nReadMe\tINSTALLFOLDER' \
    "$(table "$msi" Component | awk -F'\t' '$1 != "StartMenuShortcut" { print $1 "\t" $3 }' | sort)"
expect "the Start-menu shortcut" $'ProgramMenuFolder\tRetrove 98\t[INSTALLFOLDER]Retrove98.exe' \
    "$(table "$msi" Shortcut | awk -F'\t' '{ print $2 "\t" $3 "\t" $5 }')"
# Registry roots: 2 is HKEY_LOCAL_MACHINE; 1 (the user's) and -1 (the user's when not per machine) must not be.
expect "the registry roots the package writes" "2" "$(table "$msi" Registry | cut -f2 | sort -u)"

expect "ProductName" "Retrove 98" "$(property "$msi" ProductName)"
expect "ProductVersion" "$version" "$(property "$msi" ProductVersion)"
expect "Manufacturer" "Tarvex" "$(property "$msi" Manufacturer)"
expect "ALLUSERS (per machine)" "1" "$(property "$msi" ALLUSERS)"
expect "the program's icon in Programs and Features" "Retrove98.ico" "$(property "$msi" ARPPRODUCTICON)"
expect "the raised package's ProductVersion" "$raised" "$(property "$raised_msi" ProductVersion)"
expect "the upgrade code across versions" "$(property "$msi" UpgradeCode)" "$(property "$raised_msi" UpgradeCode)"
[ "$(property "$msi" ProductCode)" != "$(property "$raised_msi" ProductCode)" ] ||
    fail "two versions share one product code"
# A newer package finds and removes the older one before it installs.
table "$msi" Upgrade | awk -F'\t' -v code="$(property "$msi" UpgradeCode)" '$1 == code && $7 == "WIX_UPGRADE_DETECTED"' |
    grep -q . || fail "no upgrade row for older versions"
table "$msi" InstallExecuteSequence | grep -q '^RemoveExistingProducts' || fail "older versions are not removed"

[ $failures -eq 0 ] && echo "the packages of $version and $raised hold what ships"
[ $failures -eq 0 ]
