#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Packs a folder into a zip, the folder's own name as the top of every path.

    zip-folder.py OUT.zip FOLDER

zipfile stores a name that is not ASCII as UTF-8 and sets the flag that says
so (general-purpose bit 11), which Windows' own unzip honours. Entries go in
sorted, deflated, with the files' modification times.
"""
import os
import sys
import zipfile


def main(out, folder):
    folder = os.path.normpath(folder)
    top = os.path.basename(folder)
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for root, dirs, files in os.walk(folder):
            dirs.sort()
            rel = os.path.relpath(root, folder)
            base = top if rel == "." else f"{top}/{rel.replace(os.sep, '/')}"
            archive.write(root, base + "/")
            for name in sorted(files):
                archive.write(os.path.join(root, name), f"{base}/{name}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: zip-folder.py OUT.zip FOLDER")
    main(sys.argv[1], sys.argv[2])
