#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# vgzo as a static library: builds the library and the stand-ins from the
# sources with BUILD_SHARED_LIBS OFF, checks that the archive defines the
# exports and otherwise only names of vgzo's namespace, then installs it and
# builds and runs the C client against it through the CMake package and
# through pkg-config --static (install_and_consume.sh).
#
#   static_library.sh --cmake CMAKE --source-dir DIR --nm NM --exports "NAMES"
#       [--config CONFIG] [--generator GEN] [--make-program PROG]
#       [--c-compiler CC] [--cxx-compiler CXX] [--toolchain FILE]
#       -- INSTALL_AND_CONSUME_ARGUMENTS...
#
# Everything is written below one mktemp folder, removed on exit.
set -euo pipefail

usage() {
  sed -n '9,12p' "$0" >&2
  exit 2
}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/script_options.sh"
cmake=cmake source_dir="" nm="" exports="" config="" generator="" make_program="" c_compiler=""
cxx_compiler="" toolchain=""
read_options cmake source_dir nm exports config generator make_program c_compiler cxx_compiler \
  toolchain -- "$@"
[ -n "$source_dir" ] && [ -n "$nm" ] && [ -n "$exports" ] || usage
nested_configure_args

work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-static.XXXXXX")
trap 'rm -rf "$work"' EXIT

printf '\n== the static library and the stand-ins\n'
build=$work/build
"$cmake" -S "$source_dir" -B "$build" "${configure_args[@]}" -DBUILD_SHARED_LIBS=OFF \
  -DVGZO_BUILD_TESTS=OFF -DVGZO_BUILD_BENCHMARKS=OFF -DVGZO_BUILD_EXAMPLES=OFF \
  -DVGZO_BUILD_FIBCHECK=OFF -DVGZO_INSTALL=ON >"$work/configure.log" ||
  { cat "$work/configure.log"; exit 1; }
"$cmake" --build "$build"
archive=$(find "$build/vgzo" -name 'libvgzo.a')
[ -n "$archive" ] || { echo "static_library: no libvgzo.a built" >&2; exit 1; }

printf '\n== what the archive defines\n'
"$here/../exports/check_static_symbols.sh" "$nm" "$archive" "$exports" vgzo

"$here/install_and_consume.sh" --build-dir "$build" --cmake "$cmake" \
  --library-type static "${rest[@]}"
