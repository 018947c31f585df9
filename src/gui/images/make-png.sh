#!/bin/sh
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the icon sources in svg/ to the PNGs the program uses:
# the window icon at 64x64, the action-bar images at 32x32.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
render() {
    rsvg-convert --width "$2" --height "$2" --keep-aspect-ratio \
        --output "$1.png" "svg/$1.svg"
}
render app 64
for name in Receive open Send2 save verify; do
    render "$name" 32
done
