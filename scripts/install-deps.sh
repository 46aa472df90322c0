#!/usr/bin/env bash
# Installs the Debian packages WVS needs to build, run and test, when they are missing.
set -euo pipefail
PKGS=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 xvfb xauth libx11-6 libxtst6
  python3-dateutil python3-pyftpdlib python3-aiosmtpd
  poppler-utils xdg-utils
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
