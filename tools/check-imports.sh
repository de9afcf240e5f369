#!/usr/bin/env bash
# Lists the functions a Windows program imports (as dll!function, the DLL in
# lower case) and fails when one of them is not in the allow-list: the
# functions that the oldest Windows the program runs on has. Anything newer
# must be looked up at run time. With MARK, the functions marked so in the
# list (a second word on the line) are not allowed.
# Usage: tools/check-imports.sh OBJDUMP EXE ALLOWED [MARK]
set -euo pipefail
objdump=$1 exe=$2 allowed=$3 mark=${4:-}
imports=$("$objdump" -p "$exe" | awk '
  /^\tDLL Name: / { dll = tolower($3); next }
  /^\t?$/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll "!" $NF }
' | sort -u)
if [ -z "$imports" ]; then
  echo "no imports read from $exe" >&2
  exit 1
fi
missing=$(comm -23 <(echo "$imports") <(awk -v mark="$mark" '!/^#/ && NF && (mark == "" || $2 != mark) { print $1 }' "$allowed" | sort -u))
count=$(echo "$imports" | wc -l)
if [ -n "$missing" ]; then
  echo "$exe imports functions beyond the oldest Windows it supports:" >&2
  echo "$missing" >&2
  exit 1
fi
echo "$exe: all $count imported functions are in $(basename "$allowed")${mark:+ (not marked $mark)}"
