#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks what a static library defines for its clients to link against: the
# expected exports and otherwise only names in one C++ namespace, so that no
# other global definition can clash with a client's own.
#
#   check_static_symbols.sh NM ARCHIVE "EXPORTS" NAMESPACE
#
# Reads the archive's global definitions (nm); weak ones (inline functions,
# template instances) are left aside, as the linker merges those, and so are
# their kin in PE objects, definitions in COMDAT sections.  Every export must
# be defined, and any other name must demangle to NAMESPACE::.
set -euo pipefail
if [ $# -ne 4 ]; then
  sed -n '3,11p' "$0" >&2
  exit 2
fi
nm=$1 archive=$2 expected_exports=$3 namespace=$4
has() { grep "$@" >/dev/null; } # reads to the end, unlike grep -q in a pipe
cxxfilt=${nm%nm}c++filt
command -v "$cxxfilt" >/dev/null || cxxfilt=c++filt

# nm's portable format, "name type value size": a mangled name has no blanks.
# Upper-case types are global; U is undefined, V and W weak.
globals=$("$nm" --portability --defined-only --extern-only "$archive" |
  awk 'NF >= 2 && $2 ~ /^[A-Z]$/ && $2 !~ /^[UVW]$/ { print $1 }' | sort -u)
# PE objects have no weak definitions: an unoptimised build puts inline
# functions and MinGW's .refptr stubs into COMDAT sections, of which the
# linker keeps one.  objdump's symbol table marks such a section by its
# auxiliary entry's "comdat" selection, which is not 0.
objdump=${nm%nm}objdump
if "$objdump" -f "$archive" 2>/dev/null | has 'file format pe-'; then
  merged=$("$objdump" -t "$archive" | awk '
    /file format/ { delete comdat }
    /\(scl +3\)/ { match($0, /\(sec +[0-9]+\)/); section = substr($0, RSTART + 4, RLENGTH - 5) + 0; next }
    /^AUX .* comdat [1-9]/ { comdat[section] = 1; next }
    /\(scl +2\)/ { match($0, /\(sec +[0-9]+\)/); if (comdat[substr($0, RSTART + 4, RLENGTH - 5) + 0]) print $NF }' |
    sort -u)
  globals=$(comm -23 <(echo "$globals") <(echo "$merged"))
fi
exports=$(tr ' ' '\n' <<<"$expected_exports" | sed '/^$/d' | sort -u)

status=0
missing=$(comm -23 <(echo "$exports") <(echo "$globals"))
if [ -n "$missing" ]; then
  echo "exports not defined: $(echo $missing)"
  status=1
fi
strays=$(comm -13 <(echo "$exports") <(echo "$globals") | sed '/^$/d' | "$cxxfilt" |
  grep -v "^$namespace::" || true)
if [ -n "$strays" ]; then
  echo "global definitions outside $namespace:: that a client could clash with:"
  echo "$strays"
  status=1
fi
if [ $status -eq 0 ]; then
  echo "defines the exports and otherwise only $namespace:: names:"
  comm -13 <(echo "$exports") <(echo "$globals") | sed "/^$/d" | "$cxxfilt" | sort -u | sed "s/^/  /"
fi
exit $status
