#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The binary release archive of a build tree: made by cpack into a temporary
# folder, it must carry the expected name and a .sha256 file that sha256sum
# accepts, hold the stripped library, the public headers, the CMake package,
# vgzo.pc, the manual pages and the documents (on Windows also vgzo.lib and
# vgzo.def) and no stand-in, and then serve clients on its own, unpacked into
# a fresh prefix (install_and_consume.sh --archive).
#
#   release_archive.sh --cpack CPACK --build-dir DIR --name FILE
#       --binary-reader 'readelf|objdump' [--system linux|windows]
#       -- INSTALL_AND_CONSUME_ARGUMENTS...
set -euo pipefail
usage() {
  sed -n '10,12p' "$0" >&2
  exit 2
}
. "$(dirname "$0")/../support/script_options.sh"
cpack="" build_dir="" name="" binary_reader="" system=linux
read_options cpack build_dir name binary_reader system -- "$@"
[ -n "$cpack" ] && [ -n "$build_dir" ] && [ -n "$name" ] && [ -n "$binary_reader" ] || usage
fail() {
  echo "release_archive: $*" >&2
  exit 1
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

printf '\n== cpack\n'
"$cpack" --config "$build_dir/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
made=$(find "$work/packages" -maxdepth 1 \( -name '*.tar.gz' -o -name '*.zip' \) -printf '%f ')
[ "$made" = "$name " ] || fail "made '$made', not $name"
archive=$work/packages/$name
(cd "$work/packages" && sha256sum -c "$name.sha256") || fail "$name.sha256 does not check"

printf '\n== what %s holds (%s bytes)\n' "$name" "$(stat -c %s "$archive")"
case $name in
  *.zip) listing=$(unzip -Z1 "$archive" | grep -v '/$') ;;
  *) listing=$(tar -tzf "$archive" | grep -v '/$') ;;
esac
listing=$(sed 's|^[^/]*/||' <<<"$listing" | sort)
echo "$listing" | sed 's/^/  /'
expected=(include/vgzo/vgzo.h include/vgzo/vg.h include/vgzo/zo.h
          lib/cmake/vgzo/vgzoConfig.cmake lib/pkgconfig/vgzo.pc share/man/man3/vgzo.3
          share/doc/vgzo/LICENSE share/doc/vgzo/README.md share/doc/vgzo/CHANGELOG.md)
if [ "$system" = windows ]; then
  library=bin/vgzo.dll
  expected+=(bin/vgzo.dll lib/libvgzo.dll.a lib/vgzo.lib lib/vgzo.def)
else
  library=$(grep -E '^lib/libvgzo\.so\.[0-9]+\.[0-9]+\.[0-9]+$' <<<"$listing" || true)
  [ -n "$library" ] || fail "no versioned libvgzo.so in the archive"
fi
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$listing" || fail "the archive lacks $file"
done
standins=$(grep -E '(^|/)(libvg|libzo|vg|zo)\.(so|dll|a)|_standin\.h$' <<<"$listing" || true)
[ -z "$standins" ] || fail "the archive holds stand-ins: $standins"

mkdir "$work/look"
case $name in
  *.zip) (cd "$work/look" && unzip -q "$archive") ;;
  *) tar -C "$work/look" -xzf "$archive" ;;
esac
library_file=$(echo "$work"/look/*/"$library")
if [ "$system" = windows ]; then
  debug=$("$binary_reader" -h "$library_file" | grep -c '\.debug' || true)
else
  debug=$("$binary_reader" -S "$library_file" | grep -c '\.debug' || true)
fi
[ "$debug" -eq 0 ] || fail "$library is not stripped ($debug debug sections)"
echo "$library: stripped, $(stat -c %s "$library_file") bytes"

bash "$(dirname "$0")/install_and_consume.sh" --build-dir "$build_dir" --archive "$archive" \
  "${rest[@]}"
