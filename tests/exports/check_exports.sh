#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks a built shared library's exported names and the libraries it needs at
# run time against the expected ones exactly: no extra and no missing entry.
#
#   check_exports.sh [--version-node NODE] elf READELF LIBRARY "EXPORTS" "SYSTEM LIBRARIES" OUTSIDE...
#   check_exports.sh pe OBJDUMP LIBRARY "EXPORTS" "SYSTEM LIBRARIES" OUTSIDE...
#
# With --version-node every ELF export must be of that symbol version.
# elf reads the dynamic symbol table and the NEEDED entries; pe reads the
# export table and the imported DLLs.  OUTSIDE are the files of the libraries
# it was linked against (shared objects, DLLs or import libraries), whose
# run-time names are read from them.  SYSTEM LIBRARIES "-" skips the needed
# half (sanitizer builds add their runtimes); a name there that ends in "?"
# may be needed or not.  An ELF library that takes the stack protector's
# guard from the C library's dynamic loader (__stack_chk_guard, as on aarch64
# and riscv64, where it is not in thread-local storage) needs the loader too.
set -euo pipefail
set -o noglob # names with "?" are not patterns
version_node=""
if [ "${1:-}" = --version-node ]; then
  version_node=$2
  shift 2
fi
if [ $# -lt 5 ]; then
  sed -n '3,16p' "$0" >&2
  exit 2
fi
format=$1 tool=$2 library=$3 expected_exports=$4 system_libraries=$5
shift 5

sorted() { tr ' ' '\n' | sed '/^$/d' | sort; }

# The name a library is needed under at run time.
run_time_name() {
  case "$format:$1" in
    elf:*) "$tool" --dynamic --wide "$1" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p' ;;
    pe:*.dll | pe:*.DLL) basename "$1" ;;
    pe:*) "${tool%objdump}dlltool" --identify "$1" ;; # an import library
  esac
}

case $format in
  elf)
    # Defined dynamic symbols other than the section and file markers.  The
    # bracketed notes some processors add after the visibility (ppc64's
    # "[<localentry>: 8]", aarch64's "[VARIANT_PCS]") are not columns.
    symbols=$("$tool" --dyn-syms --wide "$library" | sed -E 's/ +\[[^]]*\]//g')
    versioned=$(awk '$1 ~ /^[0-9]+:$/ && $7 != "UND" && $4 != "SECTION" && $4 != "FILE" && $8 != "" { print $8 }' <<<"$symbols")
    exports=$(sed 's/@.*//' <<<"$versioned")
    if [ -n "$version_node" ]; then
      # The node itself is a defined symbol of its own name.
      unversioned=$(grep -v "@@$version_node\$" <<<"$versioned" | grep -vxF "$version_node" || true)
      exports=$(grep -vx "$version_node" <<<"$exports" || true)
      if [ -n "$unversioned" ]; then
        echo "exports not of the symbol version $version_node: $(echo $unversioned)"
        exit 1
      fi
    fi
    needed=$("$tool" --dynamic --wide "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    if [ "$system_libraries" != "-" ] &&
       awk '$7 == "UND" && $8 ~ /^__stack_chk_guard(@|$)/ { found = 1 } END { exit !found }' <<<"$symbols"; then
      loader=$(grep -E '^ld[-.].*\.so' <<<"$needed" || echo "the-dynamic-loader")
      system_libraries+=" $loader"
    fi
    ;;
  pe)
    # The name pointer table lists every exported name; the import
    # directory every DLL.
    dump=$("$tool" -p "$library")
    exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' <<<"$dump")
    needed=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
    ;;
  *)
    echo "unknown format $format" >&2
    exit 2
    ;;
esac
exports=$(sorted <<<"$exports")
needed=$(sorted <<<"$needed")
expected_exports=$(sorted <<<"$expected_exports")
# Names that may be needed count as expected only where they are.
expected_needed=""
for name in $system_libraries; do
  case $name in
    *\?) grep -qxF "${name%\?}" <<<"$needed" && expected_needed+=" ${name%\?}" ;;
    *) expected_needed+=" $name" ;;
  esac
done
for outside in "$@"; do
  expected_needed+=" $(run_time_name "$outside")"
done
expected_needed=$(sorted <<<"$expected_needed")

status=0
if [ "$exports" != "$expected_exports" ]; then
  echo "exported names differ (< expected, > found):"
  diff <(echo "$expected_exports") <(echo "$exports") || true
  status=1
fi
if [ "$system_libraries" != "-" ] && [ "$needed" != "$expected_needed" ]; then
  echo "needed libraries differ (< expected, > found):"
  diff <(echo "$expected_needed") <(echo "$needed") || true
  status=1
fi
[ $status -eq 0 ] && echo "exports: $(echo $exports); needed: $(echo $needed)"
exit $status
