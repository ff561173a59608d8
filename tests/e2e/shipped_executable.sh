#!/bin/bash
# The shipped executable's import table names exactly the given libraries, so that no system
# library is looked up beside it before it restricts the DLL search; and it stays below 100 KB.
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
[ "$failures" -eq 0 ] || exit 1
echo "$executable: $bytes bytes, imports $imports"
