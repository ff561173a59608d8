#!/bin/bash
# The shipped executable's import table names exactly the given libraries, so that no system
# library is looked up beside it before it restricts the DLL search; it stays below 100 KB; and
# its PE header carries no link time, so that a rebuild of the same commit gives the same bytes.
#   shipped_executable.sh OBJDUMP EXECUTABLE DLL...
set -u
objdump=$1
executable=$2
shift 2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

imports=$("$objdump" -p "$executable" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort | tr '\n' ' ')
expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
[ "$imports" = "$expected" ] || fail "imports '$imports', expected '$expected'"
bytes=$(stat -c %s "$executable")
[ "$bytes" -lt 102400 ] || fail "$bytes bytes, the limit is 102400"
# The COFF header's TimeDateStamp: 8 bytes into the header that the offset at 0x3C points to.
header=$(od -An -tu4 -j60 -N4 "$executable" | tr -d ' ')
stamp=$(od -An -tu4 -j$((header + 8)) -N4 "$executable" | tr -d ' ')
[ "$stamp" = 0 ] || fail "the PE header's time stamp is $stamp, expected 0"
[ "$failures" -eq 0 ] || exit 1
echo "$executable: $bytes bytes, imports $imports"
