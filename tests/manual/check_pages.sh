#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lints and renders every manual page:
#
#   check_pages.sh MANDOC MAN_DIR
#
# mandoc -T lint -W warning must report nothing for a full page.  A link page
# (one .so line) is linted with the page it names, and mandoc's one notice on
# any .so request ("better use ln(1)") is the only message it may give.
# Every page must render (mandoc -T utf8).
set -euo pipefail
if [ $# -ne 2 ]; then
  sed -n '3,11p' "$0" >&2
  exit 2
fi
mandoc=$1
cd "$2"
status=0
for page in man3/*.3; do
  messages=$("$mandoc" -T lint -W warning "$page" 2>&1) || true
  if grep -q '^\.so ' "$page"; then
    messages=$(grep -v ': WARNING: \.so is fragile, better use ln(1): so ' <<<"$messages" || true)
  fi
  if [ -n "$messages" ]; then
    echo "$messages"
    status=1
  fi
  # Rendered for a terminal, bold is a character, a backspace and it again.
  if ! "$mandoc" -T utf8 "$page" | sed 's/.\x08//g' | grep -q '^SYNOPSIS$'; then
    echo "$page: does not render"
    status=1
  fi
done
[ $status -ne 0 ] || echo "$(ls man3/*.3 | wc -l) pages: lint clean, rendered"
exit $status
