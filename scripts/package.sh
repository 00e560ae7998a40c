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
(cd "$out/kelmot-$version" && dpkg-buildpackage -us -uc -j"$(nproc)" >"$out/build.log" 2>&1) || {
  tail -60 "$out/build.log"
  exit 1
}
grep -E '^(100% tests passed|[0-9]+% tests passed)|tests failed out of' "$out/build.log" | tail -1
ls "$out"/kelmot_"$version"_*.deb
