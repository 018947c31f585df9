#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages needed to build, run and test the tool; only
# those that are missing, so running it again does nothing. Extra package
# names given as arguments are installed too. xvfb, xauth and Qt's xcb
# platform plugin (qt6-qpa-plugins) run the key test on a real X server.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools fonts-wqy-microhei fonts-liberation poppler-utils
          xvfb xauth qt6-qpa-plugins "$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
