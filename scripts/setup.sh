#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine, and
# nothing that is there already. Safe to run again.
set -euo pipefail

packages=(
  g++ cmake make pkg-config ccache
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libzip-dev libgif-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-noto-core
  xvfb xauth
  poppler-utils
)
if [ "${LINETINT_FUZZ_TOOLS:-0}" = 1 ]; then packages+=(clang-14 libclang-rt-14-dev time); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
