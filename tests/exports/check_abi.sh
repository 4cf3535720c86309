#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compares a built library's ABI with the committed baseline, through the
# public headers' types alone:
#   check_abi.sh ABIDIFF BASELINE LIBRARY HEADERS_DIR
# Passes when nothing changed or when the only changes are additions (new
# functions or variables); fails on anything removed or changed.
set -euo pipefail
if [ $# -ne 4 ]; then
  sed -n '3,7p' "$0" >&2
  exit 2
fi
abidiff=$1 baseline=$2 library=$3 headers=$4

status=0
report=$("$abidiff" --headers-dir2 "$headers" --drop-private-types "$baseline" "$library") ||
  status=$?
[ -z "$report" ] || echo "$report"
# abidiff's status bits: 1 error, 2 usage error, 4 ABI change, 8 incompatible.
if (( status & 3 )); then
  echo "abidiff could not compare (status $status)"
  exit 1
fi
if (( status & 8 )) || grep -Eq '(^|[^0-9])[1-9][0-9]* (Removed|Changed)' <<<"$report"; then
  echo "the ABI changed incompatibly against $baseline"
  exit 1
fi
if (( status & 4 )); then
  echo "compatible additions only; record them in the baseline when releasing"
else
  echo "ABI as in $baseline"
fi
