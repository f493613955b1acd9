#!/usr/bin/env bash
# Installs every Debian 12 package Orbitune needs to build, test and run, and
# generates the German and Chinese locales the tests run the editor under.
# Idempotent: when everything is present it returns at once without touching apt.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-base-private-dev libgl-dev
  libhidapi-dev nlohmann-json3-dev libcli11-dev
  pkg-config libdvbv5-dev libudev-dev libpugixml-dev dtv-scan-tables
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk xvfb xauth locales
  openbox xdotool x11-utils xclip dbus at-spi2-core libatspi2.0-dev
  librsvg2-bin help2man gzip groff-base qt6-translations-l10n
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info imagemagick
)
locales=(de_DE zh_CN)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
missing_locales=()
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || missing_locales+=("$l")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
for l in "${missing_locales[@]}"; do
  echo "Generating the locale $l.UTF-8"
  "${sudo_cmd[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
