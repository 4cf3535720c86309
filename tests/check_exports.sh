#!/usr/bin/env bash
# Checks a built shared library's dynamic symbol table and needed-library list
# against the expected ones exactly: no extra and no missing entry.
#   check_exports.sh LIBRARY "EXPORTED NAMES" "NEEDED LIBRARIES"
# A needed list of "-" skips that half (sanitizer builds add their runtimes).
set -euo pipefail
library=$1
expected_exports=$(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort)
expected_needed=$(tr ' ' '\n' <<<"$3" | sed '/^$/d' | sort)

# Defined dynamic symbols other than the section and file markers.
exports=$(readelf --dyn-syms --wide "$library" |
  awk '$1 ~ /^[0-9]+:$/ && $7 != "UND" && $4 != "SECTION" && $4 != "FILE" && $8 != "" { print $8 }' |
  sed 's/@.*//' | sort)
needed=$(readelf --dynamic --wide "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort)

status=0
if [ "$exports" != "$expected_exports" ]; then
  echo "exported symbols differ (< expected, > found):"
  diff <(echo "$expected_exports") <(echo "$exports") || true
  status=1
fi
if [ "$3" != "-" ] && [ "$needed" != "$expected_needed" ]; then
  echo "needed libraries differ (< expected, > found):"
  diff <(echo "$expected_needed") <(echo "$needed") || true
  status=1
fi
[ $status -eq 0 ] && echo "exports: $(echo $exports); needed: $(echo $needed)"
exit $status
