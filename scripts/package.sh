#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages with dpkg-buildpackage from
# debian/ (dh with the CMake build system; the tests that need no display
# run during the build), from a clean copy of the tree: what git tracks and
# what is new and not ignored, never a build of the developer's own. The
# packages land in build/package (kelmot_VERSION.dsc, .tar.xz,
# kelmot_VERSION_ARCH.deb, .changes, .buildinfo); the .deb's path comes last.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
version=$(dpkg-parsechangelog -S Version)
out=$PWD/build/package
rm -rf "$out"
mkdir -p "$out/kelmot-$version"
git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$out/kelmot-$version"
# A failure's log goes to stderr: the caller keeps only stdout's last line.
(cd "$out/kelmot-$version" && dpkg-buildpackage -us -uc -j"$(nproc)" >"$out/build.log" 2>&1) || {
  echo "dpkg-buildpackage failed; the end of $out/build.log:" >&2
  grep -E '\*\*\*(Failed|Timeout|Exception)|tests failed out of' "$out/build.log" >&2 || true
  tail -80 "$out/build.log" >&2
  exit 1
}
grep -E '^(100% tests passed|[0-9]+% tests passed)|tests failed out of' "$out/build.log" | tail -1 || true
# The unpacked tree and its build are no longer needed: the packages are made.
rm -rf "$out/kelmot-$version"
ls "$out"/kelmot_"$version"_*.deb
