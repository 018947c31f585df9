#!/bin/sh
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon (src/gui/images/svg/app.svg) to the hicolor
# sizes the desktop entry's icon is installed in: icons/<size>.png.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --output "icons/$size.png" ../../src/gui/images/svg/app.svg
done
