#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The source release archive on its own: it must hold exactly the files git
# tracks in the checkout it was made from (when that is a git checkout), and,
# unpacked alone into a fresh folder, configure, build and pass the tests of
# the library and the stand-ins (those labelled "script", which build vgzo
# again or read other archives, are left to the full suite).
#
#   source_archive.sh ARCHIVE [CHECKOUT]
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '9p' "$0" >&2
  exit 2
fi
archive=$(realpath "$1") checkout=${2:-}
fail() {
  echo "source_archive: $*" >&2
  exit 1
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vgzo-source.XXXXXX")
trap 'rm -rf "$work"' EXIT

(cd "$(dirname "$archive")" && sha256sum -c "$(basename "$archive").sha256") ||
  fail "$(basename "$archive").sha256 does not check"
if [ -n "$checkout" ] && [ -e "$checkout/.git" ]; then
  if ! diff <(tar -tzf "$archive" | grep -v '/$' | sed 's|^[^/]*/||' | sort) \
            <(git -C "$checkout" ls-files | sort); then
    fail "the archive does not hold exactly the tracked files (< archive, > tracked)"
  fi
  echo "holds exactly the $(git -C "$checkout" ls-files | wc -l) tracked files"
fi

tar -C "$work" -xzf "$archive"
source_dir=$(echo "$work"/*/)
cmake -S "$source_dir" -B "$work/build" -G Ninja -DVGZO_WERROR=ON -DVGZO_BUILD_BENCHMARKS=OFF
cmake --build "$work/build"
ctest --test-dir "$work/build" -j2 --output-on-failure -LE script
