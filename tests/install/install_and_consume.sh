#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a build tree into a temporary prefix, with the stand-in canvas and
# imaging libraries, checks what landed there, then builds and runs the C
# client of client/ against the installed files alone: once as a CMake project
# using find_package(vgzo CONFIG), once compiled with pkg-config's flags
# (--static ones for a static vgzo).  The tree may be a Linux or a Windows
# build, of the shared or the static library (--library-type); a Windows
# client runs with the installed DLLs copied beside it, and with
# --msvc-tools a client of Microsoft's ABI is built and run too
# (msvc_client.sh).  With --archive the prefix is a release archive,
# unpacked, instead of the build tree's plain install.
#
# Everything is written below one mktemp folder, removed on exit.  The one
# file cmake --install itself writes into the build tree, its install
# manifest, is put back as it was (or removed) on exit as well.
set -euo pipefail

usage() {
  echo "usage: $0 --cmake CMAKE --build-dir DIR --client-dir DIR --cc CC" \
       "[--config CONFIG] [--generator GEN] [--make-program PROG]" \
       "[--pkg-config PKG_CONFIG] [--version VERSION]" \
       "[--standins-in-plain-install ON|OFF] [--toolchain FILE]" \
       "[--emulator 'PROGRAM ARGS'] [--library-type shared|static]" \
       "[--system linux|windows] [--archive FILE]" \
       "[--msvc-tools 'CLANG LLD_LINK LLVM_DLLTOOL OBJDUMP']" >&2
  exit 2
}

. "$(dirname "$0")/../support/script_options.sh"
cmake=cmake build_dir="" config="" client_dir="" generator="" make_program=""
cc="" pkg_config=pkg-config version="" standins_in_plain_install=OFF
toolchain="" emulator="" library_type=shared system=linux archive="" msvc_tools=""
read_options cmake build_dir config client_dir generator make_program cc pkg_config version \
  standins_in_plain_install toolchain emulator library_type system archive msvc_tools -- "$@"
if [ -z "$build_dir" ] || [ -z "$client_dir" ] || [ -z "$cc" ]; then
  usage
fi

fail() {
  echo "install_and_consume: $*" >&2
  exit 1
}
step() { printf '\n== %s\n' "$*"; }
# Runs a client program, under the cross build's emulator when there is one.
# Windows finds DLLs beside the program: the installed ones are put there.
run_client() {
  local -a emulator_words
  read -r -a emulator_words <<<"$emulator"
  if [ "$system" = windows ]; then
    cp "$prefix"/bin/*.dll "$(dirname "$1")"
  fi
  "${emulator_words[@]}" "$@"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-install.XXXXXX")
prefix=$work/prefix
manifests=(install_manifest.txt install_manifest_standins.txt)
mkdir "$work/saved-manifests"
for manifest in "${manifests[@]}"; do
  if [ -e "$build_dir/$manifest" ]; then
    cp -p "$build_dir/$manifest" "$work/saved-manifests/$manifest"
  fi
done
restore() {
  for manifest in "${manifests[@]}"; do
    if [ -e "$work/saved-manifests/$manifest" ]; then
      cp -p "$work/saved-manifests/$manifest" "$build_dir/$manifest"
    else
      rm -f "$build_dir/$manifest"
    fi
  done
  rm -rf "$work"
}
trap restore EXIT

install_args=(--install "$build_dir" --prefix "$prefix")
[ -z "$config" ] || install_args+=(--config "$config")

# --- A plain install: the library, its headers and both package files. ---
if [ -n "$archive" ]; then
  step "the release archive $(basename "$archive"), unpacked"
  mkdir "$work/unpacked"
  case $archive in
    *.zip) (cd "$work/unpacked" && unzip -q "$archive") ;;
    *) tar -C "$work/unpacked" -xzf "$archive" ;;
  esac
  mv "$work/unpacked"/* "$prefix"
else
  step "cmake --install (plain)"
  "$cmake" "${install_args[@]}"
fi

# The library's files: the versioned shared library and its two links, the
# DLL and its import library, or the archive alone.
# The library folder is where the CMake package lies, in cmake/vgzo.
package=$(find "$prefix" -name vgzoConfig.cmake)
[ -n "$package" ] || fail "no vgzoConfig.cmake installed"
libdir=$(cd "$(dirname "$package")/../.." && pwd)
case $system:$library_type in
  linux:shared)
    soname_link=$libdir/libvgzo.so.${version%%.*}
    [ -f "$libdir/libvgzo.so.$version" ] || fail "no libvgzo.so.$version installed"
    [ -L "$libdir/libvgzo.so" ] || fail "libvgzo.so is not a link"
    [ "$(readlink "$libdir/libvgzo.so")" = "$(basename "$soname_link")" ] ||
      fail "libvgzo.so does not point to $(basename "$soname_link")"
    [ -L "$soname_link" ] || fail "$(basename "$soname_link") is not a link"
    [ "$(readlink "$soname_link")" = "libvgzo.so.$version" ] ||
      fail "$(basename "$soname_link") does not point to libvgzo.so.$version"
    ;;
  windows:shared)
    [ -f "$prefix/bin/vgzo.dll" ] || fail "no bin/vgzo.dll installed"
    [ -f "$libdir/libvgzo.dll.a" ] || fail "no import library lib/libvgzo.dll.a installed"
    ;;
  *:static)
    [ -f "$libdir/libvgzo.a" ] || fail "no libvgzo.a installed"
    shared=$(find "$prefix" -name 'libvgzo.so*' -o -name 'vgzo.dll' -o -name 'libvgzo.dll.a')
    [ -z "$shared" ] || fail "a static build installed shared files: $shared"
    ;;
  *) usage ;;
esac
for header in vgzo.h vg.h zo.h; do
  [ -f "$prefix/include/vgzo/$header" ] || fail "include/vgzo/$header not installed"
done
for file in vgzoConfig.cmake vgzoConfigVersion.cmake vgzoTargets.cmake; do
  [ -f "$libdir/cmake/vgzo/$file" ] || fail "cmake/vgzo/$file not installed"
done
pc_file=$libdir/pkgconfig/vgzo.pc
[ -f "$pc_file" ] || fail "pkgconfig/vgzo.pc not installed"
# The exported target links to the config file's imported targets, not to the
# build tree's.
if grep -q 'INTERFACE_LINK_LIBRARIES' "$libdir/cmake/vgzo/vgzoTargets.cmake"; then
  fail "vgzoTargets.cmake links vgzo::vgzo to build-tree targets"
fi
grep -qF 'INTERFACE_LINK_LIBRARIES vgzo::vg vgzo::zo' "$libdir/cmake/vgzo/vgzoConfig.cmake" ||
  fail "vgzo::vgzo does not link to vgzo::vg and vgzo::zo"
if grep -rqF "$build_dir" "$libdir/cmake/vgzo" "$pc_file"; then
  fail "the package files refer to the build tree"
fi

standins=$(find "$prefix" -name 'libvg.*' -o -name 'libzo.*' -o -name 'vg.dll' -o -name 'zo.dll' \
  -o -name '*_standin.h')
if [ "$standins_in_plain_install" = OFF ] && [ -n "$standins" ]; then
  fail "a plain install installed stand-ins:" "$standins"
fi

# --- The stand-ins, which a client needs to link and run. ---
step "cmake --install --component standins"
"$cmake" "${install_args[@]}" --component standins
standin_libraries=("$libdir/libvg.so" "$libdir/libzo.so")
[ "$system" = linux ] || standin_libraries=("$prefix/bin/vg.dll" "$prefix/bin/zo.dll")
for file in "${standin_libraries[@]}" \
            "$prefix/include/vgzo-standin/vg_standin.h" \
            "$prefix/include/vgzo-standin/zo_standin.h"; do
  [ -e "$file" ] || fail "$file not installed by the standins component"
done

# Nothing may reach back into the build tree: neither the client's build nor
# its run sees LD_LIBRARY_PATH or a package registry entry for it.
unset LD_LIBRARY_PATH

# --- A CMake client: find_package(vgzo CONFIG REQUIRED), vgzo::vgzo. ---
step "CMake client"
client_build=$work/cmake-client
# A Release build with the C compiler given (assignments for this call only).
c_compiler=$cc config=Release nested_configure_args
"$cmake" -S "$client_dir" -B "$client_build" "${configure_args[@]}" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
grep -qxF "vgzo_DIR:PATH=$libdir/cmake/vgzo" "$client_build/CMakeCache.txt" ||
  fail "find_package did not take vgzo from $libdir/cmake/vgzo"
"$cmake" --build "$client_build"
client=$(find "$client_build" \( -name install_client -o -name install_client.exe \) -type f |
  head -n 1)
[ -n "$client" ] || fail "the CMake client was not built"
# Its run path (set by CMake from the imported libraries) finds the installed
# libraries.
run_client "$client" || fail "the CMake client failed"

# --- A pkg-config client. ---
step "pkg-config client"
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc_file")
[ "$("$pkg_config" --modversion vgzo)" = "$version" ] ||
  fail "pkg-config reports version $("$pkg_config" --modversion vgzo), not $version"
[ "$(realpath -m "$("$pkg_config" --variable=libdir vgzo)")" = "$libdir" ] ||
  fail "vgzo.pc names libdir $("$pkg_config" --variable=libdir vgzo), not $libdir"
pc_query=(--cflags --libs vgzo)
[ "$library_type" = shared ] || pc_query=(--static "${pc_query[@]}")
read -r -a pc_flags <<< "$("$pkg_config" "${pc_query[@]}")"
echo "pkg-config ${pc_query[*]}: ${pc_flags[*]}"
if [ "$library_type" = static ]; then
  grep -qxF -- -DVGZO_STATIC < <(printf '%s\n' "${pc_flags[@]}") ||
    fail "a static vgzo's clients are not told VGZO_STATIC"
fi
mkdir "$work/pkg-config-client"
pc_client=$work/pkg-config-client/client
[ "$system" = linux ] || pc_client+=.exe
"$cc" -std=c11 -Wall -Wextra -Wpedantic -Werror \
  -I"$prefix/include/vgzo-standin" \
  "$client_dir/main.c" "${pc_flags[@]}" -o "$pc_client"
LD_LIBRARY_PATH=$libdir run_client "$pc_client" || fail "the pkg-config client failed"

if [ -n "$msvc_tools" ]; then
  step "a client of Microsoft's ABI"
  read -r msvc_clang msvc_lld_link msvc_dlltool msvc_objdump <<<"$msvc_tools"
  bash "$(dirname "$0")/msvc_client.sh" --prefix "$prefix" --work "$work/msvc-client" \
    --clang "$msvc_clang" --lld-link "$msvc_lld_link" --llvm-dlltool "$msvc_dlltool" \
    --objdump "$msvc_objdump" --emulator "$emulator" || fail "the MSVC-ABI client failed"
fi

step "install_and_consume: passed"
