#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing Kelmot need.
# Idempotent: asks apt only for what is missing, and updates the package lists
# only when something is missing. Works as root and through sudo.
set -euo pipefail

packages=(
  build-essential cmake g++ pkg-config ninja-build clang-format
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev qt6-l10n-tools qt6-translations-l10n
  qt6-qpa-plugins
  qt6-httpserver-dev qt6-websockets-dev qt6-svg-dev libqrencode-dev libqt6sql6-sqlite
  portaudio19-dev libasound2-dev libasound2-plugins alsa-utils
  libsndfile1-dev libsamplerate0-dev libjpeg62-turbo-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  pulseaudio pulseaudio-utils sox
  xvfb xauth x11-apps x11-utils imagemagick fonts-dejavu-core xclip poppler-utils
  libfreexl-dev python3-xlrd libreoffice-calc-nogui bc time
  dpkg-dev file desktop-file-utils appstream shared-mime-info groff-base
  debhelper lintian autopkgtest
  clang libclang-rt-14-dev
  at-spi2-core python3-pyatspi xdotool dbus-daemon
  orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins openbox
  chromium chromium-driver python3-selenium zbar-tools
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The program lives on German desktops and the tests run there: a German
# locale (decimal comma) and an English one must exist, not only C.
needed_locales=(de_DE.UTF-8 en_US.UTF-8)
generate=()
for l in "${needed_locales[@]}"; do
  # locale -a spells them "de_DE.utf8".
  if ! locale -a 2>/dev/null | grep -qix "${l%%.*}.utf8"; then
    generate+=("$l")
  fi
done
if [ ${#generate[@]} -gt 0 ]; then
  echo "Generating locales: ${generate[*]}"
  for l in "${generate[@]}"; do
    "${sudo[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi

# axe-core, the accessibility engine the classroom page's test runs in
# Chromium: not packaged in Debian 12, so a pinned version from the npm
# registry, into the project's own cache folder (never installed globally).
axe_version=4.14.1
axe_dir="$(cd "$(dirname "$0")/.." && pwd)/.cache/axe-core"
axe_js="$axe_dir/node_modules/axe-core/axe.min.js"
if [ ! -f "$axe_js" ] || ! grep -q "\"version\": \"$axe_version\"" "$axe_dir/node_modules/axe-core/package.json"; then
  if ! command -v npm >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends npm
  fi
  echo "Installing axe-core $axe_version into $axe_dir"
  mkdir -p "$axe_dir"
  npm install --prefix "$axe_dir" --no-save --no-audit --no-fund --no-package-lock \
    "axe-core@$axe_version" >/dev/null
fi
