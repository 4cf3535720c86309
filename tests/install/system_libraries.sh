#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# vgzo built against installed canvas and imaging libraries, end to end:
#  1. installs the stand-ins of a build tree alone into a temporary prefix, as
#     if they were the system's libraries;
#  2. checks that a configure with VGZO_USE_STANDINS OFF and no libraries to
#     be found stops with one message naming both;
#  3. configures a second build of vgzo with the option OFF against the
#     prefix, builds the library, its image tests and the demo, checks that no
#     stand-in was built and that everything links the prefix's libraries,
#     and runs those tests (the demo's included);
#  4. installs that build and checks that its CMake package and vgzo.pc name
#     the prefix's libraries.
# Everything is written below one mktemp folder, removed on exit.
set -euo pipefail

usage() {
  echo "usage: $0 --cmake CMAKE --ctest CTEST --source-dir DIR --build-dir DIR" \
       "--c-compiler CC --cxx-compiler CXX [--config CONFIG] [--generator GEN]" \
       "[--make-program PROG] [--gtest-source-dir DIR] [--toolchain FILE]" \
       "[--emulator 'PROGRAM ARGS'] [--demo-targets 'TARGETS']" >&2
  exit 2
}

. "$(dirname "$0")/../support/script_options.sh"
cmake=cmake ctest=ctest source_dir="" build_dir="" config="" generator="" make_program=""
c_compiler="" cxx_compiler="" gtest_source_dir="" toolchain="" emulator="" demo_targets=""
read_options cmake ctest source_dir build_dir config generator make_program c_compiler \
  cxx_compiler gtest_source_dir toolchain emulator demo_targets -- "$@"
if [ -z "$source_dir" ] || [ -z "$build_dir" ] || [ -z "$c_compiler" ] || [ -z "$cxx_compiler" ]; then
  usage
fi
: "$emulator" # taken from the toolchain by the nested build

fail() {
  echo "system_libraries: $*" >&2
  exit 1
}
step() { printf '\n== %s\n' "$*"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-system.XXXXXX")
manifest=$build_dir/install_manifest_standins.txt
saved_manifest=""
if [ -e "$manifest" ]; then
  saved_manifest=$work/install_manifest_standins.txt
  cp -p "$manifest" "$saved_manifest"
fi
restore() {
  if [ -n "$saved_manifest" ]; then
    cp -p "$saved_manifest" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$work"
}
trap restore EXIT

# The settings every configure below shares with the build under test.
nested_configure_args
configure_args+=(-DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                 -DVGZO_USE_STANDINS=OFF -DVGZO_BUILD_BENCHMARKS=OFF -DVGZO_BUILD_FIBCHECK=OFF)
[ -z "$gtest_source_dir" ] || configure_args+=(-DVGZO_GTEST_SOURCE_DIR="$gtest_source_dir")

step "the stand-ins alone, installed as the system's libraries"
system=$work/system
install_args=(--install "$build_dir" --prefix "$system" --component standins)
[ -z "$config" ] || install_args+=(--config "$config")
"$cmake" "${install_args[@]}"
vg_library=$(find "$system" -name 'libvg.so' | head -n 1)
zo_library=$(find "$system" -name 'libzo.so' | head -n 1)
[ -n "$vg_library" ] && [ -n "$zo_library" ] || fail "libvg.so or libzo.so not installed"
system_libdir=$(dirname "$vg_library")
[ -z "$(find "$system" -name 'libvgzo*')" ] || fail "the standins component installed vgzo"

step "configure without any libraries to find"
if "$cmake" -S "$source_dir" -B "$work/nothing" "${configure_args[@]}" \
     -DCMAKE_PREFIX_PATH="$work/empty" >"$work/nothing.log" 2>&1; then
  fail "configure succeeded without the canvas and imaging libraries"
fi
errors=$(grep -c '^CMake Error' "$work/nothing.log" || true)
message=$(tr -s ' \n' ' ' <"$work/nothing.log")
[ "$errors" -eq 1 ] || fail "expected one error, got $errors: $message"
for what in "canvas library libvg" "imaging library libzo" VGZO_USE_STANDINS; do
  grep -qF "$what" <<<"$message" || fail "the error does not name '$what': $message"
done
echo "stopped with: $(grep -A3 '^CMake Error' "$work/nothing.log" | tr -s ' \n' ' ')"

step "configure and build against the installed libraries"
build=$work/build
"$cmake" -S "$source_dir" -B "$build" "${configure_args[@]}" -DCMAKE_PREFIX_PATH="$system"
grep -qxF "VGZO_VG_LIBRARY:FILEPATH=$vg_library" "$build/CMakeCache.txt" ||
  fail "the canvas library was not taken from $vg_library"
grep -qxF "VGZO_ZO_LIBRARY:FILEPATH=$zo_library" "$build/CMakeCache.txt" ||
  fail "the imaging library was not taken from $zo_library"
read -r -a demo_target_list <<<"$demo_targets"
"$cmake" --build "$build" --target vgzo vgzo_bridge_tests vgzo_library_part_tests \
  vgzo_fuzz_replay vgzo_test_locale vgzo_c_client vgzo_readme_example "${demo_target_list[@]}"
built_standins=$(find "$build" -name 'libvg.*' -o -name 'libzo.*' -o -name 'vg_standin*')
[ -z "$built_standins" ] || fail "the stand-ins were built:" $built_standins
# The library links the prefix's libraries, by their run-time names.
library=$(find "$build" -name 'libvgzo.so.*.*.*' -type f | head -n 1)
[ -n "$library" ] || fail "no libvgzo built"
run_path=$(readelf --dynamic --wide "$library" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
tr ':' '\n' <<<"$run_path" | grep -qxF "$system_libdir" ||
  fail "libvgzo's run path $run_path does not name $system_libdir"

step "image tests, C client, corpus replay, export check and demo against the installed libraries"
"$ctest" --test-dir "$build" --output-on-failure ||
  fail "tests against the installed libraries failed"

step "the installed package names the libraries found"
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix"
pc_file=$(find "$prefix" -name vgzo.pc)
grep -q "^Libs:.*-L$system_libdir .*-lvg -lzo" "$pc_file" ||
  fail "vgzo.pc does not point to $system_libdir: $(grep '^Libs:' "$pc_file")"
grep -rqF "$system_libdir" "$(dirname "$pc_file")/../cmake/vgzo/vgzoConfig.cmake" ||
  fail "vgzoConfig.cmake does not look in $system_libdir"

step "system_libraries: passed"
