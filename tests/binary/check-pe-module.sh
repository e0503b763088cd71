#!/usr/bin/env bash
# Checks a Windows binary: PE32 for i386 (32) or PE32+ for x86-64 (64), of the expected kind,
# exporting exactly the expected names, and importing only DLLs that every Windows has (the
# runtimes are linked in).
#
#   check-pe-module.sh OBJDUMP FILE dll|exe 32|64 [EXPORT...]
set -euo pipefail
export LC_ALL=C  # a fixed sort order and untranslated tool output
objdump=$1 file=$2 kind=$3 bits=$4
shift 4
if [ "$bits" = 64 ]; then
  format=pei-x86-64 magic='020b[[:space:]]+\(PE32\+\)' description="PE32+ x86-64"
else
  format=pei-i386 magic='010b[[:space:]]+\(PE32\)' description="PE32 i386"
fi
expected_exports=
[ $# -gt 0 ] && expected_exports=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
failed=0

headers=$("$objdump" -p "$file")

grep -q "file format $format\$" <<<"$headers" || { echo "FAIL: $file is not a $format image"; failed=1; }
grep -Eq "^Magic[[:space:]]+$magic" <<<"$headers" || { echo "FAIL: $file is not $description"; failed=1; }
# The DLL flag sits in the file header's characteristics list, which ends at the first blank line.
is_dll=no
sed -n '/^Characteristics/,/^$/p' <<<"$headers" | grep -Eq '^[[:space:]]+DLL$' && is_dll=yes
if [ "$kind" = dll ] && [ $is_dll = no ]; then echo "FAIL: $file is not a DLL"; failed=1; fi
if [ "$kind" = exe ] && [ $is_dll = yes ]; then echo "FAIL: $file is a DLL, expected a program"; failed=1; fi

exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' <<<"$headers" \
  | sort | tr '\n' ' ')
if [ "$exports" != "$expected_exports" ]; then
  echo "FAIL: $file exports [${exports% }], expected [${expected_exports% }]"
  failed=1
fi

# msimg32 is missing from the list on purpose: the toolkit loads it at run time.
allowed_imports='^(kernel32|msvcrt|user32|gdi32|advapi32|ole32|oleaut32|shell32|comdlg32|comctl32|ws2_32)\.dll$'
while read -r library; do
  if ! [[ ${library,,} =~ $allowed_imports ]]; then
    echo "FAIL: $file imports $library, which is not part of Windows"
    failed=1
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

[ $failed = 0 ] && echo "OK: $file is a $description $kind exporting [${exports% }] and importing only Windows DLLs"
exit $failed
