#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the package scripts/package.sh built, as a user would, starts the
# installed program (its version, then its window, headless), removes the
# package and checks that none of its files is left. Needs root (or sudo).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

debs=("$top"/build/package/k6qx_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single package in build/package; run scripts/package.sh" >&2; exit 1; }

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${debs[0]}"
listed=$(mktemp)
trap 'rm -f "$listed"' EXIT
dpkg -L k6qx >"$listed"

# Run from elsewhere, so nothing of the source tree helps it.
cd /
version=$(k6qx --version | head -n 1)
echo "installed: $version"
[ "$version" = "k6qx $(dpkg-query -W -f='${Version}' k6qx)" ] || { echo "version does not match the package" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen timeout 60 k6qx --quit-after-show
echo "installed program showed its window and quit"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq k6qx
left=()
while IFS= read -r path; do
    # Directories shared with other packages (/usr/share/icons/...) stay.
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        left+=("$path")
    fi
done <"$listed"
if dpkg-query -W -f='${Status}' k6qx 2>/dev/null | grep -q "install ok installed"; then
    left+=("(package still installed)")
fi
if [ ${#left[@]} -ne 0 ]; then
    printf 'left behind: %s\n' "${left[@]}" >&2
    exit 1
fi
echo "removed: none of its $(wc -l <"$listed") paths' files is left"
