#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds msvc_client/client.c with a toolchain of Microsoft's ABI against an
# installed Windows vgzo and stand-ins, and runs it: compiled by clang for
# x86_64-pc-windows-msvc (freestanding: no Windows SDK, no C runtime) and
# linked by lld-link against the prefix's vgzo.lib and import libraries of
# the stand-in DLLs made the same way (llvm-dlltool, from their export
# tables).  It runs with the three DLLs beside it.
#
#   msvc_client.sh --prefix DIR --work DIR --clang CLANG --lld-link LLD_LINK
#       --llvm-dlltool DLLTOOL --objdump OBJDUMP [--emulator 'PROGRAM ARGS']
set -euo pipefail
usage() {
  sed -n '10,11p' "$0" >&2
  exit 2
}
. "$(dirname "$0")/../support/script_options.sh"
prefix="" work="" clang="" lld_link="" llvm_dlltool="" objdump="" emulator=""
read_options prefix work clang lld_link llvm_dlltool objdump emulator -- "$@"
[ -n "$prefix" ] && [ -n "$work" ] && [ -n "$clang" ] && [ -n "$lld_link" ] &&
  [ -n "$llvm_dlltool" ] && [ -n "$objdump" ] || usage
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"

# An import library of Microsoft's form for a DLL, from its export table.
import_library() {
  local dll=$1 name
  name=$(basename "$dll" .dll)
  {
    echo "LIBRARY $name.dll"
    echo "EXPORTS"
    "$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] /  /p'
  } >"$work/$name.def"
  "$llvm_dlltool" -m i386:x86-64 -D "$name.dll" -d "$work/$name.def" -l "$work/$name.lib"
}
import_library "$prefix/bin/vg.dll"
import_library "$prefix/bin/zo.dll"

"$clang" --target=x86_64-pc-windows-msvc -ffreestanding -nostdlib -fno-stack-protector \
  -std=c11 -O1 -Wall -Wextra -Wpedantic -Werror \
  -I"$prefix/include" -I"$prefix/include/vgzo-standin" \
  -c "$here/msvc_client/client.c" -o "$work/client.obj"
"$lld_link" /nologo /entry:client_start /subsystem:console /nodefaultlib \
  /out:"$work/client.exe" "$work/client.obj" "$prefix/lib/vgzo.lib" "$work/vg.lib" "$work/zo.lib"
echo "imports of the client: $("$objdump" -p "$work/client.exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"

cp "$prefix/bin/vgzo.dll" "$prefix/bin/vg.dll" "$prefix/bin/zo.dll" "$work/"
read -r -a emulator_words <<<"$emulator"
status=0
"${emulator_words[@]}" "$work/client.exe" || status=$?
if [ $status -ne 0 ]; then
  echo "msvc_client: the client built with Microsoft's ABI failed with status $status" >&2
  exit 1
fi
echo "msvc_client: the client built with Microsoft's ABI ran"
