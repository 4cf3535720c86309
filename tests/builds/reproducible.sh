#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the same sources twice, from two copies in different absolute
# folders of different lengths (one built inside its copy, one outside), and
# checks that what a user gets is byte for byte the same: every installed file
# (the library, headers, package files) and the check programs.
#
#   reproducible.sh --cmake CMAKE --source-dir DIR [--config CONFIG]
#       [--generator GEN] [--make-program PROG] [--c-compiler CC]
#       [--cxx-compiler CXX] [--toolchain FILE]
#
# Both trees are installed into the same prefix in turn, so files that name
# the prefix compare too.  Everything is written below one mktemp folder,
# removed on exit.
set -euo pipefail

usage() {
  sed -n '8,10p' "$0" >&2
  exit 2
}
. "$(dirname "$0")/../support/script_options.sh"
cmake=cmake source_dir="" config="" generator="" make_program="" c_compiler="" cxx_compiler=""
toolchain=""
read_options cmake source_dir config generator make_program c_compiler cxx_compiler toolchain \
  -- "$@"
[ -n "$source_dir" ] || usage

work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

nested_configure_args
configure_args+=(-DVGZO_BUILD_TESTS=OFF -DVGZO_BUILD_BENCHMARKS=OFF -DVGZO_BUILD_EXAMPLES=OFF
                 -DVGZO_BUILD_FIBCHECK=ON -DVGZO_INSTALL=ON)

# A copy of the sources without build trees or the repository's history.
copy_sources() {
  mkdir -p "$1"
  tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$1" -xf -
}

# build NAME SOURCE BUILD: builds and installs one copy into $work/prefix,
# then keeps what it installed and its check programs under $work/NAME.
build() {
  local name=$1 source=$2 binary=$3
  printf '\n== build %s: sources in %s, build in %s\n' "$name" "$source" "$binary"
  copy_sources "$source"
  "$cmake" -S "$source" -B "$binary" "${configure_args[@]}" >"$work/$name.configure.log" ||
    { cat "$work/$name.configure.log"; exit 1; }
  "$cmake" --build "$binary"
  "$cmake" --install "$binary" --prefix "$work/prefix" >/dev/null
  mkdir -p "$work/$name/programs"
  mv "$work/prefix" "$work/$name/installed"
  find "$binary" -type f \( -name 'fib_recursive' -o -name 'fib_iterative' \
    -o -name 'fib_recursive.exe' -o -name 'fib_iterative.exe' \) -exec cp {} "$work/$name/programs" \;
}
build first "$work/a/src" "$work/a/src/build/x"
build second "$work/second-copy-in-a-longer-folder/vgzo" "$work/other/place/to/build/vgzo"

printf '\n== compare\n'
status=0
listing() { (cd "$1" && find . -type f -o -type l | sort); }
if ! diff <(listing "$work/first") <(listing "$work/second"); then
  echo "the two builds installed different files"
  status=1
fi
while IFS= read -r file; do
  if cmp -s "$work/first/$file" "$work/second/$file"; then
    echo "same: $file"
  else
    echo "DIFFERENT: $file"
    status=1
  fi
done < <(listing "$work/first")
exit $status
