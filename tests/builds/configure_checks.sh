#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures vgzo the way a first-time user does, without what they may lack:
#  1. the demo preset with GoogleTest, Google Benchmark and Python all
#     unavailable must configure;
#  2. the demo without libpng must configure with one line saying that the
#     demo needs it, and asking for the demo's run must still build.
#
#   configure_checks.sh --cmake CMAKE --source-dir DIR
#
# Everything is written below one mktemp folder, removed on exit.
set -euo pipefail
usage() {
  sed -n '9p' "$0" >&2
  exit 2
}
. "$(dirname "$0")/../support/script_options.sh"
cmake=cmake source_dir=""
read_options cmake source_dir -- "$@"
[ -n "$source_dir" ] || usage
fail() {
  echo "configure_checks: $*" >&2
  exit 1
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-configure.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$source_dir"

printf '\n== the demo preset without the test packages\n'
"$cmake" --preset demo -B "$work/demo" --no-warn-unused-cli \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON >"$work/demo.log" 2>&1 ||
  { cat "$work/demo.log"; fail "the demo preset needs a test package to configure"; }
echo "configured"

printf '\n== the demo without libpng\n'
"$cmake" --preset demo -B "$work/plain" -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON \
  >"$work/plain.log" 2>&1 || { cat "$work/plain.log"; fail "configure failed without libpng"; }
lines=$(grep -ci 'png' "$work/plain.log" || true)
[ "$lines" -eq 1 ] || { cat "$work/plain.log"; fail "expected one line on libpng, got $lines"; }
grep -i png "$work/plain.log"
grep -q 'libpng-dev' "$work/plain.log" || fail "the line does not name the package libpng-dev"
"$cmake" --build "$work/plain" --target vgzo_run_demo >"$work/plain-build.log" 2>&1 ||
  { cat "$work/plain-build.log"; fail "the demo's run does not build without libpng"; }
grep -i png "$work/plain-build.log"
printf '\n== configure_checks: passed\n'
