#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# vgzo taken in by another project, once with add_subdirectory and once with
# FetchContent: the consumer of consumer/ must configure without GoogleTest,
# Google Benchmark or Python, build only vgzo and its stand-ins besides its
# own targets (named like some of vgzo's), link vgzo::vgzo and run, and its
# install must hold nothing of vgzo's.
#
#   subproject.sh --cmake CMAKE --source-dir DIR --consumer-dir DIR
#       [--generator GEN] [--make-program PROG] [--c-compiler CC]
#       [--cxx-compiler CXX]
#
# Everything is written below one mktemp folder, removed on exit.
set -euo pipefail

usage() {
  sed -n '9,11p' "$0" >&2
  exit 2
}
. "$(dirname "$0")/../support/script_options.sh"
cmake=cmake source_dir="" consumer_dir="" generator="" make_program="" c_compiler="" cxx_compiler=""
read_options cmake source_dir consumer_dir generator make_program c_compiler cxx_compiler -- "$@"
[ -n "$source_dir" ] && [ -n "$consumer_dir" ] || usage

fail() {
  echo "subproject: $*" >&2
  exit 1
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-subproject.XXXXXX")
trap 'rm -rf "$work"' EXIT

nested_configure_args
configure_args+=(-DCONSUMER_VGZO_SOURCE_DIR="$source_dir"
                 -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
                 -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
                 -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON)

for mode in subdirectory fetchcontent; do
  printf '\n== vgzo taken in with %s\n' "$mode"
  build=$work/$mode
  started=$SECONDS
  "$cmake" -S "$consumer_dir" -B "$build" --no-warn-unused-cli -DCONSUMER_MODE=$mode "${configure_args[@]}"
  "$cmake" --build "$build"
  echo "configured and built in $((SECONDS - started)) s"
  "$build/c_client" || fail "the consumer's program failed ($mode)"

  prefix=$work/$mode-prefix
  "$cmake" --install "$build" --prefix "$prefix"
  installed=$(cd "$prefix" && find . -type f -o -type l | sort | tr '\n' ' ')
  [ "$installed" = "./bin/c_client ./bin/demo " ] ||
    fail "the consumer's install holds more than its own programs ($mode): $installed"
done
printf '\n== subproject: passed\n'
