#!/usr/bin/env bash
# Builds the Debian package kelmot_VERSION_ARCH.deb in the top folder, from
# the default preset's build; dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target kelmot
(cd build/default && cpack -G DEB >/dev/null)
deb=$(ls -t build/default/kelmot_*.deb | head -1)
cp "$deb" .
echo "$(basename "$deb")"
