#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Debian's hardening-check on a built binary and fails on any "no".
#
#   check_hardening.sh HARDENING_CHECK READELF CC BINARY OBJECT...
#
# One "no" is not the binary's to answer for: control-flow protection is
# marked on a binary only when every object linked into it is marked, and
# some C libraries' start files (crti.o, Debian 12's among them) are not.
# Then no program or library linked there can carry the mark, and the check
# asks instead that every object of the binary's own (OBJECT...) is marked,
# which its build ensures with -fcf-protection.  (Other processors than
# x86-64 have no such mark.)
set -euo pipefail
if [ $# -lt 5 ]; then
  sed -n '3,13p' "$0" >&2
  exit 2
fi
hardening_check=$1 readelf=$2 cc=$3 binary=$4
shift 4

marked() { "$readelf" --notes "$1" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK'; }

options=()
start_files=$("$cc" -print-file-name=crti.o)
if ! "$readelf" --file-header "$binary" | grep -q 'Machine: *Advanced Micro Devices X86-64'; then
  echo "Not an x86-64 binary: control-flow protection is x86-64's alone."
  options+=(--nocfprotection)
elif ! marked "$binary" && [ -f "$start_files" ] && ! marked "$start_files"; then
  echo "The C library's $start_files carries no control-flow protection mark, so nothing"
  echo "linked with it can; checking the binary's own objects for the mark instead."
  unmarked=""
  for object in "$@"; do
    marked "$object" || unmarked+=" $(basename "$object")"
  done
  if [ -n "$unmarked" ]; then
    echo "objects without control-flow protection:$unmarked"
    exit 1
  fi
  echo "  every object of its own is marked"
  options+=(--nocfprotection)
fi

report=$("$hardening_check" "${options[@]}" "$binary") || {
  echo "$report"
  exit 1
}
echo "$report"
# hardening-check passes what it was told to ignore; any other "no" fails.
if grep -v 'Control flow integrity' <<<"$report" | grep -v '(ignored)' | grep -q ': no'; then
  exit 1
fi
